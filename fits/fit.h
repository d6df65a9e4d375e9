// SPDX-License-Identifier: MIT
// Fits of a hole and a shaft up to 500 mm: a nominal size read from its typed text,
// the deviations of the holes A … Z, and the figures of the fit. No widgets: the fit
// window reads its five inputs and shows what fitTexts() returns.
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

// The smallest and the largest nominal size, in micrometres.
constexpr int smallestSize = 1000;
constexpr int largestSize = 500000;

// A nominal size read from a typed text: a decimal number of millimetres with a
// comma or a point, spaces around it, 1 … 500 mm, at most three decimals.
struct NominalSize
{
    int micrometres = 0;
    const SizeRow *row = nullptr; // none: the text is no size, and `error` says why
    QString error;
};
NominalSize readSize(QStringView text);

// The row of a size in micrometres (1 … 500 mm); the upper bound of an interval
// belongs to it: 18 mm lies in "св. 14 до 18", 18,001 mm in "св. 18 до 24".
const SizeRow *rowOfSize(int micrometres);

// A cell that the table of hole deviations sets apart from the rules that derive the
// holes from the shafts: the field's ES over a span of sizes (mm).
struct HoleException
{
    std::u16string_view letter;
    int grade;
    int over; // the rows from this bound …
    int upTo; // … up to this one
    double es;
};
// M6 over 250 up to 315 mm: ES = −9, where the rule gives −11.
inline constexpr std::array<HoleException, 1> holeExceptions = {{{u"M", 6, 250, 315, -9}}};

// The deviations of a hole field (A … H, JS, K … Z) in a row and a grade 5 … 17;
// none where the standard defines no such field (T, V, Y in the small sizes) or
// for a text that is no hole letter.
std::optional<Limits> holeLimits(const SizeRow &row, int grade, QStringView letter);

// The deviations of a shaft field (a … h, js, k … z): exactly those of the main
// window, "h" and "js" included.
std::optional<Limits> shaftLimits(const SizeRow &row, int grade, QStringView letter);

enum class FitKind { Clearance, Transition, Interference };

// The figures of a fit, in micrometres: the clearances S and interferences N that
// do not belong to its kind are 0.
struct Fit
{
    Limits hole;
    Limits shaft;
    double holeTolerance = 0;  // TD
    double shaftTolerance = 0; // Td
    FitKind kind = FitKind::Clearance;
    double maxClearance = 0;    // Smax: clearance and transition fits
    double minClearance = 0;    // Smin: clearance fits
    double maxInterference = 0; // Nmax: interference and transition fits
    double minInterference = 0; // Nmin: interference fits
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
    QString line;   // the whole fit in one line, for the clipboard
    QString words;  // the picture described in words
    QString holeField, shaftField; // «H7», «f6»
    std::optional<Fit> fit;
};
FitTexts fitTexts(QStringView size, QStringView holeLetter, int holeGrade, QStringView shaftLetter,
                  int shaftGrade);

// A limit size in millimetres, exact: the nominal size in micrometres plus a
// deviation in whole or half micrometres.
QString limitSizeText(int nominal, double deviation);
// A deviation with its sign: "+21", "0", "-20", "+10,5".
QString signedText(double value);

} // namespace merilon::fits
