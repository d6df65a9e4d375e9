// SPDX-License-Identifier: MIT
// Numeric tolerances of form and position of surfaces, GOST 24643-81: the tolerance
// types, the two interval lists, the four value tables and the lookup that turns a
// choice into the value and unit shown. No widgets here: the window `Форма5` reads
// its selectors' texts and shows what this returns.
#pragma once

#include "core/intervals.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace merilon::form_position {

constexpr int firstDegree = 1;
constexpr int lastDegree = 16;
constexpr int degreeCount = lastDegree - firstDegree + 1;
// From this degree of accuracy on, values are shown in millimetres.
constexpr int firstMillimetreDegree = 13;

// The value tables, by the number of their group in the standard.
enum class Table {
    Flatness = 1,     // straightness and flatness
    Parallelism = 2,  // parallelism, perpendicularity, inclination, face run-out
    Roundness = 3,    // roundness, cylindricity, profile of the longitudinal section
    RadialRunOut = 4, // radial run-out, coaxiality, symmetry, intersection of axes
};

// A tolerance type as the type list names it (the genitive that completes
// "Допуск "), its interval list and its value table.
struct ToleranceType
{
    std::u16string_view name;
    IntervalList intervals;
    Table table;
};

// In list order (alphabetical).
inline constexpr std::array<ToleranceType, 13> toleranceTypes = {{
    {u"круглости", IntervalList::Diameters, Table::Roundness},
    {u"наклона", IntervalList::Lengths, Table::Parallelism},
    {u"параллельности", IntervalList::Lengths, Table::Parallelism},
    {u"пересечения осей", IntervalList::Diameters, Table::RadialRunOut},
    {u"плоскостности", IntervalList::Lengths, Table::Flatness},
    {u"полного торцевого биения", IntervalList::Lengths, Table::Parallelism},
    {u"профиля продольного сечения", IntervalList::Diameters, Table::Roundness},
    {u"прямолинейности", IntervalList::Lengths, Table::Flatness},
    {u"радиального биения", IntervalList::Diameters, Table::RadialRunOut},
    {u"симметричности", IntervalList::Diameters, Table::RadialRunOut},
    {u"соосности", IntervalList::Diameters, Table::RadialRunOut},
    {u"торцевого биения", IntervalList::Lengths, Table::Parallelism},
    {u"цилиндричности", IntervalList::Diameters, Table::Roundness},
}};

// One row of a value table: its interval text and its tolerances in micrometres
// for the degrees of accuracy 1 to 16.
struct ValueRow
{
    std::u16string_view interval;
    std::array<double, degreeCount> micrometres;
};

// The value tables, in micrometres.
extern const std::array<ValueRow, 16> flatnessRows;
extern const std::array<ValueRow, 16> parallelismRows;
extern const std::array<ValueRow, 12> roundnessRows;
extern const std::array<ValueRow, 12> radialRunOutRows;

// The rows of a value table: those of Flatness and Parallelism are the length
// intervals, those of Roundness and RadialRunOut the diameter intervals.
std::span<const ValueRow> rows(Table table);

// The units shown beside the value.
inline constexpr std::u16string_view micrometreUnit = u"мкм";
inline constexpr std::u16string_view millimetreUnit = u"мм";

// The notes that go with the RadialRunOut table, each line ended by the program's
// line break.
inline constexpr std::u16string_view radialRunOutNotes =
    u"   1.Допуски распространяются также на \n\r"
    u"концентричность, полное радиальное \n\r"
    u"биение и биение в заданном направлении.\n\r"
    u"   2. Допуски соосности, симметричности \n\r"
    u"и пересечения осей приведены в \n\r"
    u"диаметральном выражении. \n\r"
    u"Соответствующие им допуски в радиусном \n\r"
    u"выражении могут быть получены делением \n\r"
    u"их значений пополам.\n\r";

// The lists of the three selectors.
QStringList typeTexts();
QStringList degreeTexts(); // "1" … "16"; the intervals: intervalTexts() of core

// The type whose name equals `name` exactly, or nullptr.
const ToleranceType *findType(QStringView name);
// The degree that `text` reads as, when it is a whole number from 1 to 16.
std::optional<int> degreeOf(QStringView text);
// The table value in micrometres; none when the interval or degree is unknown.
std::optional<double> tableValue(Table table, QStringView interval, int degree);

// A value as shown: the number and, beside it, its unit.
struct Shown
{
    QString value;
    QString unit;
    bool operator==(const Shown &) const = default;
};

// A table value in micrometres shown for its degree: as it stands with "мкм" up to
// degree 12, divided by 1000 with "мм" from degree 13 on.
Shown unitStep(double micrometres, int degree);

// What the window shows for a table, an interval text and a degree text: the length
// lookup serves Flatness and Parallelism, the diameter lookup Roundness and
// RadialRunOut, and either shows 0 for a table of the other kind. Nothing (the shown
// value and unit stay as they are) when the degree is not a whole number from 1 to
// 16 or the interval is none of the table's rows.
std::optional<Shown> lengthTolerance(Table table, QStringView interval, QStringView degree);
std::optional<Shown> diameterTolerance(Table table, QStringView interval, QStringView degree);

} // namespace merilon::form_position
