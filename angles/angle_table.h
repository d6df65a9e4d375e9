// SPDX-License-Identifier: MIT
// Angle tolerances of ST SEV 178-75: one text in angular units for each of 13
// intervals of lengths and each degree of accuracy 1 to 17. No widgets here: the
// angle window reads its two texts and shows what this returns.
#pragma once

#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <string_view>

namespace merilon::angles {

constexpr int firstDegree = 1;
constexpr int lastDegree = 17;
constexpr int degreeCount = lastDegree - firstDegree + 1;

// One interval of lengths: its text as the interval list shows it, and the tolerance
// texts of degrees 1 … 17. Seconds are marked '' (two apostrophes), minutes ', degrees
// by the degree sign; "-" where the standard gives no tolerance.
struct AngleRow
{
    std::u16string_view text;
    std::array<std::u16string_view, degreeCount> cells;
};

// Rows from the shortest interval to the longest. Down a column each longer interval
// is one step finer in the standard's series of values, and along a row each coarser
// degree two steps coarser, up to degree 15; degrees 16 and 17 are coarse tolerances
// that change only every three intervals.
inline constexpr std::array<AngleRow, 13> angleRows = {{
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

// The 13 interval texts, in list order.
QStringList intervalTexts();
// "1" … "17".
QStringList degreeTexts();

// The tolerance text of the row whose text equals `interval` exactly (case and
// spaces included) and of the column `degree`; none when the text is not one of the
// 13 or the degree is not a whole number from 1 to 17.
std::optional<std::u16string_view> angleTolerance(QStringView interval, double degree);

} // namespace merilon::angles
