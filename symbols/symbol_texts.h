// SPDX-License-Identifier: MIT
// The fifteen drawing symbols of form and position tolerances of GOST 2.308-79 as
// the symbol chart names them: the group of each symbol and the tolerance or
// tolerances it marks. Constant data only, no widgets.
#pragma once

#include <array>
#include <string_view>

namespace merilon::symbols {

// What the name area shows while no symbol is under the mouse.
inline constexpr std::u16string_view idleName = u"Подведите курсор мышки к нужному знаку";

struct Symbol
{
    std::u16string_view group;   // shown under "Группа"
    std::u16string_view name;    // shown under "Вид допуска (наименование)"
    std::u16string_view picture; // the symbol's bitmap, 47 × 23, black on white
};

// In the order of the chart: left to right, top to bottom (`Изображение1` … `Изображение15`).
extern const std::array<Symbol, 15> chart;

} // namespace merilon::symbols
