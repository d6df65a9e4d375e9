// SPDX-License-Identifier: MIT
// Мерилон as the memory check runs it under Valgrind (tools/memcheck.sh): started as
// main() starts it, every window opened with its button on the main window (the fit
// window and the general tolerance window with Enter on their lines of the box that
// links to them), then
// every window closed, the main window last, so that the program ends by itself.
#include "ui/controls.h"
#include "app/main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QPushButton>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("merilon"));
    merilon::ui::setUpApplication();
    merilon::MainWindow mainWindow;
    mainWindow.show();

    // Steps a few hundred milliseconds apart, so that every window paints between them.
    QTimer::singleShot(300, &mainWindow, [&mainWindow] {
        for (const char16_t *name : {u"Комманда1", u"Комманда2", u"Комманда3", u"Комманда4", u"Комманда5"}) {
            auto *button = mainWindow.findChild<QPushButton *>(QString::fromUtf16(name));
            if (!button)
                qFatal("the main window has no button %s", qPrintable(QString::fromUtf16(name)));
            button->click();
        }
        auto *links = mainWindow.findChild<QTextEdit *>(QStringLiteral("Текст3"));
        for (int line : {0, 1}) {
            QTextCursor cursor = links->textCursor();
            cursor.setPosition(links->document()->findBlockByNumber(line).position());
            links->setTextCursor(cursor);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QCoreApplication::sendEvent(links, &enter);
        }
    });
    QTimer::singleShot(900, &mainWindow, [&mainWindow] {
        int open = 0;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window != &mainWindow && window->isVisible()) {
                ++open;
                window->close();
            }
        }
        if (open != 7)
            qFatal("%d windows were open, not 7", open);
        mainWindow.close();
    });
    return QApplication::exec();
}
