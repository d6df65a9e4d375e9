// SPDX-License-Identifier: MIT
// Saves a picture of every window, as the program draws it, into the folder given
// as the first argument (default: docs). Run with QT_QPA_PLATFORM=offscreen.
#include "app/main_window.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {

void save(QWidget *window, const QDir &folder, const QString &file)
{
    merilon::test::showAndWait(window);
    QTest::qWait(50);
    const QString path = folder.filePath(file);
    if (!window->grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    merilon::test::prepareApplication();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        qFatal("cannot create %s", qPrintable(folder.path()));

    merilon::MainWindow main;
    save(&main, folder, QStringLiteral("main.png"));
    merilon::FormPositionWindow formPosition;
    save(&formPosition, folder, QStringLiteral("form_position.png"));
    merilon::test::choose(formPosition.findChild<QComboBox *>(QStringLiteral("Комбо1")), QStringLiteral("плоскостности"));
    save(&formPosition, folder, QStringLiteral("form_position_short.png"));
    merilon::AngleWindow angles;
    save(&angles, folder, QStringLiteral("angles.png"));
    merilon::UnspecifiedWindow unspecified;
    save(&unspecified, folder, QStringLiteral("unspecified.png"));
    merilon::SymbolChart symbols;
    save(&symbols, folder, QStringLiteral("symbols.png"));
    merilon::AboutWindow about;
    save(&about, folder, QStringLiteral("about.png"));
    return 0;
}
