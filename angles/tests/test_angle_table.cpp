// SPDX-License-Identifier: MIT
// The angle tolerance table of ST SEV 178-75: every cell against the rule the
// standard builds it by, the marks of the texts, and the lookup's edges.
#include "angles/angle_table.h"
#include "core/number_text.h"

#include <QRegularExpression>
#include <QTest>
#include <limits>

using namespace merilon;

namespace {

const QStringList intervals = {
    QStringLiteral("до 10"),
    QStringLiteral("свыше 10 до 16"),
    QStringLiteral("свыше 16 до 25"),
    QStringLiteral("свыше 25 до 40"),
    QStringLiteral("свыше 40 до 63"),
    QStringLiteral("свыше 63 до 100"),
    QStringLiteral("свыше 100 до 160"),
    QStringLiteral("свыше 160 до 250"),
    QStringLiteral("свыше 250 до 400"),
    QStringLiteral("свыше 400 до 630"),
    QStringLiteral("свыше 630 до 1000"),
    QStringLiteral("свыше 1000 до 1600"),
    QStringLiteral("свыше 1600 до 2500"),
};

// The series of angle tolerances, from the finest; written here with the prime
// marks spelled out so that a wrong mark in the table cannot slip through.
QString seconds(const char *n) { return QString::fromLatin1(n) + QStringLiteral("''"); }
QString minutes(const char *n) { return QString::fromLatin1(n) + QStringLiteral("'"); }
QString degrees(const char *n) { return QString::fromLatin1(n) + QChar(0x00B0); }

QStringList series()
{
    QStringList s;
    for (const char *n : {"1", "1,5", "2", "2,5", "3", "4", "5", "6", "8", "10", "12", "16", "20", "26", "32", "40", "50"})
        s << seconds(n);
    s << minutes("1") << minutes("1") + seconds("20") << minutes("1") + seconds("40") << minutes("2")
      << minutes("2") + seconds("30");
    for (const char *n : {"3", "4", "5", "6", "8", "10", "12", "16", "20", "26", "32", "40", "50"})
        s << minutes(n);
    s << degrees("1") << degrees("1") + minutes("20") << degrees("1") + minutes("40");
    return s;
}

// What the standard gives for row r (1 = "до 10") and degree d.
QString expectedCell(int r, int d)
{
    static const QStringList values = series();
    if (d <= 15) {
        if (r >= 11 && d <= 3)
            return QStringLiteral("-");
        return values.at(2 * (d - 1) + 10 - r);
    }
    // Degrees 16 and 17 change every three rows after the first; 17 is twice 16.
    static const QStringList coarse16 = {degrees("2"), degrees("1"), minutes("40"), minutes("20"), minutes("10")};
    static const QStringList coarse17 = {degrees("4"), degrees("2"), degrees("1") + minutes("20"), minutes("40"),
                                         minutes("20")};
    const int step = r == 1 ? 0 : (r - 2) / 3 + 1;
    return (d == 16 ? coarse16 : coarse17).at(step);
}

QString lookup(const QString &interval, double degree)
{
    const auto cell = angles::angleTolerance(interval, degree);
    return cell ? toQString(*cell) : QStringLiteral("<none>");
}

} // namespace

class TestAngleTable : public QObject
{
    Q_OBJECT

private slots:
    void lists()
    {
        QCOMPARE(angles::intervalTexts(), intervals);
        QStringList degreeList;
        for (int d = 1; d <= 17; ++d)
            degreeList << QString::number(d);
        QCOMPARE(angles::degreeTexts(), degreeList);
        QCOMPARE(series().size(), 38);
    }

    void every_cell_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("degree");
        for (int r = 1; r <= 13; ++r) {
            for (int d = 1; d <= 17; ++d)
                QTest::addRow("%s / %d", qPrintable(intervals.at(r - 1)), d) << intervals.at(r - 1) << r << d;
        }
    }

    void every_cell()
    {
        QFETCH(QString, interval);
        QFETCH(int, row);
        QFETCH(int, degree);
        QCOMPARE(lookup(interval, degree), expectedCell(row, degree));
    }

    // Cells named by the standard's own examples; independent of the rule above.
    void exact_cells_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<int>("degree");
        QTest::addColumn<QString>("cell");
        const auto row = [](const char *name, const char *interval, int degree, const char *cell) {
            QTest::newRow(name) << QString::fromUtf8(interval) << degree << QString::fromUtf8(cell);
        };
        row("до 10 / 1", "до 10", 1, "10''");
        row("до 10 / 8", "до 10", 8, "4'");
        row("до 10 / 17", "до 10", 17, "4\u00B0");
        row("свыше 1600 до 2500 / 1", "свыше 1600 до 2500", 1, "-");
        row("свыше 1600 до 2500 / 2", "свыше 1600 до 2500", 2, "-");
        row("свыше 1600 до 2500 / 3", "свыше 1600 до 2500", 3, "-");
        row("свыше 1600 до 2500 / 4", "свыше 1600 до 2500", 4, "2,5''");
        row("свыше 1600 до 2500 / 8", "свыше 1600 до 2500", 8, "16''");
        row("свыше 1600 до 2500 / 17", "свыше 1600 до 2500", 17, "20'");
        row("свыше 100 до 160 / 1", "свыше 100 до 160", 1, "2,5''");
        row("свыше 250 до 400 / 1", "свыше 250 до 400", 1, "1,5''");
        row("свыше 10 до 16 / 15", "свыше 10 до 16", 15, "1\u00B020'");
        row("свыше 10 до 16 / 16", "свыше 10 до 16", 16, "1\u00B0");
        row("свыше 63 до 100 / 6", "свыше 63 до 100", 6, "32''");
        row("свыше 630 до 1000 / 12", "свыше 630 до 1000", 12, "2'30''");
    }

    void exact_cells()
    {
        QFETCH(QString, interval);
        QFETCH(int, degree);
        QFETCH(QString, cell);
        QCOMPARE(lookup(interval, degree), cell);
    }

    // Only digits, the decimal comma, U+0027 and U+00B0 make a cell, in the order
    // degrees, minutes, seconds; never a double quote or a typographic prime.
    void cell_marks()
    {
        static const QRegularExpression shape(QStringLiteral(
            "^(-|\\d+\u00B0(\\d+')?|\\d+'(\\d+'')?|\\d+(,5)?'')$"));
        int dashes = 0;
        for (const angles::AngleRow &row : angles::angleRows) {
            for (std::u16string_view cell : row.cells) {
                const QString text = toQString(cell);
                QVERIFY2(shape.match(text).hasMatch(), qPrintable(text));
                dashes += text == u"-";
            }
        }
        QCOMPARE(dashes, 9);
    }

    void no_cell_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<double>("degree");
        QTest::newRow("trailing space") << QStringLiteral("до 10 ") << 8.0;
        QTest::newRow("capital letter") << QStringLiteral("До 10") << 8.0;
        QTest::newRow("empty") << QString() << 8.0;
        QTest::newRow("interval cut short") << QStringLiteral("свыше 10 до 1") << 8.0;
        QTest::newRow("degree 0") << QStringLiteral("до 10") << 0.0;
        QTest::newRow("degree 18") << QStringLiteral("до 10") << 18.0;
        QTest::newRow("degree -1") << QStringLiteral("до 10") << -1.0;
        QTest::newRow("degree 7,5") << QStringLiteral("до 10") << 7.5;
        QTest::newRow("NaN") << QStringLiteral("до 10") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinity") << QStringLiteral("до 10") << std::numeric_limits<double>::infinity();
    }

    void no_cell()
    {
        QFETCH(QString, interval);
        QFETCH(double, degree);
        QVERIFY(!angles::angleTolerance(interval, degree));
    }
};

QTEST_APPLESS_MAIN(TestAngleTable)
#include "test_angle_table.moc"
