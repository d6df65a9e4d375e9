// SPDX-License-Identifier: MIT
// merilon_bench: how fast Мерилон looks its tables up, answers a choice, opens its
// windows and starts, and how much memory it takes, each figure beside its budget.
// Runs offscreen; Google Benchmark's options (--benchmark_filter=…) apply.
#include "ui/controls.h"

#include <QApplication>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>
#include <vector>

namespace merilon::bench {

int runChildProcess(int argc, char *argv[]);

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform says so whenever a window is raised or activated, and a
// session without a runtime folder says so at every start; neither is the program's
// fault, and the child processes would repeat them at every run.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(QStringLiteral("This plugin does not support"))
        || text.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    defaultHandler(type, context, text);
}

double nanoseconds(const benchmark::BenchmarkReporter::Run &run)
{
    const double t = run.GetAdjustedRealTime();
    switch (run.time_unit) {
    case benchmark::kNanosecond:
        return t;
    case benchmark::kMicrosecond:
        return t * 1e3;
    case benchmark::kMillisecond:
        return t * 1e6;
    case benchmark::kSecond:
        return t * 1e9;
    }
    return t;
}

double counter(const benchmark::BenchmarkReporter::Run &run, const char *name)
{
    const auto found = run.counters.find(name);
    return found == run.counters.end() ? 0.0 : found->second.value;
}

struct Figure
{
    QString name;
    QString measured;
    QString budget;
    bool met = false;
};

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// What made a run fail, if it failed: Google Benchmark 1.8 renamed the fields
// (error_occurred and error_message became skipped and skip_message).
template <typename R>
std::optional<QString> failureOf(const R &run)
{
    if constexpr (requires { run.skipped; }) {
        if (run.skipped)
            return QString::fromStdString(run.skip_message);
    } else {
        if (run.error_occurred)
            return QString::fromStdString(run.error_message);
    }
    return std::nullopt;
}

// The budget of a benchmark by its family (the part of its name before '/').
std::optional<Figure> figureOf(const benchmark::BenchmarkReporter::Run &run)
{
    const QString name = QString::fromStdString(run.run_name.function_name);
    const QString family = name.section(QLatin1Char('/'), 0, 0);
    if (const std::optional<QString> failure = failureOf(run))
        return Figure{name, QStringLiteral("failed: ") + *failure, QString(), false};
    if (family == QLatin1String("lookup")) {
        const double ns = nanoseconds(run);
        return Figure{name, fixed(ns, 1) + QStringLiteral(" ns"), QStringLiteral("< 200 ns"), ns < 200};
    }
    if (family == QLatin1String("texts")) {
        const double us = nanoseconds(run) / 1e3;
        return Figure{name, fixed(us, 1) + QStringLiteral(" µs"), QStringLiteral("< 20 µs"), us < 20};
    }
    if (family == QLatin1String("search")) {
        const double ms = nanoseconds(run) / 1e6;
        return Figure{name, fixed(ms, 2) + QStringLiteral(" ms"), QStringLiteral("< 10 ms"), ms < 10};
    }
    if (family == QLatin1String("chain")) {
        const double us = nanoseconds(run) / 1e3;
        return Figure{name, fixed(us, 1) + QStringLiteral(" µs"), QStringLiteral("< 1000 µs"), us < 1000};
    }
    if (family == QLatin1String("choice")) {
        const double us = nanoseconds(run) / 1e3;
        return Figure{name, fixed(us, 1) + QStringLiteral(" µs"), QStringLiteral("< 100 µs"), us < 100};
    }
    if (family == QLatin1String("show") || family == QLatin1String("start")) {
        const double ratio = counter(run, "ratio");
        return Figure{name,
                      QStringLiteral("%1 ms, bare %2 ms: × %3")
                          .arg(fixed(counter(run, "window_ms"), 2), fixed(counter(run, "bare_ms"), 2),
                               fixed(ratio, 2)),
                      QStringLiteral("≤ 1.3 × bare"), ratio <= 1.3};
    }
    if (family == QLatin1String("memory")) {
        const double extra = counter(run, "extra_MiB");
        return Figure{name,
                      QStringLiteral("%1 MiB, bare %2 MiB: + %3 MiB")
                          .arg(fixed(counter(run, "window_MiB"), 1), fixed(counter(run, "bare_MiB"), 1),
                               fixed(extra, 1)),
                      QStringLiteral("≤ bare + 8 MiB"), extra <= 8};
    }
    return std::nullopt;
}

// The console output as usual; beside it, each benchmark's figure (the median of
// its repetitions) for the table at the end.
class BudgetReporter final : public benchmark::ConsoleReporter
{
public:
    // In colour on a terminal only: the program's own reporter does not see
    // --benchmark_color.
    BudgetReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (single || median || failureOf(run)) {
                if (const std::optional<Figure> figure = figureOf(run))
                    m_figures.push_back(*figure);
            }
        }
    }

    // Prints the figures with their budgets; returns how many miss theirs.
    int printSummary() const
    {
        qsizetype nameWidth = 6;
        qsizetype measuredWidth = 8;
        qsizetype budgetWidth = 6;
        for (const Figure &f : m_figures) {
            nameWidth = std::max(nameWidth, f.name.size());
            measuredWidth = std::max(measuredWidth, f.measured.size());
            budgetWidth = std::max(budgetWidth, f.budget.size());
        }
        const auto line = [&](const QString &name, const QString &measured, const QString &budget,
                              const QString &verdict) {
            const QString text = name.leftJustified(nameWidth) + QStringLiteral("  ")
                + measured.leftJustified(measuredWidth) + QStringLiteral("  ") + budget.leftJustified(budgetWidth)
                + QStringLiteral("  ") + verdict;
            std::printf("%s\n", text.toUtf8().constData());
        };
        int missed = 0;
        std::printf("\n");
        line(QStringLiteral("figure"), QStringLiteral("measured"), QStringLiteral("budget"), QStringLiteral("meets"));
        line(QString(nameWidth, QLatin1Char('-')), QString(measuredWidth, QLatin1Char('-')),
             QString(budgetWidth, QLatin1Char('-')), QStringLiteral("-----"));
        for (const Figure &f : m_figures) {
            line(f.name, f.measured, f.budget, f.met ? QStringLiteral("yes") : QStringLiteral("NO"));
            missed += f.met ? 0 : 1;
        }
        if (missed == 0)
            std::printf("\nAll %zu figures within their budgets.\n", m_figures.size());
        else
            std::printf("\n%d of %zu figures miss their budgets.\n", missed, m_figures.size());
        std::fflush(stdout);
        return missed;
    }

private:
    std::vector<Figure> m_figures;
};

} // namespace
} // namespace merilon::bench

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    merilon::bench::defaultHandler = qInstallMessageHandler(merilon::bench::quietHandler);
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return merilon::bench::runChildProcess(argc, argv);

    // Qt sees only the program's name; the options are Google Benchmark's.
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    merilon::ui::setUpApplication();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    merilon::bench::BudgetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
