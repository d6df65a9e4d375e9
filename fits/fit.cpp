// SPDX-License-Identifier: MIT
#include "fits/fit.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>

namespace merilon::fits {

namespace {

NominalSize refused(QString error)
{
    return {0, std::move(error)};
}

QString rangeError()
{
    return QStringLiteral("Размер вне диапазона: номинальный размер должен быть больше 0 и не больше 3150 мм.");
}

// Deviations come out of the tables in hundredths of a micrometre at the finest
// (IT01 at 3 mm is 0,3 µm, its half 0,15): each sum is brought back onto that grid,
// so that no binary fraction of a double ever reaches a text.
double onGrid(double micrometres)
{
    return std::round(micrometres * 100) / 100;
}

Limits onGrid(Limits limits)
{
    return {onGrid(limits.upper), onGrid(limits.lower)};
}

template <std::size_t N>
int indexOf(const std::array<std::u16string_view, N> &letters, QStringView letter)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (QStringView(letters[i]) == letter)
            return static_cast<int>(i);
    }
    return -1;
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
    limits = onGrid(limits);
    if (micrometres + limits.lower <= 0)
        return none(Gap::NoPositiveSize);
    return {limits, Gap::None};
}

// The gaps that the grade alone makes.
Gap gradeGap(int micrometres, int grade)
{
    if (grade < finestGrade || grade > coarsestGrade)
        return Gap::NotDefined;
    if (!toleranceAt(micrometres, grade))
        return Gap::GradeUpTo500mm;
    // IT14 … IT18 are not used below 1 mm (GOST 25346-89 Table 1, note: «для размеров
    // менее 1 мм»; some prints of ISO 286-1 say "up to 1 mm", which would take 1 mm too).
    if (micrometres < smallSizes && grade >= 14)
        return Gap::GradeBelow1mm;
    return Gap::None;
}

} // namespace

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

std::optional<double> toleranceAt(int micrometres, int grade)
{
    if (micrometres < smallestSize || micrometres > largestSize || grade < finestGrade || grade > coarsestGrade)
        return std::nullopt;
    return toleranceRowOf(micrometres).it[static_cast<std::size_t>(grade - finestGrade)];
}

// es of a shaft letter a … g at a size; none where the standard has none (a, b, c
// over 500 mm) or for another letter.
std::optional<double> upperDeviation(int micrometres, QStringView letter)
{
    if (const LargeSizeRow *large = largeRowOfSize(micrometres)) {
        const int i = indexOf(largeUpperLetters, letter);
        return i < 0 ? std::nullopt : std::optional<double>(large->es[static_cast<std::size_t>(i)]);
    }
    const int i = indexOf(upperLetters, letter);
    return i < 0 ? std::nullopt : std::optional<double>(rowOfSize(micrometres)->es[static_cast<std::size_t>(i)]);
}

// Shafts (ISO 286-1:2010 Tables 2 and 3): a … g: ei = es − IT; h; js ±IT/2; k: ei of
// the column of grades 4 to 7 in those grades, 0 in the others; m … z: es = ei + IT.
// Over 500 mm only d … g, h, js, k (ei = 0) and m … u are defined. a and b are not
// used up to 1 mm (Table 2, note).
Field shaftField(int micrometres, int grade, QStringView letter)
{
    if (indexOf(shaftLetters, letter) < 0)
        return none(Gap::NotDefined);
    if (const Gap gap = gradeGap(micrometres, grade); gap != Gap::None)
        return none(gap);
    const double it = *toleranceAt(micrometres, grade);
    if (letter == u"h")
        return checked(micrometres, {0, -it});
    if (letter == u"js")
        return checked(micrometres, {it / 2, -it / 2});
    if (micrometres <= smallSizes && (letter == u"a" || letter == u"b"))
        return none(Gap::LetterUpTo1mm);
    if (indexOf(upperLetters, letter) >= 0) {
        const std::optional<double> es = upperDeviation(micrometres, letter);
        if (!es)
            return none(Gap::NotDefined);
        return checked(micrometres, {*es, *es - it});
    }
    if (const LargeSizeRow *large = largeRowOfSize(micrometres)) {
        if (letter == u"k")
            return checked(micrometres, {it, 0});
        const int i = indexOf(largeLowerLetters, letter);
        if (i < 0)
            return none(Gap::NotDefined);
        const double ei = large->ei[static_cast<std::size_t>(i)];
        return checked(micrometres, {ei + it, ei});
    }
    const SizeRow &row = *rowOfSize(micrometres);
    const int i = indexOf(lowerLetters, letter);
    const std::optional<double> cell = row.ei[static_cast<std::size_t>(i)];
    if (!cell) // t, v, y where the standard has none
        return none(Gap::NotDefined);
    const double ei = letter == u"k" && (grade < 4 || grade > 7) ? 0 : *cell;
    return checked(micrometres, {ei + it, ei});
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
Field holeField(int micrometres, int grade, QStringView letter)
{
    const int index = indexOf(holeLetters, letter);
    if (index < 0)
        return none(Gap::NotDefined);
    if (const Gap gap = gradeGap(micrometres, grade); gap != Gap::None)
        return none(gap);
    const double it = *toleranceAt(micrometres, grade);
    if (letter == u"H")
        return checked(micrometres, {it, 0});
    if (letter == u"JS")
        return checked(micrometres, {it / 2, -it / 2});
    const QString shaft = letter.toString().toLower();
    const QChar l = letter.front();
    if (indexOf(upperLetters, shaft) >= 0) { // A … G mirror a … g, wherever those are defined
        if (micrometres <= smallSizes && (l == u'A' || l == u'B'))
            return none(Gap::LetterUpTo1mm);
        const std::optional<double> es = upperDeviation(micrometres, shaft);
        if (!es)
            return none(Gap::NotDefined);
        return checked(micrometres, {-*es + it, -*es});
    }
    if (grade < 3)
        return none(Gap::NotDefined);
    if (l == u'K' && grade > 8 && micrometres > 3000)
        return none(Gap::NotDefined);
    if (l == u'N' && grade > 8 && micrometres <= smallSizes)
        return none(Gap::LetterUpTo1mm);

    if (const LargeSizeRow *large = largeRowOfSize(micrometres)) {
        if (l == u'K')
            return checked(micrometres, {0, -it});
        const int i = indexOf(largeLowerLetters, shaft);
        if (i < 0)
            return none(Gap::NotDefined);
        const double es = -large->ei[static_cast<std::size_t>(i)];
        return checked(micrometres, {es, es - it});
    }

    const SizeRow &row = *rowOfSize(micrometres);
    for (const HoleException &cell : holeExceptions) {
        if (letter == QStringView(cell.letter) && grade == cell.grade && row.over >= cell.over && row.upTo <= cell.upTo)
            return checked(micrometres, {cell.es, cell.es - it});
    }
    const int i = indexOf(lowerLetters, shaft);
    const std::optional<double> shaftCell = row.ei[static_cast<std::size_t>(i)];
    if (!shaftCell) // T, V, Y exist only where the shafts t, v, y do
        return none(Gap::NotDefined);
    const double shaftEi = *shaftCell;
    const bool upTo3mm = &row == &sizeRows.front();
    const double delta = upTo3mm ? 0 : it - *toleranceAt(micrometres, grade - 1);
    double es = 0;
    if (l == u'K')
        es = grade <= 8 ? -shaftEi + delta : 0;
    else if (l == u'M')
        es = grade <= 8 ? -shaftEi + delta : -shaftEi;
    else if (l == u'N')
        es = grade <= 8 ? -shaftEi + delta : upTo3mm ? -shaftEi : 0;
    else
        es = grade <= 7 ? -shaftEi + delta : -shaftEi;
    return checked(micrometres, {es, es - it});
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

QString limitSizeText(int nominal, double deviation)
{
    // Counted in hundredths of a micrometre, then divided once: the nearest double of
    // an exact decimal of at most five places, which the number text gives back digit
    // for digit.
    const long long hundredths = static_cast<long long>(nominal) * 100 + std::llround(deviation * 100);
    return numberText(static_cast<double>(hundredths) / 100000);
}

QString signedText(double value)
{
    return value > 0 ? QLatin1Char('+') + numberText(value) : numberText(value);
}

QString deviationsInMillimetres(Limits limits)
{
    if (limits.upper == -limits.lower)
        return QStringLiteral("(±%1)").arg(numberText(limits.upper / 1000));
    QString upper = signedText(limits.upper / 1000);
    QString lower = signedText(limits.lower / 1000);
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
    const double mean = (hole.upper + hole.lower) / 2 - (shaft.upper + shaft.lower) / 2;
    const double sigmaHole = (hole.upper - hole.lower) / 6;
    const double sigmaShaft = (shaft.upper - shaft.lower) / 6;
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
    texts.holeUpper = numberText(hole->upper);
    texts.holeLower = numberText(hole->lower);
    texts.shaftUpper = numberText(shaft->upper);
    texts.shaftLower = numberText(shaft->lower);
    texts.holeMax = limitSizeText(nominal.micrometres, hole->upper);
    texts.holeMin = limitSizeText(nominal.micrometres, hole->lower);
    texts.shaftMax = limitSizeText(nominal.micrometres, shaft->upper);
    texts.shaftMin = limitSizeText(nominal.micrometres, shaft->lower);
    texts.holeTolerance = numberText(fit.holeTolerance);
    texts.shaftTolerance = numberText(fit.shaftTolerance);

    const QString diameter = QStringLiteral("Ø") + numberText(nominal.micrometres / 1000.0);
    const QString fields = texts.holeField + QLatin1Char('/') + texts.shaftField;
    QString figures;
    switch (fit.kind) {
    case FitKind::Clearance:
        texts.maxClearance = numberText(fit.maxClearance);
        texts.minClearance = numberText(fit.minClearance);
        texts.kind = QStringLiteral("посадка с зазором");
        figures = QStringLiteral("зазор наибольший %1 мкм, наименьший %2 мкм").arg(texts.maxClearance, texts.minClearance);
        break;
    case FitKind::Transition:
        texts.maxClearance = numberText(fit.maxClearance);
        texts.maxInterference = numberText(fit.maxInterference);
        texts.kind = QStringLiteral("переходная посадка");
        figures = QStringLiteral("зазор наибольший %1 мкм, натяг наибольший %2 мкм")
                      .arg(texts.maxClearance, texts.maxInterference);
        break;
    case FitKind::Interference:
        texts.maxInterference = numberText(fit.maxInterference);
        texts.minInterference = numberText(fit.minInterference);
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
        // Both rounded as one: the two always add up to 100.
        const double interference = std::round(chances.interference * 10) / 10;
        texts.probability = QStringLiteral("натяг %1 %, зазор %2 %")
                                .arg(numberText(interference), numberText(std::round(1000 - interference * 10) / 10));
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
