// SPDX-License-Identifier: MIT
#include "fits/fit_search.h"

#include "core/number_text.h"
#include "fits/fit.h"
#include "fits/recommended_fits.h"

#include <algorithm>
#include <optional>
#include <span>

namespace merilon::fits {

namespace {

// How many of the nearest fits a search that finds none names.
constexpr std::size_t nearestShown = 3;

// The sizes that the table of recommended fits covers, in micrometres.
constexpr int firstRecommendedSize = 1000;
constexpr int lastRecommendedSize = 500000;

// A field of the table of recommended fits: its letter and its grade.
struct FieldName
{
    Letter letter = Letter::H;
    int grade = 0;
};

// "H7" → H, 7; "js6" → js, 6; a text of no field has a grade of -1.
template <std::size_t N>
constexpr FieldName splitField(std::u16string_view field, const std::array<std::u16string_view, N> &letters)
{
    std::size_t digits = field.size();
    while (digits > 0 && field[digits - 1] >= u'0' && field[digits - 1] <= u'9')
        --digits;
    int grade = 0;
    for (std::size_t i = digits; i < field.size(); ++i)
        grade = grade * 10 + (field[i] - u'0');
    for (std::size_t l = 0; l < N; ++l) {
        if (letters[l] == field.substr(0, digits) && digits < field.size())
            return {Letter(l), grade};
    }
    return {Letter::H, -1};
}

// The tables of recommended fits, split once at compile time.
template <std::size_t N>
constexpr std::array<std::pair<FieldName, FieldName>, N> splitFits(const std::array<RecommendedFit, N> &fits)
{
    std::array<std::pair<FieldName, FieldName>, N> split{};
    for (std::size_t i = 0; i < N; ++i)
        split[i] = {splitField(fits[i].hole, holeLetters), splitField(fits[i].shaft, shaftLetters)};
    return split;
}
constexpr auto holeBasisSplit = splitFits(recommendedHoleBasisFits);
constexpr auto shaftBasisSplit = splitFits(recommendedShaftBasisFits);

template <std::size_t N>
constexpr bool allFields(const std::array<std::pair<FieldName, FieldName>, N> &fits)
{
    return std::all_of(fits.begin(), fits.end(), [](const auto &fit) {
        return fit.first.grade >= 0 && fit.second.grade >= 0;
    });
}
static_assert(allFields(holeBasisSplit) && allFields(shaftBasisSplit), "a recommended fit names no field");

bool isRecommended(const FoundFit &fit)
{
    const auto listed = [&fit](const auto &table) {
        return std::any_of(table.begin(), table.end(), [&fit](const std::pair<FieldName, FieldName> &entry) {
            return entry.first.grade == fit.holeGrade && entry.second.grade == fit.shaftGrade
                && holeLetters[std::size_t(entry.first.letter)] == fit.holeLetter
                && shaftLetters[std::size_t(entry.second.letter)] == fit.shaftLetter;
        });
    };
    return listed(holeBasisSplit) || listed(shaftBasisSplit);
}

// The fit of two defined fields.
FoundFit fitOf(Limits hole, Limits shaft, FieldName holeName, FieldName shaftName, bool holeBasis)
{
    FoundFit fit;
    fit.holeLetter = holeLetters[std::size_t(holeName.letter)];
    fit.shaftLetter = shaftLetters[std::size_t(shaftName.letter)];
    fit.holeGrade = holeName.grade;
    fit.shaftGrade = shaftName.grade;
    fit.holeBasis = holeBasis;
    fit.minClearance = hole.lower - shaft.upper;
    fit.maxClearance = hole.upper - shaft.lower;
    fit.tolerances = (hole.upper - hole.lower) + (shaft.upper - shaft.lower);
    return fit;
}

template <typename Visit>
void visitRecommended(int micrometres, std::span<const std::pair<FieldName, FieldName>> table, bool holeBasis,
                      Visit &visit)
{
    for (const auto &[hole, shaft] : table) {
        const Field holeAt = holeField(micrometres, hole.grade, hole.letter);
        const Field shaftAt = shaftField(micrometres, shaft.grade, shaft.letter);
        if (holeAt.limits && shaftAt.limits) {
            FoundFit fit = fitOf(*holeAt.limits, *shaftAt.limits, hole, shaft, holeBasis);
            fit.recommended = true;
            visit(fit);
        }
    }
}

// The grades of the whole series: a hole of grade n with a shaft of grade n − 1, n or
// n + 1, as the recommended table pairs them (H7/g6, H7/f7, H7/d8).
constexpr int finestShaftGrade = firstSearchGrade - 1;
constexpr int coarsestShaftGrade = lastSearchGrade + 1;
constexpr std::size_t searchGrades = coarsestShaftGrade - finestShaftGrade + 1;

template <typename Visit>
void visitAll(int micrometres, bool holeBasis, Visit &visit)
{
    // Each field once: the basic field (H or h) in the grades of its side, every letter
    // of the other side in the grades of that side, by grade from finestShaftGrade on.
    std::array<std::optional<Limits>, searchGrades> basics;
    std::array<std::array<std::optional<Limits>, letterCount>, searchGrades> others;
    for (std::size_t g = 0; g < searchGrades; ++g) {
        const int grade = finestShaftGrade + int(g);
        const bool holeGrade = grade >= firstSearchGrade && grade <= lastSearchGrade;
        if (holeGrade || !holeBasis)
            basics[g] = holeBasis ? holeField(micrometres, grade, Letter::H).limits
                                  : shaftField(micrometres, grade, Letter::H).limits;
        if (holeGrade || holeBasis) {
            for (std::size_t l = 0; l < letterCount; ++l)
                others[g][l] = holeBasis ? shaftField(micrometres, grade, Letter(l)).limits
                                         : holeField(micrometres, grade, Letter(l)).limits;
        }
    }
    for (int holeGrade = firstSearchGrade; holeGrade <= lastSearchGrade; ++holeGrade) {
        for (int shaftGrade = holeGrade - 1; shaftGrade <= holeGrade + 1; ++shaftGrade) {
            const std::size_t holeAt = std::size_t(holeGrade - finestShaftGrade);
            const std::size_t shaftAt = std::size_t(shaftGrade - finestShaftGrade);
            const std::optional<Limits> &basic = basics[holeBasis ? holeAt : shaftAt];
            if (!basic)
                continue;
            const auto &partners = others[holeBasis ? shaftAt : holeAt];
            for (std::size_t l = 0; l < letterCount; ++l) {
                if (!partners[l])
                    continue;
                const FieldName other = {Letter(l), holeBasis ? shaftGrade : holeGrade};
                visit(holeBasis ? fitOf(*basic, *partners[l], {Letter::H, holeGrade}, other, true)
                                : fitOf(*partners[l], *basic, other, {Letter::H, shaftGrade}, false));
            }
        }
    }
}

// Every candidate of a series in the chosen systems at a size, in a fixed order.
template <typename Visit>
void visitCandidates(int micrometres, Basis basis, Series series, Visit &&visit)
{
    for (const bool holeBasis : {true, false}) {
        if ((holeBasis && basis == Basis::Shaft) || (!holeBasis && basis == Basis::Hole))
            continue;
        if (series == Series::All)
            visitAll(micrometres, holeBasis, visit);
        else if (micrometres >= firstRecommendedSize && micrometres <= lastRecommendedSize)
            visitRecommended(micrometres,
                             holeBasis ? std::span<const std::pair<FieldName, FieldName>>(holeBasisSplit)
                                       : std::span<const std::pair<FieldName, FieldName>>(shaftBasisSplit),
                             holeBasis, visit);
    }
}

// A fit's name as text() writes it, kept in a buffer of its own, so that fits are put
// in the order of their names without building strings: "H10/h9" before "H7/f7".
using NameKey = std::array<char16_t, 10>;
static_assert(std::all_of(holeLetters.begin(), holeLetters.end(), [](auto l) { return l.size() <= 2; })
              && std::all_of(shaftLetters.begin(), shaftLetters.end(), [](auto l) { return l.size() <= 2; }));
NameKey nameKey(const FoundFit &fit)
{
    NameKey key{};
    std::size_t at = 0;
    const auto add = [&key, &at](std::u16string_view letter, int grade) {
        for (const char16_t c : letter)
            key[at++] = c;
        // Grades of the search run from 4 to 13: two digits at most.
        if (grade >= 10)
            key[at++] = char16_t(u'0' + grade / 10 % 10);
        key[at++] = char16_t(u'0' + grade % 10);
    };
    add(fit.holeLetter, fit.holeGrade);
    key[at++] = u'/';
    add(fit.shaftLetter, fit.shaftGrade);
    return key;
}

// A clearance typed in micrometres, signed, and whether it is finer than the
// hundredths that the fits are counted in; none if the text is no such number.
struct Clearance
{
    Hundredths value = 0;
    bool finer = false;
    bool tooLong = false; // more whole digits than any clearance has
};
std::optional<Clearance> readClearance(QStringView text)
{
    const std::optional<TypedDecimal> typed = readTypedDecimal(text);
    if (!typed)
        return std::nullopt;
    const Hundredths value = typed->thousandths / 10;
    return Clearance{typed->negative ? -value : value, typed->finer || typed->thousandths % 10 != 0,
                     typed->tooLong};
}

} // namespace

QString FoundFit::hole() const
{
    return toQString(holeLetter) + QString::number(holeGrade);
}

QString FoundFit::shaft() const
{
    return toQString(shaftLetter) + QString::number(shaftGrade);
}

Hundredths FoundFit::miss() const
{
    return std::max(Hundredths(0), -lowMargin) + std::max(Hundredths(0), -highMargin);
}

std::vector<FoundFit> candidateFits(int micrometres, Basis basis, Series series)
{
    std::vector<FoundFit> found;
    visitCandidates(micrometres, basis, series, [&found](const FoundFit &fit) { found.push_back(fit); });
    return found;
}

FitSearch searchFits(QStringView size, QStringView least, QStringView most, Basis basis, Series series)
{
    FitSearch search;
    const NominalSize nominal = readSize(size);
    if (nominal.micrometres == 0) {
        search.message = nominal.error;
        return search;
    }
    search.micrometres = nominal.micrometres;
    const auto clearance = [&](QStringView text, const QString &which) -> std::optional<Hundredths> {
        if (text.trimmed().isEmpty()) {
            search.message = QStringLiteral("Введите %1 зазор в микрометрах; натяг — со знаком минус.").arg(which);
            return std::nullopt;
        }
        const std::optional<Clearance> typed = readClearance(text);
        if (!typed) {
            search.message = QStringLiteral("Не число: %1 зазор — это микрометры, например 20 или -30 (натяг).")
                                 .arg(which);
            return std::nullopt;
        }
        if (typed->tooLong) {
            search.message = QStringLiteral("%1 зазор слишком длинный: не больше 12 цифр до запятой.")
                                 .arg(which.left(1).toUpper() + which.mid(1));
            return std::nullopt;
        }
        if (typed->finer) {
            search.message = QStringLiteral("%1 зазор задан точнее 0,01 мкм: не больше двух знаков после запятой.")
                                 .arg(which.left(1).toUpper() + which.mid(1));
            return std::nullopt;
        }
        return typed->value;
    };
    const std::optional<Hundredths> low = clearance(least, QStringLiteral("наименьший"));
    if (!low)
        return search;
    const std::optional<Hundredths> high = clearance(most, QStringLiteral("наибольший"));
    if (!high)
        return search;
    if (*low > *high) {
        search.message = QStringLiteral("Наименьший зазор больше наибольшего: поменяйте их местами.");
        return search;
    }
    if (series == Series::Recommended && basis == Basis::Shaft) {
        search.message = QStringLiteral("Рекомендуемые посадки в системе вала не внесены: выверенной копии этой "
                                        "таблицы ГОСТ 25347-82 не найдено. Выберите «все поля стандарта».");
        return search;
    }
    if (series == Series::Recommended
        && (nominal.micrometres < firstRecommendedSize || nominal.micrometres > lastRecommendedSize)) {
        search.message = QStringLiteral("Рекомендуемые посадки внесены для размеров от 1 до 500 мм. "
                                        "Выберите «все поля стандарта».");
        return search;
    }

    // The fits that qualify, and the nearest of those that miss in case none does:
    // the least misses, the first met of equal ones.
    std::size_t candidates = 0;
    std::array<FoundFit, nearestShown> nearest;
    std::size_t nearestCount = 0;
    visitCandidates(nominal.micrometres, basis, series, [&](FoundFit fit) {
        ++candidates;
        fit.lowMargin = fit.minClearance - *low;
        fit.highMargin = *high - fit.maxClearance;
        const Hundredths miss = fit.miss();
        if (miss == 0) {
            search.fits.push_back(fit);
            return;
        }
        std::size_t at = nearestCount;
        while (at > 0 && nearest[at - 1].miss() > miss)
            --at;
        if (at == nearestShown)
            return;
        nearestCount = std::min(nearestCount + 1, nearestShown);
        std::move_backward(nearest.begin() + std::ptrdiff_t(at), nearest.begin() + std::ptrdiff_t(nearestCount - 1),
                           nearest.begin() + std::ptrdiff_t(nearestCount));
        nearest[at] = fit;
    });
    if (candidates == 0) {
        search.message = QStringLiteral("Для этого размера в выбранном ряду нет ни одной посадки.");
        return search;
    }
    if (search.fits.empty()) {
        QStringList named;
        for (std::size_t i = 0; i < nearestCount; ++i)
            named.append(QStringLiteral("%1 — на %2 мкм").arg(nearest[i].text(), micrometreText(nearest[i].miss())));
        search.message = QStringLiteral("Ни одна посадка не даёт зазора от %1 до %2 мкм. Ближе всех: %3.")
                             .arg(micrometreText(*low), micrometreText(*high), named.join(QStringLiteral(", ")));
        return search;
    }
    if (series == Series::All && nominal.micrometres >= firstRecommendedSize
        && nominal.micrometres <= lastRecommendedSize) {
        for (FoundFit &fit : search.fits)
            fit.recommended = isRecommended(fit);
    }
    // The most economical first: the widest tolerances, then the widest margin at the
    // tighter end, then the hole-basis fit, then by name.
    std::sort(search.fits.begin(), search.fits.end(), [](const FoundFit &a, const FoundFit &b) {
        if (a.tolerances != b.tolerances)
            return a.tolerances > b.tolerances;
        const Hundredths marginA = std::min(a.lowMargin, a.highMargin);
        const Hundredths marginB = std::min(b.lowMargin, b.highMargin);
        if (marginA != marginB)
            return marginA > marginB;
        if (a.holeBasis != b.holeBasis)
            return a.holeBasis;
        return nameKey(a) < nameKey(b);
    });
    return search;
}

QString foundText(std::size_t count)
{
    const std::size_t lastTwo = count % 100;
    const std::size_t last = count % 10;
    if (last == 1 && lastTwo != 11)
        return QStringLiteral("Подходит %1 посадка.").arg(count);
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return QStringLiteral("Подходят %1 посадки.").arg(count);
    return QStringLiteral("Подходят %1 посадок.").arg(count);
}

QStringList columnTitles()
{
    return {QStringLiteral("Посадка"),        QStringLiteral("Зазор наим., мкм"), QStringLiteral("Зазор наиб., мкм"),
            QStringLiteral("TD + Td, мкм"),   QStringLiteral("Запас снизу, мкм"), QStringLiteral("Запас сверху, мкм"),
            QStringLiteral("ГОСТ 25347-82")};
}

QStringList rowTexts(const FoundFit &fit)
{
    return {fit.text(),
            signedText(fit.minClearance),
            signedText(fit.maxClearance),
            micrometreText(fit.tolerances),
            micrometreText(fit.lowMargin),
            micrometreText(fit.highMargin),
            fit.recommended ? QStringLiteral("рекомендуемая") : QString()};
}

} // namespace merilon::fits
