// SPDX-License-Identifier: MIT
#include "fits/fit.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>

namespace merilon::fits {

namespace {

// The shafts' table columns lie in the order of the letters (see Letter).
constexpr bool columnsInLetterOrder()
{
    for (std::size_t i = 0; i < upperLetters.size(); ++i) {
        if (upperLetters[i] != shaftLetters[i])
            return false;
    }
    for (std::size_t i = 0; i < lowerLetters.size(); ++i) {
        if (lowerLetters[i] != shaftLetters[std::size_t(Letter::K) + i])
            return false;
    }
    for (std::size_t i = 0; i < largeUpperLetters.size(); ++i) {
        if (largeUpperLetters[i] != shaftLetters[std::size_t(Letter::D) + i])
            return false;
    }
    for (std::size_t i = 0; i < largeLowerLetters.size(); ++i) {
        if (largeLowerLetters[i] != shaftLetters[std::size_t(Letter::M) + i])
            return false;
    }
    return std::size_t(Letter::G) + 1 == upperLetters.size() && std::size_t(Letter::Z) + 1 - std::size_t(Letter::K) == lowerLetters.size()
        && std::size_t(Letter::G) + 1 - std::size_t(Letter::D) == largeUpperLetters.size()
        && std::size_t(Letter::U) + 1 - std::size_t(Letter::M) == largeLowerLetters.size();
}
static_assert(columnsInLetterOrder());

// The column of a letter in a table whose columns run from `first` on, or none when
// the table has no column for it.
template <typename Cell, std::size_t N>
std::optional<Cell> column(const std::array<Cell, N> &cells, Letter first, Letter letter)
{
    if (letter < first || std::size_t(letter) - std::size_t(first) >= N)
        return std::nullopt;
    return cells[std::size_t(letter) - std::size_t(first)];
}

// A figure of the tables in micrometres (whole, or with a decimal in IT01 … IT3) as
// hundredths, rounded to the nearest.
Hundredths hundredths(double micrometres)
{
    return static_cast<Hundredths>(micrometres * 100 + (micrometres < 0 ? -0.5 : 0.5));
}

NominalSize refused(QString error)
{
    return {0, std::move(error)};
}

QString rangeError()
{
    return QStringLiteral("Размер вне диапазона: номинальный размер должен быть больше 0 и не больше 3150 мм.");
}

// The letters of a list by their first character, which no two of them share: a text
// is read by one look and one comparison.
using FirstCharacters = std::array<signed char, 128>;
constexpr bool firstCharactersDistinct(const std::array<std::u16string_view, letterCount> &letters)
{
    for (std::size_t i = 0; i < letterCount; ++i) {
        if (letters[i].empty() || letters[i].front() >= 128)
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (letters[j].front() == letters[i].front())
                return false;
        }
    }
    return true;
}
static_assert(firstCharactersDistinct(holeLetters) && firstCharactersDistinct(shaftLetters));
constexpr FirstCharacters byFirstCharacter(const std::array<std::u16string_view, letterCount> &letters)
{
    FirstCharacters table{};
    for (signed char &entry : table)
        entry = -1;
    for (std::size_t i = 0; i < letterCount; ++i)
        table[letters[i].front()] = static_cast<signed char>(i);
    return table;
}
constexpr FirstCharacters holeFirstCharacters = byFirstCharacter(holeLetters);
constexpr FirstCharacters shaftFirstCharacters = byFirstCharacter(shaftLetters);

std::optional<Letter> letterOf(const std::array<std::u16string_view, letterCount> &letters,
                               const FirstCharacters &first, QStringView text)
{
    if (text.isEmpty() || text.front().unicode() >= first.size())
        return std::nullopt;
    const int i = first[text.front().unicode()];
    if (i < 0 || QStringView(letters[std::size_t(i)]) != text)
        return std::nullopt;
    return Letter(i);
}

QString fieldName(QStringView letter, int grade)
{
    return letter.toString() + gradeName(grade);
}

const ToleranceRow &toleranceRowOf(int micrometres)
{
    return *std::lower_bound(toleranceRows.begin(), toleranceRows.end() - 1, micrometres,
                             [](const ToleranceRow &row, int size) { return row.upTo * 1000 < size; });
}

// The interval of a size as the message names it.
QString intervalText(int micrometres)
{
    if (micrometres < smallSizes)
        return QStringLiteral("до 3");
    if (const LargeSizeRow *large = largeRowOfSize(micrometres))
        return QStringLiteral("св. %1 до %2").arg(large->over).arg(large->upTo);
    return toQString(rowOfSize(micrometres)->text);
}

Field none(Gap gap)
{
    return {std::nullopt, gap};
}

// A field whose smallest limit size would not be above zero is no field for that size.
Field checked(int micrometres, Limits limits)
{
    if (Hundredths(micrometres) * 100 + limits.lower <= 0)
        return none(Gap::NoPositiveSize);
    return {limits, Gap::None};
}

// The standard tolerance of a field's grade at a size, or the gap that the grade
// alone makes.
struct GradeTolerance
{
    Hundredths it = 0;
    Gap gap = Gap::None;
};
GradeTolerance gradeTolerance(int micrometres, int grade)
{
    if (grade < finestGrade || grade > coarsestGrade)
        return {0, Gap::NotDefined};
    const std::optional<Hundredths> it = toleranceAt(micrometres, grade);
    if (!it)
        return {0, Gap::GradeUpTo500mm};
    // IT14 … IT18 are not used below 1 mm (GOST 25346-89 Table 1, note: «для размеров
    // менее 1 мм»; some prints of ISO 286-1 say "up to 1 mm", which would take 1 mm too).
    if (micrometres < smallSizes && grade >= 14)
        return {0, Gap::GradeBelow1mm};
    return {*it, Gap::None};
}

// es of a shaft letter a … g at a size; none where the standard has none (a, b, c
// over 500 mm) or for another letter.
std::optional<Hundredths> upperDeviation(int micrometres, Letter letter)
{
    std::optional<int> es;
    if (const LargeSizeRow *large = largeRowOfSize(micrometres))
        es = column(large->es, Letter::D, letter);
    else if (const SizeRow *row = rowOfSize(micrometres))
        es = column(row->es, Letter::A, letter);
    return es ? std::optional<Hundredths>(Hundredths(*es) * 100) : std::nullopt;
}

// The ei column of a shaft letter k … z up to 500 mm as the table gives it (k: the
// value of grades 4 to 7); none where the standard has no such field.
std::optional<Hundredths> lowerColumn(const SizeRow &row, Letter letter)
{
    const std::optional<std::optional<double>> cell = column(row.ei, Letter::K, letter);
    return cell && *cell ? std::optional<Hundredths>(hundredths(**cell)) : std::nullopt;
}

} // namespace

std::optional<Letter> holeLetterOf(QStringView text)
{
    return letterOf(holeLetters, holeFirstCharacters, text);
}

std::optional<Letter> shaftLetterOf(QStringView text)
{
    return letterOf(shaftLetters, shaftFirstCharacters, text);
}

QStringList fitGradeTexts()
{
    QStringList grades;
    for (int g = finestGrade; g <= coarsestGrade; ++g)
        grades.append(gradeName(g));
    return grades;
}

NominalSize readSize(QStringView text)
{
    if (text.trimmed().isEmpty())
        return refused(QStringLiteral("Введите номинальный размер в миллиметрах: число больше 0 и не больше 3150."));
    const std::optional<TypedDecimal> typed = readTypedDecimal(text);
    if (!typed)
        return refused(QStringLiteral("Размер не число: введите миллиметры, например 25 или 25,4."));
    const qint64 micrometres = typed->thousandths;
    // A size finer than a micrometre is refused for its decimals, even below the range.
    if (typed->tooLong || typed->negative || micrometres > largestSize || (typed->finer && micrometres == largestSize)
        || (micrometres < smallestSize && !typed->finer))
        return refused(rangeError());
    if (typed->finer)
        return refused(QStringLiteral("Размер задан точнее 0,001 мм: не больше трёх знаков после запятой."));
    return {int(micrometres), QString()};
}

const SizeRow *rowOfSize(int micrometres)
{
    if (micrometres < smallestSize || micrometres > sizeRows.back().upTo * 1000)
        return nullptr;
    // The first row whose upper bound is not below the size.
    return &*std::lower_bound(sizeRows.begin(), sizeRows.end(), micrometres,
                              [](const SizeRow &row, int size) { return row.upTo * 1000 < size; });
}

const LargeSizeRow *largeRowOfSize(int micrometres)
{
    if (micrometres <= largeSizeRows.front().over * 1000 || micrometres > largestSize)
        return nullptr;
    return &*std::lower_bound(largeSizeRows.begin(), largeSizeRows.end(), micrometres,
                              [](const LargeSizeRow &row, int size) { return row.upTo * 1000 < size; });
}

std::optional<Hundredths> toleranceAt(int micrometres, int grade)
{
    if (micrometres < smallestSize || micrometres > largestSize || grade < finestGrade || grade > coarsestGrade)
        return std::nullopt;
    const std::optional<double> it = toleranceRowOf(micrometres).it[static_cast<std::size_t>(grade - finestGrade)];
    return it ? std::optional<Hundredths>(hundredths(*it)) : std::nullopt;
}

// Shafts (ISO 286-1:2010 Tables 2 and 3): a … g: ei = es − IT; h; js ±IT/2; k: ei of
// the column of grades 4 to 7 in those grades, 0 in the others; m … z: es = ei + IT.
// Over 500 mm only d … g, h, js, k (ei = 0) and m … u are defined. a and b are not
// used up to 1 mm (Table 2, note).
Field shaftField(int micrometres, int grade, Letter letter)
{
    const auto [it, gap] = gradeTolerance(micrometres, grade);
    if (gap != Gap::None)
        return none(gap);
    if (letter == Letter::H)
        return checked(micrometres, {0, -it});
    if (letter == Letter::JS)
        return checked(micrometres, {it / 2, -it / 2});
    if (micrometres <= smallSizes && (letter == Letter::A || letter == Letter::B))
        return none(Gap::LetterUpTo1mm);
    if (letter <= Letter::G) {
        const std::optional<Hundredths> es = upperDeviation(micrometres, letter);
        if (!es)
            return none(Gap::NotDefined);
        return checked(micrometres, {*es, *es - it});
    }
    std::optional<Hundredths> ei;
    if (const LargeSizeRow *large = largeRowOfSize(micrometres)) {
        if (letter == Letter::K)
            ei = 0;
        else if (const std::optional<int> cell = column(large->ei, Letter::M, letter))
            ei = Hundredths(*cell) * 100;
    } else if (const SizeRow *row = rowOfSize(micrometres)) {
        ei = lowerColumn(*row, letter); // none for t, v, y where the standard has none
        if (ei && letter == Letter::K && (grade < 4 || grade > 7))
            ei = 0;
    }
    if (!ei)
        return none(Gap::NotDefined);
    return checked(micrometres, {*ei + it, *ei});
}

Field shaftField(int micrometres, int grade, QStringView letter)
{
    const std::optional<Letter> l = shaftLetterOf(letter);
    return l ? shaftField(micrometres, grade, *l) : none(Gap::NotDefined);
}

// The holes follow the table of fundamental deviations of holes of ISO 286-1
// (GOST 25346-89) and its notes, which derive them from the shafts' table:
// - A … H: EI = −es of the same shaft letter; H: EI = 0. ES = EI + IT.
// - JS: ±IT/2, exact (the note that allows rounding odd IT7 … IT11 down is not used).
// - K, M, N up to IT8 and P … Z up to IT7: ES = −ei of the same shaft letter + Δ,
//   Δ = IT(n) − IT(n−1) of the row (the Δ columns of the table, grades 3 to 8); for K
//   the shaft column of grades 4 to 7 applies up to IT8. Below grade 3 the table gives
//   no Δ, and K … Z have no field there. Above those grades: K: ES = 0 up to 3 mm and
//   no field over 3 mm (the table's cells there are empty); M: ES = −ei; N: ES = 0;
//   P … Z: ES = −ei.
// - Sizes up to 3 mm: Δ = 0, and N above IT8 keeps ES = −4 (the table's own cell);
//   A, B and N above IT8 are not used up to 1 mm (the table's notes).
// - Over 500 mm: D … G mirror d … g; K: ES = 0; M … U: ES = −ei; no Δ.
// - The cells the table sets apart from these rules (holeExceptions).
// - T, V, Y exist only where the shafts t, v, y do.
// EI = ES − IT for K … Z.
Field holeField(int micrometres, int grade, Letter letter)
{
    const auto [it, gap] = gradeTolerance(micrometres, grade);
    if (gap != Gap::None)
        return none(gap);
    if (letter == Letter::H)
        return checked(micrometres, {it, 0});
    if (letter == Letter::JS)
        return checked(micrometres, {it / 2, -it / 2});
    if (letter <= Letter::G) { // A … G mirror a … g, wherever those are defined
        if (micrometres <= smallSizes && (letter == Letter::A || letter == Letter::B))
            return none(Gap::LetterUpTo1mm);
        const std::optional<Hundredths> es = upperDeviation(micrometres, letter);
        if (!es)
            return none(Gap::NotDefined);
        return checked(micrometres, {-*es + it, -*es});
    }
    if (grade < 3)
        return none(Gap::NotDefined);
    if (letter == Letter::K && grade > 8 && micrometres > 3000)
        return none(Gap::NotDefined);
    if (letter == Letter::N && grade > 8 && micrometres <= smallSizes)
        return none(Gap::LetterUpTo1mm);

    if (const LargeSizeRow *large = largeRowOfSize(micrometres)) {
        if (letter == Letter::K)
            return checked(micrometres, {0, -it});
        const std::optional<int> ei = column(large->ei, Letter::M, letter);
        if (!ei)
            return none(Gap::NotDefined);
        const Hundredths es = -Hundredths(*ei) * 100;
        return checked(micrometres, {es, es - it});
    }

    const SizeRow *row = rowOfSize(micrometres);
    if (!row)
        return none(Gap::NotDefined);
    for (const HoleException &cell : holeExceptions) {
        if (letter == cell.letter && grade == cell.grade && row->over >= cell.over && row->upTo <= cell.upTo) {
            const Hundredths es = Hundredths(cell.es) * 100;
            return checked(micrometres, {es, es - it});
        }
    }
    const std::optional<Hundredths> shaftEi = lowerColumn(*row, letter);
    if (!shaftEi) // T, V, Y exist only where the shafts t, v, y do
        return none(Gap::NotDefined);
    const bool upTo3mm = row == &sizeRows.front();
    const Hundredths delta = upTo3mm ? 0 : it - *toleranceAt(micrometres, grade - 1);
    Hundredths es = 0;
    if (letter == Letter::K)
        es = grade <= 8 ? -*shaftEi + delta : 0;
    else if (letter == Letter::M)
        es = grade <= 8 ? -*shaftEi + delta : -*shaftEi;
    else if (letter == Letter::N)
        es = grade <= 8 ? -*shaftEi + delta : upTo3mm ? -*shaftEi : 0;
    else
        es = grade <= 7 ? -*shaftEi + delta : -*shaftEi;
    return checked(micrometres, {es, es - it});
}

Field holeField(int micrometres, int grade, QStringView letter)
{
    const std::optional<Letter> l = holeLetterOf(letter);
    return l ? holeField(micrometres, grade, *l) : none(Gap::NotDefined);
}

std::optional<Limits> holeLimits(const SizeRow &row, int grade, QStringView letter)
{
    return holeField(row.upTo * 1000, grade, letter).limits;
}

std::optional<Limits> shaftLimits(const SizeRow &row, int grade, QStringView letter)
{
    return shaftField(row.upTo * 1000, grade, letter).limits;
}

Fit makeFit(Limits hole, Limits shaft)
{
    Fit fit;
    fit.hole = hole;
    fit.shaft = shaft;
    fit.holeTolerance = hole.upper - hole.lower;
    fit.shaftTolerance = shaft.upper - shaft.lower;
    if (hole.lower >= shaft.upper) {
        fit.kind = FitKind::Clearance;
        fit.maxClearance = hole.upper - shaft.lower;
        fit.minClearance = hole.lower - shaft.upper;
    } else if (shaft.lower >= hole.upper) {
        fit.kind = FitKind::Interference;
        fit.maxInterference = shaft.upper - hole.lower;
        fit.minInterference = shaft.lower - hole.upper;
    } else {
        fit.kind = FitKind::Transition;
        fit.maxClearance = hole.upper - shaft.lower;
        fit.maxInterference = shaft.upper - hole.lower;
    }
    return fit;
}

namespace {

// A count in millimetres: divided once, the nearest double of an exact decimal of at
// most five places, which the number text gives back digit for digit.
QString millimetreText(Hundredths count)
{
    return numberText(static_cast<double>(count) / 100000);
}

QString withSign(Hundredths count, const QString &text)
{
    return count > 0 ? QLatin1Char('+') + text : text;
}

} // namespace

QString limitSizeText(int nominal, Hundredths deviation)
{
    return millimetreText(Hundredths(nominal) * 100 + deviation);
}

QString signedText(Hundredths value)
{
    return withSign(value, micrometreText(value));
}

QString deviationsInMillimetres(Limits limits)
{
    if (limits.upper == -limits.lower)
        return QStringLiteral("(±%1)").arg(millimetreText(limits.upper));
    QString upper = withSign(limits.upper, millimetreText(limits.upper));
    QString lower = withSign(limits.lower, millimetreText(limits.lower));
    if (limits.lower == 0)
        return QLatin1Char('(') + upper + QLatin1Char(')');
    if (limits.upper == 0)
        return QLatin1Char('(') + lower + QLatin1Char(')');
    // The two deviations are written with as many decimals each.
    const auto decimals = [](const QString &text) {
        const qsizetype comma = text.indexOf(QLatin1Char(','));
        return comma < 0 ? 0 : text.size() - comma - 1;
    };
    const qsizetype places = std::max(decimals(upper), decimals(lower));
    for (QString *text : {&upper, &lower}) {
        if (decimals(*text) == 0 && places > 0)
            text->append(QLatin1Char(','));
        text->append(QString(places - decimals(*text), QLatin1Char('0')));
    }
    return QLatin1Char('(') + upper + QLatin1Char(' ') + lower + QLatin1Char(')');
}

Chances transitionChances(Limits hole, Limits shaft)
{
    // The clearance S = D − d is normal with the mean of the two centres' difference
    // and σ = √(σD² + σd²); interference is S < 0.
    const double mean = inMicrometres(hole.upper + hole.lower - shaft.upper - shaft.lower) / 2;
    const double sigmaHole = inMicrometres(hole.upper - hole.lower) / 6;
    const double sigmaShaft = inMicrometres(shaft.upper - shaft.lower) / 6;
    const double sigma = std::sqrt(sigmaHole * sigmaHole + sigmaShaft * sigmaShaft);
    const double interference = 0.5 * std::erfc(mean / (sigma * std::sqrt(2.0)));
    return {100 * interference, 100 * (1 - interference)};
}

namespace {

QString gapMessage(Gap gap, const QString &side, const QString &field, int micrometres)
{
    switch (gap) {
    case Gap::LetterUpTo1mm:
        return QStringLiteral("Поле %1 %2 для размеров до 1 мм стандарт не применяет: уточните поле допуска.")
            .arg(side, field);
    case Gap::GradeBelow1mm:
        return QStringLiteral("Квалитеты с 14 по 18 для размеров менее 1 мм стандарт не применяет: уточните квалитет.");
    case Gap::GradeUpTo500mm:
        return QStringLiteral("Квалитеты 01 и 0 стандарт устанавливает только для размеров до 500 мм: уточните квалитет.");
    case Gap::NoPositiveSize:
        return QStringLiteral("Поле %1 %2 для размера %3 мм не годится: наименьший предельный размер был бы не больше нуля.")
            .arg(side, field, numberText(micrometres / 1000.0));
    case Gap::NotDefined:
    case Gap::None:
        break;
    }
    return QStringLiteral("Поле %1 %2 для размеров %3 мм стандарт не устанавливает: уточните поле допуска.")
        .arg(side, field, intervalText(micrometres));
}

} // namespace

FitTexts fitTexts(QStringView size, QStringView holeLetter, int holeGrade, QStringView shaftLetter,
                  int shaftGrade)
{
    FitTexts texts;
    const NominalSize nominal = readSize(size);
    if (nominal.micrometres == 0) {
        texts.message = nominal.error;
        return texts;
    }
    texts.holeField = fieldName(holeLetter, holeGrade);
    texts.shaftField = fieldName(shaftLetter, shaftGrade);
    const Field holeAt = holeField(nominal.micrometres, holeGrade, holeLetter);
    const Field shaftAt = shaftField(nominal.micrometres, shaftGrade, shaftLetter);
    const std::optional<Limits> hole = holeAt.limits;
    const std::optional<Limits> shaft = shaftAt.limits;
    if (!hole || !shaft) {
        texts.message = hole ? gapMessage(shaftAt.gap, QStringLiteral("вала"), texts.shaftField, nominal.micrometres)
                             : gapMessage(holeAt.gap, QStringLiteral("отверстия"), texts.holeField, nominal.micrometres);
        texts.holeField.clear();
        texts.shaftField.clear();
        return texts;
    }
    const Fit fit = makeFit(*hole, *shaft);
    texts.fit = fit;
    texts.holeUpper = micrometreText(hole->upper);
    texts.holeLower = micrometreText(hole->lower);
    texts.shaftUpper = micrometreText(shaft->upper);
    texts.shaftLower = micrometreText(shaft->lower);
    texts.holeMax = limitSizeText(nominal.micrometres, hole->upper);
    texts.holeMin = limitSizeText(nominal.micrometres, hole->lower);
    texts.shaftMax = limitSizeText(nominal.micrometres, shaft->upper);
    texts.shaftMin = limitSizeText(nominal.micrometres, shaft->lower);
    texts.holeTolerance = micrometreText(fit.holeTolerance);
    texts.shaftTolerance = micrometreText(fit.shaftTolerance);

    const QString diameter = QStringLiteral("Ø") + numberText(nominal.micrometres / 1000.0);
    const QString fields = texts.holeField + QLatin1Char('/') + texts.shaftField;
    QString figures;
    switch (fit.kind) {
    case FitKind::Clearance:
        texts.maxClearance = micrometreText(fit.maxClearance);
        texts.minClearance = micrometreText(fit.minClearance);
        texts.kind = QStringLiteral("посадка с зазором");
        figures = QStringLiteral("зазор наибольший %1 мкм, наименьший %2 мкм").arg(texts.maxClearance, texts.minClearance);
        break;
    case FitKind::Transition:
        texts.maxClearance = micrometreText(fit.maxClearance);
        texts.maxInterference = micrometreText(fit.maxInterference);
        texts.kind = QStringLiteral("переходная посадка");
        figures = QStringLiteral("зазор наибольший %1 мкм, натяг наибольший %2 мкм")
                      .arg(texts.maxClearance, texts.maxInterference);
        break;
    case FitKind::Interference:
        texts.maxInterference = micrometreText(fit.maxInterference);
        texts.minInterference = micrometreText(fit.minInterference);
        texts.kind = QStringLiteral("посадка с натягом");
        figures = QStringLiteral("натяг наибольший %1 мкм, наименьший %2 мкм")
                      .arg(texts.maxInterference, texts.minInterference);
        break;
    }
    const bool basicHole = holeLetter == u"H";
    const bool basicShaft = shaftLetter == u"h";
    texts.system = basicHole && basicShaft ? QStringLiteral("в системе отверстия и в системе вала")
                   : basicHole             ? QStringLiteral("в системе отверстия")
                   : basicShaft            ? QStringLiteral("в системе вала")
                                           : QStringLiteral("внесистемная");
    texts.notation = diameter + QLatin1Char(' ') + texts.holeField + deviationsInMillimetres(*hole) + QLatin1Char('/')
                     + texts.shaftField + deviationsInMillimetres(*shaft);
    if (fit.kind == FitKind::Transition) {
        const Chances chances = transitionChances(*hole, *shaft);
        // Both in whole tenths of a per cent, rounded as one: the two add up to 100.
        const long tenths = std::lround(chances.interference * 10);
        texts.probability = QStringLiteral("натяг %1 %, зазор %2 %")
                                .arg(numberText(tenths / 10.0), numberText((1000 - tenths) / 10.0));
    }
    // The copy starts with the fit as drawings write it.
    texts.line = QStringLiteral("%1: отверстие %2/%3 мкм, вал %4/%5 мкм, %6, %7")
                     .arg(texts.notation, signedText(hole->upper), signedText(hole->lower),
                          signedText(shaft->upper), signedText(shaft->lower), figures, texts.kind);
    texts.spoken = QStringLiteral("%1, %2, %3").arg(fields, texts.kind, figures);
    texts.words = QStringLiteral("Схема посадки %1 %2: поле отверстия %3 от %4 до %5 мкм, поле вала %6 от %7 до "
                                 "%8 мкм; %9: %10")
                      .arg(diameter, fields, texts.holeField, signedText(hole->lower), signedText(hole->upper),
                           texts.shaftField, signedText(shaft->lower), signedText(shaft->upper), texts.kind, figures);
    return texts;
}

} // namespace merilon::fits
