// SPDX-License-Identifier: MIT
// Unspecified (general) tolerances of form and position, in millimetres: the kinds of
// tolerance, the two interval lists, the three value tables and the notes that govern
// their use. No widgets here: the window `Форма4` reads its texts and shows what the
// lookups return.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <string_view>

namespace merilon::unspecified {

// The list kinds: which interval list the interval selector holds.
constexpr int lengthList = 3;   // the 16 length intervals
constexpr int diameterList = 4; // the 12 diameter intervals

// The accuracy groups, the columns of every table in this order.
inline constexpr std::array<std::u16string_view, 4> accuracyGroups = {u"12", u"13 - 14", u"15 - 16", u"17"};

// One kind of tolerance: the genitive noun that completes "Допуск ", the interval
// list that it uses and its table group (1 perpendicularity, 2 face run-out,
// 3 symmetry, 4 intersection of axes, radial run-out and coaxiality).
struct Kind
{
    std::u16string_view name;
    int listKind;
    int tableGroup;
};

// In the order of the kind selector's list (alphabetical).
inline constexpr std::array<Kind, 6> kinds = {{
    {u"пересечения осей", diameterList, 4},
    {u"перпендикулярности", lengthList, 1},
    {u"радиального биения", diameterList, 4},
    {u"симметричности", diameterList, 3},
    {u"соосности", diameterList, 4},
    {u"торцевого биения", lengthList, 2},
}};

// One row of a value table: its interval text and its cells, in millimetres, in the
// order of accuracyGroups.
struct Row
{
    std::u16string_view interval;
    std::array<double, accuracyGroups.size()> mm;
};

extern const std::array<Row, 16> perpendicularityRows; // table group 1
extern const std::array<Row, 16> faceRunOutRows;       // table group 2
extern const std::array<Row, 12> axisRows;             // table groups 3 and 4

// The kind names, the accuracy groups and the intervals of a list kind (3: length
// intervals; any other: diameter intervals), in list order.
QStringList kindTexts();
QStringList accuracyGroupTexts();
QStringList intervalTexts(int listKind);
// The interval that a list of that kind starts with: "до 10" or "до 3".
QString firstInterval(int listKind);

// The kind whose name equals `text` exactly, or none.
std::optional<Kind> kindOf(QStringView text);

// The notes of a table group, numbered paragraphs joined by LF then CR; none for a
// number that is no group.
std::optional<QString> notes(int tableGroup);

// The cell of a table group for an interval and an accuracy group, compared exactly;
// none when the group has no table or no cell has these labels.
std::optional<double> value(int tableGroup, QStringView interval, QStringView accuracyGroup);
// The same cell as the value box shows it ("0,025", "1", "10").
std::optional<QString> valueText(int tableGroup, QStringView interval, QStringView accuracyGroup);

} // namespace merilon::unspecified
