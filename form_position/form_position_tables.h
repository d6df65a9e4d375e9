// SPDX-License-Identifier: MIT
// Numeric tolerances of form and position of surfaces, GOST 24643-81: the tolerance
// types, the two interval lists, the four value tables and the lookup that turns a
// choice into the value and unit shown. No widgets here: the window `Форма5` reads
// its selectors' texts and shows what this returns.
#pragma once

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

// The list kinds: which interval list a tolerance type's table is indexed by.
constexpr int lengthList = 3;   // nominal lengths, 16 intervals
constexpr int diameterList = 4; // nominal diameters, 12 intervals

// A tolerance type as the type list names it (the genitive that completes
// "Допуск "), its interval list and its value table (group 1 to 4).
struct ToleranceType
{
    std::u16string_view name;
    int listKind;
    int group;
};

// In list order (alphabetical).
inline constexpr std::array<ToleranceType, 13> toleranceTypes = {{
    {u"круглости", diameterList, 3},
    {u"наклона", lengthList, 2},
    {u"параллельности", lengthList, 2},
    {u"пересечения осей", diameterList, 4},
    {u"плоскостности", lengthList, 1},
    {u"полного торцевого биения", lengthList, 2},
    {u"профиля продольного сечения", diameterList, 3},
    {u"прямолинейности", lengthList, 1},
    {u"радиального биения", diameterList, 4},
    {u"симметричности", diameterList, 4},
    {u"соосности", diameterList, 4},
    {u"торцевого биения", lengthList, 2},
    {u"цилиндричности", diameterList, 3},
}};

// Nominal lengths, mm: the rows of groups 1 and 2.
inline constexpr std::array<std::u16string_view, 16> lengthIntervals = {
    u"до 10",
    u"свыше 10 до 16",
    u"свыше 16 до 25",
    u"свыше 25 до 40",
    u"свыше 40 до 63",
    u"свыше 63 до 100",
    u"свыше 100 до 160",
    u"свыше 160 до 250",
    u"свыше 250 до 400",
    u"свыше 400 до 630",
    u"свыше 630 до 1000",
    u"свыше 1000 до 1600",
    u"свыше 1600 до 2500",
    u"свыше 2500 до 4000",
    u"свыше 4000 до 6300",
    u"свыше 6300 до 10000",
};

// Nominal diameters, mm: the rows of groups 3 and 4.
inline constexpr std::array<std::u16string_view, 12> diameterIntervals = {
    u"до 3",
    u"свыше 3 до 10",
    u"свыше 10 до 18",
    u"свыше 18 до 30",
    u"свыше 30 до 50",
    u"свыше 50 до 120",
    u"свыше 120 до 250",
    u"свыше 250 до 400",
    u"свыше 400 до 630",
    u"свыше 630 до 1000",
    u"свыше 1000 до 1600",
    u"свыше 1600 до 2500",
};

// One row of a value table: its interval text and its tolerances in micrometres
// for the degrees of accuracy 1 to 16.
struct ValueRow
{
    std::u16string_view interval;
    std::array<double, degreeCount> micrometres;
};

// The value table of a group (1 to 4); empty for any other number.
std::span<const ValueRow> table(int group);

// The units shown beside the value.
inline constexpr std::u16string_view micrometreUnit = u"мкм";
inline constexpr std::u16string_view millimetreUnit = u"мм";

// The notes that go with group 4, lines ended by CR LF.
inline constexpr std::u16string_view groupFourNotes =
    u"   1.Допуски распространяются также на \r\n"
    u"концентричность, полное радиальное \r\n"
    u"биение и биение в заданном направлении.\r\n"
    u"   2. Допуски соосности, симметричности \r\n"
    u"и пересечения осей приведены в \r\n"
    u"диаметральном выражении. \r\n"
    u"Соответствующие им допуски в радиусном \r\n"
    u"выражении могут быть получены делением \r\n"
    u"их значений пополам.\r\n";

// The lists of the three selectors.
QStringList typeTexts();
QStringList intervalTexts(int listKind); // lengths for lengthList, else diameters
QStringList degreeTexts();               // "1" … "16"

// The type whose name equals `name` exactly, or nullptr.
const ToleranceType *findType(QStringView name);
// The degree that `text` reads as, when it is a whole number from 1 to 16.
std::optional<int> degreeOf(QStringView text);
// The table value in micrometres; none when the group, interval or degree is unknown.
std::optional<double> tableValue(int group, QStringView interval, int degree);

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

// What the window shows for a group, an interval text and a degree text: the length
// lookup serves groups 1 and 2, the diameter lookup groups 3 and 4, and either shows
// 0 for a group of the other kind. Nothing (the shown value and unit stay as they
// are) when the degree is not a whole number from 1 to 16 or the interval is none
// of the group's rows.
std::optional<Shown> lengthTolerance(int group, QStringView interval, QStringView degree);
std::optional<Shown> diameterTolerance(int group, QStringView interval, QStringView degree);

} // namespace merilon::form_position
