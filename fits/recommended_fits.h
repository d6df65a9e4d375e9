// SPDX-License-Identifier: MIT
// The fits that GOST 25347-82 recommends, as far as a faithful copy of its tables was
// found: the table of recommended fits in the hole-basis system for sizes 1 to 500 mm.
#pragma once

#include <array>
#include <string_view>

namespace merilon::fits {

// One recommended fit: the hole's field over the shaft's, as drawings write them.
struct RecommendedFit
{
    std::u16string_view hole;
    std::u16string_view shaft;
};

// GOST 25347-82, the table «Рекомендуемые посадки в системе отверстия при номинальных
// размерах от 1 до 500 мм», row by row (H5 … H12) and, in each row, by the shaft's
// letter as the table's columns run, transcribed from В. М. Волков, «Рекомендуемые
// посадки и поля допусков», 2006 (studfile.net/preview/14714471/page:6). That copy
// does not keep the frames by which the standard marks its preferred fits, nor the
// notes under the table, so no fit is marked preferred here.
inline constexpr std::array<RecommendedFit, 69> recommendedHoleBasisFits = {{
    {u"H5", u"g4"},  {u"H5", u"h4"},  {u"H5", u"js4"}, {u"H5", u"k4"},  {u"H5", u"m4"},  {u"H5", u"n4"},
    {u"H6", u"f6"},  {u"H6", u"g5"},  {u"H6", u"h5"},  {u"H6", u"js5"}, {u"H6", u"k5"},  {u"H6", u"m5"},
    {u"H6", u"n5"},  {u"H6", u"p5"},  {u"H6", u"r5"},  {u"H6", u"s5"},
    {u"H7", u"c8"},  {u"H7", u"d8"},  {u"H7", u"e7"},  {u"H7", u"e8"},  {u"H7", u"f7"},  {u"H7", u"g6"},
    {u"H7", u"h6"},  {u"H7", u"js6"}, {u"H7", u"k6"},  {u"H7", u"m6"},  {u"H7", u"n6"},  {u"H7", u"p6"},
    {u"H7", u"r6"},  {u"H7", u"s6"},  {u"H7", u"s7"},  {u"H7", u"t6"},  {u"H7", u"u7"},
    {u"H8", u"c8"},  {u"H8", u"d8"},  {u"H8", u"e8"},  {u"H8", u"f7"},  {u"H8", u"f8"},  {u"H8", u"h7"},
    {u"H8", u"h8"},  {u"H8", u"js7"}, {u"H8", u"k7"},  {u"H8", u"m7"},  {u"H8", u"n7"},  {u"H8", u"s7"},
    {u"H8", u"u8"},  {u"H8", u"x8"},  {u"H8", u"z8"},  {u"H8", u"d9"},  {u"H8", u"e9"},  {u"H8", u"f9"},
    {u"H8", u"h9"},
    {u"H9", u"d9"},  {u"H9", u"e8"},  {u"H9", u"e9"},  {u"H9", u"f8"},  {u"H9", u"f9"},  {u"H9", u"h8"},
    {u"H9", u"h9"},
    {u"H10", u"d10"}, {u"H10", u"h9"}, {u"H10", u"h10"},
    {u"H11", u"a11"}, {u"H11", u"b11"}, {u"H11", u"c11"}, {u"H11", u"d11"}, {u"H11", u"h11"},
    {u"H12", u"b12"}, {u"H12", u"h12"},
}};

// No faithful copy of the standard's table of recommended fits in the shaft-basis
// system was found: that series is left empty rather than guessed.
inline constexpr std::array<RecommendedFit, 0> recommendedShaftBasisFits = {};

} // namespace merilon::fits
