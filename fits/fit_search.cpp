// SPDX-License-Identifier: MIT
#include "fits/fit_search.h"

#include "core/number_text.h"
#include "fits/fit.h"
#include "fits/recommended_fits.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

namespace merilon::fits {

namespace {

// How many of the nearest fits a search that finds none names.
constexpr std::size_t nearestShown = 3;

// The sizes that the table of recommended fits covers, in micrometres.
constexpr int firstRecommendedSize = 1000;
constexpr int lastRecommendedSize = 500000;

// A field's text split into its letters and its grade: "H7" → "H", 7.
struct FieldName
{
    std::u16string_view letter;
    int grade = 0;
    friend constexpr bool operator==(const FieldName &, const FieldName &) = default;
};

constexpr FieldName splitField(std::u16string_view field)
{
    std::size_t digits = field.size();
    while (digits > 0 && field[digits - 1] >= u'0' && field[digits - 1] <= u'9')
        --digits;
    int grade = 0;
    for (std::size_t i = digits; i < field.size(); ++i)
        grade = grade * 10 + (field[i] - u'0');
    return {field.substr(0, digits), grade};
}

// The tables of recommended fits, split once at compile time.
template <std::size_t N>
constexpr std::array<std::pair<FieldName, FieldName>, N> splitFits(const std::array<RecommendedFit, N> &fits)
{
    std::array<std::pair<FieldName, FieldName>, N> split{};
    for (std::size_t i = 0; i < N; ++i)
        split[i] = {splitField(fits[i].hole), splitField(fits[i].shaft)};
    return split;
}
constexpr auto holeBasisSplit = splitFits(recommendedHoleBasisFits);
constexpr auto shaftBasisSplit = splitFits(recommendedShaftBasisFits);

bool isRecommended(const FoundFit &fit)
{
    const std::pair<FieldName, FieldName> fields = {{fit.holeLetter, fit.holeGrade}, {fit.shaftLetter, fit.shaftGrade}};
    return std::find(holeBasisSplit.begin(), holeBasisSplit.end(), fields) != holeBasisSplit.end()
        || std::find(shaftBasisSplit.begin(), shaftBasisSplit.end(), fields) != shaftBasisSplit.end();
}

// The fit of two fields, when both are defined.
std::optional<FoundFit> fitOf(const Field &hole, const Field &shaft, FieldName holeName, FieldName shaftName,
                              bool holeBasis)
{
    if (!hole.limits || !shaft.limits)
        return std::nullopt;
    FoundFit fit;
    fit.holeLetter = holeName.letter;
    fit.shaftLetter = shaftName.letter;
    fit.holeGrade = holeName.grade;
    fit.shaftGrade = shaftName.grade;
    fit.holeBasis = holeBasis;
    fit.minClearance = hole.limits->lower - shaft.limits->upper;
    fit.maxClearance = hole.limits->upper - shaft.limits->lower;
    fit.tolerances = (hole.limits->upper - hole.limits->lower) + (shaft.limits->upper - shaft.limits->lower);
    return fit;
}

void addRecommended(std::vector<FoundFit> &found, int micrometres,
                    std::span<const std::pair<FieldName, FieldName>> table, bool holeBasis)
{
    for (const auto &[hole, shaft] : table) {
        if (auto fit = fitOf(holeField(micrometres, hole.grade, hole.letter),
                             shaftField(micrometres, shaft.grade, shaft.letter), hole, shaft, holeBasis)) {
            fit->recommended = true;
            found.push_back(*fit);
        }
    }
}

void addAll(std::vector<FoundFit> &found, int micrometres, bool holeBasis)
{
    const auto &letters = holeBasis ? shaftLetters : holeLetters;
    const std::u16string_view basic = holeBasis ? u"H" : u"h";
    // Each field once: the basic field and every other letter in every grade from
    // one finer than the first hole grade on.
    constexpr int finest = firstSearchGrade - 1;
    constexpr std::size_t grades = lastSearchGrade - finest + 1;
    const auto fieldOf = [micrometres](bool hole, int grade, std::u16string_view letter) {
        return hole ? holeField(micrometres, grade, letter) : shaftField(micrometres, grade, letter);
    };
    std::array<Field, grades> basics;
    std::array<std::array<Field, std::tuple_size_v<std::decay_t<decltype(letters)>>>, grades> others;
    for (std::size_t g = 0; g < grades; ++g) {
        const int grade = finest + int(g);
        basics[g] = fieldOf(holeBasis, grade, basic);
        for (std::size_t l = 0; l < letters.size(); ++l)
            others[g][l] = fieldOf(!holeBasis, grade, letters[l]);
    }
    for (int grade = firstSearchGrade; grade <= lastSearchGrade; ++grade) {
        for (int partner : {grade, grade - 1}) {
            // The hole in the grade, the shaft in its partner grade.
            const std::size_t holeAt = std::size_t(grade - finest);
            const std::size_t shaftAt = std::size_t(partner - finest);
            for (std::size_t l = 0; l < letters.size(); ++l) {
                const auto fit = holeBasis
                    ? fitOf(basics[holeAt], others[shaftAt][l], {basic, grade}, {letters[l], partner}, true)
                    : fitOf(others[holeAt][l], basics[shaftAt], {letters[l], grade}, {basic, partner}, false);
                if (fit)
                    found.push_back(*fit);
            }
        }
    }
}

// A clearance typed in micrometres, signed, and whether it is finer than the
// hundredths that the fits are counted in; none if the text is no such number.
struct Clearance
{
    Hundredths value = 0;
    bool finer = false;
};
std::optional<Clearance> readClearance(QStringView text)
{
    const std::optional<TypedDecimal> typed = readTypedDecimal(text);
    if (!typed || typed->tooLong)
        return std::nullopt;
    const Hundredths value = typed->thousandths / 10;
    return Clearance{typed->negative ? -value : value, typed->finer || typed->thousandths % 10 != 0};
}

QString nearestText(std::vector<FoundFit> fits)
{
    std::stable_sort(fits.begin(), fits.end(), [](const FoundFit &a, const FoundFit &b) { return a.miss() < b.miss(); });
    QStringList named;
    for (std::size_t i = 0; i < std::min(nearestShown, fits.size()); ++i)
        named.append(QStringLiteral("%1 — на %2 мкм").arg(fits[i].text(), micrometreText(fits[i].miss())));
    return named.join(QStringLiteral(", "));
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
    found.reserve(std::size_t(2 * 2 * (lastSearchGrade - firstSearchGrade + 1)) * shaftLetters.size());
    for (const bool holeBasis : {true, false}) {
        if ((holeBasis && basis == Basis::Shaft) || (!holeBasis && basis == Basis::Hole))
            continue;
        if (series == Series::All)
            addAll(found, micrometres, holeBasis);
        else if (micrometres >= firstRecommendedSize && micrometres <= lastRecommendedSize)
            addRecommended(found, micrometres,
                           holeBasis ? std::span<const std::pair<FieldName, FieldName>>(holeBasisSplit)
                                     : std::span<const std::pair<FieldName, FieldName>>(shaftBasisSplit),
                           holeBasis);
    }
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

    std::vector<FoundFit> candidates = candidateFits(nominal.micrometres, basis, series);
    for (FoundFit &fit : candidates) {
        fit.lowMargin = fit.minClearance - *low;
        fit.highMargin = *high - fit.maxClearance;
        if (fit.miss() == 0) {
            fit.recommended = fit.recommended
                || (nominal.micrometres >= firstRecommendedSize && nominal.micrometres <= lastRecommendedSize
                    && isRecommended(fit));
            search.fits.push_back(fit);
        }
    }
    if (candidates.empty()) {
        search.message = QStringLiteral("Для этого размера в выбранном ряду нет ни одной посадки.");
        return search;
    }
    if (search.fits.empty()) {
        search.message = QStringLiteral("Ни одна посадка не даёт зазора от %1 до %2 мкм. Ближе всех: %3.")
                             .arg(micrometreText(*low), micrometreText(*high), nearestText(candidates));
        return search;
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
        return a.text() < b.text();
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
