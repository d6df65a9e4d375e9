// SPDX-License-Identifier: MIT
// The unspecified tolerance tables: interval lists, the series rule that builds every
// table, the display form, texts that find no cell, and the notes.
#include "core/number_text.h"
#include "unspecified/unspecified_tables.h"

#include <QTest>
#include <span>

using namespace merilon;
using namespace merilon::unspecified;
using namespace Qt::StringLiterals;

namespace {

const QList<double> series = {0.025, 0.03, 0.04, 0.05, 0.06, 0.08, 0.1, 0.12, 0.16, 0.2, 0.25, 0.3, 0.4, 0.5,
                              0.6,   0.8,  1,    1.2,  1.6,  2,    2.5, 3,    4,    5,   6,   8,   10};
const QStringList lengths = {
    u"до 10"_s,              u"свыше 10 до 16"_s,     u"свыше 16 до 25"_s,     u"свыше 25 до 40"_s,
    u"свыше 40 до 63"_s,     u"свыше 63 до 100"_s,    u"свыше 100 до 160"_s,   u"свыше 160 до 250"_s,
    u"свыше 250 до 400"_s,   u"свыше 400 до 630"_s,   u"свыше 630 до 1000"_s,  u"свыше 1000 до 1600"_s,
    u"свыше 1600 до 2500"_s, u"свыше 2500 до 4000"_s, u"свыше 4000 до 6300"_s, u"свыше 6300 до 10000"_s};
const QStringList diameters = {
    u"до 3"_s,             u"свыше 3 до 10"_s,     u"свыше 10 до 18"_s,     u"свыше 18 до 30"_s,
    u"свыше 30 до 50"_s,   u"свыше 50 до 120"_s,   u"свыше 120 до 250"_s,   u"свыше 250 до 400"_s,
    u"свыше 400 до 630"_s, u"свыше 630 до 1000"_s, u"свыше 1000 до 1600"_s, u"свыше 1600 до 2500"_s};

} // namespace

class TestUnspecifiedTables : public QObject
{
    Q_OBJECT

private slots:
    void lists()
    {
        QCOMPARE(intervalTexts(IntervalList::Lengths), lengths);
        QCOMPARE(intervalTexts(IntervalList::Diameters), diameters);
        QCOMPARE(firstInterval(IntervalList::Lengths), lengths.first());
        QCOMPARE(firstInterval(IntervalList::Diameters), diameters.first());
        QCOMPARE(accuracyGroupTexts(), (QStringList{u"12"_s, u"13 - 14"_s, u"15 - 16"_s, u"17"_s}));
    }

    // One term of the series per row; each column a fixed number of terms right of "12".
    void seriesRule_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<double>("first");
        QTest::addColumn<QList<int>>("offsets");
        QTest::addColumn<QStringList>("intervals");
        QTest::newRow("перпендикулярность") << 1 << 0.06 << QList<int>{0, 2, 4, 6} << lengths;
        QTest::newRow("торцевое биение") << 2 << 0.025 << QList<int>{0, 2, 6, 8} << lengths;
        QTest::newRow("симметричность, соосность …") << 3 << 0.2 << QList<int>{0, 2, 4, 6} << diameters;
    }
    void seriesRule()
    {
        QFETCH(int, table);
        QFETCH(double, first);
        QFETCH(QList<int>, offsets);
        QFETCH(QStringList, intervals);
        const std::span<const Row> rows = table == 1   ? std::span<const Row>(perpendicularityRows)
                                          : table == 2 ? std::span<const Row>(faceRunOutRows)
                                                       : std::span<const Row>(axisRows);
        QCOMPARE(qsizetype(rows.size()), intervals.size());
        for (qsizetype r = 0; r < intervals.size(); ++r) {
            const Row &row = rows[std::size_t(r)];
            QCOMPARE(toQString(row.interval), intervals.at(r));
            for (qsizetype c = 0; c < offsets.size(); ++c)
                QVERIFY2(row.mm[std::size_t(c)] == series.at(series.indexOf(first) + r + offsets.at(c)),
                         qPrintable(intervals.at(r) + u" / "_s + QString::number(c)));
        }
    }

    // Corner cells in their display form; groups 3 and 4 share one table; labels
    // compared exactly, so any other text finds nothing ("" below).
    void lookup_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("accuracy");
        QTest::addColumn<QString>("shown");
        const auto row = [](int group, const QString &interval, const QString &accuracy, const QString &shown) {
            QTest::addRow("%d / %s / %s", group, qPrintable(interval), qPrintable(accuracy))
                << group << interval << accuracy << shown;
        };
        row(1, u"до 10"_s, u"12"_s, u"0,06"_s);
        row(1, u"свыше 6300 до 10000"_s, u"17"_s, u"8"_s);
        row(2, u"до 10"_s, u"12"_s, u"0,025"_s);
        row(2, u"свыше 6300 до 10000"_s, u"17"_s, u"5"_s);
        for (int group : {3, 4}) {
            row(group, u"до 3"_s, u"12"_s, u"0,2"_s);
            row(group, u"свыше 3 до 10"_s, u"17"_s, u"1"_s);
            row(group, u"свыше 1600 до 2500"_s, u"12"_s, u"2,5"_s);
            row(group, u"свыше 1600 до 2500"_s, u"17"_s, u"10"_s);
        }
        row(1, u"до 3"_s, u"12"_s, QString());           // an interval of the other list
        row(3, u"свыше 10 до 16"_s, u"12"_s, QString());
        row(4, u"до 3 "_s, u"12"_s, QString());
        row(2, u"До 10"_s, u"12"_s, QString());
        row(1, QString(), u"12"_s, QString());
        row(4, u"до 3"_s, u"13-14"_s, QString());
        row(1, u"до 10"_s, QString(), QString());
    }
    void lookup()
    {
        QFETCH(int, group);
        QFETCH(QString, interval);
        QFETCH(QString, accuracy);
        QFETCH(QString, shown);
        QCOMPARE(valueText(Table(group), interval, accuracy).value_or(QString()), shown);
    }

    void kindNamesExactly()
    {
        QCOMPARE(kindOf(u"соосности"_s)->table, Table::Axes);
        for (const QString &text : {u"Соосности"_s, u"соосности "_s, u"соосн"_s, QString()})
            QVERIFY2(!kindOf(text), qPrintable(text));
    }

    // Each paragraph whole, LF then CR between them, nothing at either end.
    void notesOfGroups_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("paragraphs");
        QTest::newRow("1") << 1 << QStringList{
            u"1. За базу, к которой относится допуск перпендикулярности, принимается поверхность (или ось поверхности), "
            u"образующая большую сторону прямого угла, а при одинаковых размерах сторон угла - поверхность, имеющую "
            u"меньшую шероховатость."_s,
            u"2. Если с короткой стороной угла связано несколько координирующих размеров разной точности, то "
            u"неуказанный допуск перпендикулярности выбирается по более точному квалитету."_s};
        QTest::newRow("2") << 2 << QStringList{
            u"1. Если с данным торцом связано несколько осевых размеров разной точности, то неуказанный допуск "
            u"торцевого биения выбирается по более точному квалитету."_s,
            u"2. За базу, к которой относится неуказанный допуск торцевого биения, принимается ось поверхности, "
            u"имеющей большую длину, при одинаковых длинах - поверхности с допуском диаметра по более точному "
            u"квалитету, при одинаковых квалитетах - поверхности с большим диаметром."_s};
        QTest::newRow("3") << 3 << QStringList{
            u"1. Допуски симметричности приведены в диаметральном выражении. "_s,
            u"2. За базу, к которой относится допуск, принимается ось (плоскость симметрии) поверхности, имеющей "
            u"большую длину, при одинаковых длинах - элемента, имеющего допуск размера по более точному квалитету, "
            u"при одинаковых квалитетах - элемента с большим размером."_s};
        QTest::newRow("4") << 4 << QStringList{
            u"1. Допуски соосности и пересечения осей приведены в диаметральном выражении."_s,
            u"2. Под определяющем допуском размера понимается допуск размера рассматриваемого или базового элемента "
            u"по более грубому квалитету или классу точности."_s,
            u"3. За базу, к которой относится допуск, принимается ось поверхности, имеющей большую длину, при "
            u"одинаковых длинах - элемента, имеющего допуск размера по более точному квалитету, при одинаковых "
            u"квалитетах - элемента с большим размером."_s};
    }
    void notesOfGroups()
    {
        QFETCH(int, group);
        QFETCH(QStringList, paragraphs);
        QCOMPARE(notes(Table(group)), paragraphs.join(u"\n\r"_s));
    }
};

QTEST_GUILESS_MAIN(TestUnspecifiedTables)
#include "test_unspecified_tables.moc"
