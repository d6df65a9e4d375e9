// SPDX-License-Identifier: MIT
// The fit window as a user drives it: typing a size, choosing fields from the lists,
// bad sizes, copying the fit, opening it from the main window's link, and the search
// for the fits that give a needed clearance.
#include "fits/fit_notation.h"
#include "fits/fit_window.h"
#include "tests/gui_test.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTreeWidget>
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
    // Обозначение, Вероятность.
    QString drawing() const
    {
        QStringList texts;
        for (const char *name : {"Обозначение", "Вероятность"})
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
        QCOMPARE(items(child<QComboBox>(m_window.get(), "ВалКвалитет")).join(' '),
                 QString("01 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18"));
        QCOMPARE(drawing(), QString("Ø25 H7(+0,021)/f7(-0,020 -0,041)|"));
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
        for (const char *text : {"", "0", "-5", "3150,001", "25,0001", "abc", "2 5", "1e2", ","})
            QTest::addRow("'%s'", text) << QString(text);
        QTest::newRow("very long") << QString(300, QLatin1Char('7'));
    }
    void badSizes()
    {
        QFETCH(QString, text);
        typeSize(text);
        QVERIFY(!child<QLabel>(m_window.get(), "Сообщение")->text().isEmpty());
        QCOMPARE(shown(), QString(resultNames.size() - 1, QLatin1Char('|')));
        QCOMPARE(drawing(), QString("|"));
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

    // A designation pasted, or typed and then Enter, sets the lists and leaves the size;
    // one the window cannot show changes no list and says why; the copy pastes back.
    void designationSetsTheLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("lists"); // size and the four lists after it
        QTest::addColumn<QString>("message");
        QTest::newRow("typed Ø25 H7/f6") << "Ø25 H7/f6" << false << "25 H 7 f 6" << "";
        QTest::newRow("pasted 40H8/e8") << "40H8/e8" << true << "40 H 8 e 8" << "";
        QTest::newRow("pasted ⌀25 K7 / h6") << "⌀25 K7 / h6" << true << "25 K 7 h 6" << "";
        QTest::newRow("one shaft field") << "25 js6" << true << "25 H 7 js 6" << "";
        QTest::newRow("its own notation") << "Ø25 H7(+0,021)/f6(-0,020 -0,033)" << true << "25 H 7 f 6" << "";
        QTest::newRow("grade 19") << "25 H19/f6" << true << "25 H 7 f 7" << "Квалитета 19 стандарт не устанавливает";
        QTest::newRow("shaft first") << "25 f6/H7" << false << "25 H 7 f 7" << "первым пишется поле отверстия";
        QTest::newRow("no such field") << "10 W7" << true << "25 H 7 f 7" << "Поля отверстия «W7» нет";
        QTest::newRow("not up to 1 mm") << "0,5 A11/h9" << true << "25 H 7 f 7" << "до 1 мм";
    }
    void designationSetsTheLists()
    {
        QFETCH(QString, text);
        QFETCH(bool, pasted);
        QFETCH(QString, lists);
        QFETCH(QString, message);
        if (pasted) {
            QApplication::clipboard()->setText(text);
            size()->setFocus();
            size()->selectAll();
            QTest::keyClick(size(), Qt::Key_V, Qt::ControlModifier);
        } else {
            typeSize(text);
            QCOMPARE(child<QLabel>(m_window.get(), "Сообщение")->text(), fits::pendingDesignationText());
            QTest::keyClick(size(), Qt::Key_Return);
        }
        const auto listsNow = [this] {
            QStringList now = {size()->text()};
            for (const char *name : {"ОтвБуква", "ОтвКвалитет", "ВалБуква", "ВалКвалитет"})
                now.append(child<QComboBox>(m_window.get(), name)->currentText());
            return now.join(' ');
        };
        const QString said = child<QLabel>(m_window.get(), "Сообщение")->text();
        if (message.isEmpty()) {
            QCOMPARE(listsNow(), lists);
            QCOMPARE(said, QString());
            // The copy of the fit pastes back to the same fit.
            QTest::keyClick(size(), Qt::Key_C, Qt::ControlModifier);
            const QString copied = QApplication::clipboard()->text();
            QCOMPARE(fits::readFitNotation(copied).error, QString());
            choose(child<QComboBox>(m_window.get(), "ВалБуква"), "a");
            size()->selectAll();
            QTest::keyClick(size(), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(listsNow(), lists);
        } else {
            QVERIFY2(said.contains(message), qPrintable(said));
            QCOMPARE(listsNow().section(' ', -4), lists.section(' ', -4)); // the lists as they were
            QCOMPARE(shown(), QString(resultNames.size() - 1, QLatin1Char('|')));
        }
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

    // Sizes over 500 mm, the fine and coarse grades, and the notes of the small sizes,
    // through the window.
    void wholeStandard()
    {
        typeSize("600");
        const char *lists[] = {"ОтвБуква", "ОтвКвалитет", "ВалБуква", "ВалКвалитет"};
        const auto fit = [&](QStringList choices) {
            for (int i = 0; i < 4; ++i)
                choose(child<QComboBox>(m_window.get(), lists[i]), choices[i]);
        };
        fit({"H", "7", "s", "6"});
        QCOMPARE(shown(), QString("70|0|354|310|600,07|600|600,354|600,31|70|44|||354|240|посадка с натягом|"
                                  "в системе отверстия"));
        QCOMPARE(drawing(), QString("Ø600 H7(+0,07)/s6(+0,354 +0,310)|"));
        fit({"K", "7", "h", "6"});
        QCOMPARE(drawing(), QString("Ø600 K7(-0,07)/h6(-0,044)|натяг 82,7 %, зазор 17,3 %"));
        fit({"H", "7", "a", "11"});
        QVERIFY(child<QLabel>(m_window.get(), "Сообщение")->text().contains("вала a11 для размеров св. 560 до 630"));
        QCOMPARE(shown() + drawing(), QString(resultNames.size(), QLatin1Char('|')));
        typeSize("1");
        QVERIFY(child<QLabel>(m_window.get(), "Сообщение")->text().contains("до 1 мм стандарт не применяет"));
        fit({"JS", "01", "js", "0"});
        typeSize("3");
        QCOMPARE(child<QLineEdit>(m_window.get(), "Dmax")->text(), QString("3,00015"));
        typeSize("3150");
        QVERIFY(child<QLabel>(m_window.get(), "Сообщение")->text().contains("только для размеров до 500 мм"));
        fit({"H", "18", "h", "18"});
        QCOMPARE(child<QLineEdit>(m_window.get(), "Smax")->text(), QString("66000"));
    }

    // «Подбор посадки…» opens the search at the typed size; a requirement lists its
    // fits, bad input empties the list, Ctrl+C copies it, and Enter on a row shows
    // that fit here.
    void searchesAndOpensAFit()
    {
        typeSize("40");
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Подбор"), Qt::LeftButton);
        QCOMPARE(shownWindows("ФПодбор").size(), 1);
        QWidget *search = shownWindows("ФПодбор").front();
        QVERIFY(QTest::qWaitForWindowActive(search));
        QCOMPARE(child<QLineEdit>(search, "Размер")->text(), QString("40"));
        auto *list = child<QTreeWidget>(search, "Список");
        auto *least = child<QLineEdit>(search, "ЗазорНаим");
        auto *most = child<QLineEdit>(search, "ЗазорНаиб");
        for (QLineEdit *field : {least, most}) {
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Delete);
        }
        typeInto(least, "-50");
        QVERIFY(list->topLevelItemCount() == 0 && !child<QLabel>(search, "Сообщение")->text().isEmpty());
        typeInto(most, "-5");
        // At 40 mm: H7/r6 −50 … −9 µm (TD + Td 41 µm), H6/p5 −37 … −10 and H6/r5
        // −45 … −18 (27 µm, the tighter margin 5 µm each), H5/n4 −24 … −6; H7/p6
        // (−42 … −1) misses.
        QCOMPARE(list->topLevelItemCount(), 4);
        QCOMPARE(list->topLevelItem(0)->text(0), QString("H7/r6"));
        QCOMPARE(list->topLevelItem(1)->text(0), QString("H6/p5"));
        QCOMPARE(child<QLabel>(search, "Найдено")->text(), QString("Подходят 4 посадки."));
        list->setFocus();
        QApplication::clipboard()->clear();
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().split('\n').size(), 5);
        QVERIFY(QApplication::clipboard()->text().contains("H7/r6\t-50\t-9\t41\t0\t4\tрекомендуемая"));
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(m_window.get(), "Обозначение")->text(), QString("Ø40 H6(+0,016)/p5(+0,037 +0,026)"));
        most->selectAll();
        typeInto(most, "-60");
        QCOMPARE(list->topLevelItemCount(), 0);
        QVERIFY(child<QLabel>(search, "Сообщение")->text().startsWith("Наименьший зазор больше наибольшего"));
    }

    // Whatever decimals are typed, no figure shows binary noise: random sizes and fields
    // here, random sizes, clearances and systems in the search, every figure on the grid
    // of hundredths of a micrometre.
    void noBinaryNoise()
    {
        QRandomGenerator random(286);
        // A decimal such as "24,99", "0,3" or "120,05", from hundredths or thousandths.
        const auto decimal = [](qint64 count, int places) {
            const qint64 unit = places == 2 ? 100 : 1000;
            return QStringLiteral("%1%2,%3")
                .arg(count < 0 ? QStringLiteral("-") : QString())
                .arg(std::abs(count) / unit)
                .arg(std::abs(count) % unit, places, 10, QLatin1Char('0'));
        };
        const auto retype = [](QLineEdit *field, const QString &text) {
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Delete);
            typeInto(field, text);
        };
        const char *lists[] = {"ОтвБуква", "ОтвКвалитет", "ВалБуква", "ВалКвалитет"};
        for (int i = 0; i < 100; ++i) {
            for (const char *name : lists) {
                QComboBox *list = child<QComboBox>(m_window.get(), name);
                list->setCurrentIndex(int(random.bounded(list->count())));
            }
            retype(size(), decimal(1 + random.bounded(i % 2 ? 30'000 : 3'150'000), 3));
            QCOMPARE(noisyTexts(m_window.get()), QStringList());
        }
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Подбор"), Qt::LeftButton);
        QWidget *search = shownWindows("ФПодбор").front();
        for (int i = 0; i < 60; ++i) {
            for (const char *name : {"Система", "Ряд"}) {
                QComboBox *list = child<QComboBox>(search, name);
                list->setCurrentIndex(int(random.bounded(list->count())));
            }
            const qint64 least = random.bounded(-10'000, 10'000);
            retype(child<QLineEdit>(search, "Размер"), decimal(1 + random.bounded(i % 2 ? 100'000 : 3'150'000), 3));
            retype(child<QLineEdit>(search, "ЗазорНаим"), decimal(least, 2));
            retype(child<QLineEdit>(search, "ЗазорНаиб"), decimal(least + random.bounded(10'000), 2));
            QCOMPARE(noisyTexts(search), QStringList());
        }
    }

    void copiesTheFit()
    {
        const QString line = "Ø25 H7(+0,021)/f7(-0,020 -0,041): отверстие +21/0 мкм, вал -20/-41 мкм, зазор наибольший 62 мкм, "
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
