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

QString gradeText(int grade)
{
    return QString::number(grade);
}

bool isRecommended(QStringView hole, QStringView shaft)
{
    const auto same = [&](const RecommendedFit &fit) { return hole == toQString(fit.hole) && shaft == toQString(fit.shaft); };
    return std::any_of(recommendedHoleBasisFits.begin(), recommendedHoleBasisFits.end(), same)
        || std::any_of(recommendedShaftBasisFits.begin(), recommendedShaftBasisFits.end(), same);
}

// The fit of two fields at a size, when both are defined there.
std::optional<FoundFit> fitAt(int micrometres, const QString &holeLetter, int holeGrade, const QString &shaftLetter,
                              int shaftGrade, bool holeBasis)
{
    const Field hole = holeField(micrometres, holeGrade, holeLetter);
    const Field shaft = shaftField(micrometres, shaftGrade, shaftLetter);
    if (!hole.limits || !shaft.limits)
        return std::nullopt;
    FoundFit fit;
    fit.holeLetter = holeLetter;
    fit.shaftLetter = shaftLetter;
    fit.holeGrade = holeGrade;
    fit.shaftGrade = shaftGrade;
    fit.hole = holeLetter + gradeText(holeGrade);
    fit.shaft = shaftLetter + gradeText(shaftGrade);
    fit.holeBasis = holeBasis;
    fit.minClearance = hole.limits->lower - shaft.limits->upper;
    fit.maxClearance = hole.limits->upper - shaft.limits->lower;
    fit.tolerances = (hole.limits->upper - hole.limits->lower) + (shaft.limits->upper - shaft.limits->lower);
    fit.recommended = micrometres >= firstRecommendedSize && micrometres <= lastRecommendedSize
        && isRecommended(fit.hole, fit.shaft);
    return fit;
}

// A field's text split into its letters and its grade: "H7" → "H", 7.
std::pair<QString, int> splitField(std::u16string_view field)
{
    const QString text = toQString(field);
    qsizetype digits = text.size();
    while (digits > 0 && text[digits - 1].isDigit())
        --digits;
    return {text.left(digits), text.mid(digits).toInt()};
}

void addRecommended(std::vector<FoundFit> &found, int micrometres, std::span<const RecommendedFit> table,
                    bool holeBasis)
{
    for (const RecommendedFit &r : table) {
        const auto [holeLetter, holeGrade] = splitField(r.hole);
        const auto [shaftLetter, shaftGrade] = splitField(r.shaft);
        if (auto fit = fitAt(micrometres, holeLetter, holeGrade, shaftLetter, shaftGrade, holeBasis))
            found.push_back(*fit);
    }
}

void addAll(std::vector<FoundFit> &found, int micrometres, bool holeBasis)
{
    const auto &letters = holeBasis ? shaftLetters : holeLetters;
    const QString basic = holeBasis ? QStringLiteral("H") : QStringLiteral("h");
    for (int grade = firstSearchGrade; grade <= lastSearchGrade; ++grade) {
        for (int partner : {grade, grade - 1}) {
            for (std::u16string_view letter : letters) {
                const QString other = toQString(letter);
                const auto fit = holeBasis ? fitAt(micrometres, basic, grade, other, partner, true)
                                           : fitAt(micrometres, other, grade, basic, partner, false);
                if (fit)
                    found.push_back(*fit);
            }
        }
    }
}

// A clearance typed in micrometres, signed; none if the text is no such number.
std::optional<double> readClearance(QStringView text)
{
    const std::optional<TypedDecimal> typed = readTypedDecimal(text);
    if (!typed || typed->tooLong || typed->finer)
        return std::nullopt;
    const double value = static_cast<double>(typed->thousandths) / 1000;
    return typed->negative ? -value : value;
}

QString nearestText(std::vector<FoundFit> fits)
{
    std::stable_sort(fits.begin(), fits.end(), [](const FoundFit &a, const FoundFit &b) { return a.miss() < b.miss(); });
    QStringList named;
    for (std::size_t i = 0; i < std::min(nearestShown, fits.size()); ++i)
        named.append(QStringLiteral("%1 — на %2 мкм").arg(fits[i].text(), numberText(fits[i].miss())));
    return named.join(QStringLiteral(", "));
}

} // namespace

double FoundFit::miss() const
{
    return std::max(0.0, -lowMargin) + std::max(0.0, -highMargin);
}

std::vector<FoundFit> candidateFits(int micrometres, Basis basis, Series series)
{
    std::vector<FoundFit> found;
    for (const bool holeBasis : {true, false}) {
        if ((holeBasis && basis == Basis::Shaft) || (!holeBasis && basis == Basis::Hole))
            continue;
        if (series == Series::All)
            addAll(found, micrometres, holeBasis);
        else if (micrometres >= firstRecommendedSize && micrometres <= lastRecommendedSize)
            addRecommended(found, micrometres, holeBasis ? std::span<const RecommendedFit>(recommendedHoleBasisFits)
                                                         : std::span<const RecommendedFit>(recommendedShaftBasisFits),
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
    const auto clearance = [&](QStringView text, const QString &which) -> std::optional<double> {
        if (text.trimmed().isEmpty()) {
            search.message = QStringLiteral("Введите %1 зазор в микрометрах; натяг — со знаком минус.").arg(which);
            return std::nullopt;
        }
        const std::optional<double> value = readClearance(text);
        if (!value)
            search.message = QStringLiteral("Не число: %1 зазор — это микрометры, например 20 или -30 (натяг).")
                                 .arg(which);
        return value;
    };
    const std::optional<double> low = clearance(least, QStringLiteral("наименьший"));
    if (!low)
        return search;
    const std::optional<double> high = clearance(most, QStringLiteral("наибольший"));
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
        if (fit.miss() == 0)
            search.fits.push_back(fit);
    }
    if (candidates.empty()) {
        search.message = QStringLiteral("Для этого размера в выбранном ряду нет ни одной посадки.");
        return search;
    }
    if (search.fits.empty()) {
        search.message = QStringLiteral("Ни одна посадка не даёт зазора от %1 до %2 мкм. Ближе всех: %3.")
                             .arg(numberText(*low), numberText(*high), nearestText(candidates));
        return search;
    }
    // The most economical first: the widest tolerances, then the widest margin at the
    // tighter end, then the hole-basis fit, then by name.
    std::sort(search.fits.begin(), search.fits.end(), [](const FoundFit &a, const FoundFit &b) {
        if (a.tolerances != b.tolerances)
            return a.tolerances > b.tolerances;
        const double marginA = std::min(a.lowMargin, a.highMargin);
        const double marginB = std::min(b.lowMargin, b.highMargin);
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
            numberText(fit.tolerances),
            numberText(fit.lowMargin),
            numberText(fit.highMargin),
            fit.recommended ? QStringLiteral("рекомендуемая") : QString()};
}

} // namespace merilon::fits
