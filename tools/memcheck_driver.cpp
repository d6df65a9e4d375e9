// SPDX-License-Identifier: MIT
// Мерилон as the memory check runs it under Valgrind (tools/memcheck.sh): started as
// main() starts it, every registered window opened as its user opens it, then every
// window closed, the main window last, so that the program ends by itself.
#include "app/main_window.h"
#include "app/windows.h"
#include "core/number_text.h"
#include "ui/look.h"

#include <QApplication>
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
        for (const merilon::WindowEntry &entry : merilon::windows()) {
            if (!merilon::openFrom(&mainWindow, entry))
                qFatal("%s does not open", qPrintable(merilon::toQString(entry.name)));
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
        if (open + 1 != int(merilon::windows().size()))
            qFatal("%d windows were open, not %d", open, int(merilon::windows().size()) - 1);
        mainWindow.close();
    });
    return QApplication::exec();
}
