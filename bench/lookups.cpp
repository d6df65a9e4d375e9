// SPDX-License-Identifier: MIT
// The table lookups and the deviation arithmetic, each with the inputs that cost it
// most: the last row and the last column, so that every search runs to its end.
#include "angles/angle_table.h"
#include "chains/chain.h"
#include "fits/fit.h"
#include "fits/fit_search.h"
#include "fits/fits_tables.h"
#include "form_position/form_position_tables.h"
#include "general/general_tables.h"
#include "unspecified/unspecified_tables.h"
#include "core/number_text.h"

#include <benchmark/benchmark.h>

namespace merilon::bench {
// The chain of 50 links of the chain window's figures (windows.cpp).
QString fiftyLinks();
}

namespace {

using merilon::toQString;
namespace fits = merilon::fits;
namespace fp = merilon::form_position;
namespace un = merilon::unspecified;
namespace angles = merilon::angles;

// Each lookup takes the texts that a window reads from its controls: QStrings.
const QString lastFitsSize = toQString(fits::sizeRows.back().text);
const QString lastLength = toQString(merilon::lengthIntervals.back());
const QString lastDiameter = toQString(merilon::diameterIntervals.back());
const QString lastFaceRunOut = toQString(un::faceRunOutRows.back().interval);
const QString lastAxis = toQString(un::axisRows.back().interval);
const QString lastAngleInterval = toQString(angles::angleRows.back().text);

template <typename Lookup>
void registerLookup(const char *name, Lookup lookup)
{
    benchmark::RegisterBenchmark(name, [lookup](benchmark::State &state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(lookup());
    })
        ->MinTime(0.2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

const bool registered = [] {
    registerLookup("lookup/fits::findSize", [] { return fits::findSize(lastFitsSize); });
    registerLookup("lookup/fits::gradeOf", [] { return fits::gradeOf(u"17"); });
    registerLookup("lookup/fits::standardTolerance", [] { return fits::standardTolerance(lastFitsSize, 17); });
    registerLookup("lookup/fits::lettersForGrade", [] { return fits::lettersForGrade(7); });
    registerLookup("lookup/fits::deviations/field",
                   [] { return fits::deviations(lastFitsSize, u"17", u"z"); });
    registerLookup("lookup/fits::deviations/basic_hole",
                   [] { return fits::deviations(lastFitsSize, u"7", fits::basicHole); });
    registerLookup("lookup/fits::deviations/no_size",
                   [] { return fits::deviations(fits::sizeNotChosen, u"7", fits::basicHole); });
    // Every text of the fit window at once, not a lookup: budgeted as a fifth of a choice.
    registerLookup("texts/fits::fitTexts/3150_transition",
                   [] { return fits::fitTexts(u"3150", u"K", 7, u"h", 6); });
    registerLookup("lookup/fits::promptText", [] { return fits::promptText(fits::Prompt::ChooseField); });

    registerLookup("lookup/form_position::findType", [] { return fp::findType(u"цилиндричности"); });
    registerLookup("lookup/form_position::degreeOf", [] { return fp::degreeOf(u"16"); });
    registerLookup("lookup/form_position::tableValue", [] { return fp::tableValue(fp::Table::RadialRunOut, lastDiameter, 16); });
    registerLookup("lookup/form_position::unitStep", [] { return fp::unitStep(10000, 16); });
    registerLookup("lookup/form_position::lengthTolerance",
                   [] { return fp::lengthTolerance(fp::Table::Parallelism, lastLength, u"16"); });
    registerLookup("lookup/form_position::diameterTolerance",
                   [] { return fp::diameterTolerance(fp::Table::RadialRunOut, lastDiameter, u"16"); });

    registerLookup("lookup/unspecified::kindOf", [] { return un::kindOf(u"торцевого биения"); });
    registerLookup("lookup/unspecified::value", [] { return un::value(un::Table::FaceRunOut, lastFaceRunOut, u"17"); });
    registerLookup("lookup/unspecified::valueText", [] { return un::valueText(un::Table::Axes, lastAxis, u"17"); });
    registerLookup("lookup/unspecified::notes", [] { return un::notes(un::Table::Axes); });
    registerLookup("lookup/firstInterval", [] { return merilon::firstInterval(merilon::IntervalList::Lengths); });
    registerLookup("lookup/intervalTexts", [] { return merilon::intervalTexts(merilon::IntervalList::Lengths); });

    registerLookup("lookup/angles::angleTolerance", [] { return angles::angleTolerance(lastAngleInterval, 17); });
    // The longest of the general tolerance tables, to its last row.
    registerLookup("lookup/general::cellFor",
                   [] { return merilon::general::cellFor(merilon::general::linearRows, 4'000'000, 3); });
    // The fit search over every candidate of both systems, each of which qualifies
    // and is sorted: the most it ever does.
    benchmark::RegisterBenchmark("search/fits::searchFits/all_fields_both_systems", [](benchmark::State &state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(
                fits::searchFits(u"25", u"-100000", u"100000", fits::Basis::Both, fits::Series::All));
    })
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    // A chain of 50 links with fields by the probabilistic method: every link's field
    // looked up, the closing link and the text of every cell the table fills.
    benchmark::RegisterBenchmark("chain/solve50", [](benchmark::State &state) {
        namespace chains = merilon::chains;
        chains::Inputs in;
        in.rows = chains::readText(merilon::bench::fiftyLinks()).rows;
        in.method = chains::Method::Probabilistic;
        if (!chains::solve(in).message.isEmpty())
            state.SkipWithError("the chain of 50 links gives a message");
        for (auto _ : state)
            benchmark::DoNotOptimize(chains::solve(in));
    })
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(0.2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    return true;
}();

} // namespace
