// SPDX-License-Identifier: MIT
#include "general/general_tables.h"

#include "core/number_text.h"
#include "fits/fit.h"
#include "fits/fits_tables.h"

namespace merilon::general {

using namespace Qt::StringLiterals;

// GOST 30893.1-2002 (ISO 2768-1:1989), table 1: limit deviations of linear sizes,
// other than broken edges, mm.
const std::array<SizeRow, 8> linearRows = {{
    {u"от 0,5 до 3", 3'000, {u"±0,05", u"±0,1", u"±0,2", u""}},
    {u"св. 3 до 6", 6'000, {u"±0,05", u"±0,1", u"±0,3", u"±0,5"}},
    {u"св. 6 до 30", 30'000, {u"±0,1", u"±0,2", u"±0,5", u"±1"}},
    {u"св. 30 до 120", 120'000, {u"±0,15", u"±0,3", u"±0,8", u"±1,5"}},
    {u"св. 120 до 400", 400'000, {u"±0,2", u"±0,5", u"±1,2", u"±2,5"}},
    {u"св. 400 до 1000", 1'000'000, {u"±0,3", u"±0,8", u"±2", u"±4"}},
    {u"св. 1000 до 2000", 2'000'000, {u"±0,5", u"±1,2", u"±3", u"±6"}},
    {u"св. 2000 до 4000", 4'000'000, {u"", u"±2", u"±4", u"±8"}},
}};

// GOST 30893.1-2002 (ISO 2768-1:1989), table 2: limit deviations of broken edges
// (external radius and chamfer height), mm.
const std::array<SizeRow, 3> edgeRows = {{
    {u"от 0,5 до 3", 3'000, {u"±0,2", u"±0,2", u"±0,4", u"±0,4"}},
    {u"св. 3 до 6", 6'000, {u"±0,5", u"±0,5", u"±1", u"±1"}},
    {u"св. 6", unbounded, {u"±1", u"±1", u"±2", u"±2"}},
}};

// GOST 30893.1-2002 (ISO 2768-1:1989), table 3: limit deviations of angles, by the
// length of the shorter side, mm.
const std::array<SizeRow, 5> angleRows = {{
    {u"до 10", 10'000, {u"±1°", u"±1°", u"±1°30′", u"±3°"}},
    {u"св. 10 до 50", 50'000, {u"±0°30′", u"±0°30′", u"±1°", u"±2°"}},
    {u"св. 50 до 120", 120'000, {u"±0°20′", u"±0°20′", u"±0°30′", u"±1°"}},
    {u"св. 120 до 400", 400'000, {u"±0°10′", u"±0°10′", u"±0°15′", u"±0°30′"}},
    {u"св. 400", unbounded, {u"±0°5′", u"±0°5′", u"±0°10′", u"±0°20′"}},
}};

// GOST 30893.2-2002 (ISO 2768-2:1989), table 1: tolerances of straightness and
// flatness, by length, mm.
const std::array<FormRow, 6> straightnessRows = {{
    {u"до 10", 10'000, {u"0,02", u"0,05", u"0,1"}},
    {u"св. 10 до 30", 30'000, {u"0,05", u"0,1", u"0,2"}},
    {u"св. 30 до 100", 100'000, {u"0,1", u"0,2", u"0,4"}},
    {u"св. 100 до 300", 300'000, {u"0,2", u"0,4", u"0,8"}},
    {u"св. 300 до 1000", 1'000'000, {u"0,3", u"0,6", u"1,2"}},
    {u"св. 1000 до 3000", 3'000'000, {u"0,4", u"0,8", u"1,6"}},
}};

// GOST 30893.2-2002 (ISO 2768-2:1989), table 2: tolerances of perpendicularity, by the
// length of the shorter side, mm.
const std::array<FormRow, 4> perpendicularityRows = {{
    {u"до 100", 100'000, {u"0,2", u"0,4", u"0,6"}},
    {u"св. 100 до 300", 300'000, {u"0,3", u"0,6", u"1"}},
    {u"св. 300 до 1000", 1'000'000, {u"0,4", u"0,8", u"1,5"}},
    {u"св. 1000 до 3000", 3'000'000, {u"0,5", u"1", u"2"}},
}};

// GOST 30893.2-2002 (ISO 2768-2:1989), table 3: tolerances of symmetry, by length, mm.
const std::array<FormRow, 4> symmetryRows = {{
    {u"до 100", 100'000, {u"0,5", u"0,6", u"0,6"}},
    {u"св. 100 до 300", 300'000, {u"0,5", u"0,6", u"1"}},
    {u"св. 300 до 1000", 1'000'000, {u"0,5", u"0,8", u"1,5"}},
    {u"св. 1000 до 3000", 3'000'000, {u"0,5", u"1", u"2"}},
}};

// GOST 30893.2-2002 (ISO 2768-2:1989), table 4: tolerances of circular run-out
// (radial, axial, of any surface of revolution), mm, whatever the length.
const std::array<std::u16string_view, 3> runOut = {u"0,1", u"0,2", u"0,5"};

namespace {

QString sizeMessage(const std::optional<TypedDecimal> &typed, QStringView text)
{
    if (text.trimmed().isEmpty())
        return u"Введите номинальный размер в миллиметрах, например 25 или 0,8."_s;
    if (!typed)
        return u"Размер не число: введите миллиметры, например 25 или 25,4."_s;
    if (typed->tooLong || typed->negative || typed->thousandths == 0 || typed->thousandths > largestSize
        || (typed->finer && typed->thousandths == largestSize))
        return u"Размер вне диапазона: номинальный размер должен быть больше 0 и не больше 10000 мм."_s;
    if (typed->finer)
        return u"Размер задан точнее 0,001 мм: не больше трёх знаков после запятой."_s;
    return QString();
}

} // namespace

namespace {

// Both classes are items of their lists.
bool classesChosen(int sizeClass, int formClass)
{
    return sizeClass >= 0 && std::size_t(sizeClass) < sizeClassLetters.size() && formClass >= 0
        && std::size_t(formClass) < formClasses.size();
}

} // namespace

QString requirementLine(int sizeClass, int formClass, int grade, Designation designation)
{
    if (!classesChosen(sizeClass, formClass))
        return QString();
    if (designation == Designation::Grade) {
        const QString n = QString::number(grade);
        return u"Неуказанные предельные отклонения размеров: H%1, h%1, ±IT%1/2"_s.arg(n);
    }
    return u"Общие допуски по ГОСТ 30893.2 — "_s + QChar(sizeClassLetters[std::size_t(sizeClass)])
           + toQString(formClasses[std::size_t(formClass)]);
}

GeneralTexts generalTexts(QStringView size, int sizeClass, int formClass, int grade, Designation designation)
{
    GeneralTexts t;
    // A list with no item chosen: nothing to show.
    if (!classesChosen(sizeClass, formClass))
        return t;
    t.requirement = requirementLine(sizeClass, formClass, grade, designation);
    const std::optional<TypedDecimal> typed = readTypedDecimal(size);
    t.message = sizeMessage(typed, size);
    if (!t.message.isEmpty())
        return t;
    const int micrometres = int(typed->thousandths);
    const auto c = std::size_t(sizeClass);
    const auto k = std::size_t(formClass);

    const bool belowTables = micrometres < smallestTabled;
    t.linear = toQString(belowTables ? writtenAtSize : cellFor(linearRows, micrometres, c));
    t.edge = toQString(belowTables ? writtenAtSize : cellFor(edgeRows, micrometres, c));
    t.angle = toQString(cellFor(angleRows, micrometres, c));
    t.straightness = toQString(cellFor(straightnessRows, micrometres, k));
    t.perpendicularity = toQString(cellFor(perpendicularityRows, micrometres, k));
    t.symmetry = toQString(cellFor(symmetryRows, micrometres, k));
    t.runOut = toQString(runOut[k]);

    // The standard tolerance of the fits' table.
    const std::optional<fits::Hundredths> it = fits::toleranceAt(micrometres, grade);
    if (!it) {
        t.message = u"Отклонения по квалитету: таблица допусков IT охватывает размеры до 3150 мм."_s;
        return t;
    }
    if (micrometres < 1000 && grade >= 14) {
        t.message = u"Отклонения по квалитету: квалитеты 14–18 для размеров менее 1 мм не применяются."_s;
        return t;
    }
    // In millimetres, each divided once: the nearest double of an exact decimal.
    t.hole = QLatin1Char('+') + numberText(double(*it) / 100'000);
    t.shaft = QLatin1Char('-') + numberText(double(*it) / 100'000);
    t.other = u"±"_s + numberText(double(*it) / 200'000);
    return t;
}

QStringList sizeClassTexts()
{
    return listTexts(sizeClasses);
}

QStringList formClassTexts()
{
    return listTexts(formClasses);
}

QStringList gradeTexts()
{
    return numberTexts(firstGrade, lastGrade);
}

} // namespace merilon::general
