// SPDX-License-Identifier: MIT
// General tolerances: the limit deviations of GOST 30893.1-2002 (linear sizes, broken
// edges, angles; classes f, m, c, v), the tolerances of form and position of GOST
// 30893.2-2002 (classes H, K, L), and the grade form «H14, h14, ±IT14/2» from the IT
// table of the fits. No widgets here: the window reads its four inputs and shows what
// generalTexts() returns.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <limits>
#include <string_view>

namespace merilon::general {

// The classes of GOST 30893.1, in list order, and their letters.
inline constexpr std::array<std::u16string_view, 4> sizeClasses = {u"f — точный", u"m — средний", u"c — грубый",
                                                                   u"v — очень грубый"};
inline constexpr std::array<char16_t, 4> sizeClassLetters = {u'f', u'm', u'c', u'v'};
// The classes of GOST 30893.2, in list order.
inline constexpr std::array<std::u16string_view, 3> formClasses = {u"H", u"K", u"L"};
// The grades of the grade form.
constexpr int firstGrade = 12;
constexpr int lastGrade = 17;

// A row of a table: the sizes over the bound of the row before (the first row: from
// its own lower bound) up to and including `upTo`, in micrometres; the interval as the
// standard heads it; one cell per class. An empty cell is the standard's dash: no value.
template <std::size_t Classes>
struct Row
{
    std::u16string_view interval;
    int upTo;
    std::array<std::u16string_view, Classes> cells;
};
using SizeRow = Row<4>; // f, m, c, v
using FormRow = Row<3>; // H, K, L

// No upper bound: "св. 6", "св. 400".
constexpr int unbounded = std::numeric_limits<int>::max();
// GOST 30893.1 gives no deviations below 0,5 mm.
constexpr int smallestTabled = 500;

// GOST 30893.1-2002 (ISO 2768-1:1989), table 1: limit deviations of linear sizes,
// other than broken edges, mm.
inline constexpr std::array<SizeRow, 8> linearRows = {{
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
inline constexpr std::array<SizeRow, 3> edgeRows = {{
    {u"от 0,5 до 3", 3'000, {u"±0,2", u"±0,2", u"±0,4", u"±0,4"}},
    {u"св. 3 до 6", 6'000, {u"±0,5", u"±0,5", u"±1", u"±1"}},
    {u"св. 6", unbounded, {u"±1", u"±1", u"±2", u"±2"}},
}};

// GOST 30893.1-2002 (ISO 2768-1:1989), table 3: limit deviations of angles, by the
// length of the shorter side, mm.
inline constexpr std::array<SizeRow, 5> angleRows = {{
    {u"до 10", 10'000, {u"±1°", u"±1°", u"±1°30′", u"±3°"}},
    {u"св. 10 до 50", 50'000, {u"±0°30′", u"±0°30′", u"±1°", u"±2°"}},
    {u"св. 50 до 120", 120'000, {u"±0°20′", u"±0°20′", u"±0°30′", u"±1°"}},
    {u"св. 120 до 400", 400'000, {u"±0°10′", u"±0°10′", u"±0°15′", u"±0°30′"}},
    {u"св. 400", unbounded, {u"±0°5′", u"±0°5′", u"±0°10′", u"±0°20′"}},
}};

// GOST 30893.2-2002 (ISO 2768-2:1989), table 1: tolerances of straightness and
// flatness, by length, mm.
inline constexpr std::array<FormRow, 6> straightnessRows = {{
    {u"до 10", 10'000, {u"0,02", u"0,05", u"0,1"}},
    {u"св. 10 до 30", 30'000, {u"0,05", u"0,1", u"0,2"}},
    {u"св. 30 до 100", 100'000, {u"0,1", u"0,2", u"0,4"}},
    {u"св. 100 до 300", 300'000, {u"0,2", u"0,4", u"0,8"}},
    {u"св. 300 до 1000", 1'000'000, {u"0,3", u"0,6", u"1,2"}},
    {u"св. 1000 до 3000", 3'000'000, {u"0,4", u"0,8", u"1,6"}},
}};

// GOST 30893.2-2002 (ISO 2768-2:1989), table 2: tolerances of perpendicularity, by the
// length of the shorter side, mm.
inline constexpr std::array<FormRow, 4> perpendicularityRows = {{
    {u"до 100", 100'000, {u"0,2", u"0,4", u"0,6"}},
    {u"св. 100 до 300", 300'000, {u"0,3", u"0,6", u"1"}},
    {u"св. 300 до 1000", 1'000'000, {u"0,4", u"0,8", u"1,5"}},
    {u"св. 1000 до 3000", 3'000'000, {u"0,5", u"1", u"2"}},
}};

// GOST 30893.2-2002 (ISO 2768-2:1989), table 3: tolerances of symmetry, by length, mm.
inline constexpr std::array<FormRow, 4> symmetryRows = {{
    {u"до 100", 100'000, {u"0,5", u"0,6", u"0,6"}},
    {u"св. 100 до 300", 300'000, {u"0,5", u"0,6", u"1"}},
    {u"св. 300 до 1000", 1'000'000, {u"0,5", u"0,8", u"1,5"}},
    {u"св. 1000 до 3000", 3'000'000, {u"0,5", u"1", u"2"}},
}};

// GOST 30893.2-2002 (ISO 2768-2:1989), table 4: tolerances of circular run-out
// (radial, axial, of any surface of revolution), mm, whatever the length.
inline constexpr std::array<std::u16string_view, 3> runOut = {u"0,1", u"0,2", u"0,5"};

// What a box shows where a table gives no value: below 0,5 mm the standard has the
// deviation written next to the size; a dash in the table, or a size past its last
// row, sets nothing.
inline constexpr std::u16string_view writtenAtSize = u"указывают у размера";
inline constexpr std::u16string_view notSet = u"не установлено";

// The cell of `rows` for a size in micrometres and a class, or the words in its place.
template <std::size_t Classes, std::size_t N>
std::u16string_view cellFor(const std::array<Row<Classes>, N> &rows, int micrometres, std::size_t column)
{
    for (const Row<Classes> &row : rows) {
        if (micrometres <= row.upTo)
            return row.cells[column].empty() ? notSet : row.cells[column];
    }
    return notSet;
}

// Sizes the window takes: over 0 up to 10 000 mm, at most three decimals.
constexpr int largestSize = 10'000'000;

// Which of the two ways to write the requirement the line shows: the classes of
// GOST 30893.1 and .2 («… — mK»), or the grade («H14, h14, ±IT14/2»).
enum class Designation { Classes, Grade };

// Everything the window shows, as text; on a bad size only `message` and the
// requirement line are set.
struct GeneralTexts
{
    QString message;
    QString linear, edge, angle;                            // GOST 30893.1
    QString straightness, perpendicularity, symmetry, runOut; // GOST 30893.2
    QString hole, shaft, other;                              // +IT, −IT, ±IT/2, mm
    QString requirement;
};

// `sizeClass` indexes sizeClasses, `formClass` formClasses; `grade` is 12 … 17.
GeneralTexts generalTexts(QStringView size, int sizeClass, int formClass, int grade, Designation designation);

// The line for the drawing's technical requirements.
QString requirementLine(int sizeClass, int formClass, int grade, Designation designation);

// The rules that go with the tables, each with its clause, one paragraph a line.
QString notesText();

// The list items.
QStringList sizeClassTexts();
QStringList formClassTexts();
QStringList gradeTexts();

} // namespace merilon::general
