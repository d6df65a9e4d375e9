// SPDX-License-Identifier: MIT
// Limits and fits of smooth joints: the main window's table up to 500 mm (the
// fundamental deviations of the shafts, the deviations of a field), and the tables of
// the whole system up to 3150 mm (standard tolerances IT01–IT18, the shafts over
// 500 mm). No widgets here: the main window reads its three texts and shows what this
// returns; the rules that make fields of these tables are those of fits/fit.h, for
// both windows.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace merilon::fits {

constexpr int firstGrade = 5;
constexpr int lastGrade = 17;
constexpr int gradeCount = lastGrade - firstGrade + 1;

// The basic hole, shown as the Cyrillic capital letter En.
inline constexpr std::u16string_view basicHole = u"\u041D";
// The text that the size list shows before a size is chosen.
inline constexpr std::u16string_view sizeNotChosen = u"не выбрано";

// Shaft letters whose fundamental deviation is the upper deviation es, and those
// whose fundamental deviation is the lower deviation ei, in table column order.
inline constexpr std::array<std::u16string_view, 7> upperLetters = {u"a", u"b", u"c", u"d", u"e", u"f", u"g"};
inline constexpr std::array<std::u16string_view, 12> lowerLetters = {u"k", u"m", u"n", u"p", u"r", u"s",
                                                                     u"t", u"u", u"v", u"x", u"y", u"z"};

// One nominal size interval: its text as the size list shows it, its bounds, and the
// fundamental deviations of the shaft letters, in micrometres. Its standard
// tolerances are those of toleranceRows, the one IT table.
struct SizeRow
{
    std::u16string_view text;
    int over;                                             // mm; "от 1" in the first row: 1 itself belongs
    int upTo;                                             // mm, belongs to the interval
    std::array<int, upperLetters.size()> es;              // a … g
    std::array<std::optional<double>, lowerLetters.size()> ei; // k (grades 4–7) … z; none: no field
};

extern const std::array<SizeRow, 25> sizeRows;

// The 25 interval texts, in list order.
QStringList sizeTexts();
// "5" … "17".
QStringList gradeTexts();
// The letters offered for a grade, basic hole first; none for a grade without letters.
QStringList lettersForGrade(int grade);

// The row whose text equals `size` exactly, or nullptr.
const SizeRow *findSize(QStringView size);
// The grade that `text` reads as, when it is a whole number from 5 to 17.
std::optional<int> gradeOf(QStringView text);
// IT in micrometres for an interval text and a grade; none if either is unknown.
std::optional<int> standardTolerance(QStringView size, int grade);

// What is still missing from a choice; at most one per calculation.
enum class Prompt { None, ChooseSize, ChooseGrade, ChooseField };
QString promptText(Prompt prompt);
inline constexpr std::u16string_view promptTitle = u"Извините, но ...";

// The outcome of one calculation for the three texts of the main window.
struct Deviations
{
    bool keepCaptions = false; // the upper and lower captions stay as they were
    QString upper;             // shown in the upper-deviation box
    QString lower;             // shown in the lower-deviation box
    Prompt prompt = Prompt::None;
    bool operator==(const Deviations &) const = default;
};

// The deviations shown for the basic hole "Н" or a shaft letter "h", "js", a … z in a
// row and a grade 5 … 17: those of the fit window's rules (fits/fit.h) at the row's
// upper bound. None for a text that is no field, and for a t, v or y field that the
// standard does not define for the size.
Deviations deviations(QStringView size, QStringView grade, QStringView letter);

// Deviations and tolerances are counted in whole hundredths of a micrometre, the
// finest step of the tables (IT01 up to 3 mm is 0,3 µm, its half 0,15 µm): every sum
// and difference of them is exact, and none is a binary fraction. A count becomes a
// double only to be shown or drawn.
using Hundredths = std::int64_t;
constexpr double inMicrometres(Hundredths count)
{
    return static_cast<double>(count) / 100;
}
// A count as the micrometres it is: "21", "-0,15", "10,5" (through numberText(), which
// writes the nearest double of a decimal of two places digit for digit).
QString micrometreText(Hundredths count);

// The upper and lower limit deviation of a field.
struct Limits
{
    Hundredths upper = 0;
    Hundredths lower = 0;
    bool operator==(const Limits &) const = default;
};

// The whole system of ISO 286-1:2010 (GOST 25346-89), sizes over 0 up to 3150 mm,
// which the fit window offers. The main window keeps to sizeRows above.

// Grades as numbers: IT01 is -1, IT0 is 0, then IT1 … IT18.
constexpr int finestGrade = -1;
constexpr int coarsestGrade = 18;
constexpr int wholeGradeCount = coarsestGrade - finestGrade + 1;
// "01", "0", "1" … "18".
QString gradeName(int grade);

// One main interval of the table of standard tolerances (ISO 286-1:2010 Table 1):
// its bounds in mm (the upper bound belongs to it; the first runs from over 0) and
// IT01 … IT18 in micrometres, whole or with one decimal, so that half of each is a
// whole number of hundredths; IT01 and IT0 are defined up to 500 mm only.
struct ToleranceRow
{
    int over;
    int upTo;
    std::array<std::optional<double>, wholeGradeCount> it;
};
extern const std::array<ToleranceRow, 21> toleranceRows;

// Shaft letters that the standard defines over 500 mm, besides h, js and k (ei = 0).
inline constexpr std::array<std::u16string_view, 4> largeUpperLetters = {u"d", u"e", u"f", u"g"};
inline constexpr std::array<std::u16string_view, 7> largeLowerLetters = {u"m", u"n", u"p", u"r",
                                                                          u"s", u"t", u"u"};

// One sub-interval over 500 mm of the table of fundamental deviations of shafts
// (ISO 286-1:2010 Tables 2 and 3): es of d … g and ei of m … u, in micrometres.
struct LargeSizeRow
{
    int over;
    int upTo;
    std::array<int, largeUpperLetters.size()> es;
    std::array<int, largeLowerLetters.size()> ei;
};
extern const std::array<LargeSizeRow, 16> largeSizeRows;

} // namespace merilon::fits
