// SPDX-License-Identifier: MIT
// The main window as a user drives it: lists picked with the mouse, keys typed,
// deviations read off the two boxes, messages captured.
#include "app/main_window.h"
#include "ui/messages.h"
#include "fits/fits_tables.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace merilon;
using namespace merilon::test;

namespace {
const QString title = QStringLiteral("Извините, но ...");
const QString chooseSize = QStringLiteral("какие номинальные размеры Вас интересует?");
const QString chooseField = QStringLiteral("уточните поле допуска");
const QString chooseGrade = QStringLiteral("какой допуск Вы хотели бы посмотреть?");
} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<MessageCapture> m_messages;
    std::unique_ptr<MainWindow> m_window;
    QComboBox *m_size = nullptr;
    QComboBox *m_grade = nullptr;
    QComboBox *m_letter = nullptr;
    QLineEdit *m_upper = nullptr;
    QLineEdit *m_lower = nullptr;

    QStringList captions() const { return {m_upper->text(), m_lower->text()}; }
    QList<Message> messages() { return m_messages->take(); }
    static QList<Message> one(const QString &text) { return {Message{title, text}}; }

    void press(QWidget *field, Qt::Key key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(field, key);
    }

private slots:
    void initTestCase() { prepareApplication(); }

    void init()
    {
        m_messages = std::make_unique<MessageCapture>();
        m_window = std::make_unique<MainWindow>();
        showAndWait(m_window.get());
        m_size = child<QComboBox>(m_window.get(), "НР");
        m_grade = child<QComboBox>(m_window.get(), "Комбо1");
        m_letter = child<QComboBox>(m_window.get(), "ПД");
        m_upper = child<QLineEdit>(m_window.get(), "ВО");
        m_lower = child<QLineEdit>(m_window.get(), "НО");
    }

    void cleanup()
    {
        m_window.reset();
        m_messages.reset();
    }

    void startUp()
    {
        QCOMPARE(m_window->objectName(), QString("Форма1"));
        QCOMPARE(m_window->windowTitle(), QString("Мерилон"));
        QCOMPARE(m_window->size(), QSize(391, 330));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(m_window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!m_window->windowIcon().isNull());

        QCOMPARE(m_size->currentText(), QString("не выбрано"));
        QCOMPARE(items(m_size), fits::sizeTexts());
        QCOMPARE(m_grade->currentText(), QString("7"));
        QCOMPARE(items(m_grade).size(), 13);
        QCOMPARE(m_letter->currentText(), QString("Н"));
        QCOMPARE(items(m_letter), fits::lettersForGrade(7));
        QCOMPARE(captions(), QStringList({" ", " "}));
        QVERIFY(messages().isEmpty());
        QCOMPARE(QApplication::focusWidget(), m_grade);

        const QList<std::pair<const char *, const char *>> texts = {
            {"Метка1", "Допуски гладких цилиндрических и плоских соединений в системе отверстий"},
            {"Метка27", "Номинальные размеры, мм"},
            {"Метка2", "Квалитет"},
            {"Метка29", "Поле допуска"},
            {"Метка3", "Отклонения, мкм"},
            {"Метка30", "верхнее "},
            {"Метка31", "нижнее "}};
        for (const auto &[name, text] : texts)
            QCOMPARE(child<QLabel>(m_window.get(), name)->text(), QString(text));
        const QList<std::pair<const char *, const char *>> buttons = {
            {"Комманда1", "Допуски формы и расположения поверхностей"},
            {"Комманда2", "Неуказанные допуски формы и расположения поверхностей"},
            {"Комманда3", "Допуски углов"},
            {"Комманда4", "Указание на чертежах допусков формы и расположения"},
            {"Комманда5", "?"}};
        for (const auto &[name, text] : buttons)
            QCOMPARE(child<QPushButton>(m_window.get(), name)->text(), QString(text));
        QCOMPARE(child<QPushButton>(m_window.get(), "Комманда5")->toolTip(), QString("О программе"));
        QVERIFY(!child<QTextEdit>(m_window.get(), "Текст3")->toPlainText().isEmpty());
        const QLabel *tile = child<QLabel>(m_window.get(), "Picture1");
        QVERIFY(!tile->isVisible());
        QCOMPARE(tile->pixmap().size(), QSize(94, 94));
    }

    void geometryInTwips()
    {
        // Left, top, width and height in twips / 15; those in the frame relative to it.
        const QList<std::pair<const char *, QRect>> places = {
            {"Рамка1", {16, 48, 201, 169}},   {"НР", {48, 32, 137, 21}},       {"Комбо1", {136, 56, 49, 21}},
            {"ПД", {136, 80, 49, 21}},        {"ВО", {128, 120, 57, 15}},      {"НО", {128, 144, 57, 17}},
            {"Метка1", {16, 8, 209, 41}},     {"Комманда3", {232, 8, 113, 25}}, {"Комманда5", {352, 8, 25, 25}},
            {"Комманда1", {232, 40, 145, 49}}, {"Комманда2", {232, 96, 145, 57}},
            {"Комманда4", {232, 160, 145, 57}}, {"Текст3", {16, 224, 361, 97}}};
        for (const auto &[name, rect] : places)
            QCOMPARE(child<QWidget>(m_window.get(), name)->geometry(), rect);
        QCOMPARE(child<QGroupBox>(m_window.get(), "Рамка1")->palette().color(QPalette::Window), QColor(255, 255, 192));
        QCOMPARE(m_size->palette().color(QPalette::Text), QColor(0, 0, 128));
        QCOMPARE(m_grade->palette().color(QPalette::Text), QColor(128, 0, 0));
        QCOMPARE(m_letter->palette().color(QPalette::Text), QColor(0, 128, 0));
        QCOMPARE(m_upper->palette().color(QPalette::Text), QColor(128, 0, 128));
        QCOMPARE(m_upper->alignment(), Qt::AlignCenter);
        // The result boxes and the lists keep the system's window colour in the yellow frame.
        const QColor systemWindow = QApplication::palette().color(QPalette::Base);
        for (QWidget *control : std::initializer_list<QWidget *>{m_upper, m_lower, m_size, m_grade, m_letter})
            QCOMPARE(control->palette().color(QPalette::Base), systemWindow);
    }

    void captionsWhole()
    {
        QCOMPARE(clippedCaptions(m_window.get()), QStringList());
    }

    void tabOrder()
    {
        const QStringList expected = {"ПД", "ВО", "НО", "Комманда1", "Комманда2", "Комманда3",
                                      "Комманда4", "Текст3", "НР", "Комманда5", "Комбо1"};
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, expected);
    }

    void gradeBeforeSize()
    {
        choose(m_grade, "9");
        QCOMPARE(captions(), QStringList({"0", "0"}));
        QCOMPARE(m_letter->currentText(), QString("Н"));
        QCOMPARE(messages(), one(chooseSize));
        choose(m_letter, "js");
        QCOMPARE(captions(), QStringList({"0", "0"}));
        QCOMPARE(messages(), one(chooseSize));
    }

    void letterListOfEveryGrade()
    {
        choose(m_size, "св. 10 до 14");
        QVERIFY(messages().isEmpty());
        for (int grade = 17; grade >= 5; --grade) {
            choose(m_letter, "h"); // the letter is reset by every grade choice
            choose(m_grade, QString::number(grade));
            QCOMPARE(items(m_letter), fits::lettersForGrade(grade));
            QCOMPARE(m_letter->currentText(), QString("Н"));
            QCOMPARE(m_upper->text(), QString::number(*fits::standardTolerance(u"св. 10 до 14", grade)));
            QCOMPARE(m_lower->text(), QString("0"));
        }
        QCOMPARE(items(m_letter).size(), 13);
        QVERIFY(messages().isEmpty());
    }

    void choices_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("grade");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("message");
        auto row = [](const char *size, const char *grade, const char *letter, const char *upper, const char *lower,
                      const QString &message = QString()) {
            QTest::addRow("%s / %s / %s", size, grade, letter)
                << QString(size) << QString(grade) << QString(letter) << QString(upper) << QString(lower) << message;
        };
        row("св. 18 до 24", "7", "Н", "21", "0");
        row("св. 18 до 24", "7", "h", "0", "-21");
        row("св. 18 до 24", "7", "js", "10,5", "-10,5");
        row("св. 18 до 24", "7", "f", "-20", "-41");
        row("св. 18 до 24", "6", "k", "15", "2");
        row("св. 18 до 24", "7", "k", "23", "2");
        row("св. 450 до 500", "17", "js", "3150", "-3150");
        row("св. 450 до 500", "7", "z", "1313", "1250");
        row("от 1 до 3", "9", "js", "12,5", "-12,5");
        row("св. 140 до 160", "7", "u", "230", "190");
        row("св. 3 до 6", "6", "t", "", "", chooseField);
        row("св. 10 до 14", "8", "v", "", "", chooseField);
        row("св. 24 до 30", "8", "t", "74", "41");
        row("св. 315 до 355", "11", "a", "-1200", "-1560");
        row("св. 65 до 80", "12", "b", "-200", "-500");
    }
    void choices()
    {
        QFETCH(QString, size);
        QFETCH(QString, grade);
        QFETCH(QString, letter);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(QString, message);
        choose(m_size, size);
        choose(m_grade, grade);
        QVERIFY(messages().isEmpty());
        choose(m_letter, letter);
        QCOMPARE(captions(), QStringList({upper, lower}));
        QCOMPARE(messages(), message.isEmpty() ? QList<Message>() : one(message));
    }

    void sameChoiceAgainRecomputes()
    {
        choose(m_size, "св. 3 до 6");
        QCOMPARE(captions(), QStringList({"12", "0"}));
        m_upper->setText("x");
        choose(m_size, "св. 3 до 6");
        QCOMPARE(captions(), QStringList({"12", "0"}));
    }

    // A size text shortened with Backspace is no size: 0 / 0 and the size prompt.
    void shortenedSize()
    {
        choose(m_size, "св. 3 до 6");
        QTest::keyClick(m_size, Qt::Key_End);
        press(m_size, Qt::Key_Backspace);
        QCOMPARE(m_size->currentText(), QString("св. 3 до "));
        QVERIFY(messages().isEmpty()); // editing runs nothing
        choose(m_letter, "h");
        QCOMPARE(captions(), QStringList({"0", "0"}));
        QCOMPARE(messages(), one(chooseSize));
    }

    // A grade text that is no number, or a number that is no grade: the boxes keep
    // what they showed and the grade prompt appears.
    void gradeThatIsNoGrade_data()
    {
        QTest::addColumn<int>("backspaces");
        QTest::addColumn<QString>("left");
        QTest::newRow("emptied") << 2 << "";
        QTest::newRow("1 left of 17") << 1 << "1";
    }
    void gradeThatIsNoGrade()
    {
        QFETCH(int, backspaces);
        QFETCH(QString, left);
        choose(m_size, "св. 30 до 40");
        choose(m_grade, "17");
        QCOMPARE(captions(), QStringList({"2500", "0"}));
        QTest::keyClick(m_grade, Qt::Key_End);
        press(m_grade, Qt::Key_Backspace, backspaces);
        QCOMPARE(m_grade->currentText(), left);
        choose(m_letter, "h");
        QCOMPARE(captions(), QStringList({"2500", "0"}));
        QCOMPARE(messages(), one(chooseGrade));
        choose(m_size, "св. 6 до 10");
        QCOMPARE(captions(), QStringList({"2500", "0"}));
        QCOMPARE(messages(), one(chooseGrade));
    }

    // An emptied letter, or "j" left of "js", is no field: empty boxes and the prompt.
    void letterThatIsNoField_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("left");
        QTest::newRow("Н emptied") << "Н" << "";
        QTest::newRow("j left of js") << "js" << "j";
    }
    void letterThatIsNoField()
    {
        QFETCH(QString, letter);
        QFETCH(QString, left);
        choose(m_size, "св. 6 до 10");
        choose(m_letter, letter);
        QVERIFY(!m_upper->text().isEmpty());
        QTest::keyClick(m_letter, Qt::Key_End);
        QTest::keyClick(m_letter, Qt::Key_Backspace);
        QCOMPARE(m_letter->currentText(), left);
        choose(m_size, "св. 10 до 14");
        QCOMPARE(captions(), QStringList({"", ""}));
        QCOMPARE(messages(), one(chooseField));
        // Without a size the size prompt comes first, and alone.
        m_window.reset();
        init();
        QTest::keyClick(m_letter, Qt::Key_End);
        QTest::keyClick(m_letter, Qt::Key_Backspace);
        choose(m_grade, "8");
        QCOMPARE(captions(), QStringList({"0", "0"})); // the grade choice resets the letter
        QCOMPARE(messages(), one(chooseSize));
    }

    void typingChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("НР") << "НР";
        QTest::newRow("Комбо1") << "Комбо1";
        QTest::newRow("ПД") << "ПД";
    }
    void typingChangesNothing()
    {
        QFETCH(QString, name);
        QComboBox *field = child<QComboBox>(m_window.get(), name);
        const QString before = field->currentText();
        typeInto(field, "abcXYZ жЩ 0123456789,.;:'\"-+=/?!");
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClick(field, Qt::Key_Enter);
        QCOMPARE(field->currentText(), before);
        QCOMPARE(field->count(), items(field).size());
        QCOMPARE(captions(), QStringList({" ", " "}));
        QVERIFY(messages().isEmpty());

        // Backspace deletes before the cursor, Delete after it; arrows and Home move.
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->currentText(), before.chopped(1));
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->currentText(), before.chopped(1).mid(1));
        QVERIFY(messages().isEmpty());
    }

    // A deviation is selected with the mouse or the keyboard and copied as shown;
    // nothing typed, pasted or deleted changes it.
    void deviationsCopiedAsShown_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("f") << "f" << "-20" << "-41";
        QTest::newRow("js") << "js" << "10,5" << "-10,5";
    }
    void deviationsCopiedAsShown()
    {
        QFETCH(QString, letter);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        choose(m_size, "св. 18 до 24");
        choose(m_letter, letter);
        const QPoint left(2, m_upper->height() / 2);
        const QPoint right(m_upper->width() - 2, left.y());
        QTest::mousePress(m_upper, Qt::LeftButton, Qt::NoModifier, left);
        QTest::mouseMove(m_upper, right);
        QTest::mouseRelease(m_upper, Qt::LeftButton, Qt::NoModifier, right);
        QCOMPARE(m_upper->selectedText(), upper);
        QTest::keyClick(m_upper, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), upper);

        QTest::keyClick(m_upper, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_lower);
        QTest::keyClick(m_lower, Qt::Key_Home);
        QTest::keyClick(m_lower, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(m_lower, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), lower);

        for (QLineEdit *box : {m_upper, m_lower}) {
            typeInto(box, "7a,");
            for (Qt::Key key : {Qt::Key_End, Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete})
                QTest::keyClick(box, key);
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            for (Qt::Key key : {Qt::Key_X, Qt::Key_V})
                QTest::keyClick(box, key, Qt::ControlModifier);
        }
        QCOMPARE(captions(), QStringList({upper, lower}));
        QVERIFY(messages().isEmpty());
    }

    // "15" edited into "5" is an item's text, but editing is no choice: leaving the
    // field or pressing Return does not run the grade's procedure.
    void editedIntoAnItemRunsNothing()
    {
        choose(m_grade, "15");
        messages();
        QTest::keyClick(m_grade, Qt::Key_Home);
        QTest::keyClick(m_grade, Qt::Key_Delete);
        QCOMPARE(m_grade->currentText(), QString("5"));
        QTest::keyClick(m_grade, Qt::Key_Return);
        QTest::keyClick(m_grade, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_letter);
        QCOMPARE(items(m_letter), fits::lettersForGrade(15));
        QCOMPARE(captions(), QStringList({"0", "0"}));
        QVERIFY(messages().isEmpty());
    }

    void pasteCutUndoPutNothingIn()
    {
        QGuiApplication::clipboard()->setText("св. 3 до 6");
        typeInto(m_size, QString());
        QTest::keyClick(m_size, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_size, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("не выбрано")); // copy works
        QTest::keyClick(m_size, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(m_size->currentText(), QString("не выбрано"));
        QTest::keyClick(m_size, Qt::Key_Delete); // the selection goes
        QCOMPARE(m_size->currentText(), QString());
        QTest::keyClick(m_size, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(m_size, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::keyClick(m_size, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(m_size, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(m_size, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(m_size->currentText(), QString());
    }

    void contextMenuOffersNoPaste()
    {
        QLineEdit *edit = m_size->lineEdit();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit, &event);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        QStringList texts;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                texts.append(action->text());
        }
        QCOMPARE(texts, QStringList({"Копировать", "Удалить", "Выделить всё"}));
        menu->actions().constLast()->trigger();
        QCOMPARE(edit->selectedText(), QString("не выбрано"));
        menu->close();
    }

    // Every size, grade and offered letter, picked from the lists.
    void everyChoice()
    {
        int checked = 0;
        for (const QString &size : fits::sizeTexts()) {
            choose(m_size, size);
            for (int grade = fits::firstGrade; grade <= fits::lastGrade; ++grade) {
                choose(m_grade, QString::number(grade));
                for (const QString &letter : items(m_letter)) {
                    choose(m_letter, letter);
                    const fits::Deviations expected = fits::deviations(size, QString::number(grade), letter);
                    QCOMPARE(captions(), QStringList({expected.upper, expected.lower}));
                    const QList<Message> shown = messages();
                    QCOMPARE(shown, expected.prompt == fits::Prompt::None ? QList<Message>()
                                                                          : one(fits::promptText(expected.prompt)));
                    ++checked;
                }
            }
        }
        QCOMPARE(checked, 25 * 99);
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
