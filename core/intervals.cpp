// SPDX-License-Identifier: MIT
#include "core/intervals.h"

#include "core/number_text.h"

namespace merilon {

const QStringList &intervalTexts(IntervalList list)
{
    static const QStringList lengths = listTexts(lengthIntervals);
    static const QStringList diameters = listTexts(diameterIntervals);
    return list == IntervalList::Lengths ? lengths : diameters;
}

QString firstInterval(IntervalList list)
{
    return intervalTexts(list).front();
}

} // namespace merilon
