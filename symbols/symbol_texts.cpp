// SPDX-License-Identifier: MIT
#include "symbols/symbol_texts.h"

namespace merilon::symbols {

// The symbols of GOST 2.308-79 by group. Several names begin with a space,
// which belongs to the text.
const std::array<Symbol, 15> chart = {{
    {u"Допуск формы", u"1. Допуск прямолинейности\n\r2. Допуск профиля продольного сечения", u":/images/symbol_01_straightness.png"},
    {u"Допуск формы", u" Допуск плоскостности", u":/images/symbol_02_flatness.png"},
    {u"Допуск формы", u" Допуск круглости", u":/images/symbol_03_roundness.png"},
    {u"Допуск формы", u" Допуск цилиндричности", u":/images/symbol_04_cylindricity.png"},
    {u"Допуск расположения", u" Допуск параллельности", u":/images/symbol_05_parallelism.png"},
    {u"Допуск расположения", u" Допуск перпендикулярности", u":/images/symbol_06_perpendicularity.png"},
    {u"Допуск расположения", u" Допуск наклона", u":/images/symbol_07_inclination.png"},
    {u"Допуск расположения", u" Допуск соосности", u":/images/symbol_08_coaxiality.png"},
    {u"Допуск расположения", u" Допуск симметричности", u":/images/symbol_09_symmetry.png"},
    {u"Допуск расположения", u" Позиционный допуск", u":/images/symbol_10_position.png"},
    {u"Допуск расположения", u" Допуск пересечения осей", u":/images/symbol_11_intersection.png"},
    {u"Суммарный допуск формы и расположения", u"1. Допуск радиального биения\n\r2. Допуск торцевого биения\n\r3. Допуск биения в заданном направлении", u":/images/symbol_12_runout.png"},
    {u"Суммарный допуск формы и расположения", u"1. Допуск полного радиального биения\n\r2. Допуск полного торцевого биения", u":/images/symbol_13_total_runout.png"},
    {u"Суммарный допуск формы и расположения", u"Допуск формы заданного профиля", u":/images/symbol_14_line_profile.png"},
    {u"Суммарный допуск формы и расположения", u"Допуск формы заданной поверхности", u":/images/symbol_15_surface_profile.png"},
}};

} // namespace merilon::symbols
