// SPDX-License-Identifier: MIT
// Numbers as the program shows and reads them, whatever the machine's locale is.
#include "core/number_text.h"

#include <QLocale>
#include <QTest>

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void numberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0,25") << 0.25 << "0,25";
        QTest::newRow("half") << 12.5 << "12,5";
        QTest::newRow("negative half") << -12.5 << "-12,5";
        QTest::newRow("whole") << 7550.0 << "7550";
        QTest::newRow("negative whole") << -2050.0 << "-2050";
        QTest::newRow("15 whole digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("60 µm in mm") << 60.0 / 1000 << "0,06";
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << "0,3";
        QTest::newRow("15 digits") << 1.0 / 3 << "0,333333333333333";
        QTest::newRow("small, no exponent") << 0.00001 << "0,00001";
        QTest::newRow("large, no exponent, no separator") << 1e16 << "10000000000000000";
        QTest::newRow("no group separator") << 1234567.25 << "1234567,25";
    }
    void numberText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(merilon::numberText(value), text);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(merilon::numberText(value), text); // whatever the machine's locale is
        QLocale::setDefault(QLocale::c());
    }

    void parseNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("7") << "7" << true << 7.0;
        QTest::newRow("spaces") << " 8 " << true << 8.0;
        QTest::newRow("comma") << "2,5" << true << 2.5;
        QTest::newRow("negative") << "-12,5" << true << -12.5;
        QTest::newRow("leading comma") << ",5" << true << 0.5;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("comma alone at end") << "1," << false << 0.0;
        QTest::newRow("point") << "1.5" << false << 0.0;
        QTest::newRow("trailing letter") << "7a" << false << 0.0;
        QTest::newRow("group separator") << "1 000" << false << 0.0;
        QTest::newRow("signs") << "+-1" << false << 0.0;
        QTest::newRow("two commas") << "1,2,3" << false << 0.0;
        QTest::newRow("sign alone") << "-" << false << 0.0;
        QTest::newRow("Arabic-Indic digit") << QString::fromUtf16(u"\u0667") << false << 0.0;
        QTest::newRow("long") << QString(70, QLatin1Char('0')) + QStringLiteral("1,5") << true << 1.5;
    }
    void parseNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const std::optional<double> number = merilon::parseNumber(text);
        QCOMPARE(number.has_value(), ok);
        if (ok)
            QCOMPARE(*number, value);
    }

    void wholeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result"); // -1: none
        QTest::newRow("first") << "5" << 5;
        QTest::newRow("last, spaces") << " 17 " << 17;
        QTest::newRow("whole with a comma") << "12,0" << 12;
        QTest::newRow("below") << "4" << -1;
        QTest::newRow("above") << "18" << -1;
        QTest::newRow("fraction") << "7,5" << -1;
        QTest::newRow("no number") << "7a" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void wholeNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, result);
        QCOMPARE(merilon::wholeNumber(text, 5, 17).value_or(-1), result);
    }

    void readTypedDecimal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("places");
        QTest::addColumn<QString>("read"); // thousandths, then "-" negative, "+" finer, "L" too long; "none"
        QTest::newRow("whole") << "25" << 3 << "25000";
        QTest::newRow("point, spaces") << " 25.4 " << 3 << "25400";
        QTest::newRow("plus, leading comma") << "+,5" << 3 << "500";
        QTest::newRow("zeros dropped") << "007,1200" << 3 << "7120";
        QTest::newRow("negative") << "-3" << 3 << "3000-";
        QTest::newRow("minus zero") << "-0,000" << 3 << "0";
        QTest::newRow("fourth decimal") << "1,0005" << 3 << "1000+";
        QTest::newRow("13 whole digits") << "1234567890123" << 3 << "0L";
        QTest::newRow("empty") << "" << 3 << "none";
        QTest::newRow("separator alone") << "," << 3 << "none";
        QTest::newRow("inner space") << "2 5" << 3 << "none";
        QTest::newRow("both separators") << "1,2.3" << 3 << "none";
        QTest::newRow("exponent") << "1e2" << 3 << "none";
        // Hundredths of a micrometre in millimetres, as the dimension chains read deviations.
        QTest::newRow("five places") << "-0,0065" << 5 << "650-";
        QTest::newRow("five places, sixth decimal") << "0,000015" << 5 << "1+";
        QTest::newRow("five places, whole") << "2" << 5 << "200000";
    }
    void readTypedDecimal()
    {
        QFETCH(QString, text);
        QFETCH(int, places);
        QFETCH(QString, read);
        const std::optional<merilon::TypedDecimal> d = merilon::readTypedDecimal(text, places);
        const QString got = !d ? QStringLiteral("none")
                               : QString::number(d->thousandths) + (d->negative ? "-" : "") + (d->finer ? "+" : "")
                                     + (d->tooLong ? "L" : "");
        QCOMPARE(got, read);
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "test_number_text.moc"
