// SPDX-License-Identifier: MIT
// The tables of GOST 24643-81 and their lookup, without a window.
#include "core/number_text.h"
#include "form_position/form_position_tables.h"

#include <QTest>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace merilon;
using namespace merilon::form_position;
using merilon::toQString;

namespace merilon::form_position {
char *toString(const Shown &shown)
{
    return QTest::toString(shown.value + u" | "_s + shown.unit);
}
} // namespace merilon::form_position

namespace {

// The tables by the number of their group in the standard, as the rows below give it.
std::span<const ValueRow> table(int group)
{
    return rows(Table(group));
}

std::optional<Shown> lookUp(int group, const QString &interval, const QString &degree)
{
    return group <= 2 ? lengthTolerance(Table(group), interval, degree)
                      : diameterTolerance(Table(group), interval, degree);
}

// Member k of the preferred-number series in hundredths of a micrometre; member 0 is
// 1 µm, member −6 is 0,25 µm.
long long seriesHundredths(int k)
{
    static constexpr std::array<long long, 10> mantissa = {100, 120, 160, 200, 250, 300, 400, 500, 600, 800};
    const int decade = k >= 0 ? k / 10 : -((-k + 9) / 10);
    long long value = mantissa[static_cast<std::size_t>(k - 10 * decade)];
    for (int i = 0; i < decade; ++i)
        value *= 10;
    for (int i = 0; i > decade; --i)
        value /= 10; // exact for every member the tables reach
    return value;
}

// Whole units of 10^-decimals as a decimal text with a comma, built digit by digit.
QString decimalText(long long units, int decimals)
{
    const QString digits = QString::number(units).rightJustified(decimals + 1, u'0');
    QString fraction = digits.right(decimals);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    const QString whole = digits.left(digits.size() - decimals);
    return fraction.isEmpty() ? whole : whole + u',' + fraction;
}

} // namespace

class TestFormPositionTables : public QObject
{
    Q_OBJECT

private slots:
    void typeMapping_data();
    void typeMapping();
    void intervalLists();
    void tellingRows_data();
    void tellingRows();
    void everyCellFollowsTheSeries_data();
    void everyCellFollowsTheSeries();
    void groupTwoIsGroupOneOneDegreeCoarser();
    void everyCellShowsItsExactDecimal();
    void choicesThatNameNoCellShowNothing_data();
    void choicesThatNameNoCellShowNothing();
    void groupOfTheOtherKindShowsZero();
    void notesText();
};

void TestFormPositionTables::typeMapping_data()
{
    QTest::addColumn<int>("listKind");
    QTest::addColumn<int>("group");
    QTest::newRow("круглости") << 4 << 3;
    QTest::newRow("наклона") << 3 << 2;
    QTest::newRow("параллельности") << 3 << 2;
    QTest::newRow("пересечения осей") << 4 << 4;
    QTest::newRow("плоскостности") << 3 << 1;
    QTest::newRow("полного торцевого биения") << 3 << 2;
    QTest::newRow("профиля продольного сечения") << 4 << 3;
    QTest::newRow("прямолинейности") << 3 << 1;
    QTest::newRow("радиального биения") << 4 << 4;
    QTest::newRow("симметричности") << 4 << 4;
    QTest::newRow("соосности") << 4 << 4;
    QTest::newRow("торцевого биения") << 3 << 2;
    QTest::newRow("цилиндричности") << 4 << 3;
}

void TestFormPositionTables::typeMapping()
{
    QFETCH(int, listKind);
    QFETCH(int, group);
    const QString name = QString::fromUtf8(QTest::currentDataTag());
    const ToleranceType *type = findType(name);
    QVERIFY(type);
    QCOMPARE(type->intervals, listKind == 3 ? IntervalList::Lengths : IntervalList::Diameters);
    QCOMPARE(int(type->table), group);
    // Thirteen names in alphabetical order: the rows above, in list order.
    const QStringList list = typeTexts();
    QCOMPARE(list.size(), 13);
    QVERIFY(std::is_sorted(list.begin(), list.end()));
    QVERIFY(!findType(name + u' '));
    QVERIFY(!findType(name.chopped(1)));
}

void TestFormPositionTables::intervalLists()
{
    const QStringList lengths = u"до 10|свыше 10 до 16|свыше 16 до 25|свыше 25 до 40|свыше 40 до 63|"
                                u"свыше 63 до 100|свыше 100 до 160|свыше 160 до 250|свыше 250 до 400|"
                                u"свыше 400 до 630|свыше 630 до 1000|свыше 1000 до 1600|"
                                u"свыше 1600 до 2500|свыше 2500 до 4000|свыше 4000 до 6300|"
                                u"свыше 6300 до 10000"_s.split(u'|');
    const QStringList diameters = u"до 3|свыше 3 до 10|свыше 10 до 18|свыше 18 до 30|свыше 30 до 50|"
                                  u"свыше 50 до 120|свыше 120 до 250|свыше 250 до 400|свыше 400 до 630|"
                                  u"свыше 630 до 1000|свыше 1000 до 1600|свыше 1600 до 2500"_s.split(u'|');
    QCOMPARE(intervalTexts(IntervalList::Lengths), lengths);
    QCOMPARE(intervalTexts(IntervalList::Diameters), diameters);
    // Each table's rows are its list, in order.
    for (int group = 1; group <= 4; ++group) {
        QStringList rows;
        for (const ValueRow &row : table(group))
            rows.append(toQString(row.interval));
        QCOMPARE(rows, group <= 2 ? lengths : diameters);
    }
    QCOMPARE(degreeTexts(), u"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"_s.split(u' '));
}

void TestFormPositionTables::tellingRows_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("1 / до 10") << 1 << 0
        << QList<double>{0.25, 0.4, 0.6, 1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250};
    QTest::newRow("1 / свыше 6300 до 10000") << 1 << 15
        << QList<double>{8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000, 5000, 8000};
    QTest::newRow("2 / до 10") << 2 << 0
        << QList<double>{0.4, 0.6, 1, 1.6, 2.5, 4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400};
    QTest::newRow("2 / свыше 6300 до 10000") << 2 << 15
        << QList<double>{12, 20, 30, 50, 80, 120, 200, 300, 500, 800, 1200, 2000, 3000, 5000, 8000, 12000};
    QTest::newRow("3 / до 3") << 3 << 0
        << QList<double>{0.3, 0.5, 0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300};
    QTest::newRow("3 / свыше 1600 до 2500") << 3 << 11
        << QList<double>{4, 6, 10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000};
    QTest::newRow("4 / до 3") << 4 << 0
        << QList<double>{0.8, 1.2, 2, 3, 5, 8, 12, 20, 30, 50, 80, 120, 200, 300, 500, 800};
    QTest::newRow("4 / свыше 1600 до 2500") << 4 << 11
        << QList<double>{10, 16, 25, 40, 60, 100, 160, 250, 400, 600, 1000, 1600, 2500, 4000, 6000, 10000};
}

void TestFormPositionTables::tellingRows()
{
    QFETCH(int, group);
    QFETCH(int, row);
    QFETCH(QList<double>, values);
    const ValueRow &cells = table(group)[static_cast<std::size_t>(row)];
    QCOMPARE(toQString(cells.interval), QString::fromUtf8(QTest::currentDataTag()).section(u" / "_s, 1));
    QCOMPARE(QList<double>(cells.micrometres.begin(), cells.micrometres.end()), values);
}

void TestFormPositionTables::everyCellFollowsTheSeries_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("firstMember"); // the first interval's value at degree 1
    QTest::newRow("1 from 0,25 µm") << 1 << -6;
    QTest::newRow("2 from 0,4 µm") << 2 << -4;
    QTest::newRow("3 from 0,3 µm") << 3 << -5;
    QTest::newRow("4 from 0,8 µm") << 4 << -1;
}

// One member further per interval, two per degree.
void TestFormPositionTables::everyCellFollowsTheSeries()
{
    QFETCH(int, group);
    QFETCH(int, firstMember);
    const std::span<const ValueRow> rows = table(group);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int d = firstDegree; d <= lastDegree; ++d) {
            const double cell = rows[i].micrometres[static_cast<std::size_t>(d - 1)];
            const long long member = seriesHundredths(firstMember + static_cast<int>(i) + 2 * (d - 1));
            QVERIFY2(std::llround(cell * 100) == member && cell * 100 == std::round(cell * 100),
                     qPrintable(toQString(rows[i].interval) + u" / "_s + QString::number(d)));
        }
    }
}

void TestFormPositionTables::groupTwoIsGroupOneOneDegreeCoarser()
{
    for (std::size_t i = 0; i < table(1).size(); ++i) {
        for (std::size_t d = 0; d + 1 < static_cast<std::size_t>(degreeCount); ++d)
            QCOMPARE(table(2)[i].micrometres[d], table(1)[i].micrometres[d + 1]);
    }
}

// Each cell as the lookups show it, against a text built from whole hundredths of a
// micrometre without floating point: micrometres up to degree 12, millimetres from 13.
void TestFormPositionTables::everyCellShowsItsExactDecimal()
{
    int checked = 0;
    for (int group = 1; group <= 4; ++group) {
        for (const ValueRow &row : table(group)) {
            for (int d = firstDegree; d <= lastDegree; ++d) {
                const long long hundredths = std::llround(row.micrometres[static_cast<std::size_t>(d - 1)] * 100);
                const Shown expected = d < 13 ? Shown{decimalText(hundredths, 2), u"мкм"_s}
                                              : Shown{decimalText(hundredths, 5), u"мм"_s};
                QCOMPARE(lookUp(group, toQString(row.interval), QString::number(d)).value_or(Shown{}), expected);
                ++checked;
            }
        }
    }
    QCOMPARE(checked, 2 * 16 * 16 + 2 * 12 * 16);
    QCOMPARE(lookUp(1, u"до 10"_s, u"13"_s).value_or(Shown{}), (Shown{u"0,06"_s, u"мм"_s}));
    QCOMPARE(lookUp(1, u"до 10"_s, u"12"_s).value_or(Shown{}), (Shown{u"40"_s, u"мкм"_s}));
}

void TestFormPositionTables::choicesThatNameNoCellShowNothing_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QString>("degree");
    QTest::newRow("edited interval") << 1 << "до 1" << "7";
    QTest::newRow("emptied interval") << 4 << "" << "7";
    QTest::newRow("interval and a space") << 4 << "до 3 " << "7";
    QTest::newRow("diameter interval, length table") << 1 << "до 3" << "7";
    QTest::newRow("length interval, diameter table") << 3 << "до 10" << "7";
    QTest::newRow("emptied degree") << 4 << "до 3" << "";
    QTest::newRow("degree 0") << 4 << "до 3" << "0";
    QTest::newRow("degree 17") << 1 << "до 10" << "17";
    QTest::newRow("degree 7,5") << 1 << "до 10" << "7,5";
    QTest::newRow("degree 1 6") << 3 << "до 3" << "1 6";
}

void TestFormPositionTables::choicesThatNameNoCellShowNothing()
{
    QFETCH(int, group);
    QFETCH(QString, interval);
    QFETCH(QString, degree);
    QVERIFY(!lookUp(group, interval, degree));
}

void TestFormPositionTables::groupOfTheOtherKindShowsZero()
{
    QCOMPARE(lengthTolerance(Table::Roundness, u"до 3", u"7").value_or(Shown{}), (Shown{u"0"_s, u"мкм"_s}));
    QCOMPARE(diameterTolerance(Table::Flatness, u"до 10", u"14").value_or(Shown{}), (Shown{u"0"_s, u"мм"_s}));
    QVERIFY(!diameterTolerance(Table::Flatness, u"до 3", u""));
}

void TestFormPositionTables::notesText()
{
    QCOMPARE(toQString(radialRunOutNotes),
             u"   1.Допуски распространяются также на \n\r"
             u"концентричность, полное радиальное \n\r"
             u"биение и биение в заданном направлении.\n\r"
             u"   2. Допуски соосности, симметричности \n\r"
             u"и пересечения осей приведены в \n\r"
             u"диаметральном выражении. \n\r"
             u"Соответствующие им допуски в радиусном \n\r"
             u"выражении могут быть получены делением \n\r"
             u"их значений пополам.\n\r"_s);
}

QTEST_APPLESS_MAIN(TestFormPositionTables)
#include "test_form_position_tables.moc"
