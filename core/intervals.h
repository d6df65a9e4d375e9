// SPDX-License-Identifier: MIT
// The two families of nominal intervals that the form and position tables and the
// unspecified tolerance tables are indexed by, each as its list shows it.
#pragma once

#include <QStringList>
#include <array>
#include <string_view>

namespace merilon {

// Which interval list a tolerance type's table is indexed by; the windows of the
// design kept it in a hidden field as 3 (lengths) or 4 (diameters).
enum class IntervalList { Lengths, Diameters };

// Nominal lengths, mm.
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

// Nominal diameters, mm.
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

// The items of a list of that kind, in list order, and the one it starts with.
const QStringList &intervalTexts(IntervalList list);
QString firstInterval(IntervalList list);

} // namespace merilon
