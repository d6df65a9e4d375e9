// SPDX-License-Identifier: MIT
// The search from a needed clearance to the fits that give it: every candidate fit
// at a size, with the figures the fit window shows for it, those whose clearances lie
// within the requirement, the most economical first. No widgets.
#pragma once

#include "fits/fits_tables.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <string_view>
#include <vector>

namespace merilon::fits {

// The systems searched, in the order of their list.
enum class Basis { Hole, Shaft, Both };
inline constexpr std::array<std::u16string_view, 3> basisTexts = {u"в системе отверстия", u"в системе вала",
                                                                   u"обе системы"};
// The candidates, in the order of their list.
enum class Series { Recommended, All };
inline constexpr std::array<std::u16string_view, 2> seriesTexts = {u"предпочтительные и рекомендуемые",
                                                                    u"все поля стандарта"};

// The hole grades of the whole series; the shaft's grade is the hole's, one finer or
// one coarser.
constexpr int firstSearchGrade = 5;
constexpr int lastSearchGrade = 12;

// A candidate fit with its figures, exact, in hundredths of a micrometre as the fit
// window counts them: a clearance is positive, an interference a negative clearance.
struct FoundFit
{
    // The fields' letters, of the tables (which outlive every search), and grades.
    std::u16string_view holeLetter, shaftLetter;
    int holeGrade = 0, shaftGrade = 0;
    bool holeBasis = true;
    Hundredths minClearance = 0; // EI − es
    Hundredths maxClearance = 0; // ES − ei
    Hundredths tolerances = 0;   // TD + Td
    Hundredths lowMargin = 0;    // the smallest clearance less the least one needed
    Hundredths highMargin = 0;   // the largest one allowed less the largest clearance
    bool recommended = false; // in the standard's table of recommended fits (up to 500 mm)
    QString hole() const;  // "H7"
    QString shaft() const; // "f6"
    QString text() const { return hole() + QLatin1Char('/') + shaft(); }
    // By how much the fit misses the requirement; 0 when it qualifies.
    Hundredths miss() const;
};

// Every candidate of a series in the chosen systems at a size (µm) at which both its
// fields are defined; the margins are left at 0, and so is `recommended` in the whole
// standard's series (searchFits() marks the fits it lists).
std::vector<FoundFit> candidateFits(int micrometres, Basis basis, Series series);

// The answer to a typed requirement, clearances in micrometres to 0,01 µm at the
// finest: the qualifying fits in order, or a message.
struct FitSearch
{
    QString message;
    std::vector<FoundFit> fits;
    int micrometres = 0; // the size read, 0 if none
};
FitSearch searchFits(QStringView size, QStringView least, QStringView most, Basis basis, Series series);

// How many fits qualify, in words: "Подходят 2 посадки.", "Подходит 1 посадка."
QString foundText(std::size_t count);

// The columns of a found fit's row, as the list and the copied text show them.
QStringList rowTexts(const FoundFit &fit);
QStringList columnTitles();

} // namespace merilon::fits
