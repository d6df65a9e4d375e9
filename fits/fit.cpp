// SPDX-License-Identifier: MIT
#include "fits/fit.h"

#include "core/number_text.h"

#include <algorithm>

namespace merilon::fits {

namespace {

NominalSize refused(QString error)
{
    return {0, nullptr, std::move(error)};
}

QString rangeError()
{
    return QStringLiteral("Размер вне диапазона: номинальный размер должен быть от 1 до 500 мм.");
}

double tolerance(const SizeRow &row, int grade)
{
    return grade == firstGrade - 1 ? row.it4 : row.it[static_cast<std::size_t>(grade - firstGrade)];
}

template <std::size_t N>
int indexOf(const std::array<std::u16string_view, N> &letters, QStringView letter)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (QStringView(letters[i]) == letter)
            return static_cast<int>(i);
    }
    return -1;
}

QString fieldName(QStringView letter, int grade)
{
    return letter.toString() + QString::number(grade);
}

} // namespace

NominalSize readSize(QStringView text)
{
    if (text.trimmed().isEmpty())
        return refused(QStringLiteral("Введите номинальный размер в миллиметрах: число от 1 до 500."));
    const std::optional<TypedDecimal> typed = readTypedDecimal(text);
    if (!typed)
        return refused(QStringLiteral("Размер не число: введите миллиметры, например 25 или 25,4."));
    const qint64 micrometres = typed->thousandths;
    if (typed->tooLong || typed->negative || micrometres < smallestSize || micrometres > largestSize
        || (typed->finer && micrometres == largestSize))
        return refused(rangeError());
    if (typed->finer)
        return refused(QStringLiteral("Размер задан точнее 0,001 мм: не больше трёх знаков после запятой."));
    return {int(micrometres), rowOfSize(int(micrometres)), QString()};
}

const SizeRow *rowOfSize(int micrometres)
{
    if (micrometres < smallestSize || micrometres > largestSize)
        return nullptr;
    // The first row whose upper bound is not below the size.
    return &*std::lower_bound(sizeRows.begin(), sizeRows.end(), micrometres,
                              [](const SizeRow &row, int size) { return row.upTo * 1000 < size; });
}

std::optional<Limits> shaftLimits(const SizeRow &row, int grade, QStringView letter)
{
    // The basic hole of the main window is no shaft.
    if (letter == QStringView(basicHole))
        return std::nullopt;
    return fieldLimits(row, grade, letter);
}

// The holes follow the table of fundamental deviations of holes of ISO 286-1
// (GOST 25346-89) and its notes, which derive them from the shafts' table:
// - A … H: EI = −es of the same shaft letter; H: EI = 0. ES = EI + IT.
// - JS: ±IT/2, exact (the note that allows rounding odd IT7 … IT11 down is not used).
// - K, M, N up to IT8 and P … Z up to IT7: ES = −ei of the same shaft letter + Δ,
//   Δ = IT(n) − IT(n−1) of the row (the Δ columns of the table); for K the shaft
//   column of grades 4 to 7 applies up to IT8. Above those grades: K: ES = 0 up to
//   3 mm and no field over 3 mm (the table's cells there are empty);
//   M: ES = −ei; N: ES = 0; P … Z: ES = −ei.
// - Sizes up to 3 mm: Δ = 0, and N above IT8 keeps ES = −4 (the table's own cell).
// - The cells the table sets apart from these rules (holeExceptions).
// - T, V, Y exist only where the shafts t, v, y do.
// EI = ES − IT for K … Z.
std::optional<Limits> holeLimits(const SizeRow &row, int grade, QStringView letter)
{
    if (grade < firstGrade || grade > lastGrade)
        return std::nullopt;
    const double it = tolerance(row, grade);
    const int index = indexOf(holeLetters, letter);
    if (index < 0)
        return std::nullopt;
    if (letter == u"H")
        return Limits{it, 0};
    if (letter == u"JS")
        return Limits{it / 2, -it / 2};
    const QString shaft = letter.toString().toLower();
    if (const int i = indexOf(upperLetters, shaft); i >= 0) {
        const double ei = -row.es[static_cast<std::size_t>(i)];
        return Limits{ei + it, ei};
    }

    for (const HoleException &cell : holeExceptions) {
        if (letter == QStringView(cell.letter) && grade == cell.grade && row.over >= cell.over && row.upTo <= cell.upTo)
            return Limits{cell.es, cell.es - it};
    }
    const int i = indexOf(lowerLetters, shaft);
    const std::optional<double> shaftCell = row.ei[static_cast<std::size_t>(i)];
    if (!shaftCell) // T, V, Y exist only where the shafts t, v, y do
        return std::nullopt;
    const double shaftEi = *shaftCell;
    const bool upTo3mm = &row == &sizeRows.front();
    const double delta = upTo3mm ? 0 : it - tolerance(row, grade - 1);
    const QChar l = letter.front();
    double es = 0;
    if (l == u'K') {
        // Above IT8 the table gives K only up to 3 mm (ES = 0); over 3 mm it has none.
        if (grade > 8 && !upTo3mm)
            return std::nullopt;
        es = grade <= 8 ? -shaftEi + delta : 0;
    } else if (l == u'M') {
        es = grade <= 8 ? -shaftEi + delta : -shaftEi;
    } else if (l == u'N') {
        es = grade <= 8 ? -shaftEi + delta : upTo3mm ? -shaftEi : 0;
    } else {
        es = grade <= 7 ? -shaftEi + delta : -shaftEi;
    }
    return Limits{es, es - it};
}

Fit makeFit(Limits hole, Limits shaft)
{
    Fit fit;
    fit.hole = hole;
    fit.shaft = shaft;
    fit.holeTolerance = hole.upper - hole.lower;
    fit.shaftTolerance = shaft.upper - shaft.lower;
    if (hole.lower >= shaft.upper) {
        fit.kind = FitKind::Clearance;
        fit.maxClearance = hole.upper - shaft.lower;
        fit.minClearance = hole.lower - shaft.upper;
    } else if (shaft.lower >= hole.upper) {
        fit.kind = FitKind::Interference;
        fit.maxInterference = shaft.upper - hole.lower;
        fit.minInterference = shaft.lower - hole.upper;
    } else {
        fit.kind = FitKind::Transition;
        fit.maxClearance = hole.upper - shaft.lower;
        fit.maxInterference = shaft.upper - hole.lower;
    }
    return fit;
}

QString limitSizeText(int nominal, double deviation)
{
    // Whole or half micrometres over 1000: the nearest double of an exact decimal of
    // at most four places, which the shortest number text gives back digit for digit.
    return numberText((nominal + deviation) / 1000);
}

QString signedText(double value)
{
    return value > 0 ? QLatin1Char('+') + numberText(value) : numberText(value);
}

FitTexts fitTexts(QStringView size, QStringView holeLetter, int holeGrade, QStringView shaftLetter,
                  int shaftGrade)
{
    FitTexts texts;
    const NominalSize nominal = readSize(size);
    if (!nominal.row) {
        texts.message = nominal.error;
        return texts;
    }
    const SizeRow &row = *nominal.row;
    texts.holeField = fieldName(holeLetter, holeGrade);
    texts.shaftField = fieldName(shaftLetter, shaftGrade);
    const std::optional<Limits> hole = holeLimits(row, holeGrade, holeLetter);
    const std::optional<Limits> shaft = shaftLimits(row, shaftGrade, shaftLetter);
    if (!hole || !shaft) {
        texts.message = QStringLiteral("Поле %1 %2 для размеров %3 мм стандарт не устанавливает: уточните поле допуска.")
                            .arg(hole ? QStringLiteral("вала") : QStringLiteral("отверстия"),
                                 hole ? texts.shaftField : texts.holeField, toQString(row.text));
        texts.holeField.clear();
        texts.shaftField.clear();
        return texts;
    }
    const Fit fit = makeFit(*hole, *shaft);
    texts.fit = fit;
    texts.holeUpper = numberText(hole->upper);
    texts.holeLower = numberText(hole->lower);
    texts.shaftUpper = numberText(shaft->upper);
    texts.shaftLower = numberText(shaft->lower);
    texts.holeMax = limitSizeText(nominal.micrometres, hole->upper);
    texts.holeMin = limitSizeText(nominal.micrometres, hole->lower);
    texts.shaftMax = limitSizeText(nominal.micrometres, shaft->upper);
    texts.shaftMin = limitSizeText(nominal.micrometres, shaft->lower);
    texts.holeTolerance = numberText(fit.holeTolerance);
    texts.shaftTolerance = numberText(fit.shaftTolerance);

    const QString diameter = QStringLiteral("Ø") + numberText(nominal.micrometres / 1000.0);
    const QString fields = texts.holeField + QLatin1Char('/') + texts.shaftField;
    QString figures;
    switch (fit.kind) {
    case FitKind::Clearance:
        texts.maxClearance = numberText(fit.maxClearance);
        texts.minClearance = numberText(fit.minClearance);
        texts.kind = QStringLiteral("посадка с зазором");
        figures = QStringLiteral("зазор наибольший %1 мкм, наименьший %2 мкм").arg(texts.maxClearance, texts.minClearance);
        break;
    case FitKind::Transition:
        texts.maxClearance = numberText(fit.maxClearance);
        texts.maxInterference = numberText(fit.maxInterference);
        texts.kind = QStringLiteral("переходная посадка");
        figures = QStringLiteral("зазор наибольший %1 мкм, натяг наибольший %2 мкм")
                      .arg(texts.maxClearance, texts.maxInterference);
        break;
    case FitKind::Interference:
        texts.maxInterference = numberText(fit.maxInterference);
        texts.minInterference = numberText(fit.minInterference);
        texts.kind = QStringLiteral("посадка с натягом");
        figures = QStringLiteral("натяг наибольший %1 мкм, наименьший %2 мкм")
                      .arg(texts.maxInterference, texts.minInterference);
        break;
    }
    const bool basicHole = holeLetter == u"H";
    const bool basicShaft = shaftLetter == u"h";
    texts.system = basicHole && basicShaft ? QStringLiteral("в системе отверстия и в системе вала")
                   : basicHole             ? QStringLiteral("в системе отверстия")
                   : basicShaft            ? QStringLiteral("в системе вала")
                                           : QStringLiteral("внесистемная");
    texts.line = QStringLiteral("%1 %2: отверстие %3/%4 мкм, вал %5/%6 мкм, %7, %8")
                     .arg(diameter, fields, signedText(hole->upper), signedText(hole->lower),
                          signedText(shaft->upper), signedText(shaft->lower), figures, texts.kind);
    texts.words = QStringLiteral("Схема посадки %1 %2: поле отверстия %3 от %4 до %5 мкм, поле вала %6 от %7 до "
                                 "%8 мкм; %9: %10")
                      .arg(diameter, fields, texts.holeField, signedText(hole->lower), signedText(hole->upper),
                           texts.shaftField, signedText(shaft->lower), signedText(shaft->upper), texts.kind, figures);
    return texts;
}

} // namespace merilon::fits
