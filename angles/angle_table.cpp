// SPDX-License-Identifier: MIT
#include "angles/angle_table.h"

#include "core/number_text.h"

#include <cmath>

namespace merilon::angles {

// Rows from the shortest interval to the longest. Down a column each longer interval
// is one step finer in the standard's series of values, and along a row each coarser
// degree two steps coarser, up to degree 15; degrees 16 and 17 are coarse tolerances
// that change only every three intervals.
const std::array<AngleRow, 13> angleRows = {{
    {u"до 10", {u"10''", u"16''", u"26''", u"40''", u"1'", u"1'40''", u"2'30''", u"4'", u"6'", u"10'", u"16'", u"26'", u"40'", u"1°", u"1°40'", u"2°", u"4°"}},
    {u"свыше 10 до 16", {u"8''", u"12''", u"20''", u"32''", u"50''", u"1'20''", u"2'", u"3'", u"5'", u"8'", u"12'", u"20'", u"32'", u"50'", u"1°20'", u"1°", u"2°"}},
    {u"свыше 16 до 25", {u"6''", u"10''", u"16''", u"26''", u"40''", u"1'", u"1'40''", u"2'30''", u"4'", u"6'", u"10'", u"16'", u"26'", u"40'", u"1°", u"1°", u"2°"}},
    {u"свыше 25 до 40", {u"5''", u"8''", u"12''", u"20''", u"32''", u"50''", u"1'20''", u"2'", u"3'", u"5'", u"8'", u"12'", u"20'", u"32'", u"50'", u"1°", u"2°"}},
    {u"свыше 40 до 63", {u"4''", u"6''", u"10''", u"16''", u"26''", u"40''", u"1'", u"1'40''", u"2'30''", u"4'", u"6'", u"10'", u"16'", u"26'", u"40'", u"40'", u"1°20'"}},
    {u"свыше 63 до 100", {u"3''", u"5''", u"8''", u"12''", u"20''", u"32''", u"50''", u"1'20''", u"2'", u"3'", u"5'", u"8'", u"12'", u"20'", u"32'", u"40'", u"1°20'"}},
    {u"свыше 100 до 160", {u"2,5''", u"4''", u"6''", u"10''", u"16''", u"26''", u"40''", u"1'", u"1'40''", u"2'30''", u"4'", u"6'", u"10'", u"16'", u"26'", u"40'", u"1°20'"}},
    {u"свыше 160 до 250", {u"2''", u"3''", u"5''", u"8''", u"12''", u"20''", u"32''", u"50''", u"1'20''", u"2'", u"3'", u"5'", u"8'", u"12'", u"20'", u"20'", u"40'"}},
    {u"свыше 250 до 400", {u"1,5''", u"2,5''", u"4''", u"6''", u"10''", u"16''", u"26''", u"40''", u"1'", u"1'40''", u"2'30''", u"4'", u"6'", u"10'", u"16'", u"20'", u"40'"}},
    {u"свыше 400 до 630", {u"1''", u"2''", u"3''", u"5''", u"8''", u"12''", u"20''", u"32''", u"50''", u"1'20''", u"2'", u"3'", u"5'", u"8'", u"12'", u"20'", u"40'"}},
    {u"свыше 630 до 1000", {u"-", u"-", u"-", u"4''", u"6''", u"10''", u"16''", u"26''", u"40''", u"1'", u"1'40''", u"2'30''", u"4'", u"6'", u"10'", u"10'", u"20'"}},
    {u"свыше 1000 до 1600", {u"-", u"-", u"-", u"3''", u"5''", u"8''", u"12''", u"20''", u"32''", u"50''", u"1'20''", u"2'", u"3'", u"5'", u"8'", u"10'", u"20'"}},
    {u"свыше 1600 до 2500", {u"-", u"-", u"-", u"2,5''", u"4''", u"6''", u"10''", u"16''", u"26''", u"40''", u"1'", u"1'40''", u"2'30''", u"4'", u"6'", u"10'", u"20'"}},
}};

QStringList intervalTexts()
{
    return listTexts(angleRows, &AngleRow::text);
}

QStringList degreeTexts()
{
    return numberTexts(firstDegree, lastDegree);
}

std::optional<std::u16string_view> angleTolerance(QStringView interval, double degree)
{
    // Also false for NaN.
    if (!(degree >= firstDegree && degree <= lastDegree) || std::floor(degree) != degree)
        return std::nullopt;
    for (const AngleRow &row : angleRows) {
        if (interval == QStringView(row.text))
            return row.cells[static_cast<std::size_t>(degree) - firstDegree];
    }
    return std::nullopt;
}

} // namespace merilon::angles
