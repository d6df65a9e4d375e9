// SPDX-License-Identifier: MIT
// The limits-and-fits tables cell by cell where a slip is likely, the rules the
// tables obey, and the deviations shown for a choice.
#include "fits/fits_tables.h"
#include "fits/fit.h"

#include "core/number_text.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace merilon::fits;
using merilon::toQString;

Q_DECLARE_METATYPE(merilon::fits::Prompt)

namespace {

const SizeRow &row(const char *text)
{
    const SizeRow *r = findSize(QString::fromUtf8(text));
    if (!r)
        qFatal("no row %s", text);
    return *r;
}

int column(std::u16string_view letter, auto &letters)
{
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (letters[i] == letter)
            return static_cast<int>(i);
    }
    qFatal("no letter");
}

} // namespace

class FitsTables : public QObject
{
    Q_OBJECT

private slots:
    void intervalTexts()
    {
        const QStringList expected = {
            "от 1 до 3",      "св. 3 до 6",     "св. 6 до 10",    "св. 10 до 14",   "св. 14 до 18",
            "св. 18 до 24",   "св. 24 до 30",   "св. 30 до 40",   "св. 40 до 50",   "св. 50 до 65",
            "св. 65 до 80",   "св. 80 до 100",  "св. 100 до 120", "св. 120 до 140", "св. 140 до 160",
            "св. 160 до 180", "св. 180 до 200", "св. 200 до 225", "св. 225 до 250", "св. 250 до 280",
            "св. 280 до 315", "св. 315 до 355", "св. 355 до 400", "св. 400 до 450", "св. 450 до 500"};
        QCOMPARE(sizeTexts(), expected);
        QCOMPARE(gradeTexts(), QStringList({"5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17"}));
        QCOMPARE(toQString(basicHole).at(0).unicode(), char16_t(0x041D));
        QVERIFY(!findSize(u"св. 3 до "));
        QVERIFY(!findSize(u"не выбрано"));
        QVERIFY(!findSize(u"св. 3 до 6 "));
    }

    void standardTolerance_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("it");
        // One cell of every row, walking across the grades, and the four corners.
        const struct { const char *size; int grade; int it; } cells[] = {
            {"от 1 до 3", 5, 4},         {"св. 3 до 6", 6, 8},        {"св. 6 до 10", 7, 15},
            {"св. 10 до 14", 8, 27},     {"св. 14 до 18", 9, 43},     {"св. 18 до 24", 10, 84},
            {"св. 24 до 30", 11, 130},   {"св. 30 до 40", 12, 250},   {"св. 40 до 50", 13, 390},
            {"св. 50 до 65", 14, 740},   {"св. 65 до 80", 15, 1200},  {"св. 80 до 100", 16, 2200},
            {"св. 100 до 120", 17, 3500}, {"св. 120 до 140", 5, 18},  {"св. 140 до 160", 6, 25},
            {"св. 160 до 180", 7, 40},   {"св. 180 до 200", 8, 72},   {"св. 200 до 225", 9, 115},
            {"св. 225 до 250", 10, 185}, {"св. 250 до 280", 11, 320}, {"св. 280 до 315", 12, 520},
            {"св. 315 до 355", 13, 890}, {"св. 355 до 400", 14, 1400}, {"св. 400 до 450", 15, 2500},
            {"св. 450 до 500", 16, 4000}, {"от 1 до 3", 17, 1000},    {"св. 450 до 500", 5, 27},
            {"св. 450 до 500", 17, 6300}, {"св. 180 до 200", 9, 115}, {"св. 400 до 450", 9, 155},
            {"св. 3 до 6", 10, 48},      {"св. 6 до 10", 10, 58},    {"св. 315 до 355", 7, 57},
            {"св. 400 до 450", 8, 97},   {"св. 250 до 280", 6, 32},   {"св. 180 до 200", 6, 29},
        };
        for (const auto &c : cells)
            QTest::addRow("%s / %d", c.size, c.grade) << QString::fromUtf8(c.size) << c.grade << c.it;
    }
    void standardTolerance()
    {
        QFETCH(QString, size);
        QFETCH(int, grade);
        QFETCH(int, it);
        QCOMPARE(merilon::fits::standardTolerance(size, grade), std::optional<int>(it));
    }

    void toleranceRules()
    {
        // Each finer interval of the main window lies within one main step of the IT
        // table: its standard tolerances are the same from its lower to its upper bound.
        for (const SizeRow &r : sizeRows) {
            for (int g = finestGrade; g <= coarsestGrade; ++g)
                QCOMPARE(toleranceAt(r.over * 1000 + 1, g), toleranceAt(r.upTo * 1000, g));
        }
        for (std::size_t r = 0; r < toleranceRows.size(); ++r) {
            const auto &it = toleranceRows[r].it;
            const QByteArray name = QByteArray::number(toleranceRows[r].upTo);
            for (std::size_t g = 1; g < it.size(); ++g)
                QVERIFY2(!it[g - 1] || it[g] > it[g - 1], name);
            // From IT7 on each grade five steps coarser is ten times wider.
            for (std::size_t g = 8; g + 5 < it.size(); ++g)
                QCOMPARE(*it[g + 5], 10 * *it[g]);
            if (r > 0) {
                QCOMPARE(toleranceRows[r].over, toleranceRows[r - 1].upTo);
                for (std::size_t g = 0; g < it.size(); ++g)
                    QVERIFY2(!it[g] || it[g] >= toleranceRows[r - 1].it[g], name);
            }
        }
    }

    void fundamentalDeviations_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<double>("value");
        const double none = qQNaN(); // the standard defines no such field for the size
        const struct { const char *size; const char16_t *letter; double value; } cells[] = {
            {"от 1 до 3", u"a", -270},       {"св. 6 до 10", u"b", -150},     {"св. 10 до 14", u"c", -95},
            {"св. 18 до 24", u"d", -65},     {"св. 30 до 40", u"c", -120},    {"св. 40 до 50", u"a", -320},
            {"св. 80 до 100", u"e", -72},    {"св. 120 до 140", u"d", -145},  {"св. 160 до 180", u"a", -580},
            {"св. 200 до 225", u"b", -380},  {"св. 280 до 315", u"a", -1050}, {"св. 315 до 355", u"f", -62},
            {"св. 400 до 450", u"g", -20},   {"св. 450 до 500", u"a", -1650}, {"св. 450 до 500", u"c", -480},
            {"св. 3 до 6", u"g", -4},        {"св. 250 до 280", u"f", -56},   {"св. 225 до 250", u"c", -280},
            {"от 1 до 3", u"k", 0},          {"св. 3 до 6", u"k", 1},         {"св. 80 до 100", u"k", 3},
            {"св. 400 до 450", u"k", 5},     {"св. 6 до 10", u"m", 6},        {"св. 315 до 355", u"m", 21},
            {"св. 18 до 24", u"n", 15},      {"св. 180 до 200", u"n", 31},    {"св. 50 до 65", u"p", 32},
            {"св. 65 до 80", u"r", 43},      {"св. 140 до 160", u"r", 65},    {"св. 450 до 500", u"r", 132},
            {"св. 100 до 120", u"s", 79},    {"св. 225 до 250", u"s", 140},   {"св. 18 до 24", u"t", none},
            {"св. 24 до 30", u"t", 41},      {"св. 355 до 400", u"t", 294},   {"св. 140 до 160", u"u", 190},
            {"св. 10 до 14", u"v", none},       {"св. 14 до 18", u"v", 39},      {"св. 250 до 280", u"v", 385},
            {"св. 14 до 18", u"x", 45},      {"св. 200 до 225", u"x", 385},   {"св. 14 до 18", u"y", none},
            {"св. 18 до 24", u"y", 63},      {"св. 280 до 315", u"y", 650},   {"от 1 до 3", u"z", 26},
            {"св. 120 до 140", u"z", 365},   {"св. 450 до 500", u"z", 1250},  {"св. 400 до 450", u"u", 490},
        };
        for (const auto &c : cells) {
            const QString letter = QString::fromUtf16(c.letter);
            QTest::addRow("%s / %s", c.size, qPrintable(letter)) << QString::fromUtf8(c.size) << letter << c.value;
        }
    }
    void fundamentalDeviations()
    {
        QFETCH(QString, size);
        QFETCH(QString, letter);
        QFETCH(double, value);
        const SizeRow &r = row(size.toUtf8().constData());
        const std::u16string_view l(reinterpret_cast<const char16_t *>(letter.utf16()), letter.size());
        if (std::find(upperLetters.begin(), upperLetters.end(), l) != upperLetters.end())
            QCOMPARE(r.es[column(l, upperLetters)], value);
        else if (qIsNaN(value))
            QVERIFY(!r.ei[column(l, lowerLetters)]);
        else
            QCOMPARE(r.ei[column(l, lowerLetters)].value(), value);
    }

    void deviationRules()
    {
        for (std::size_t i = 0; i < sizeRows.size(); ++i) {
            const SizeRow &r = sizeRows[i];
            const QByteArray name = toQString(r.text).toUtf8();
            // a lies farthest below the zero line, g nearest; all below it.
            for (std::size_t l = 1; l < r.es.size(); ++l)
                QVERIFY2(r.es[l] > r.es[l - 1], name);
            QVERIFY2(r.es.back() < 0, name);
            // m … z lie ever higher above the zero line, where a field exists.
            double previous = 0;
            for (std::size_t l = 1; l < r.ei.size(); ++l) {
                if (!r.ei[l])
                    continue;
                QVERIFY2(*r.ei[l] > previous, name);
                previous = *r.ei[l];
            }
            if (i > 0) {
                for (std::size_t l = 0; l < r.es.size(); ++l)
                    QVERIFY2(r.es[l] <= sizeRows[i - 1].es[l], name);
                for (std::size_t l = 0; l < r.ei.size(); ++l)
                    QVERIFY2(r.ei[l] >= sizeRows[i - 1].ei[l], name);
            }
        }
        // The sizes without a t, v or y field are the small ones, in one block at the top.
        QCOMPARE(row("св. 24 до 30").ei[column(u"t", lowerLetters)], 41.0);
        QVERIFY(!row("св. 18 до 24").ei[column(u"t", lowerLetters)]);
        QCOMPARE(row("св. 14 до 18").ei[column(u"v", lowerLetters)], 39.0);
        QCOMPARE(row("св. 18 до 24").ei[column(u"y", lowerLetters)], 63.0);
        // k is a real 0 in the first row.
        QCOMPARE(row("от 1 до 3").ei[column(u"k", lowerLetters)], 0.0);
    }

    // Each row's bounds are the numbers its text names, and the rows follow on.
    void rowBoundsAreTheirTexts()
    {
        for (std::size_t i = 0; i < sizeRows.size(); ++i) {
            const SizeRow &r = sizeRows[i];
            const QString named = (i == 0 ? u"от %1 до %2"_s : u"св. %1 до %2"_s).arg(r.over).arg(r.upTo);
            QCOMPARE(toQString(r.text), named);
            if (i > 0)
                QCOMPARE(r.over, sizeRows[i - 1].upTo);
        }
    }

    void letterLists_data()
    {
        QTest::addColumn<int>("grade");
        QTest::addColumn<QString>("letters");
        QTest::newRow("5") << 5 << "Н h js e f g k m n p r s u";
        QTest::newRow("6") << 6 << "Н h js d e f g k m n p r s t u v";
        QTest::newRow("7") << 7 << "Н h js d e f g k m n p r s t u v x z";
        QTest::newRow("8") << 8 << "Н h js c d e f s t u v x z";
        QTest::newRow("9") << 9 << "Н h js a b c d e f";
        QTest::newRow("10") << 10 << "Н h js d";
        QTest::newRow("11") << 11 << "Н h js a b c d";
        QTest::newRow("12") << 12 << "Н h js b";
        for (int g = 13; g <= 17; ++g)
            QTest::addRow("%d", g) << g << "Н h js";
        QTest::newRow("4") << 4 << "";
        QTest::newRow("18") << 18 << "";
    }
    void letterLists()
    {
        QFETCH(int, grade);
        QFETCH(QString, letters);
        QCOMPARE(lettersForGrade(grade), letters.split(' ', Qt::SkipEmptyParts));
    }

    void deviations_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("grade");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<Prompt>("prompt");
        auto row = [](const char *name, const char *size, const char *grade, const char *letter, const char *upper,
                      const char *lower, Prompt prompt = Prompt::None) {
            QTest::newRow(name) << QString::fromUtf8(size) << QString::fromUtf8(grade) << QString::fromUtf8(letter)
                                << false << QString::fromUtf8(upper) << QString::fromUtf8(lower) << prompt;
        };
        row("св. 18 до 24 / 7 / Н", "св. 18 до 24", "7", "Н", "21", "0");
        row("св. 18 до 24 / 7 / h", "св. 18 до 24", "7", "h", "0", "-21");
        row("св. 18 до 24 / 7 / js", "св. 18 до 24", "7", "js", "10,5", "-10,5");
        row("св. 18 до 24 / 7 / f", "св. 18 до 24", "7", "f", "-20", "-41");
        row("св. 18 до 24 / 6 / k", "св. 18 до 24", "6", "k", "15", "2");
        row("св. 18 до 24 / 5 / k", "св. 18 до 24", "5", "k", "11", "2");
        row("св. 18 до 24 / 7 / k (k column up to grade 7)", "св. 18 до 24", "7", "k", "23", "2");
        row("св. 18 до 24 / 8 / k is not offered, 0 past grade 7", "св. 18 до 24", "8", "k", "33", "0");
        row("св. 450 до 500 / 17 / z", "св. 450 до 500", "17", "z", "7550", "1250");
        row("от 1 до 3 / 9 / js", "от 1 до 3", "9", "js", "12,5", "-12,5");
        row("св. 140 до 160 / 7 / u", "св. 140 до 160", "7", "u", "230", "190");
        row("св. 450 до 500 / 11 / a", "св. 450 до 500", "11", "a", "-1650", "-2050");
        row("св. 24 до 30 / 7 / t", "св. 24 до 30", "7", "t", "62", "41");
        row("св. 14 до 18 / 8 / v", "св. 14 до 18", "8", "v", "66", "39");
        row("от 1 до 3 / 5 / k", "от 1 до 3", "5", "k", "4", "0");
        row("св. 3 до 6 / 6 / t: no such field", "св. 3 до 6", "6", "t", "", "", Prompt::ChooseField);
        row("св. 10 до 14 / 6 / v: no such field", "св. 10 до 14", "6", "v", "", "", Prompt::ChooseField);
        row("св. 14 до 18 / 7 / y: no such field", "св. 14 до 18", "7", "y", "", "", Prompt::ChooseField);
        row("size not chosen", "не выбрано", "7", "Н", "0", "0", Prompt::ChooseSize);
        row("size not chosen, shaft", "не выбрано", "7", "z", "0", "0", Prompt::ChooseSize);
        row("size not chosen, no letter", "не выбрано", "7", "", "", "", Prompt::ChooseSize);
        row("size not chosen, grade not read", "не выбрано", "", "Н", "0", "0", Prompt::ChooseSize);
        row("size shortened", "св. 3 до ", "7", "Н", "0", "0", Prompt::ChooseSize);
        row("size shortened, no letter", "св. 3 до ", "7", "", "", "", Prompt::ChooseSize);
        row("no letter", "св. 3 до 6", "7", "", "", "", Prompt::ChooseField);
        row("letter j", "св. 3 до 6", "7", "j", "", "", Prompt::ChooseField);
        row("letter Latin H", "св. 3 до 6", "7", "H", "", "", Prompt::ChooseField);
        QTest::newRow("grade empty") << "св. 3 до 6" << "" << "Н" << true << "" << "" << Prompt::ChooseGrade;
        QTest::newRow("grade 1") << "св. 3 до 6" << "1" << "Н" << true << "" << "" << Prompt::ChooseGrade;
        QTest::newRow("grade 7,5") << "св. 3 до 6" << "7,5" << "Н" << true << "" << "" << Prompt::ChooseGrade;
        QTest::newRow("grade 18") << "св. 3 до 6" << "18" << "js" << true << "" << "" << Prompt::ChooseGrade;
        QTest::newRow("grade empty, no letter") << "св. 3 до 6" << "" << "" << true << "" << "" << Prompt::ChooseGrade;
    }
    void deviations()
    {
        QFETCH(QString, size);
        QFETCH(QString, grade);
        QFETCH(QString, letter);
        QFETCH(bool, keep);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(Prompt, prompt);
        const Deviations d = merilon::fits::deviations(size, grade, letter);
        QCOMPARE(d.keepCaptions, keep);
        if (!keep) {
            QCOMPARE(d.upper, upper);
            QCOMPARE(d.lower, lower);
        }
        QCOMPARE(d.prompt, prompt);
    }

    void promptTexts()
    {
        QCOMPARE(toQString(promptTitle), QString("Извините, но ..."));
        QCOMPARE(promptText(Prompt::ChooseSize), QString("какие номинальные размеры Вас интересует?"));
        QCOMPARE(promptText(Prompt::ChooseField), QString("уточните поле допуска"));
        QCOMPARE(promptText(Prompt::ChooseGrade), QString("какой допуск Вы хотели бы посмотреть?"));
    }

    // Every offered field of every size and grade: the deviations bound a field
    // exactly IT wide, and the basic hole, h and js sit where they belong.
    void everyOfferedField()
    {
        int fields = 0;
        for (const SizeRow &r : sizeRows) {
            const QString size = toQString(r.text);
            for (int g = firstGrade; g <= lastGrade; ++g) {
                const int it = *merilon::fits::standardTolerance(size, g);
                for (const QString &letter : lettersForGrade(g)) {
                    const Deviations d = merilon::fits::deviations(size, QString::number(g), letter);
                    ++fields;
                    if (d.prompt == Prompt::ChooseField) { // a t or v field the standard lacks
                        QVERIFY(letter == "t" || letter == "v");
                        QVERIFY(d.upper.isEmpty() && d.lower.isEmpty());
                        continue;
                    }
                    QCOMPARE(d.prompt, Prompt::None);
                    const double upper = merilon::parseNumber(d.upper).value();
                    const double lower = merilon::parseNumber(d.lower).value();
                    QCOMPARE(upper - lower, double(it));
                    if (letter == "Н")
                        QCOMPARE(lower, 0.0);
                    if (letter == "h")
                        QCOMPARE(upper, 0.0);
                    if (letter == "js")
                        QCOMPARE(upper, -lower);
                }
            }
        }
        QCOMPARE(fields, 25 * (13 + 16 + 18 + 13 + 9 + 4 + 7 + 4 + 5 * 3));
    }
};

QTEST_GUILESS_MAIN(FitsTables)
#include "test_fits_tables.moc"
