// SPDX-License-Identifier: MIT
// The fit window as a user drives it: typing a size, choosing fields from the lists,
// bad sizes, copying the fit, and opening it from the main window's link.
#include "fits/fit_window.h"
#include "tests/gui_test.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <memory>

using namespace merilon;
using namespace merilon::test;

namespace {

const QStringList resultNames = {"ES", "EI", "es", "ei", "Dmax", "Dmin", "dmax", "dmin", "TD", "Td",
                                 "Smax", "Smin", "Nmax", "Nmin", "Характер", "Система"};

} // namespace

class FitWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FitWindow> m_window;

    QString shown() const
    {
        QStringList texts;
        for (const QString &name : resultNames)
            texts.append(child<QLineEdit>(m_window.get(), name)->text());
        return texts.join('|');
    }
    QLineEdit *size() const { return child<QLineEdit>(m_window.get(), "Размер"); }
    void typeSize(const QString &text)
    {
        size()->setFocus();
        QTest::keyClick(size(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(size(), Qt::Key_Delete);
        typeInto(size(), text);
    }
    QImage scheme() const { return child<QWidget>(m_window.get(), "Схема")->grab().toImage(); }

private slots:
    void initTestCase() { prepareApplication(); }
    void init()
    {
        m_window = std::make_unique<FitWindow>();
        showAndWait(m_window.get());
    }
    void cleanup() { m_window.reset(); }

    void opensOnItsDefaults()
    {
        QCOMPARE(m_window->windowTitle(), QString("Посадки"));
        QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QCOMPARE(size()->text(), QString("25"));
        QCOMPARE(QApplication::focusWidget(), size());
        QCOMPARE(shown(), QString("21|0|-20|-41|25,021|25|24,98|24,959|21|21|62|20|||посадка с зазором|"
                                  "в системе отверстия"));
        QCOMPARE(child<QLabel>(m_window.get(), "Сообщение")->text(), QString());
        QCOMPARE(clippedCaptions(m_window.get()), QStringList());
        // The lists take no typing, and offer every field in every grade.
        QComboBox *hole = child<QComboBox>(m_window.get(), "ОтвБуква");
        QVERIFY(!hole->isEditable());
        QCOMPARE(items(hole).join(' '), QString("A B C D E F G H JS K M N P R S T U V X Y Z"));
        QCOMPARE(items(child<QComboBox>(m_window.get(), "ВалКвалитет")).size(), 13);
    }

    void choicesRecomputeAtOnce_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QStringList>("choices"); // hole letter, grade, shaft letter, grade
        QTest::addColumn<QString>("expected");
        QTest::newRow("25 H7/f6") << "25" << QStringList{"H", "7", "f", "6"}
                                  << "21|0|-20|-33|25,021|25|24,98|24,967|21|13|54|20|||посадка с зазором|"
                                     "в системе отверстия";
        QTest::newRow("25,4 K7/h6") << " 25.4 " << QStringList{"K", "7", "h", "6"}
                                    << "6|-15|0|-13|25,406|25,385|25,4|25,387|21|13|19||15||переходная посадка|"
                                       "в системе вала";
        QTest::newRow("18 JS7/js6") << "18" << QStringList{"JS", "7", "js", "6"}
                                    << "9|-9|5,5|-5,5|18,009|17,991|18,0055|17,9945|18|11|14,5||14,5||"
                                       "переходная посадка|внесистемная";
        QTest::newRow("500 U7/h6") << "500" << QStringList{"U", "7", "h", "6"}
                                   << "-517|-580|0|-40|499,483|499,42|500|499,96|63|40|||580|477|"
                                      "посадка с натягом|в системе вала";
    }
    void choicesRecomputeAtOnce()
    {
        QFETCH(QString, size);
        QFETCH(QStringList, choices);
        QFETCH(QString, expected);
        typeSize(size);
        const char *lists[] = {"ОтвБуква", "ОтвКвалитет", "ВалБуква", "ВалКвалитет"};
        for (int i = 0; i < 4; ++i)
            choose(child<QComboBox>(m_window.get(), lists[i]), choices[i]);
        QCOMPARE(shown(), expected);
        // The picture says the same in words.
        const QString words = child<QWidget>(m_window.get(), "Схема")->accessibleDescription();
        QVERIFY2(words.contains(choices[0] + choices[1] + '/' + choices[2] + choices[3]), qPrintable(words));
    }

    // Every bad size says why, and leaves no result and a blank picture; a good size
    // brings them back.
    void badSizes_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"", "0", "-5", "500,001", "25,0001", "abc", "2 5", "1e2", ","})
            QTest::addRow("'%s'", text) << QString(text);
        QTest::newRow("very long") << QString(300, QLatin1Char('7'));
    }
    void badSizes()
    {
        QFETCH(QString, text);
        typeSize(text);
        QVERIFY(!child<QLabel>(m_window.get(), "Сообщение")->text().isEmpty());
        QCOMPARE(shown(), QString(resultNames.size() - 1, QLatin1Char('|')));
        const QImage picture = scheme();
        const QRgb background = picture.pixel(picture.width() / 2, picture.height() / 2);
        int drawn = 0;
        for (int y = 2; y < picture.height() - 2; ++y)
            for (int x = 2; x < picture.width() - 2; ++x)
                drawn += picture.pixel(x, y) != background;
        QCOMPARE(drawn, 0);
        QApplication::clipboard()->setText("before");
        QTest::keyClick(size(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("before")); // nothing to copy
        typeSize("25");
        QVERIFY(child<QLabel>(m_window.get(), "Сообщение")->text().isEmpty());
        QVERIFY(!child<QLineEdit>(m_window.get(), "ES")->text().isEmpty());
    }

    void undefinedFieldSaysSo()
    {
        typeSize("20");
        choose(child<QComboBox>(m_window.get(), "ВалБуква"), "t");
        QVERIFY(child<QLabel>(m_window.get(), "Сообщение")->text().contains("вала t7"));
        QCOMPARE(shown(), QString(resultNames.size() - 1, QLatin1Char('|')));
        typeSize("25");
        QCOMPARE(child<QLineEdit>(m_window.get(), "ei")->text(), QString("41"));
    }

    void copiesTheFit()
    {
        const QString line = "Ø25 H7/f7: отверстие +21/0 мкм, вал -20/-41 мкм, зазор наибольший 62 мкм, "
                             "наименьший 20 мкм, посадка с зазором";
        QApplication::clipboard()->clear();
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Копировать"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), line);
        // Ctrl+C from a list, the size field and a result box without a selection.
        for (const char *name : {"ВалКвалитет", "Размер", "Smax"}) {
            QApplication::clipboard()->clear();
            QWidget *control = child<QWidget>(m_window.get(), name);
            control->setFocus();
            QTest::keyClick(control, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QApplication::clipboard()->text(), line);
        }
        // With part of the size selected, Ctrl+C copies that part.
        size()->setSelection(0, 1);
        QTest::keyClick(size(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("2"));
    }

};

QTEST_MAIN(FitWindowTest)
#include "test_fit_window.moc"
