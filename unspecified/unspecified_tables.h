// SPDX-License-Identifier: MIT
// Unspecified (general) tolerances of form and position, in millimetres: the kinds of
// tolerance, the two interval lists, the three value tables and the notes that govern
// their use. No widgets here: the window `Форма4` reads its texts and shows what the
// lookups return.
#pragma once

#include "core/intervals.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <string_view>

namespace merilon::unspecified {

// The value tables with their notes, by the group number the design gave them.
enum class Table {
    Perpendicularity = 1,
    FaceRunOut = 2,
    Symmetry = 3, // the axes table, with notes of its own
    Axes = 4,     // intersection of axes, radial run-out and coaxiality
};

// The accuracy groups, the columns of every table in this order.
inline constexpr std::array<std::u16string_view, 4> accuracyGroups = {u"12", u"13 - 14", u"15 - 16", u"17"};

// One kind of tolerance: the genitive noun that completes "Допуск ", the interval
// list that it uses and its table.
struct Kind
{
    std::u16string_view name;
    IntervalList intervals;
    Table table;
};

// In the order of the kind selector's list (alphabetical).
inline constexpr std::array<Kind, 6> kinds = {{
    {u"пересечения осей", IntervalList::Diameters, Table::Axes},
    {u"перпендикулярности", IntervalList::Lengths, Table::Perpendicularity},
    {u"радиального биения", IntervalList::Diameters, Table::Axes},
    {u"симметричности", IntervalList::Diameters, Table::Symmetry},
    {u"соосности", IntervalList::Diameters, Table::Axes},
    {u"торцевого биения", IntervalList::Lengths, Table::FaceRunOut},
}};

// One row of a value table: its interval text and its cells, in millimetres, in the
// order of accuracyGroups.
struct Row
{
    std::u16string_view interval;
    std::array<double, accuracyGroups.size()> mm;
};

extern const std::array<Row, 16> perpendicularityRows; // Perpendicularity: the length intervals
extern const std::array<Row, 16> faceRunOutRows;       // FaceRunOut: the length intervals
extern const std::array<Row, 12> axisRows;             // Symmetry and Axes: the diameter intervals

// The kind names and the accuracy groups, in list order; the intervals are the
// intervalTexts() of core.
QStringList kindTexts();
QStringList accuracyGroupTexts();

// The kind whose name equals `text` exactly, or none.
std::optional<Kind> kindOf(QStringView text);

// The notes of a table, numbered paragraphs joined by the program's line break.
QString notes(Table table);

// The cell of a table for an interval and an accuracy group, compared exactly; none
// when no cell has these labels.
std::optional<double> value(Table table, QStringView interval, QStringView accuracyGroup);
// The same cell as the value box shows it ("0,025", "1", "10").
std::optional<QString> valueText(Table table, QStringView interval, QStringView accuracyGroup);

} // namespace merilon::unspecified
