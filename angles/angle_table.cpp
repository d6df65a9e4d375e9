// SPDX-License-Identifier: MIT
#include "angles/angle_table.h"

#include "core/number_text.h"

#include <cmath>

namespace merilon::angles {

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
