// SPDX-License-Identifier: MIT
// Fits of a hole and a shaft over 0 up to 3150 mm in grades 01 … 18: a nominal size
// read from its typed text, the deviations of the holes A … Z and of the shafts over
// the whole system, and the figures of the fit. No widgets: the fit window reads its
// five inputs and shows what fitTexts() returns.
#pragma once

#include "fits/fits_tables.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <string_view>

namespace merilon::fits {

// The fields the fit window offers, as drawings write them.
inline constexpr std::array<std::u16string_view, 21> holeLetters = {
    u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H", u"JS", u"K", u"M",
    u"N", u"P", u"R", u"S", u"T", u"U", u"V", u"X", u"Y", u"Z"};
inline constexpr std::array<std::u16string_view, 21> shaftLetters = {
    u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"js", u"k", u"m",
    u"n", u"p", u"r", u"s", u"t", u"u", u"v", u"x", u"y", u"z"};

// A field's letter by its place in those lists: A and a are 0, H and h 7, JS and js 8,
// Z and z 20. The shafts' table columns run in the same order: a … g (upperLetters)
// are the first seven, k … z (lowerLetters) the last twelve.
enum class Letter { A, B, C, D, E, F, G, H, JS, K, M, N, P, R, S, T, U, V, X, Y, Z };
constexpr std::size_t letterCount = holeLetters.size();
static_assert(shaftLetters.size() == letterCount && std::size_t(Letter::Z) + 1 == letterCount);
// The letter of a hole's ("H", "JS") or a shaft's ("h", "js") text; none for another text.
std::optional<Letter> holeLetterOf(QStringView text);
std::optional<Letter> shaftLetterOf(QStringView text);

// The smallest and the largest nominal size, in micrometres: over 0 up to 3150 mm.
constexpr int smallestSize = 1;
constexpr int largestSize = 3150000;
// Up to this size (1 mm) the standard's notes set some fields and grades aside.
constexpr int smallSizes = 1000;

// The grades of the fit window's lists, in list order: "01", "0", "1" … "18".
QStringList fitGradeTexts();
// The grade of an item of those lists (-1 for IT01).
constexpr int fitGradeOf(int index)
{
    return finestGrade + index;
}

// A nominal size read from a typed text: a decimal number of millimetres with a
// comma or a point, spaces around it, over 0 up to 3150 mm, at most three decimals.
struct NominalSize
{
    int micrometres = 0; // 0: the text is no size, and `error` says why
    QString error;
};
NominalSize readSize(QStringView text);

// The row of the main window's table of a size in micrometres (sizes under 1 mm
// belong to its first row; none over 500 mm); the upper bound of an interval belongs
// to it: 18 mm lies in "св. 14 до 18", 18,001 mm in "св. 18 до 24".
const SizeRow *rowOfSize(int micrometres);
// The sub-interval over 500 mm of a size, or nullptr up to 500 mm.
const LargeSizeRow *largeRowOfSize(int micrometres);
// IT of a grade (-1 for IT01 … 18) at a size; none where the standard has none.
std::optional<Hundredths> toleranceAt(int micrometres, int grade);

// A cell that the table of hole deviations sets apart from the rules that derive the
// holes from the shafts: the field's ES over a span of sizes (mm).
struct HoleException
{
    Letter letter;
    int grade;
    int over; // the rows from this bound …
    int upTo; // … up to this one
    int es;   // µm
};
// M6 over 250 up to 315 mm: ES = −9, where the rule gives −11.
inline constexpr std::array<HoleException, 1> holeExceptions = {{{Letter::M, 6, 250, 315, -9}}};

// Why a field has no deviations at a size.
enum class Gap {
    None,
    NotDefined,      // the standard sets no such field there (or the text is no field)
    LetterUpTo1mm,   // a, b, A, B and N above IT8 are not used up to 1 mm
    GradeBelow1mm,   // IT14 … IT18 are not used below 1 mm
    GradeUpTo500mm,  // IT01 and IT0 are defined up to 500 mm only
    NoPositiveSize,  // the smallest limit size would be zero or negative
};

// A field's deviations at a size, or why it has none.
struct Field
{
    std::optional<Limits> limits;
    Gap gap = Gap::None;
};

// The deviations of a hole field (A … H, JS, K … Z) at a size in micrometres and a
// grade -1 (IT01) … 18.
Field holeField(int micrometres, int grade, Letter letter);
Field holeField(int micrometres, int grade, QStringView letter);
// The deviations of a shaft field (a … h, js, k … z); up to 500 mm in grades 5 … 17
// also those of the main window.
Field shaftField(int micrometres, int grade, Letter letter);
Field shaftField(int micrometres, int grade, QStringView letter);

// The same at the upper bound of a row of the main window's table.
std::optional<Limits> holeLimits(const SizeRow &row, int grade, QStringView letter);
std::optional<Limits> shaftLimits(const SizeRow &row, int grade, QStringView letter);

enum class FitKind { Clearance, Transition, Interference };

// The figures of a fit: the clearances S and interferences N that do not belong to
// its kind are 0.
struct Fit
{
    Limits hole;
    Limits shaft;
    Hundredths holeTolerance = 0;  // TD
    Hundredths shaftTolerance = 0; // Td
    FitKind kind = FitKind::Clearance;
    Hundredths maxClearance = 0;    // Smax: clearance and transition fits
    Hundredths minClearance = 0;    // Smin: clearance fits
    Hundredths maxInterference = 0; // Nmax: interference and transition fits
    Hundredths minInterference = 0; // Nmin: interference fits
};
Fit makeFit(Limits hole, Limits shaft);

// Everything the fit window shows, as text; on a bad input only `message` is set.
struct FitTexts
{
    QString message;
    QString holeUpper, holeLower, shaftUpper, shaftLower; // ES, EI, es, ei, µm
    QString holeMax, holeMin, shaftMax, shaftMin;         // Dmax, Dmin, dmax, dmin, mm
    QString holeTolerance, shaftTolerance;                // TD, Td, µm
    QString maxClearance, minClearance, maxInterference, minInterference;
    QString kind;   // «посадка с зазором» …
    QString system; // «в системе отверстия» …
    QString notation;    // the fit as drawings write it: «Ø25 H7(+0,021)/f6(-0,020 -0,033)»
    QString probability; // a transition fit's chances of interference and of clearance
    QString line;   // the whole fit in one line, for the clipboard
    QString words;  // the picture described in words
    QString spoken; // what a screen reader says when the fit changes: «H7/f6, посадка с зазором, зазор …»
    QString holeField, shaftField; // «H7», «f6»
    std::optional<Fit> fit;
};
FitTexts fitTexts(QStringView size, QStringView holeLetter, int holeGrade, QStringView shaftLetter,
                  int shaftGrade);

// A limit size in millimetres, exact: the nominal size in micrometres plus a
// deviation.
QString limitSizeText(int nominal, Hundredths deviation);
// A field's deviations in millimetres as GOST 2.307-2011 writes them after its symbol:
// "(+0,021)", "(-0,020 -0,033)", "(±0,0065)"; a zero deviation is not written.
QString deviationsInMillimetres(Limits limits);
// Probability in per cent that a transition fit binds (interference) and that it
// runs free (clearance): both sizes normal, centred in their zones, σ = T/6, the
// fit's σ = √(σD² + σd²).
struct Chances
{
    double interference = 0;
    double clearance = 0;
};
Chances transitionChances(Limits hole, Limits shaft);
// A deviation or a clearance in micrometres with its sign: "+21", "0", "-20", "+10,5".
QString signedText(Hundredths value);

} // namespace merilon::fits
