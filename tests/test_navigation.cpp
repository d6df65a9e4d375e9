// SPDX-License-Identifier: MIT
// The main window as the hub: each button shows its window's single instance, and
// the program ends only when its last window is closed, whichever that is.
#include "app/main_window.h"
#include "gui_test.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace merilon;
using namespace merilon::test;

class NavigationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }

    void lastWindowEndsTheProgram()
    {
        const QList<std::pair<const char *, const char *>> buttons = {
            {"Комманда1", "Форма5"}, {"Комманда2", "Форма4"}, {"Комманда3", "Форма3"},
            {"Комманда4", "Форма2"}, {"Комманда5", "ФАвтор"}};
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        auto *main = new MainWindow;
        showAndWait(main);
        for (const auto &[button, window] : buttons) {
            QPushButton *b = child<QPushButton>(main, QString::fromUtf8(button));
            QTest::mouseClick(b, Qt::LeftButton);
            QTest::mouseClick(b, Qt::LeftButton);
            QCOMPARE(shownWindows(QString::fromUtf8(window)).size(), 1);
            QVERIFY(!shownWindows(QString::fromUtf8(window)).first()->parentWidget()); // no owner
        }

        // Closing happens while the program runs its event loop, as it does for a user.
        QList<int> signalled; // lastWindowClosed so far, after each close
        QTimer::singleShot(0, main, [&] {
            main->close();
            signalled.append(int(lastClosed.count()));
            for (const auto &[button, window] : buttons) {
                shownWindows(QString::fromUtf8(window)).first()->close();
                signalled.append(int(lastClosed.count()));
            }
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, &QCoreApplication::quit);
        watchdog.start(10000);
        QApplication::exec(); // returns when the last window closes
        QVERIFY(watchdog.isActive());
        QCOMPARE(signalled, QList<int>({0, 0, 0, 0, 0, 1}));
        delete main;
    }
};

QTEST_MAIN(NavigationTest)
#include "test_navigation.moc"
