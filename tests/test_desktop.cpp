// SPDX-License-Identifier: MIT
// Every window as a desktop user meets it: names for screen readers, the keyboard
// alone, and whole captions at the screen's scale factor (run at 1, 1.5 and 2).
#include "ui/controls.h"
#include "app/main_window.h"
#include "app/windows.h"
#include "core/number_text.h"
#include "angles/angle_window.h"
#include "chains/chain_window.h"
#include "form_position/form_position_window.h"
#include "tests/gui_test.h"
#include "fits/fit_window.h"
#include "general/general_window.h"
#include "symbols/symbol_chart.h"
#include "unspecified/unspecified_tables.h"
#include "unspecified/unspecified_window.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
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

Factory registered(const WindowEntry &entry)
{
    return [make = entry.make] { return std::unique_ptr<QWidget>(make()); };
}

QString accessible(QWidget *widget, QAccessible::Text kind)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(kind) : QString();
}

// The controls whose shown text changed, as screen readers hear of it.
QList<QObject *> changedTexts;
void recordChange(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::TextUpdated || event->type() == QAccessible::TextInserted)
        changedTexts.append(event->object());
}

// The caption that labels a control: on Linux a screen reader names a list by it.
QString labelledBy(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    for (const auto &[other, relation] : face->relations(QAccessible::Label))
        return other->text(QAccessible::Name);
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Factory)

class DesktopTest : public QObject
{
    Q_OBJECT

    // Every registered window, with the tab order that its controls keep.
    static void everyWindow()
    {
        QTest::addColumn<Factory>("make");
        QTest::addColumn<QStringList>("tabOrder");
        const QHash<QString, QStringList> tabOrders = {
            {"Форма1", {"Комбо1", "ПД", "ВО", "НО", "Комманда1", "Комманда2", "Комманда3", "Комманда4", "Текст3", "НР",
                        "Комманда5"}},
            {"Форма5", {"Комбо1", "Комбо2", "Комбо3", "Текст1", "Текст2"}},
            {"Форма4", {"Комбо1", "Комбо2", "Комбо3", "Текст1", "Метка7"}},
            {"Форма3", {"Комбо1", "Комбо2", "Текст1"}},
            {"Форма2", {}},
            {"ФАвтор", {"Текст1", "Текст2", "Изображение2"}},
            {"ФПосадки", {"Размер", "ОтвБуква", "ОтвКвалитет", "ВалБуква", "ВалКвалитет", "ES", "es", "EI", "ei", "Dmax",
                          "dmax", "Dmin", "dmin", "TD", "Td", "Smax", "Smin", "Nmax", "Nmin", "Характер", "Система",
                          "Обозначение", "Вероятность", "Подбор", "Копировать"}},
            {"ФПодбор", {"Размер", "ЗазорНаим", "ЗазорНаиб", "Система", "Ряд", "Список", "Копировать"}},
            {"ФОбщиеДопуски", {"Размер", "Класс", "Линейный", "Скругление", "Угол", "КлассФР", "Прямолинейность",
                               "Перпендикулярность", "Симметричность", "Биение", "Квалитет", "Отверстия", "Валы",
                               "Прочие", "Требование", "Копировать", "Примечания"}},
            {"ФЦепи", {"Задача", "Метод", "Риск", "ИсхES", "ИсхEI", "Звенья", "Добавить", "Удалить", "Копировать",
                       "Сохранить", "Открыть", "Номинал", "ES", "EI", "T", "Ec", "Наиб", "Наим", "Уравнение", "Единицы",
                       "Квалитет", "Проверка"}},
        };
        for (const WindowEntry &entry : windows()) {
            const QString name = toQString(entry.name);
            // A window without an expected tab order fails its row.
            QTest::newRow(qPrintable(name)) << registered(entry)
                                            << tabOrders.value(name, {u"no tab order given for "_s + name});
        }
    }
private slots:
    void initTestCase() { prepareApplication(); }

    // Every control that takes the focus has a Russian name to be read out, and the
    // Tab key alone walks the window's controls in their order, round to the first.
    void namesAndTabOrder_data() { everyWindow(); }
    void namesAndTabOrder()
    {
        QFETCH(Factory, make);
        QFETCH(QStringList, tabOrder);
        std::unique_ptr<QWidget> window = make();
        showAndWait(window.get());
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus)
                || qobject_cast<QComboBox *>(control->parentWidget()) || control->inherits("QScrollBar"))
                continue;
            // A list is named by its caption, unless it has a name of its own.
            const QString name = qobject_cast<QComboBox *>(control) && control->accessibleName().isEmpty()
                ? labelledBy(control)
                : accessible(control, QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
        }
        // No unnamed edit field, shown or hidden, stands in the accessible tree (the
        // edit field of a list is read with its list).
        QList<QAccessibleInterface *> tree = {QAccessible::queryAccessibleInterface(window.get())};
        while (!tree.isEmpty()) {
            QAccessibleInterface *face = tree.takeLast();
            if (face->role() == QAccessible::EditableText && !qobject_cast<QComboBox *>(face->object()->parent()))
                QVERIFY2(!face->text(QAccessible::Name).isEmpty(), qPrintable(face->object()->objectName()));
            for (int i = 0; i < face->childCount(); ++i)
                tree.append(face->child(i));
        }
        if (tabOrder.isEmpty())
            return;
        QCOMPARE(QApplication::focusWidget()->objectName(), tabOrder.first());
        QStringList visited;
        for (int i = 0; i < tabOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, tabOrder.mid(1) + tabOrder.mid(0, 1));
    }

    void namesOfResults()
    {
        MainWindow main;
        QCOMPARE(labelledBy(child<QWidget>(&main, "НР")), QString("Номинальные размеры, мм"));
        QCOMPARE(labelledBy(child<QWidget>(&main, "Комбо1")), QString("Квалитет"));

        // The value's unit follows the degree: millimetres from degree 13 on.
        FormPositionWindow form;
        showAndWait(&form);
        QWidget *value = child<QWidget>(&form, "Текст1");
        QCOMPARE(accessible(value, QAccessible::Description), QString("в микрометрах"));
        choose(child<QComboBox>(&form, "Комбо3"), "13");
        QCOMPARE(accessible(value, QAccessible::Description), QString("в миллиметрах"));
        choose(child<QComboBox>(&form, "Комбо3"), "12");
        QCOMPARE(accessible(value, QAccessible::Description), QString("в микрометрах"));

        SymbolChart chart;
        QCOMPARE(accessible(child<QWidget>(&chart, "Изображение12"), QAccessible::Name),
                 QString("1. Допуск радиального биения; 2. Допуск торцевого биения; "
                         "3. Допуск биения в заданном направлении"));
    }

    // A screen reader reads every result by its caption, with its value and unit, and
    // hears a choice change it (Qt's edit fields tell only while a screen reader
    // listens).
    void resultsRead_data()
    {
        QTest::addColumn<Factory>("make");
        QTest::addColumn<QStringList>("choices"); // list, item, list, item …
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("unit");
        const QStringList f = {"НР", "св. 18 до 24", "ПД", "f"};
        QTest::newRow("ВО") << factory<MainWindow>() << f << "ВО" << "верхнее" << "-20" << "в микрометрах";
        QTest::newRow("НО") << factory<MainWindow>() << f << "НО" << "нижнее" << "-41" << "в микрометрах";
        QTest::newRow("Форма5") << factory<FormPositionWindow>() << QStringList{"Комбо3", "13"} << "Текст1"
                                << "Значение допуска" << "0,2" << "в миллиметрах";
        QTest::newRow("Форма4") << factory<UnspecifiedWindow>() << QStringList{"Комбо3", "15 - 16"} << "Текст1"
                                << "Значение допуска" << "0,5" << "в миллиметрах";
        QTest::newRow("Форма4 notes") << factory<UnspecifiedWindow>() << QStringList{"Комбо1", "перпендикулярности"}
                                      << "Метка7" << "Примечание" << unspecified::notes(unspecified::Table::Perpendicularity).remove('\r') << "";
        QTest::newRow("Форма3") << factory<AngleWindow>() << QStringList{"Комбо2", "9"} << "Текст1" << "Допуск"
                                << "6'" << "в градусах (°), минутах (') и секундах ('')";
        QTest::newRow("ФПосадки") << factory<FitWindow>() << QStringList{"ВалБуква", "s", "ВалКвалитет", "6"}
                                  << "Nmin" << "Наименьший натяг Nmin" << "14" << "в микрометрах";
        QTest::newRow("ФПосадки kind") << factory<FitWindow>() << QStringList{"ВалБуква", "k"} << "Характер"
                                       << "Характер посадки" << "переходная посадка" << "";
        QTest::newRow("ФОбщиеДопуски") << factory<GeneralWindow>() << QStringList{"Класс", "c — грубый"}
                                       << "Линейный" << "Предельные отклонения линейного размера" << "±0,5"
                                       << "в миллиметрах";
        QTest::newRow("ФЦепи") << factory<ChainWindow>() << QStringList{"Метод", "вероятностный"} << "T"
                               << "Допуск замыкающего звена T" << "0,3366" << "в миллиметрах";
    }
    void resultsRead()
    {
        QFETCH(Factory, make);
        QFETCH(QStringList, choices);
        QFETCH(QString, result);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, unit);
        // Where a screen reader listens (tools/check-atspi.sh runs this on the bus).
        const bool listened = qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
        if (listened)
            QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
        std::unique_ptr<QWidget> window = make();
        showAndWait(window.get());
        changedTexts.clear();
        const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(recordChange);
        for (qsizetype i = 0; i + 1 < choices.size(); i += 2)
            choose(child<QComboBox>(window.get(), choices[i]), choices[i + 1]);
        QAccessible::installUpdateHandler(before);
        QWidget *control = child<QWidget>(window.get(), result);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
        QCOMPARE(face->text(QAccessible::Name), name);
        QCOMPARE(face->text(QAccessible::Value), value);
        QCOMPARE(face->text(QAccessible::Description), unit);
        QAccessibleTextInterface *text = face->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), value);
        if (listened)
            QVERIFY(changedTexts.contains(control));
    }

    // With the keyboard alone: the arrow keys choose in a list, and the choice counts.
    void arrowKeysChoose()
    {
        AngleWindow angles;
        showAndWait(&angles);
        QComboBox *degree = child<QComboBox>(&angles, "Комбо2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), degree);
        QTest::keyClick(degree, Qt::Key_Down);
        QCOMPARE(degree->currentText(), QString("9"));
        QCOMPARE(child<QLineEdit>(&angles, "Текст1")->text(), QString("6'"));
    }

    // Whatever the scale factor, every window keeps its size in twips and shows its
    // captions whole; its picture has as many device pixels as the factor asks.
    void captionsWholeAtThisScale_data() { everyWindow(); }
    void captionsWholeAtThisScale()
    {
        QFETCH(Factory, make);
        std::unique_ptr<QWidget> window = make();
        showAndWait(window.get());
        const QSize logical = window->size();
        QCOMPARE(window->minimumSize(), logical); // a fixed size in pixels of 15 twips
        QCOMPARE(clippedCaptions(window.get()), QStringList());
        const qreal factor = window->devicePixelRatioF();
        const QImage picture = window->grab().toImage();
        QCOMPARE(picture.size(), (QSizeF(logical) * factor).toSize());
        qInfo("%s at scale %.2f: %dx%d", qPrintable(window->objectName()), factor, picture.width(), picture.height());
    }
};

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
