// SPDX-License-Identifier: MIT
// Dimension chains (GOST 16319-80 terms, the methods of GOST 16320-80 and RD 50-635-87):
// the closing link from the component links (the checking task) and the component
// links' tolerances from the closing link's (the design task, «способ одного
// квалитета»), by the worst-case method and by the probabilistic one. No widgets: the
// window `ФЦепи` hands over its rows as typed and shows what solve() returns.
//
// Figures are whole hundredths of a micrometre (0,00001 mm), as the fits' tables give
// them; the worst case is integer arithmetic on that grid, and a probabilistic
// tolerance is rounded to 0,1 µm.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace merilon::chains {

// The columns of the table of links, in order.
enum Column : int { Name, Nominal, Direction, Field, Upper, Lower, Law, Kind, Adjusting, columnCount };
// Their titles: «Обозначение», «Номинал, мм» …
QStringList columnTitles();

// One row of the table as the user typed it, a text a column.
using Row = std::array<QString, columnCount>;

enum class Task { Checking, Design };
enum class Method { WorstCase, Probabilistic };

// The items of the window's lists, in order.
QStringList taskTexts();
QStringList methodTexts();

// The risk P that the closing link falls outside its limits, and its coefficient t.
struct Risk
{
    std::u16string_view text;
    int tHundredths; // t × 100
};
inline constexpr std::array<Risk, 7> risks = {{{u"0,27 % (t = 3)", 300},
                                               {u"0,1 % (t = 3,29)", 329},
                                               {u"1 % (t = 2,57)", 257},
                                               {u"2,1 % (t = 2,3)", 230},
                                               {u"4,5 % (t = 2)", 200},
                                               {u"10 % (t = 1,65)", 165},
                                               {u"32 % (t = 1)", 100}}};
QStringList riskTexts();

// What the user typed: the rows of the table, the lists and the required deviations
// of the closing link (the исходное звено), in mm.
struct Inputs
{
    std::vector<Row> rows;
    Task task = Task::Checking;
    Method method = Method::WorstCase;
    int risk = 0; // an index of `risks`
    QString requiredUpper;
    QString requiredLower;
};

// A cell that the solution fills in the table: a designation the row did not type,
// the deviations of a field, what the design task assigns.
struct FilledCell
{
    int row = 0;
    Column column = Name;
    QString text;
};

// Everything the window shows; on a bad input only `message` and the designations.
struct Solution
{
    QString message;
    std::vector<FilledCell> filled; // row by row, each row's cells in column order
    QString equation;               // «АΔ = А1 − А2 − А3»
    QString nominal, upper, lower, tolerance, middle, largest, smallest; // of the closing link, mm
    QString units;  // a_c, the design task's number of tolerance units
    QString grade;  // the grade it gives its links
    QString check;  // whether the closing link lies within the required limits
    QString spoken; // what a screen reader hears
};

Solution solve(const Inputs &inputs);

// A cell's text as the table keeps it once typed: the words of «Вид», «Закон», «Тип»
// and «Увязочное» written out whole when they are one of the accepted forms («ув…»,
// «+», «1»; «норм…»; «H», «h», «js»; «да», «+», «1»), any other text as it is.
QString normalised(Column column, const QString &typed);

// The chain as text, tab-separated, UTF-8 when written: a header line, a line a link
// (its nine columns as typed, then the field and deviations the solution works with),
// an empty line, the task, method, risk and required deviations, an empty line, and
// the result. The copy and the file are this text; read back, it gives the same chain.
QString chainText(const Inputs &inputs, const Solution &solution);

// Tab-separated text read as rows, as the table pastes it: a line a row, the columns
// in order, missing trailing ones empty; the header line skipped, the rows ending at
// the first empty line after them; the settings after it (task, method, risk, required
// deviations) taken when there, the result lines passed over.
struct ReadText
{
    std::vector<Row> rows;
    bool header = false; // the text began with the header line
    std::optional<Task> task;
    std::optional<Method> method;
    std::optional<int> risk;
    std::optional<QString> requiredUpper;
    std::optional<QString> requiredLower;
};
ReadText readText(QStringView text);

// A file's text read as a chain; a text that is no chain gives the reason instead.
struct ReadFile
{
    ReadText chain;
    QString error;
};
ReadFile readFile(QStringView text);

// A row whose cells are all empty (or blank) is no link.
bool isEmptyRow(const Row &row);

} // namespace merilon::chains
