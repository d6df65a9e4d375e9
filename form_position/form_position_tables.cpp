// SPDX-License-Identifier: MIT
#include "form_position/form_position_tables.h"

#include "core/number_text.h"

#include <cmath>

namespace merilon::form_position {

// Numeric tolerances of GOST 24643-81 in micrometres. Each row: interval, then the
// degrees of accuracy 1 … 16. Every value is a member of the series of preferred
// numbers 1, 1.2, 1.6, 2, 2.5, 3, 4, 5, 6, 8 (× 10^n); the next interval lies one
// member further along, the next degree two.

// Flatness and straightness; lengths.
const std::array<ValueRow, 16> flatnessRows = {{
    {u"до 10", {0.25, 0.4, 0.6, 1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250}},
    {u"свыше 10 до 16", {0.3, 0.5, 0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300}},
    {u"свыше 16 до 25", {0.4, 0.6, 1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400}},
    {u"свыше 25 до 40", {0.5, 0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500}},
    {u"свыше 40 до 63", {0.6, 1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600}},
    {u"свыше 63 до 100", {0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800}},
    {u"свыше 100 до 160", {1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000}},
    {u"свыше 160 до 250", {1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200}},
    {u"свыше 250 до 400", {1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600}},
    {u"свыше 400 до 630", {2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000}},
    {u"свыше 630 до 1000", {2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500}},
    {u"свыше 1000 до 1600", {3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000}},
    {u"свыше 1600 до 2500", {4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000}},
    {u"свыше 2500 до 4000", {5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000, 5000}},
    {u"свыше 4000 до 6300", {6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000, 6000}},
    {u"свыше 6300 до 10000", {8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000, 5000, 8000}},
}};

// Parallelism, inclination, face run-out and total face run-out; lengths.
// Each value is that of flatness one degree coarser.
const std::array<ValueRow, 16> parallelismRows = {{
    {u"до 10", {0.4, 0.6, 1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400}},
    {u"свыше 10 до 16", {0.5, 0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500}},
    {u"свыше 16 до 25", {0.6, 1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600}},
    {u"свыше 25 до 40", {0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800}},
    {u"свыше 40 до 63", {1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000}},
    {u"свыше 63 до 100", {1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200}},
    {u"свыше 100 до 160", {1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600}},
    {u"свыше 160 до 250", {2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000}},
    {u"свыше 250 до 400", {2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500}},
    {u"свыше 400 до 630", {3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000}},
    {u"свыше 630 до 1000", {4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000}},
    {u"свыше 1000 до 1600", {5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000, 5000}},
    {u"свыше 1600 до 2500", {6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000, 6000}},
    {u"свыше 2500 до 4000", {8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000, 5000, 8000}},
    {u"свыше 4000 до 6300", {10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000, 6000, 10000}},
    {u"свыше 6300 до 10000", {12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000, 5000, 8000, 12000}},
}};

// Roundness, cylindricity and profile of longitudinal section; diameters.
const std::array<ValueRow, 12> roundnessRows = {{
    {u"до 3", {0.3, 0.5, 0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300}},
    {u"свыше 3 до 10", {0.4, 0.6, 1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400}},
    {u"свыше 10 до 18", {0.5, 0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500}},
    {u"свыше 18 до 30", {0.6, 1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600}},
    {u"свыше 30 до 50", {0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800}},
    {u"свыше 50 до 120", {1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000}},
    {u"свыше 120 до 250", {1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200}},
    {u"свыше 250 до 400", {1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600}},
    {u"свыше 400 до 630", {2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000}},
    {u"свыше 630 до 1000", {2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500}},
    {u"свыше 1000 до 1600", {3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000}},
    {u"свыше 1600 до 2500", {4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000}},
}};

// Radial run-out, coaxiality, symmetry and intersection of axes, in diametral
// terms; diameters.
const std::array<ValueRow, 12> radialRunOutRows = {{
    {u"до 3", {0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800}},
    {u"свыше 3 до 10", {1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000}},
    {u"свыше 10 до 18", {1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200}},
    {u"свыше 18 до 30", {1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600}},
    {u"свыше 30 до 50", {2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000}},
    {u"свыше 50 до 120", {2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500}},
    {u"свыше 120 до 250", {3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000}},
    {u"свыше 250 до 400", {4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000}},
    {u"свыше 400 до 630", {5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000, 5000}},
    {u"свыше 630 до 1000", {6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000, 6000}},
    {u"свыше 1000 до 1600", {8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000, 5000, 8000}},
    {u"свыше 1600 до 2500", {10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000, 6000, 10000}},
}};

namespace {

// Shared by the two lookups: `first` and `second` are the tables the lookup serves.
std::optional<Shown> tolerance(Table first, Table second, Table table, QStringView interval,
                               QStringView degreeText)
{
    const std::optional<int> degree = degreeOf(degreeText);
    if (!degree)
        return std::nullopt;
    if (table != first && table != second)
        return unitStep(0, *degree);
    const std::optional<double> value = tableValue(table, interval, *degree);
    if (!value)
        return std::nullopt;
    return unitStep(*value, *degree);
}

} // namespace

std::span<const ValueRow> rows(Table table)
{
    switch (table) {
    case Table::Flatness:
        return flatnessRows;
    case Table::Parallelism:
        return parallelismRows;
    case Table::Roundness:
        return roundnessRows;
    case Table::RadialRunOut:
        return radialRunOutRows;
    }
    return {};
}

QStringList typeTexts()
{
    return listTexts(toleranceTypes, &ToleranceType::name);
}

QStringList degreeTexts()
{
    return numberTexts(firstDegree, lastDegree);
}

const ToleranceType *findType(QStringView name)
{
    for (const ToleranceType &type : toleranceTypes) {
        if (name == QStringView(type.name))
            return &type;
    }
    return nullptr;
}

std::optional<int> degreeOf(QStringView text)
{
    return wholeNumber(text, firstDegree, lastDegree);
}

std::optional<double> tableValue(Table table, QStringView interval, int degree)
{
    if (degree < firstDegree || degree > lastDegree)
        return std::nullopt;
    for (const ValueRow &row : rows(table)) {
        if (interval == QStringView(row.interval))
            return row.micrometres[static_cast<std::size_t>(degree - firstDegree)];
    }
    return std::nullopt;
}

Shown unitStep(double micrometres, int degree)
{
    if (degree < firstMillimetreDegree)
        return {numberText(micrometres), toQString(micrometreUnit)};
    // The table values have at most four significant digits, so the quotient is the
    // double nearest the exact decimal and shows as that decimal: 60 µm → "0,06".
    return {numberText(micrometres / 1000.0), toQString(millimetreUnit)};
}

std::optional<Shown> lengthTolerance(Table table, QStringView interval, QStringView degree)
{
    return tolerance(Table::Flatness, Table::Parallelism, table, interval, degree);
}

std::optional<Shown> diameterTolerance(Table table, QStringView interval, QStringView degree)
{
    return tolerance(Table::Roundness, Table::RadialRunOut, table, interval, degree);
}

} // namespace merilon::form_position
