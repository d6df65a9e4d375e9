// SPDX-License-Identifier: MIT
// The general tolerances: telling cells of every table, every boundary rule (the upper
// bound belongs to its interval), the words where a table gives no value, the grade
// form from the IT table, the requirement line, and bad sizes.
#include "core/number_text.h"
#include "general/general_tables.h"

#include <QTest>

using namespace merilon;
using namespace merilon::general;

namespace {

enum SizeClass { f, m, c, v };
enum FormClass { H, K, L };

const QString atSize = toQString(writtenAtSize);
const QString none = toQString(notSet);

// A box of the window by its name.
QString shown(const GeneralTexts &t, const QString &box)
{
    const std::pair<const char *, QString GeneralTexts::*> boxes[] = {
        {"Линейный", &GeneralTexts::linear},
        {"Скругление", &GeneralTexts::edge},
        {"Угол", &GeneralTexts::angle},
        {"Прямолинейность", &GeneralTexts::straightness},
        {"Перпендикулярность", &GeneralTexts::perpendicularity},
        {"Симметричность", &GeneralTexts::symmetry},
        {"Биение", &GeneralTexts::runOut},
        {"Отверстия", &GeneralTexts::hole},
        {"Валы", &GeneralTexts::shaft},
        {"Прочие", &GeneralTexts::other},
    };
    for (const auto &[name, member] : boxes) {
        if (box == QString::fromUtf8(name))
            return t.*member;
    }
    qFatal("no box %s", qPrintable(box));
}

} // namespace

class GeneralTablesTest : public QObject
{
    Q_OBJECT

private slots:
    void lists()
    {
        QCOMPARE(sizeClassTexts().join('|'), QString("f — точный|m — средний|c — грубый|v — очень грубый"));
        QCOMPARE(formClassTexts().join('|'), QString("H|K|L"));
        QCOMPARE(gradeTexts().join('|'), QString("12|13|14|15|16|17"));
    }

    // Each row: the box, the class (f m c v, or H K L for the form boxes), the size
    // typed, what the box shows.
    void cells_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("cls");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *box, int cls, const char *size, const QString &expected) {
            QTest::newRow(name) << QString::fromUtf8(box) << cls << QString::fromUtf8(size) << expected;
        };
        // Table 1 of GOST 30893.1: linear sizes.
        row("Линейный f / от 0,5 до 3: 0,5 belongs", "Линейный", f, "0,5", "±0,05");
        row("Линейный c / от 0,5 до 3: 3 belongs", "Линейный", c, "3", "±0,2");
        row("Линейный c / св. 3 до 6: 3,001", "Линейный", c, "3,001", "±0,3");
        row("Линейный m / св. 30 до 120: 120", "Линейный", m, "120", "±0,3");
        row("Линейный v / св. 1000 до 2000: 2000", "Линейный", v, "2000", "±6");
        row("Линейный m / св. 2000 до 4000: 4000", "Линейный", m, "4000", "±2");
        row("Линейный f / св. 2000 до 4000: dash", "Линейный", f, "2000,001", none);
        row("Линейный v / от 0,5 до 3: dash", "Линейный", v, "3", none);
        row("Линейный v / св. 3 до 6: 3,001", "Линейный", v, "3,001", "±0,5");
        row("Линейный c / св. 4000: none", "Линейный", c, "4000,001", none);
        row("Линейный m / below 0,5", "Линейный", m, "0,499", atSize);
        // Table 2: broken edges.
        row("Скругление f / от 0,5 до 3: 3", "Скругление", f, "3", "±0,2");
        row("Скругление c / св. 3 до 6: 6", "Скругление", c, "6", "±1");
        row("Скругление v / св. 6: 6,001", "Скругление", v, "6,001", "±2");
        row("Скругление m / св. 6: 5000", "Скругление", m, "5000", "±1");
        row("Скругление c / below 0,5", "Скругление", c, "0,4", atSize);
        // Table 3: angles, by the shorter side; no lower bound.
        row("Угол f / до 10: 0,3", "Угол", f, "0,3", "±1°");
        row("Угол v / до 10: 10", "Угол", v, "10", "±3°");
        row("Угол c / св. 10 до 50: 10,001", "Угол", c, "10,001", "±1°");
        row("Угол m / св. 50 до 120: 120", "Угол", m, "120", "±0°20′");
        row("Угол c / св. 120 до 400: 400", "Угол", c, "400", "±0°15′");
        row("Угол v / св. 400: 400,001", "Угол", v, "400,001", "±0°20′");
        // GOST 30893.2, tables 1 to 4.
        row("Прямолинейность H / до 10: 10", "Прямолинейность", H, "10", "0,02");
        row("Прямолинейность K / св. 10 до 30: 10,001", "Прямолинейность", K, "10,001", "0,1");
        row("Прямолинейность L / св. 300 до 1000: 1000", "Прямолинейность", L, "1000", "1,2");
        row("Прямолинейность H / св. 1000 до 3000: 3000", "Прямолинейность", H, "3000", "0,4");
        row("Прямолинейность K / св. 3000: none", "Прямолинейность", K, "3000,001", none);
        row("Перпендикулярность H / до 100: 100", "Перпендикулярность", H, "100", "0,2");
        row("Перпендикулярность K / св. 100 до 300: 100,001", "Перпендикулярность", K, "100,001", "0,6");
        row("Перпендикулярность L / св. 1000 до 3000: 3000", "Перпендикулярность", L, "3000", "2");
        row("Перпендикулярность L / св. 3000: none", "Перпендикулярность", L, "3001", none);
        row("Симметричность H / св. 1000 до 3000: 2500", "Симметричность", H, "2500", "0,5");
        row("Симметричность K / св. 300 до 1000: 300,001", "Симметричность", K, "300,001", "0,8");
        row("Симметричность L / св. 100 до 300: 300", "Симметричность", L, "300", "1");
        row("Биение H: any length", "Биение", H, "5000", "0,1");
        row("Биение K", "Биение", K, "0,1", "0,2");
        row("Биение L", "Биение", L, "25", "0,5");
    }
    void cells()
    {
        QFETCH(QString, box);
        QFETCH(int, cls);
        QFETCH(QString, size);
        QFETCH(QString, expected);
        // `cls` is a class of the table the box shows; the other table keeps m or K.
        const bool form = QStringList{"Прямолинейность", "Перпендикулярность", "Симметричность", "Биение"}.contains(box);
        const GeneralTexts t = generalTexts(size, form ? m : cls, form ? cls : K, 14, Designation::Classes);
        QCOMPARE(shown(t, box), expected);
    }

    // The grade form from the IT table of the fits: +IT, −IT, ±IT/2 in millimetres.
    void grades_data()
    {
        QTest::addColumn<int>("grade");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("expected"); // holes|shafts|others|message?
        QTest::newRow("14 / св. 18 до 30") << 14 << "25" << "+0,52|-0,52|±0,26|";
        QTest::newRow("12 / от 1 до 3: 3") << 12 << "3" << "+0,1|-0,1|±0,05|";
        QTest::newRow("13 / св. 3 до 6: 3,001") << 13 << "3,001" << "+0,18|-0,18|±0,09|";
        QTest::newRow("17 / св. 400 до 500: 500") << 17 << "500" << "+6,3|-6,3|±3,15|";
        QTest::newRow("14 / св. 500 до 630: 500,001") << 14 << "500,001" << "+1,75|-1,75|±0,875|";
        QTest::newRow("17 / св. 2500 до 3150: 3150") << 17 << "3150" << "+21|-21|±10,5|";
        QTest::newRow("12 / below 1") << 12 << "0,9" << "+0,1|-0,1|±0,05|";
        QTest::newRow("14 / below 1: not used") << 14 << "0,9" << "|||менее 1 мм";
        QTest::newRow("12 / above 3150") << 12 << "3150,001" << "|||до 3150 мм";
    }
    void grades()
    {
        QFETCH(int, grade);
        QFETCH(QString, size);
        QFETCH(QString, expected);
        const GeneralTexts t = generalTexts(size, m, K, grade, Designation::Grade);
        const QString message = expected.section('|', 3);
        QCOMPARE(QStringList({t.hole, t.shaft, t.other}).join('|'), expected.section('|', 0, 2));
        QCOMPARE(t.message.isEmpty(), message.isEmpty());
        QVERIFY2(t.message.contains(message), qPrintable(t.message));
        if (!message.isEmpty()) // the rest still shown
            QCOMPARE(t.linear, size == "0,9" ? QString("±0,1") : QString("±2"));
    }

    void requirementLines_data()
    {
        QTest::addColumn<int>("sizeClass");
        QTest::addColumn<int>("formClass");
        QTest::addColumn<int>("grade");
        QTest::addColumn<bool>("byGrade");
        QTest::addColumn<QString>("line");
        QTest::newRow("m K") << int(m) << int(K) << 14 << false << "Общие допуски по ГОСТ 30893.2 — mK";
        QTest::newRow("v L") << int(v) << int(L) << 14 << false << "Общие допуски по ГОСТ 30893.2 — vL";
        QTest::newRow("grade 17") << int(c) << int(L) << 17 << true
                                  << "Неуказанные предельные отклонения размеров: H17, h17, ±IT17/2";
        // A list with no item chosen gives no line (and no value).
        QTest::newRow("no class") << -1 << int(K) << 14 << false << "";
        QTest::newRow("no form class") << int(m) << 3 << 14 << false << "";
    }
    void requirementLines()
    {
        QFETCH(int, sizeClass);
        QFETCH(int, formClass);
        QFETCH(int, grade);
        QFETCH(bool, byGrade);
        QFETCH(QString, line);
        const Designation d = byGrade ? Designation::Grade : Designation::Classes;
        QCOMPARE(generalTexts(u"25", sizeClass, formClass, grade, d).requirement, line);
        QCOMPARE(generalTexts(u"abc", sizeClass, formClass, grade, d).requirement, line); // whatever the size
        if (line.isEmpty())
            QCOMPARE(generalTexts(u"25", sizeClass, formClass, grade, d).linear, QString());
    }

    // A bad size says why, and no box shows a value.
    void badSizes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("says");
        QTest::newRow("empty") << "" << "Введите";
        QTest::newRow("zero") << "0" << "вне диапазона";
        QTest::newRow("negative") << "-5" << "вне диапазона";
        QTest::newRow("above 10000") << "10000,001" << "вне диапазона";
        QTest::newRow("fourth decimal") << "25,0001" << "точнее 0,001";
        QTest::newRow("letters") << "abc" << "не число";
        QTest::newRow("exponent") << "1e2" << "не число";
    }
    void badSizes()
    {
        QFETCH(QString, text);
        QFETCH(QString, says);
        const GeneralTexts t = generalTexts(text, m, K, 14, Designation::Classes);
        QVERIFY2(t.message.contains(says), qPrintable(t.message));
        for (const char *box : {"Линейный", "Скругление", "Угол", "Прямолинейность", "Перпендикулярность",
                                "Симметричность", "Биение", "Отверстия", "Валы", "Прочие"})
            QCOMPARE(shown(t, QString::fromUtf8(box)), QString());
        QCOMPARE(generalTexts(u"10000", m, K, 14, Designation::Classes).linear, none); // the largest size
    }
};

QTEST_GUILESS_MAIN(GeneralTablesTest)
#include "test_general_tables.moc"
