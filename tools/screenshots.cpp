// SPDX-License-Identifier: MIT
// Saves a picture of every window, as the program draws it, into the folder given
// as the first argument (default: docs). Run with QT_QPA_PLATFORM=offscreen.
#include "app/main_window.h"
#include "angles/angle_window.h"
#include "app/about_window.h"
#include "fits/fit_search_window.h"
#include "fits/fit_window.h"
#include "general/general_window.h"
#include "form_position/form_position_window.h"
#include "symbols/symbol_chart.h"
#include "unspecified/unspecified_window.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QDir>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

void save(QWidget *window, const QDir &folder, const QString &file)
{
    merilon::test::showAndWait(window);
    QTest::qWait(50);
    const QString path = folder.filePath(file);
    if (!window->grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
    window->hide();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    merilon::test::prepareApplication();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        qFatal("cannot create %s", qPrintable(folder.path()));

    using merilon::test::choose;
    auto combo = [](QWidget *window, const char *name) {
        return merilon::test::child<QComboBox>(window, QString::fromUtf8(name));
    };

    merilon::MainWindow main;
    merilon::test::showAndWait(&main);
    choose(combo(&main, "НР"), QStringLiteral("св. 18 до 24"));
    choose(combo(&main, "ПД"), QStringLiteral("f"));
    save(&main, folder, QStringLiteral("main.png"));
    merilon::FormPositionWindow formPosition;
    save(&formPosition, folder, QStringLiteral("form_position.png"));
    choose(combo(&formPosition, "Комбо1"), QStringLiteral("плоскостности"));
    save(&formPosition, folder, QStringLiteral("form_position_short.png"));
    merilon::AngleWindow angles;
    save(&angles, folder, QStringLiteral("angles.png"));
    merilon::UnspecifiedWindow unspecified;
    save(&unspecified, folder, QStringLiteral("unspecified.png"));
    merilon::SymbolChart symbols;
    merilon::test::showAndWait(&symbols);
    QWidget *runOut = merilon::test::child<QWidget>(&symbols, QStringLiteral("Изображение12"));
    QTest::mouseMove(&symbols, QPoint(2, 150));
    QTest::mouseMove(runOut, runOut->rect().center());
    save(&symbols, folder, QStringLiteral("symbols.png"));
    merilon::FitWindow fits;
    merilon::test::showAndWait(&fits);
    choose(combo(&fits, "ВалКвалитет"), QStringLiteral("6"));
    save(&fits, folder, QStringLiteral("fits.png"));
    merilon::FitSearchWindow search;
    save(&search, folder, QStringLiteral("fit_search.png"));
    merilon::GeneralWindow general;
    merilon::test::showAndWait(&general);
    choose(combo(&general, "Класс"), QStringLiteral("c — грубый"));
    save(&general, folder, QStringLiteral("general.png"));
    merilon::AboutWindow about;
    save(&about, folder, QStringLiteral("about.png"));
    return 0;
}
