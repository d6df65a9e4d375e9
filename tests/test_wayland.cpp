// SPDX-License-Identifier: MIT
// Every window on a Wayland desktop, run by tools/check-wayland.sh inside a Wayland
// compositor: each window opens, takes one choice and shows its result, and closes;
// a press on the About window's body asks the compositor to move the window (the
// script reads that request from the protocol log). Elsewhere it skips.
#include "angles/angle_window.h"
#include "app/about_window.h"
#include "app/main_window.h"
#include "fits/fit_search_window.h"
#include "fits/fit_window.h"
#include "general/general_window.h"
#include "form_position/form_position_window.h"
#include "symbols/symbol_chart.h"
#include "tests/gui_test.h"
#include "unspecified/unspecified_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>

using namespace merilon;
using namespace merilon::test;
using namespace Qt::StringLiterals;

namespace {

using Factory = std::function<std::unique_ptr<QWidget>()>;

template <typename Window>
Factory factory()
{
    return [] { return std::make_unique<Window>(); };
}

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

Q_DECLARE_METATYPE(Factory)

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

    void everyWindow_data()
    {
        QTest::addColumn<Factory>("make");
        QTest::addColumn<QStringList>("choice"); // list and item; a symbol to point at
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("value");
        QTest::newRow("Форма1") << factory<MainWindow>() << QStringList{"НР", "св. 18 до 24"} << "ВО" << "21";
        QTest::newRow("Форма5") << factory<FormPositionWindow>() << QStringList{"Комбо3", "13"} << "Текст1" << "0,2";
        QTest::newRow("Форма4") << factory<UnspecifiedWindow>() << QStringList{"Комбо3", "15 - 16"} << "Текст1"
                                << "0,5";
        QTest::newRow("Форма3") << factory<AngleWindow>() << QStringList{"Комбо2", "9"} << "Текст1" << "6'";
        QTest::newRow("Форма2") << factory<SymbolChart>() << QStringList{"Изображение3"} << "Метка2"
                                << "Допуск формы";
        QTest::newRow("ФПосадки") << factory<FitWindow>() << QStringList{"ВалБуква", "k"} << "Характер"
                                  << "переходная посадка";
        QTest::newRow("ФОбщиеДопуски") << factory<GeneralWindow>() << QStringList{"КлассФР", "L"}
                                       << "Прямолинейность" << "0,2";
        QTest::newRow("ФПодбор") << factory<FitSearchWindow>() << QStringList{"Ряд", "все поля стандарта"}
                                 << "Найдено" << "Подходят 10 посадок.";
    }
    void everyWindow()
    {
        QFETCH(Factory, make);
        QFETCH(QStringList, choice);
        QFETCH(QString, result);
        QFETCH(QString, value);
        std::unique_ptr<QWidget> window = make();
        showAndWait(window.get());
        if (choice.size() == 2)
            choose(child<QComboBox>(window.get(), choice[0]), choice[1]);
        else // the pointer, as the compositor moves it (a program cannot place it here)
            QTest::mouseMove(window->windowHandle(),
                             child<QWidget>(window.get(), choice[0])->mapTo(window.get(), QPoint(5, 5)));
        QCOMPARE(shownText(child<QWidget>(window.get(), result)), value);
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
