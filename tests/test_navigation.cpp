// SPDX-License-Identifier: MIT
// The main window as the hub: every registered window opens as its user opens it,
// in a single instance, and the program ends only when its last window is closed,
// whichever that is.
#include "app/main_window.h"
#include "app/windows.h"
#include "ui/window_description.h"
#include "core/number_text.h"
#include "form_position/form_position_window.h"
#include "symbols/symbol_texts.h"
#include "tests/gui_test.h"
#include "ui/controls.h"
#include "unspecified/unspecified_tables.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace merilon;
using namespace merilon::test;
using namespace Qt::StringLiterals;

class NavigationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }

    // Every window opens as its user opens it, once however often, without an owner.
    void lastWindowEndsTheProgram()
    {
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        auto *main = new MainWindow;
        showAndWait(main);
        for (const WindowEntry &entry : windows()) {
            const QString name = toQString(entry.name);
            QVERIFY2(openFrom(main, entry), qPrintable(name + u" does not open"_s));
            QVERIFY(openFrom(main, entry));
            QCOMPARE(shownWindows(name).size(), 1);
            QVERIFY(!shownWindows(name).first()->parentWidget());
        }

        // Closing happens while the program runs its event loop, as it does for a user.
        QList<int> signalled; // lastWindowClosed so far, after each close
        QTimer::singleShot(0, main, [&] {
            for (const WindowEntry &entry : windows()) {
                if (const QList<QWidget *> shown = shownWindows(toQString(entry.name)); !shown.isEmpty()) {
                    shown.first()->close();
                    signalled.append(int(lastClosed.count()));
                }
            }
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, &QCoreApplication::quit);
        watchdog.start(10000);
        QApplication::exec(); // returns when the last window closes
        QVERIFY(watchdog.isActive());
        QVERIFY(signalled.size() > 2);
        QCOMPARE(signalled.count(1), 1);
        QCOMPARE(signalled.last(), 1);
        delete main;
    }

    // A window that the sources describe is in the registry of windows, under the
    // name its description gives.
    void everyWindowRegistered()
    {
        QStringList described;
        const QRegularExpression definition(u"WindowDescription window = \\{u\"([^\"]+)\""_s);
        QDirIterator files(QStringLiteral(MERILON_SOURCE_DIR), {u"*.cpp"_s}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (path.contains(u"/build"_s))
                continue;
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (const QRegularExpressionMatch &m : definition.globalMatch(QString::fromUtf8(file.readAll())))
                described.append(m.captured(1));
        }
        QVERIFY(described.size() >= 9);
        for (const QString &name : described)
            QVERIFY2(findWindow(name.toStdU16String()), qPrintable(name + u" is not in the registry"_s));
        for (const WindowEntry &entry : windows())
            QCOMPARE(toQString(entry.description().name), toQString(entry.name));
    }

    // The main window's "Допуски углов" button shows the one instance; after it was
    // closed, the next click builds it afresh from its defaults.
    void anglesShownByTheirButton()
    {
        MainWindow main;
        test::showAndWait(&main);
        auto *button = child<QPushButton>(&main, QStringLiteral("Комманда3"));
        QCOMPARE(button->text(), QStringLiteral("Допуски углов"));

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(test::shownWindows(u"Форма3"_s).size(), 1);
        QPointer<QWidget> first = test::shownWindows(u"Форма3"_s).first();
        QVERIFY(!first->parentWidget());
        QVERIFY(QTest::qWaitForWindowExposed(first));
        choose(child<QComboBox>(first, QStringLiteral("Комбо1")), QStringLiteral("свыше 1000 до 1600"));
        choose(child<QComboBox>(first, QStringLiteral("Комбо2")), QStringLiteral("2"));
        QCOMPARE(child<QLineEdit>(first, QStringLiteral("Текст1"))->text(), QStringLiteral("-"));

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(test::shownWindows(u"Форма3"_s), QList<QWidget *>{first.data()});
        QCOMPARE(child<QComboBox>(first, QStringLiteral("Комбо2"))->currentText(), QStringLiteral("2"));
        QVERIFY(main.isVisible());

        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(test::shownWindows(u"Форма3"_s).isEmpty());

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(test::shownWindows(u"Форма3"_s).size(), 1);
        QWidget *again = test::shownWindows(u"Форма3"_s).first();
        QCOMPARE(child<QComboBox>(again, QStringLiteral("Комбо1"))->currentText(), QStringLiteral("до 10"));
        QCOMPARE(child<QComboBox>(again, QStringLiteral("Комбо2"))->currentText(), QStringLiteral("8"));
        QCOMPARE(child<QLineEdit>(again, QStringLiteral("Текст1"))->text(), QStringLiteral("4'"));
    }

    // The main window's button shows the one instance; after it was closed, the next
    // click builds it afresh from its defaults.
    void unspecifiedShownByItsButton()
    {
        MainWindow main;
        showAndWait(&main);
        auto *button = child<QPushButton>(&main, u"Комманда2"_s);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shownWindows(u"Форма4"_s).size(), 1);
        QPointer<QWidget> first = shownWindows(u"Форма4"_s).first();
        QVERIFY(!first->parentWidget());
        QVERIFY(QTest::qWaitForWindowExposed(first));
        choose(child<QComboBox>(first, u"Комбо1"_s), u"торцевого биения"_s);
        choose(child<QComboBox>(first, u"Комбо3"_s), u"17"_s);
        QCOMPARE(child<QLineEdit>(first, u"Текст1"_s)->text(), u"0,16"_s);

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shownWindows(u"Форма4"_s), QList<QWidget *>{first.data()});
        QCOMPARE(child<QComboBox>(first, u"Комбо1"_s)->currentText(), u"торцевого биения"_s);

        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(shownWindows(u"Форма4"_s).isEmpty());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shownWindows(u"Форма4"_s).size(), 1);
        QWidget *again = shownWindows(u"Форма4"_s).first();
        QCOMPARE(child<QComboBox>(again, u"Комбо1"_s)->currentText(), u"радиального биения"_s);
        QCOMPARE(child<QComboBox>(again, u"Комбо2"_s)->currentText(), u"до 3"_s);
        QCOMPARE(child<QComboBox>(again, u"Комбо3"_s)->currentText(), u"12"_s);
        QCOMPARE(child<QLineEdit>(again, u"Текст1"_s)->text(), u"0,2"_s);
        QCOMPARE(child<QLabel>(again, u"Метка7"_s)->text(), unspecified::notes(unspecified::Table::Axes));
        again->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The chart's button shows the one instance; after it was closed, the next click
    // builds it afresh.
    void symbolsShownByTheirButton()
    {
        MainWindow main;
        test::showAndWait(&main);
        auto *button = child<QPushButton>(&main, QStringLiteral("Комманда4"));

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shownWindows(u"Форма2"_s).size(), 1);
        QPointer<QWidget> first = shownWindows(u"Форма2"_s).first();
        QVERIFY(first->parentWidget() == nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        // Away from the main window, so that the pointer finds the chart.
        first->move(main.frameGeometry().right() + 40, 0);
        QTest::mouseMove(child<QLabel>(first, QStringLiteral("Изображение8")), QPoint(10, 10));
        QCOMPARE(child<QLabel>(first, QStringLiteral("Метка3"))->text(), QStringLiteral(" Допуск соосности"));

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shownWindows(u"Форма2"_s).size(), 1);
        QCOMPARE(shownWindows(u"Форма2"_s).first(), first.data());

        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QCOMPARE(shownWindows(u"Форма2"_s).size(), 0);

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shownWindows(u"Форма2"_s).size(), 1);
        QWidget *again = shownWindows(u"Форма2"_s).first();
        QCOMPARE(child<QLabel>(again, QStringLiteral("Метка2"))->text(), QString());
        QCOMPARE(child<QLabel>(again, QStringLiteral("Метка3"))->text(), toQString(symbols::idleName));
        again->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The main window's box advertises the window: a click on its first line or
    // Enter in the box opens the one instance; the rest of the box does nothing.
    void fitsShownByTheAdvert()
    {
        MainWindow main;
        showAndWait(&main);
        auto *advert = child<QTextEdit>(&main, "Текст3");
        QVERIFY(advert->toPlainText().startsWith("Посадки — открыть окно\n"));
        QVERIFY(advert->toolTip().contains("Посадки"));
        const QTextBlock third = advert->document()->firstBlock().next().next();
        const QPoint onThird(20, advert->cursorRect(QTextCursor(third)).center().y());
        QTest::mouseClick(advert->viewport(), Qt::LeftButton, Qt::NoModifier, onThird);
        QCOMPARE(shownWindows("ФПосадки").size(), 0);
        QTest::mouseClick(advert->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 8));
        QCOMPARE(shownWindows("ФПосадки").size(), 1);
        QWidget *fits = shownWindows("ФПосадки").first();
        QVERIFY(!fits->parentWidget());
        fits->close();
        QCOMPARE(shownWindows("ФПосадки").size(), 0);
        main.activateWindow();
        advert->setFocus();
        QTest::keyClick(advert, Qt::Key_Return);
        QTest::keyClick(advert, Qt::Key_Enter);
        QCOMPARE(shownWindows("ФПосадки").size(), 1);
        QCOMPARE(child<QLineEdit>(shownWindows("ФПосадки").first(), "Размер")->text(), QString("25"));
        shownWindows("ФПосадки").first()->close();
    }

    // The second line opens the general tolerance window, by a click or by Enter on it.
    void generalShownByTheAdvert()
    {
        MainWindow main;
        showAndWait(&main);
        auto *advert = child<QTextEdit>(&main, "Текст3");
        const QTextBlock second = advert->document()->firstBlock().next();
        QCOMPARE(second.text(), u"Общие допуски — открыть окно"_s);
        const QPoint on(20, advert->cursorRect(QTextCursor(second)).center().y());
        QCOMPARE(advert->anchorAt(on), u"#general"_s);
        QTest::mouseClick(advert->viewport(), Qt::LeftButton, Qt::NoModifier, on);
        QCOMPARE(shownWindows(u"ФОбщиеДопуски"_s).size(), 1);
        QCOMPARE(shownWindows(u"ФПосадки"_s).size(), 0);
        QWidget *general = shownWindows(u"ФОбщиеДопуски"_s).first();
        QVERIFY(!general->parentWidget());
        general->close();
        main.activateWindow();
        advert->setFocus();
        QTest::keyClick(advert, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(advert, Qt::Key_Down);
        QTest::keyClick(advert, Qt::Key_Return);
        QCOMPARE(shownWindows(u"ФОбщиеДопуски"_s).size(), 1);
        QCOMPARE(shownWindows(u"ФПосадки"_s).size(), 0);
        shownWindows(u"ФОбщиеДопуски"_s).first()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The button shows the one instance; after it was closed, the next click builds
    // it afresh from its defaults.
    void formPositionShownByItsButton()
    {
        MainWindow main;
        showAndWait(&main);
        auto *button = child<QPushButton>(&main, u"Комманда1"_s);
        QTest::mouseClick(button, Qt::LeftButton);
        QList<QWidget *> shown = shownWindows(u"Форма5"_s);
        QCOMPARE(shown.size(), 1);
        QPointer<QWidget> first = shown.first();
        QVERIFY(qobject_cast<FormPositionWindow *>(first.data()));
        QVERIFY(QTest::qWaitForWindowExposed(first));

        choose(child<QComboBox>(first, u"Комбо1"_s), u"плоскостности"_s);
        QTest::mouseClick(button, Qt::LeftButton);
        shown = shownWindows(u"Форма5"_s);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first(), first.data());
        QCOMPARE(child<QComboBox>(first, u"Комбо1"_s)->currentText(), u"плоскостности"_s);

        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QTest::mouseClick(button, Qt::LeftButton);
        shown = shownWindows(u"Форма5"_s);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(child<QComboBox>(shown.first(), u"Комбо1"_s)->currentText(), u"радиального биения"_s);
        QCOMPARE(child<QLineEdit>(shown.first(), u"Текст1"_s)->text(), u"12"_s);
        QCOMPARE(shown.first()->height(), ui::px(3825));
        QVERIFY(main.isVisible());
        shown.first()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(NavigationTest)
#include "test_navigation.moc"
