// SPDX-License-Identifier: MIT
// The pieces every window shares: the key filter, the lists, the look, what a
// screen reader reads.
#include "ui/controls.h"
#include "ui/key_filter.h"
#include "ui/speech.h"
#include "ui/window_description.h"
#include "tests/gui_test.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace merilon;
using namespace Qt::StringLiterals;

class UiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { test::prepareApplication(); }

    // One description makes a frame, a labelled list in it and a box, in tab order.
    void builtFromDescription()
    {
        static constexpr QStringList (*items)() = [] { return QStringList{u"а"_s, u"б"_s}; };
        static constexpr ui::ControlDescription controls[] = {
            {.name = u"Рамка", .kind = ui::ControlKind::Frame, .rect = {150, 150, 1500, 1500}, .text = u"Рамка"},
            {.name = u"Метка", .kind = ui::ControlKind::Label, .rect = {15, 15, 300, 300}, .parent = u"Рамка",
             .text = u"Буква ", .colour = ui::colour::maroon},
            {.name = u"Список", .kind = ui::ControlKind::List, .rect = {300, 30, 600, 300}, .parent = u"Рамка",
             .text = u"б", .items = items, .label = u"Метка"},
            {.name = u"Поле", .kind = ui::ControlKind::ReadOnlyBox, .rect = {0, 1800, 900, 300}, .text = u"1",
             .font = {12, true}, .accessibleDescription = u"в мм"},
        };
        static constexpr std::u16string_view tabOrder[] = {u"Поле", u"Список"};
        QWidget window;
        const ui::Controls made = ui::buildControls(&window, controls, tabOrder);
        auto *list = made.get<QComboBox>(u"Список");
        QCOMPARE(list->parentWidget(), made[u"Рамка"]);
        QCOMPARE(list->geometry(), QRect(20, 2, 40, 20));
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(list->accessibleName(), u"Буква"_s);
        QCOMPARE(made.get<QLabel>(u"Метка")->buddy(), list);
        QCOMPARE(made[u"Метка"]->palette().color(QPalette::WindowText), ui::colour::maroon);
        auto *box = made.get<QLineEdit>(u"Поле");
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->font().pointSizeF(), ui::font(12, true).pointSizeF());
        QCOMPARE(box->accessibleDescription(), u"в мм"_s);
        QCOMPARE(window.focusWidget(), box);
    }

    void keyFilter_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("permitted");
        QTest::addColumn<int>("result");
        QTest::newRow("Backspace") << 8 << "" << 8;
        QTest::newRow("Backspace, other permitted") << 8 << "12" << 8;
        QTest::newRow("letter") << int('a') << "" << 0;
        QTest::newRow("digit") << int('7') << "" << 0;
        QTest::newRow("line break") << 13 << "" << 0;
        QTest::newRow("permitted letter") << int('b') << "abc" << int('b');
        QTest::newRow("case counts") << int('B') << "abc" << 0;
        QTest::newRow("Cyrillic") << 0x41D << "Н" << 0x41D;
        QTest::newRow("Latin H is not Cyrillic En") << int('H') << "Н" << 0;
    }
    void keyFilter()
    {
        QFETCH(int, code);
        QFETCH(QString, permitted);
        QFETCH(int, result);
        QCOMPARE(int(KeyFilter(static_cast<qint16>(code), permitted)), result);
    }

    // A filtered multi-line box: only Backspace and keys that type nothing act.
    void filteredTextBox()
    {
        QWidget window;
        auto *box = new QPlainTextEdit(QStringLiteral("12,5"), &window);
        auto *next = new QLineEdit(&window);
        box->setTabChangesFocus(true);
        applyKeyFilter(box);
        test::showAndWait(&window);
        test::typeInto(box, QStringLiteral("9x Ж"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->toPlainText(), QString("12,5"));
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->toPlainText(), QString("12,"));

        QGuiApplication::clipboard()->setText(QStringLiteral("999"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QInputMethodEvent compose;
        compose.setCommitString(QStringLiteral("ё"));
        QApplication::sendEvent(box, &compose);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(box->toPlainText(), QString("12,"));
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("12,"));

        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }

    // A wheel turn over a list without the focus changes nothing and takes no focus;
    // with the focus it steps to the next item and is a choice, like an arrow key.
    void wheelChoosesOnlyWithFocus()
    {
        QWidget window;
        QComboBox *list = ui::addCombo(&window, QStringLiteral("list"), {0, 0, 1500, 315}, {"1", "2", "3"});
        QComboBox *other = ui::addCombo(&window, QStringLiteral("other"), {0, 600, 1500, 315}, {"a"});
        ui::setComboText(list, QStringLiteral("2"));
        QSignalSpy chosen(list, &QComboBox::activated);
        test::showAndWait(&window);
        other->setFocus();
        QVERIFY((list->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus);
        test::turnWheel(list, -1);
        QCOMPARE(list->currentText(), QString("2"));
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(QApplication::focusWidget(), other);

        QTest::keyClick(other, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), list);
        test::turnWheel(list, -1);
        QCOMPARE(list->currentText(), QString("3"));
        QCOMPARE(chosen.count(), 1);
        test::turnWheel(list, 2);
        QCOMPARE(list->currentText(), QString("2"));
        QCOMPARE(chosen.count(), 2);
    }

    // ui::addCombo cuts the two connections by which Qt's editable combo box takes an
    // edited text that equals an item as a choice. Should a Qt update drop or rename
    // them, this fails: then find anew what makes an edited text choose an item.
    void comboEditConnectionsPinned()
    {
        QComboBox plain;
        plain.setEditable(true);
        QVERIFY(QObject::disconnect(plain.lineEdit(), &QLineEdit::editingFinished, &plain, nullptr));
        QVERIFY(QObject::disconnect(plain.lineEdit(), &QLineEdit::returnPressed, &plain, nullptr));
        QWidget window;
        QComboBox *list = ui::addCombo(&window, QStringLiteral("list"), {0, 0, 1500, 315}, {"1"});
        QVERIFY(!QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr));
        QVERIFY(!QObject::disconnect(list->lineEdit(), &QLineEdit::returnPressed, list, nullptr));
    }

    // The style hands Fusion one palette for equal palettes, because Qt gives every
    // widget whose palette is set a palette of its own cache key, and Fusion keys its
    // cached frames by that key. Should a Qt update give equal palettes one key, this
    // fails: then the style buys nothing and can go.
    void equalPalettesHaveTheirOwnCacheKeys()
    {
        QWidget first;
        QWidget second;
        ui::setBackground(&first, QColor(255, 255, 192));
        ui::setBackground(&second, QColor(255, 255, 192));
        QCOMPARE(first.palette(), second.palette());
        QVERIFY(first.palette().cacheKey() != second.palette().cacheKey());
    }

    // Qt's own texts are Russian whatever the environment's language (CTest runs this
    // under LC_ALL=C.UTF-8): the context menu of a plain edit field and the buttons of a
    // message box.
    void qtTextsInRussian()
    {
        QLineEdit field(QStringLiteral("12,5"));
        test::showAndWait(&field);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, field.rect().center(),
                                    field.mapToGlobal(field.rect().center()));
        QApplication::sendEvent(&field, &menuEvent);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList texts;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                texts.append(action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')));
        }
        menu->close();
        QCOMPARE(texts, (QStringList{"Отменить действие", "Повторить действие", "Вырезать", "Копировать",
                                     "Вставить", "Удалить", "Выделить всё"}));

        // Qt's Russian texts write OK in Latin letters, as Russian desktops do.
        QMessageBox box(QMessageBox::Information, QStringLiteral("Извините, но ..."), QStringLiteral("x"),
                        QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Ok)->text().remove(QLatin1Char('&')), QString("OK"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QString("Отмена"));
    }

    // What a screen reader reads: a text box's, a result label's and a list's whole
    // value as one run of text; a window as a window; the results with their unit.
    void screenReaderFaces()
    {
        QWidget window;
        window.setWindowTitle(u"Окно"_s);
        auto *box = new QLineEdit(u"-20"_s, &window);
        box->setAccessibleName(u"верхнее"_s);
        box->setAccessibleDescription(u"в микрометрах"_s);
        auto *lower = new QLineEdit(u"-41"_s, &window);
        lower->setAccessibleName(u"нижнее"_s);
        lower->setAccessibleDescription(u"в микрометрах"_s);
        auto *label = new ui::ResultLabel(u"Метка"_s, u"0,2\n\rмм"_s, ui::Twips{0, 0, 900, 300}, &window);
        auto *list = new QComboBox(&window);
        list->addItems({u"6"_s, u"7"_s});
        list->setCurrentIndex(1);
        for (QWidget *w : std::initializer_list<QWidget *>{box, label, list}) {
            QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(w)->textInterface();
            QVERIFY2(text, qPrintable(w->metaObject()->className()));
            int start = -1, end = -1;
            text->attributes(1, &start, &end);
            QCOMPARE(start, 0);
            QCOMPARE(end, text->characterCount());
            QVERIFY(end > 0);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Value), u"7"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Window);
        QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name), u"Окно"_s);
        QCOMPARE(ui::spokenResults({box, lower}), u"верхнее -20, нижнее -41, в микрометрах"_s);
        lower->clear();
        QCOMPARE(ui::spokenResults({lower}), QString());
    }

    // Return and Enter press the focused button, as Space does.
    void returnPressesTheFocusedButton()
    {
        QWidget window;
        auto *button = new QPushButton(u"Копировать"_s, &window);
        test::showAndWait(&window);
        button->setFocus();
        QSignalSpy clicks(button, &QPushButton::clicked);
        QTest::keyClick(button, Qt::Key_Return);
        QTRY_COMPARE(clicks.size(), 1);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(clicks.size(), 2);
    }
};

QTEST_MAIN(UiTest)
#include "test_ui.moc"
