// SPDX-License-Identifier: MIT
// Every window on a Wayland desktop, run by tools/check-wayland.sh inside a Wayland
// compositor: each window opens, takes one choice and shows its result, and closes;
// a press on the About window's body asks the compositor to move the window (the
// script reads that request from the protocol log). Elsewhere it skips.
#include "app/about_window.h"
#include "app/windows.h"
#include "core/number_text.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <memory>

using namespace merilon;
using namespace merilon::test;
using namespace Qt::StringLiterals;

namespace {

// The shown text of a result: a result box's or a label's.
QString shownText(QWidget *control)
{
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box->text();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(const merilon::WindowEntry *)

class WaylandTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QGuiApplication::platformName().startsWith(u"wayland"_s))
            QSKIP("runs on a Wayland compositor (tools/check-wayland.sh)");
        prepareApplication();
    }

    // Every registered window: its first choice shows what it should.
    void everyWindow_data()
    {
        QTest::addColumn<const WindowEntry *>("entry");
        for (const WindowEntry &entry : windows())
            QTest::newRow(qPrintable(toQString(entry.name))) << &entry;
    }
    void everyWindow()
    {
        QFETCH(const WindowEntry *, entry);
        std::unique_ptr<QWidget> window(entry->make());
        showAndWait(window.get());
        for (const Choice &choice : entry->choices) {
            if (choice.control.empty())
                continue;
            // The compositor takes a popup opened right after another's only after a
            // double click's time.
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            act(window.get(), toQString(choice.control), toQString(choice.item));
        }
        if (!entry->result.empty())
            QCOMPARE(shownText(child<QWidget>(window.get(), toQString(entry->result))), toQString(entry->shows));
        window->close();
        QVERIFY(!window->isVisible());
    }

    // The compositor moves the About window: a left press on its body asks for it. The
    // press is a real one: xdotool moves the virtual X server's pointer over the
    // compositor's screen until it lies on the window's body, and clicks there.
    void aboutAsksForSystemMove()
    {
        AboutWindow about;
        showAndWait(&about);
        const auto xdotool = [](const QStringList &arguments) {
            QVERIFY2(QProcess::execute(u"xdotool"_s, arguments) == 0, qPrintable(arguments.join(u' ')));
        };
        const auto onBody = [&about] {
            if (!about.underMouse())
                return false;
            const QWidget *under = about.childAt(about.mapFromGlobal(QCursor::pos()));
            return !under || !under->objectName().contains(QRegularExpression(u"^(Текст|Изображение)"_s));
        };
        bool found = false;
        for (int y = 10; y < 1000 && !found; y += 60) {
            for (int x = 10; x < 1200 && !found; x += 60) {
                xdotool({u"mousemove"_s, QString::number(x), QString::number(y)});
                found = QTest::qWaitFor(onBody, 20);
            }
        }
        QVERIFY2(found, "the pointer never lay on the About window's body");
        xdotool({u"click"_s, u"1"_s});
        QTest::qWait(300);
        about.close();
    }
};

QTEST_MAIN(WaylandTest)
#include "test_wayland.moc"
