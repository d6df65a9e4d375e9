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

// Rows from the shortest interval to the longest.
extern const std::array<AngleRow, 13> angleRows;

// The 13 interval texts, in list order.
QStringList intervalTexts();
// "1" … "17".
QStringList degreeTexts();

// The tolerance text of the row whose text equals `interval` exactly (case and
// spaces included) and of the column `degree`; none when the text is not one of the
// 13 or the degree is not a whole number from 1 to 17.
std::optional<std::u16string_view> angleTolerance(QStringView interval, double degree);

} // namespace merilon::angles
