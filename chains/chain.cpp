// SPDX-License-Identifier: MIT
#include "chains/chain.h"

#include "core/number_text.h"
#include "fits/fit.h"

#include <algorithm>
#include <cmath>

namespace merilon::chains {

using namespace Qt::StringLiterals;

namespace {

// Hundredths of a micrometre: the grid of every figure.
using Units = qint64;
constexpr Units unitsPerMillimetre = 100000;
constexpr Units unitsPerMicrometre = 100;
// The grid a probabilistic tolerance is rounded to: 0,1 µm.
constexpr Units probabilisticGrid = 10;
// The largest nominal or deviation, in mm.
constexpr qint64 largestMillimetres = 100000;

constexpr std::array<std::u16string_view, columnCount> titles = {
    u"Обозначение", u"Номинал, мм", u"Вид", u"Поле", u"ES, мм", u"EI, мм", u"Закон", u"Тип", u"Увязочное"};
// The columns the copy adds after the typed ones: what the solution works with.
constexpr std::array<std::u16string_view, 3> effectiveTitles = {u"Поле в расчёте", u"ES в расчёте, мм",
                                                                u"EI в расчёте, мм"};

constexpr std::array<std::u16string_view, 2> tasks = {u"проверочная — замыкающее звено по составляющим",
                                                      u"проектная — допуски составляющих по исходному звену"};
constexpr std::array<std::u16string_view, 2> methods = {u"максимум-минимум", u"вероятностный"};

constexpr std::u16string_view increasing = u"увеличивающее";
constexpr std::u16string_view decreasing = u"уменьшающее";
constexpr std::array<std::u16string_view, 3> laws = {u"нормальный", u"Симпсона", u"равной вероятности"};
// 18 λ² of each law: λ² = 1/9, 1/6, 1/3.
constexpr std::array<int, 3> lawWeights = {2, 3, 6};
constexpr std::array<std::u16string_view, 3> kinds = {u"охватывающий", u"охватываемый", u"прочий"};
// The field a kind of link takes in the design task.
constexpr std::array<std::u16string_view, 3> kindLetters = {u"H", u"h", u"js"};
constexpr std::u16string_view yes = u"да";

// The settings' keys in the text of a chain.
constexpr std::u16string_view taskKey = u"Задача";
constexpr std::u16string_view methodKey = u"Метод";
constexpr std::u16string_view riskKey = u"Риск";
constexpr std::u16string_view upperKey = u"ИсхES, мм";
constexpr std::u16string_view lowerKey = u"ИсхEI, мм";

// The number of tolerance units a of the grades 5 … 17 (ISO 286-1, Table 1).
constexpr int firstDesignGrade = 5;
constexpr std::array<int, 13> unitsOfGrade = {7, 10, 16, 25, 40, 64, 100, 160, 250, 400, 640, 1000, 1600};

QString mm(Units units)
{
    return numberText(double(units) / double(unitsPerMillimetre));
}

// A figure kept doubled, so that a middle or a half tolerance stays whole.
QString halfMm(Units twice)
{
    return numberText(double(twice) / double(2 * unitsPerMillimetre));
}

QString quotedText(const QString &text)
{
    return u'«' + text.trimmed() + u'»';
}

// A number typed in a cell, on a grid of `places` decimals of a millimetre.
struct Number
{
    std::optional<Units> value; // in units of the last decimal
    QString problem;            // why there is none, the subject left to the caller
};

// `what` names the number in a message: «Номинал звена А1».
template <typename What>
Number readNumber(const QString &text, int places, What what)
{
    const std::optional<TypedDecimal> d =
        text.contains(u'−') ? readTypedDecimal(QString(text).replace(u'−', u'-'), places) : readTypedDecimal(text, places);
    if (!d)
        return {std::nullopt, u"%1 не число: %2."_s.arg(what(), quotedText(text))};
    qint64 scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    if (d->tooLong || d->thousandths > largestMillimetres * scale)
        return {std::nullopt, u"%1 больше 100 000 мм."_s.arg(what())};
    if (d->finer)
        return {std::nullopt, u"%1 задан точнее %2 мм."_s.arg(what(), places == 3 ? u"0,001"_s : u"0,00001"_s)};
    return {d->negative ? -d->thousandths : d->thousandths, QString()};
}

// A deviation in mm as units.
template <typename What>
Number readDeviation(const QString &text, What what)
{
    return readNumber(text, 5, what);
}

// What a link is to the parts it measures, which sets the field the design gives it.
enum class Covering { Hole, Shaft, Other };

template <std::size_t N>
int indexOf(const std::array<std::u16string_view, N> &words, QStringView word)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (QStringView(words[i]) == word)
            return int(i);
    }
    return -1;
}

// One link as the solution works with it.
struct Link
{
    int row = 0;
    QString name;
    Units nominal = 0; // in units
    int micrometres = 0;
    int sign = 1;
    int weight = 2; // 18 λ²
    Covering kind = Covering::Other;
    bool adjusting = false;
    QString field;                // a field typed
    std::optional<Units> typedUpper, typedLower;
    bool known = false;           // its deviations are given, by a field or typed
    Units upper = 0, lower = 0;   // in effect
    QString effectiveField;       // the field in effect, typed or assigned
    bool assigned = false;        // the design task gave it its field or deviations

    Units tolerance() const { return upper - lower; }
    Units middleTwice() const { return upper + lower; }
};

// A field's deviations at a link's nominal size, or why it has none.
struct FieldAt
{
    std::optional<fits::Limits> limits;
    QString problem;
};

QString gapText(fits::Gap gap, const QString &field, const Link &link)
{
    const QString size = mm(link.nominal);
    switch (gap) {
    case fits::Gap::LetterUpTo1mm:
        return u"Поле %1 звена %2: для размеров до 1 мм стандарт его не применяет."_s.arg(field, link.name);
    case fits::Gap::GradeBelow1mm:
        return u"Поле %1 звена %2: квалитеты с 14 по 18 для размеров менее 1 мм стандарт не применяет."_s.arg(
            field, link.name);
    case fits::Gap::GradeUpTo500mm:
        return u"Поле %1 звена %2: квалитеты 01 и 0 стандарт устанавливает только для размеров до 500 мм."_s.arg(
            field, link.name);
    case fits::Gap::NoPositiveSize:
        return u"Поле %1 звена %2 при номинале %3 мм не годится: наименьший предельный размер был бы не больше нуля."_s
            .arg(field, link.name, size);
    case fits::Gap::NotDefined:
    case fits::Gap::None:
        break;
    }
    return u"Поле %1 звена %2 при номинале %3 мм стандарт не устанавливает."_s.arg(field, link.name, size);
}

// Whether `letter` is one of a field list's letters: one letter, or JS, js.
template <std::size_t N>
bool isLetterOf(const std::array<std::u16string_view, N> &letters, QStringView letter)
{
    if (letter.size() != 1)
        return letter.size() == 2 && indexOf(letters, letter) >= 0;
    for (const std::u16string_view l : letters) {
        if (l.size() == 1 && l.front() == letter.front().unicode())
            return true;
    }
    return false;
}

FieldAt fieldAt(const QString &typed, const Link &link)
{
    QString field = typed;
    if (field.contains(u' '))
        field.remove(u' ');
    qsizetype letters = 0;
    while (letters < field.size() && field[letters].isLetter())
        ++letters;
    const QStringView letter = QStringView(field).left(letters);
    const QStringView digits = QStringView(field).mid(letters);
    const bool hole = isLetterOf(fits::holeLetters, letter);
    const bool shaft = isLetterOf(fits::shaftLetters, letter);
    // "01" is IT01, any other grade is written without a leading zero: "0" … "18".
    int grade = fits::finestGrade - 1;
    const bool allDigits = !digits.isEmpty() && digits.size() <= 2
        && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (digits == u"01")
        grade = -1;
    else if (allDigits && (digits.size() == 1 || digits[0] != u'0'))
        grade = digits.size() == 1 ? digits[0].unicode() - u'0' : (digits[0].unicode() - u'0') * 10 + digits[1].unicode() - u'0';
    if (grade > fits::coarsestGrade)
        grade = fits::finestGrade - 1;
    if ((!hole && !shaft) || grade < fits::finestGrade)
        return {std::nullopt, u"Поле %1 звена %2 не прочитать: пишите как h9, H11, js9, C11."_s.arg(
                                  quotedText(typed), link.name)};
    if (link.micrometres <= 0 || link.micrometres > fits::largestSize)
        return {std::nullopt, u"Поле %1 звена %2: поля допусков задаются для номиналов больше 0 и не больше 3150 мм."_s
                                  .arg(field, link.name)};
    const fits::Field found = hole ? fits::holeField(link.micrometres, grade, letter)
                                   : fits::shaftField(link.micrometres, grade, letter);
    if (!found.limits)
        return {std::nullopt, gapText(found.gap, field, link)};
    return {found.limits, QString()};
}

// The designation a row shows: its own, or «А» and the row's number.
QString nameOf(const Row &row, int index)
{
    const QString typed = row[Name].trimmed();
    return typed.isEmpty() ? u"А%1"_s.arg(index + 1) : typed;
}

// The closing link's designation: the first link's letters and «Δ».
QString closingName(const std::vector<Link> &links)
{
    QString prefix = links.empty() ? QString() : links.front().name;
    while (!prefix.isEmpty() && prefix.back().isDigit())
        prefix.chop(1);
    if (prefix.isEmpty() || prefix == links.front().name)
        prefix = u"А"_s;
    return prefix + u'Δ';
}

// The tolerance unit i in µm of the link's size interval of the IT table: 0,45 ∛D +
// 0,001 D up to 500 mm, 0,004 D + 2,1 over it (the unit I, to which IT5 … IT18 are
// the same multiples), D the geometric mean of the interval's bounds (the first, up to
// 3 mm, from 1 mm).
std::optional<double> toleranceUnit(int micrometres)
{
    if (micrometres <= 0 || micrometres > fits::largestSize)
        return std::nullopt;
    const auto row = std::lower_bound(fits::toleranceRows.begin(), fits::toleranceRows.end(), micrometres,
                                      [](const fits::ToleranceRow &r, int size) { return r.upTo * 1000 < size; });
    const double over = std::max(1, row->over);
    const double d = std::sqrt(over * row->upTo);
    return row->upTo <= 500 ? 0.45 * std::cbrt(d) + 0.001 * d : 0.004 * d + 2.1;
}

struct Closing
{
    Units nominal = 0;
    Units tolerance = 0;
    Units middleTwice = 0;
    Units upperTwice = 0;
    Units lowerTwice = 0;
};

// t √(Σ λ² T²), in units, not rounded.
double probabilisticTolerance(const std::vector<const Link *> &links, int tHundredths)
{
    double weighted = 0; // Σ 18 λ² T²
    for (const Link *link : links)
        weighted += double(link->weight) * double(link->tolerance()) * double(link->tolerance());
    return double(tHundredths) / 100.0 * std::sqrt(weighted / 18.0);
}

Closing closingOf(const std::vector<Link> &links, Method method, int tHundredths)
{
    Closing c;
    Units upper = 0;
    Units lower = 0;
    for (const Link &link : links) {
        c.nominal += link.sign * link.nominal;
        c.middleTwice += link.sign * link.middleTwice();
        upper += link.sign > 0 ? link.upper : -link.lower;
        lower += link.sign > 0 ? link.lower : -link.upper;
    }
    if (method == Method::WorstCase) {
        c.tolerance = upper - lower;
        c.upperTwice = 2 * upper;
        c.lowerTwice = 2 * lower;
        return c;
    }
    std::vector<const Link *> all;
    for (const Link &link : links)
        all.push_back(&link);
    const double exact = probabilisticTolerance(all, tHundredths);
    c.tolerance = std::llround(exact / double(probabilisticGrid)) * probabilisticGrid;
    c.upperTwice = c.middleTwice + c.tolerance;
    c.lowerTwice = c.middleTwice - c.tolerance;
    return c;
}

QString signedWord(const Link &link)
{
    return link.sign > 0 ? u" + "_s : u" − "_s;
}

QString equationOf(const std::vector<Link> &links)
{
    QString text = closingName(links) + u" ="_s;
    bool first = true;
    for (int sign : {1, -1}) {
        for (const Link &link : links) {
            if (link.sign != sign)
                continue;
            if (first)
                text += sign > 0 ? u" "_s : u" −"_s + u' ';
            else
                text += signedWord(link);
            text += link.name;
            first = false;
        }
    }
    return text;
}

// The grade 5 … 17 of the largest number of tolerance units a not above a_c; 4 when
// even grade 5's is above it.
int gradeFor(double units)
{
    int grade = firstDesignGrade - 1;
    for (std::size_t i = 0; i < unitsOfGrade.size(); ++i) {
        if (unitsOfGrade[i] <= units)
            grade = firstDesignGrade + int(i);
    }
    return grade;
}

Solution failed(Solution s, QString message)
{
    s.message = std::move(message);
    return s;
}

} // namespace

QStringList columnTitles()
{
    return listTexts(titles);
}

QStringList taskTexts()
{
    return listTexts(tasks);
}

QStringList methodTexts()
{
    return listTexts(methods);
}

QStringList riskTexts()
{
    return listTexts(risks, &Risk::text);
}

bool isEmptyRow(const Row &row)
{
    return std::all_of(row.begin(), row.end(), [](const QString &cell) {
        return std::all_of(cell.begin(), cell.end(), [](QChar c) { return c.isSpace(); });
    });
}

QString normalised(Column column, const QString &typed)
{
    // A word written out whole stays as it is.
    const auto whole = [&typed](std::initializer_list<std::u16string_view> words) {
        return std::any_of(words.begin(), words.end(), [&typed](std::u16string_view word) {
            return typed.size() == qsizetype(word.size()) && typed == QStringView(word);
        });
    };
    if (typed.isEmpty() || column == Name || column == Nominal || column == Field || column == Upper
        || column == Lower || (column == Direction && whole({increasing, decreasing}))
        || (column == Law && whole({laws[0], laws[1], laws[2]})) || (column == Kind && whole({kinds[0], kinds[1], kinds[2]}))
        || (column == Adjusting && whole({yes})))
        return typed;
    const QString t = typed.trimmed();
    const QString lower = t.toLower();
    switch (column) {
    case Direction:
        if (lower.startsWith(u"ув") || t == u"+" || t == u"1" || t == u"+1")
            return toQString(increasing);
        if (lower.startsWith(u"ум") || t == u"−" || t == u"-" || t == u"-1" || t == u"−1")
            return toQString(decreasing);
        break;
    case Law:
        if (lower.startsWith(u"норм"))
            return toQString(laws[0]);
        if (lower.startsWith(u"симп"))
            return toQString(laws[1]);
        if (lower.startsWith(u"равн"))
            return toQString(laws[2]);
        break;
    case Kind:
        if (t == u"H" || lower.startsWith(u"охватывающ"))
            return toQString(kinds[0]);
        if (t == u"h" || lower.startsWith(u"охватываем"))
            return toQString(kinds[1]);
        if (lower == u"js" || lower.startsWith(u"проч"))
            return toQString(kinds[2]);
        break;
    case Adjusting:
        if (lower == u"да" || t == u"+" || t == u"1")
            return toQString(yes);
        if (lower == u"нет" || t == u"0" || t == u"-" || t == u"−")
            return QString();
        break;
    default:
        break;
    }
    return typed;
}

Solution solve(const Inputs &in)
{
    Solution s;
    std::vector<Link> links;
    links.reserve(in.rows.size());
    for (std::size_t r = 0; r < in.rows.size(); ++r) {
        const Row &row = in.rows[r];
        if (isEmptyRow(row))
            continue;
        Link link;
        link.row = int(r);
        link.name = nameOf(row, int(r));
        if (row[Name].trimmed().isEmpty())
            s.filled.push_back({int(r), Name, link.name});
        links.push_back(link);
    }
    if (links.empty())
        return failed(s, u"Цепь пуста: введите звенья, строку на звено."_s);

    const int tHundredths = risks[std::size_t(std::clamp(in.risk, 0, int(risks.size()) - 1))].tHundredths;
    const bool design = in.task == Task::Design;

    // Every link's own cells, row by row and column by column.
    for (Link &link : links) {
        const Row &row = in.rows[std::size_t(link.row)];
        if (row[Nominal].trimmed().isEmpty())
            return failed(s, u"Введите номинал звена %1."_s.arg(link.name));
        const Number nominal = readNumber(row[Nominal], 3, [&link] { return u"Номинал звена "_s + link.name; });
        if (!nominal.value)
            return failed(s, nominal.problem);
        if (*nominal.value < 0)
            return failed(s, u"Номинал звена %1 меньше нуля: направление задаёт «Вид»."_s.arg(link.name));
        link.micrometres = int(*nominal.value);
        link.nominal = *nominal.value * unitsPerMicrometre;

        const QString direction = normalised(Direction, row[Direction]).trimmed();
        if (direction.isEmpty())
            return failed(s, u"Укажите вид звена %1: увеличивающее или уменьшающее."_s.arg(link.name));
        if (direction != QStringView(increasing) && direction != QStringView(decreasing))
            return failed(s, u"Вид звена %1 %2 не понять: увеличивающее (ув, +, 1) или уменьшающее (ум, −, -1)."_s
                                 .arg(link.name, quotedText(row[Direction])));
        link.sign = direction == QStringView(increasing) ? 1 : -1;

        link.field = row[Field].trimmed();
        for (const auto &[column, target] : {std::pair{Upper, &link.typedUpper}, std::pair{Lower, &link.typedLower}}) {
            if (row[column].trimmed().isEmpty())
                continue;
            const Number deviation = readDeviation(row[column], [&link, column] {
                return (column == Upper ? u"ES звена "_s : u"EI звена "_s) + link.name;
            });
            if (!deviation.value)
                return failed(s, deviation.problem);
            *target = deviation.value;
        }

        const QString law = normalised(Law, row[Law]).trimmed();
        const int lawIndex = law.isEmpty() ? 0 : indexOf(laws, law);
        if (lawIndex < 0)
            return failed(s, u"Закон звена %1 %2 не понять: нормальный, Симпсона или равной вероятности."_s.arg(
                                 link.name, quotedText(row[Law])));
        link.weight = lawWeights[std::size_t(lawIndex)];

        const QString kind = normalised(Kind, row[Kind]).trimmed();
        const int kindIndex = kind.isEmpty() ? 2 : indexOf(kinds, kind);
        if (kindIndex < 0)
            return failed(s, u"Тип звена %1 %2 не понять: охватывающий (H), охватываемый (h) или прочий (js)."_s.arg(
                                 link.name, quotedText(row[Kind])));
        link.kind = Covering(kindIndex);

        const QString adjusting = normalised(Adjusting, row[Adjusting]).trimmed();
        if (!adjusting.isEmpty() && adjusting != QStringView(yes))
            return failed(s, u"Увязочное у звена %1 — %2: пишите «да» или оставьте пустым."_s.arg(
                                 link.name, quotedText(row[Adjusting])));
        link.adjusting = design && adjusting == QStringView(yes);
    }

    // The required deviations of the closing link: wanted by the design task, compared
    // with by the checking task when both are typed.
    std::optional<Units> requiredUpper, requiredLower;
    const bool upperTyped = !in.requiredUpper.trimmed().isEmpty();
    const bool lowerTyped = !in.requiredLower.trimmed().isEmpty();
    if (design && (!upperTyped || !lowerTyped))
        return failed(s, u"Введите ИсхES и ИсхEI: предельные отклонения исходного звена, мм."_s);
    if (upperTyped != lowerTyped)
        return failed(s, u"Введите и ИсхES, и ИсхEI, или оставьте оба пустыми."_s);
    if (upperTyped) {
        const Number upper = readDeviation(in.requiredUpper, [] { return u"ИсхES"_s; });
        if (!upper.value)
            return failed(s, upper.problem);
        const Number lower = readDeviation(in.requiredLower, [] { return u"ИсхEI"_s; });
        if (!lower.value)
            return failed(s, lower.problem);
        if (*upper.value < *lower.value || (design && *upper.value == *lower.value))
            return failed(s, design ? u"ИсхES должно быть больше ИсхEI: допуск исходного звена — их разность."_s
                                    : u"ИсхES меньше ИсхEI: верхнее отклонение не может быть ниже нижнего."_s);
        requiredUpper = upper.value;
        requiredLower = lower.value;
    }

    // The deviations of each link: its field's, or as typed.
    for (Link &link : links) {
        if (link.adjusting)
            continue;
        if (!link.field.isEmpty()) {
            const FieldAt found = fieldAt(link.field, link);
            if (!found.limits)
                return failed(s, found.problem);
            link.upper = found.limits->upper;
            link.lower = found.limits->lower;
            link.known = true;
            link.effectiveField = link.field;
            link.effectiveField.remove(u' ');
        } else if (link.typedUpper || link.typedLower) {
            if (!link.typedUpper || !link.typedLower)
                return failed(s, u"У звена %1 задано одно отклонение: введите и ES, и EI."_s.arg(link.name));
            link.upper = *link.typedUpper;
            link.lower = *link.typedLower;
            link.known = true;
        } else if (!design) {
            return failed(s, u"У звена %1 нет ни поля, ни отклонений: задайте поле (например, h9) или ES и EI."_s.arg(
                                 link.name));
        }
        if (link.known && link.upper < link.lower)
            return failed(s, u"У звена %1 ES меньше EI: верхнее отклонение не может быть ниже нижнего."_s.arg(
                                 link.name));
    }

    const Method method = in.method;
    if (design) {
        QStringList adjusting;
        Link *adjust = nullptr;
        for (Link &link : links) {
            if (link.adjusting) {
                adjusting.append(link.name);
                adjust = &link;
            }
        }
        if (adjusting.isEmpty())
            return failed(s, u"Отметьте увязочное звено: «да» в столбце «Увязочное» — ему достанется то, что "
                             u"останется от допуска исходного звена."_s);
        if (adjusting.size() > 1)
            return failed(s, u"Увязочное звено должно быть одно, а отмечены %1."_s.arg(adjusting.join(u", "_s)));

        const Units requiredTolerance = *requiredUpper - *requiredLower;
        std::vector<Link *> unknown; // the links that take the grade
        std::vector<const Link *> known;
        for (Link &link : links) {
            if (link.known)
                known.push_back(&link);
            else if (!link.adjusting)
                unknown.push_back(&link);
        }
        // Σ i (or Σ λ² i²) over the links without known deviations, the adjusting one too.
        double unitSum = 0;
        for (Link &link : links) {
            if (link.known)
                continue;
            const std::optional<double> i = toleranceUnit(link.micrometres);
            if (!i && link.adjusting)
                return failed(s, u"Увязочному звену %1 с номиналом %2 мм не найти единицы допуска: она есть для "
                                 u"номиналов больше 0 и не больше 3150 мм; отметьте увязочным другое звено."_s
                                     .arg(link.name, mm(link.nominal)));
            if (!i)
                return failed(s, u"Звену %1 с номиналом %2 мм квалитет не назначить: единица допуска есть для "
                                 u"номиналов больше 0 и не больше 3150 мм; задайте его поле или отклонения."_s
                                     .arg(link.name, mm(link.nominal)));
            unitSum += method == Method::WorstCase ? *i : double(link.weight) / 18.0 * *i * *i;
        }
        // What the links with known deviations leave: in µm, or its square.
        double left = 0;
        Units knownWorst = 0;
        for (const Link *link : known)
            knownWorst += link->tolerance();
        const double t = tHundredths / 100.0;
        const double requiredMicrometres = double(requiredTolerance) / unitsPerMicrometre;
        if (method == Method::WorstCase) {
            left = requiredMicrometres - double(knownWorst) / unitsPerMicrometre;
        } else {
            double weighted = 0;
            for (const Link *link : known) {
                const double tol = double(link->tolerance()) / unitsPerMicrometre;
                weighted += double(link->weight) / 18.0 * tol * tol;
            }
            left = requiredMicrometres / t * (requiredMicrometres / t) - weighted;
        }
        if (left <= 0) {
            const Units knownTolerance =
                method == Method::WorstCase
                    ? knownWorst
                    : std::llround(probabilisticTolerance(known, tHundredths) / double(probabilisticGrid))
                          * probabilisticGrid;
            return failed(s, u"Звенья с заданными отклонениями одни дают замыкающему звену допуск %1 мм — не "
                             u"меньше допуска исходного звена %2 мм."_s
                                 .arg(mm(knownTolerance), mm(requiredTolerance)));
        }
        const double units = method == Method::WorstCase ? left / unitSum : std::sqrt(left) / std::sqrt(unitSum);
        const QString unitsText = numberText(std::floor(units * 10) / 10);

        // The grade: the largest whose a does not exceed a_c; a finer one when the IT of
        // the table leaves the adjusting link nothing.
        std::vector<const Link *> others;
        for (const Link &link : links) {
            if (&link != adjust)
                others.push_back(&link);
        }
        const Units target = method == Method::WorstCase
                                 ? requiredTolerance
                                 : requiredTolerance / probabilisticGrid * probabilisticGrid;
        int grade = unknown.empty() ? firstDesignGrade : gradeFor(units);
        if (grade < firstDesignGrade)
            return failed(s, u"Допуск исходного звена мал для способа одного квалитета: a_c = %1 — меньше 7, числа "
                             u"единиц допуска квалитета 5; задайте отклонения части звеньев или расширьте исходное "
                             u"звено."_s
                                 .arg(unitsText));
        Units adjustTolerance = 0;
        for (; grade >= firstDesignGrade; --grade) {
            for (Link *link : unknown) {
                const QString letter = toQString(kindLetters[std::size_t(link->kind)]);
                const fits::Field found = link->kind == Covering::Hole
                                              ? fits::holeField(link->micrometres, grade, letter)
                                              : fits::shaftField(link->micrometres, grade, letter);
                const QString field = letter + QString::number(grade);
                if (!found.limits)
                    return failed(s, gapText(found.gap, field, *link));
                link->upper = found.limits->upper;
                link->lower = found.limits->lower;
                link->effectiveField = field;
                link->assigned = true;
            }
            if (method == Method::WorstCase) {
                adjustTolerance = target;
                for (const Link *link : others)
                    adjustTolerance -= link->tolerance();
            } else {
                double weighted = 0; // Σ 18 λ² T² of the others
                for (const Link *link : others)
                    weighted += double(link->weight) * double(link->tolerance()) * double(link->tolerance());
                const double whole = double(target) * 100.0 / tHundredths;
                const double rest = whole * whole * 18.0 - weighted;
                adjustTolerance = rest > 0 ? Units(std::sqrt(rest / adjust->weight)) / probabilisticGrid * probabilisticGrid
                                           : 0;
            }
            if (adjustTolerance > 0 || unknown.empty())
                break;
        }
        if (adjustTolerance <= 0 && unknown.empty())
            return failed(s, u"Звенья с заданными отклонениями не оставляют увязочному звену %1 допуска в пределах "
                             u"исходного звена."_s.arg(adjust->name));
        if (adjustTolerance <= 0)
            return failed(s, u"Допуск исходного звена мал: даже квалитет 5 не оставляет увязочному звену %1 допуска; "
                             u"задайте отклонения части звеньев или расширьте исходное звено."_s
                                 .arg(adjust->name));
        // The adjusting link's middle from the chain's equation of middles.
        Units middleTwice = *requiredUpper + *requiredLower;
        for (const Link *link : others)
            middleTwice -= link->sign * link->middleTwice();
        middleTwice *= adjust->sign;
        if ((middleTwice + adjustTolerance) % 2 != 0)
            --adjustTolerance; // a hundredth of a micrometre less keeps both deviations on the grid
        adjust->upper = (middleTwice + adjustTolerance) / 2;
        adjust->lower = (middleTwice - adjustTolerance) / 2;
        adjust->assigned = true;
        if (!unknown.empty()) {
            s.units = unitsText;
            s.grade = QString::number(grade);
        }
    }

    const Closing c = closingOf(links, method, tHundredths);
    s.equation = equationOf(links);
    s.nominal = mm(c.nominal);
    s.upper = halfMm(c.upperTwice);
    s.lower = halfMm(c.lowerTwice);
    s.tolerance = mm(c.tolerance);
    s.middle = halfMm(c.middleTwice);
    s.largest = halfMm(2 * c.nominal + c.upperTwice);
    s.smallest = halfMm(2 * c.nominal + c.lowerTwice);
    if (requiredUpper) {
        const Units above = c.upperTwice - 2 * *requiredUpper;
        const Units below = 2 * *requiredLower - c.lowerTwice;
        QStringList outside;
        if (above > 0)
            outside.append(u"ES больше на %1 мм"_s.arg(halfMm(above)));
        if (below > 0)
            outside.append(u"EI меньше на %1 мм"_s.arg(halfMm(below)));
        s.check = outside.isEmpty() ? u"да: в пределах исходного звена"_s : u"нет: "_s + outside.join(u", "_s);
    }

    // What the table shows besides what was typed, row by row.
    std::vector<FilledCell> names = std::move(s.filled);
    s.filled.clear();
    s.filled.reserve(names.size() + 3 * links.size());
    // Links of one size and field, and the zeros of H and h, share their deviations'
    // texts: each is written once.
    std::vector<std::pair<Units, QString>> written;
    const auto text = [&written](Units units) {
        for (const auto &[value, shown] : written) {
            if (value == units)
                return shown;
        }
        written.emplace_back(units, mm(units));
        return written.back().second;
    };
    auto name = names.begin();
    for (const Link &link : links) {
        for (; name != names.end() && name->row <= link.row; ++name)
            s.filled.push_back(*name);
        if (link.assigned && !link.adjusting)
            s.filled.push_back({link.row, Field, link.effectiveField});
        if (link.adjusting)
            s.filled.push_back({link.row, Field, QString()});
        if (link.assigned || !link.field.isEmpty()) {
            s.filled.push_back({link.row, Upper, text(link.upper)});
            s.filled.push_back({link.row, Lower, text(link.lower)});
        }
    }
    s.filled.insert(s.filled.end(), name, names.end());
    return s;
}

// ---------------------------------------------------------------------------------
// The chain as text

namespace {

QString joined(const QStringList &cells)
{
    return cells.join(u'\t');
}

QString headerLine()
{
    return joined(columnTitles() + listTexts(effectiveTitles));
}

std::optional<int> itemIndex(const QStringList &items, const QString &text)
{
    const qsizetype i = items.indexOf(text.trimmed());
    return i < 0 ? std::nullopt : std::optional<int>(int(i));
}

} // namespace

QString chainText(const Inputs &inputs, const Solution &solution)
{
    QStringList lines = {headerLine()};
    auto filled = solution.filled.begin();
    for (std::size_t r = 0; r < inputs.rows.size(); ++r) {
        const Row &row = inputs.rows[r];
        Row shown = row;
        for (int c = 0; c < columnCount; ++c)
            shown[std::size_t(c)] = normalised(Column(c), row[std::size_t(c)]);
        Row effective = row;
        effective[Field] = solution.message.isEmpty() ? row[Field].trimmed() : QString();
        effective[Upper] = solution.message.isEmpty() ? row[Upper].trimmed() : QString();
        effective[Lower] = solution.message.isEmpty() ? row[Lower].trimmed() : QString();
        for (; filled != solution.filled.end() && filled->row == int(r); ++filled) {
            if (filled->column == Name)
                shown[Name] = filled->text;
            else if (solution.message.isEmpty())
                effective[std::size_t(filled->column)] = filled->text;
        }
        if (isEmptyRow(row))
            continue;
        QStringList cells(shown.begin(), shown.end());
        cells << effective[Field] << effective[Upper] << effective[Lower];
        lines.append(joined(cells));
    }
    lines.append(QString());
    const auto item = [](const auto &items, int index) {
        return toQString(items[std::size_t(std::clamp(index, 0, int(items.size()) - 1))]);
    };
    lines.append(joined({toQString(taskKey), item(tasks, int(inputs.task))}));
    lines.append(joined({toQString(methodKey), item(methods, int(inputs.method))}));
    lines.append(joined({toQString(riskKey), riskTexts().value(std::clamp(inputs.risk, 0, int(risks.size()) - 1))}));
    lines.append(joined({toQString(upperKey), inputs.requiredUpper.trimmed()}));
    lines.append(joined({toQString(lowerKey), inputs.requiredLower.trimmed()}));
    lines.append(QString());
    if (!solution.message.isEmpty()) {
        lines.append(joined({u"Сообщение"_s, solution.message}));
    } else {
        const std::pair<const char16_t *, const QString *> results[] = {
            {u"Уравнение", &solution.equation}, {u"Номинал, мм", &solution.nominal},
            {u"ES, мм", &solution.upper},       {u"EI, мм", &solution.lower},
            {u"T, мм", &solution.tolerance},    {u"Ec, мм", &solution.middle},
            {u"Наибольший, мм", &solution.largest}, {u"Наименьший, мм", &solution.smallest},
            {u"Единицы допуска", &solution.units},  {u"Квалитет", &solution.grade},
            {u"Проверка", &solution.check}};
        for (const auto &[key, value] : results) {
            if (!value->isEmpty())
                lines.append(joined({QString::fromUtf16(key), *value}));
        }
    }
    return lines.join(u'\n') + u'\n';
}

namespace {

Row rowOf(QStringView line)
{
    Row row;
    int column = 0;
    for (const QStringView cell : line.split(u'\t')) {
        if (column >= columnCount)
            break;
        row[std::size_t(column++)] = cell.toString();
    }
    return row;
}

bool isHeader(QStringView line)
{
    const QList<QStringView> cells = line.split(u'\t');
    const QStringList wanted = columnTitles();
    if (cells.size() < wanted.size())
        return false;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        if (cells[i].trimmed() != wanted[i])
            return false;
    }
    return true;
}

QList<QStringView> linesOf(QStringView text)
{
    if (text.startsWith(u'\uFEFF'))
        text = text.mid(1);
    QList<QStringView> lines = text.split(u'\n');
    for (QStringView &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

// The settings after the rows: the key and its value, or why the line is none.
struct Setting
{
    bool known = false;
    QString error;
};

Setting readSetting(QStringView line, ReadText &read)
{
    const QString whole = line.toString();
    const QString key = whole.section(u'\t', 0, 0).trimmed();
    const QString value = whole.section(u'\t', 1).trimmed();
    if (key == QStringView(taskKey)) {
        const std::optional<int> task = itemIndex(taskTexts(), value);
        if (task)
            read.task = Task(*task);
        return {true, task ? QString() : u"задача %1 не из списка"_s.arg(quotedText(value))};
    }
    if (key == QStringView(methodKey)) {
        const std::optional<int> method = itemIndex(methodTexts(), value);
        if (method)
            read.method = Method(*method);
        return {true, method ? QString() : u"метод %1 не из списка"_s.arg(quotedText(value))};
    }
    if (key == QStringView(riskKey)) {
        read.risk = itemIndex(riskTexts(), value);
        return {true, read.risk ? QString() : u"риск %1 не из списка"_s.arg(quotedText(value))};
    }
    if (key == QStringView(upperKey)) {
        read.requiredUpper = value;
        return {true, QString()};
    }
    if (key == QStringView(lowerKey)) {
        read.requiredLower = value;
        return {true, QString()};
    }
    return {false, QString()};
}

} // namespace

ReadText readText(QStringView text)
{
    ReadText read;
    const QList<QStringView> lines = linesOf(text);
    qsizetype i = 0;
    if (!lines.isEmpty() && isHeader(lines.front())) {
        read.header = true;
        ++i;
    }
    for (; i < lines.size(); ++i) {
        if (read.header && lines[i].trimmed().isEmpty())
            break;
        read.rows.push_back(rowOf(lines[i]));
    }
    for (; read.header && i < lines.size(); ++i)
        readSetting(lines[i], read);
    return read;
}

ReadFile readFile(QStringView text)
{
    ReadFile file;
    const QList<QStringView> lines = linesOf(text);
    if (lines.isEmpty() || !isHeader(lines.front())) {
        file.error = u"это не цепь: первая строка цепи — заголовок таблицы звеньев («Обозначение», «Номинал, мм» "
                     u"и далее через табуляцию)."_s;
        return file;
    }
    const qsizetype widest = columnCount + qsizetype(effectiveTitles.size());
    qsizetype i = 1;
    for (; i < lines.size() && !lines[i].trimmed().isEmpty(); ++i) {
        if (lines[i].count(u'\t') >= widest) {
            file.error = u"строка %1: столбцов больше, чем в таблице звеньев."_s.arg(i + 1);
            return file;
        }
        const Row row = rowOf(lines[i]);
        for (const Column column : {Direction, Law, Kind, Adjusting}) {
            const QString word = normalised(column, row[column]).trimmed();
            const bool known = word.isEmpty() || word == QStringView(increasing) || word == QStringView(decreasing)
                || indexOf(laws, word) >= 0 || indexOf(kinds, word) >= 0 || word == QStringView(yes);
            if (!known) {
                file.error = u"строка %1: в столбце «%2» %3 — не из его слов."_s.arg(i + 1).arg(
                    toQString(titles[column]), quotedText(row[column]));
                return file;
            }
        }
        file.chain.rows.push_back(row);
    }
    file.chain.header = true;
    for (; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        const Setting setting = readSetting(lines[i], file.chain);
        if (!setting.error.isEmpty()) {
            file.error = u"строка %1: %2."_s.arg(i + 1).arg(setting.error);
            return file;
        }
    }
    if (std::all_of(file.chain.rows.begin(), file.chain.rows.end(), isEmptyRow)) {
        file.error = u"в файле нет звеньев."_s;
        file.chain = {};
    }
    return file;
}

} // namespace merilon::chains
