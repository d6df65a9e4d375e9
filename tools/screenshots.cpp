// SPDX-License-Identifier: MIT
// Saves a picture of every registered window, as the program draws it after the
// window's first choice, into the folder given as the first argument (default: docs)
// as <id>.png. Run with QT_QPA_PLATFORM=offscreen.
#include "app/windows.h"
#include "core/number_text.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    merilon::test::prepareApplication();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        qFatal("cannot create %s", qPrintable(folder.path()));

    for (const merilon::WindowEntry &entry : merilon::windows()) {
        std::unique_ptr<QWidget> window(entry.make());
        merilon::test::showAndWait(window.get());
        for (const merilon::Choice &choice : entry.choices) {
            if (!choice.control.empty())
                merilon::test::act(window.get(), merilon::toQString(choice.control), merilon::toQString(choice.item));
        }
        QTest::qWait(50);
        const QString path = folder.filePath(merilon::idOf(entry) + QStringLiteral(".png"));
        if (!window->grab().save(path))
            qFatal("cannot write %s", qPrintable(path));
    }
    return 0;
}
