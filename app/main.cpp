// SPDX-License-Identifier: MIT
// Мерилон starts with its main window; the program ends when its last window closes.
#include "app/main_window.h"
#include "ui/look.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("merilon"));
    // The menu entry's name, by which desktops match the window to its entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(MERILON_APP_ID));
    merilon::ui::setUpApplication();
    merilon::MainWindow mainWindow;
    mainWindow.show();
    return QApplication::exec();
}
