// SPDX-License-Identifier: MIT
// The window `ФЦепи` as its user drives it: choices from the real popups, keys typed
// into the table's cells, the chain pasted and copied through the clipboard, files
// saved and opened through the dialogs' seam, and the question before changes are lost.
#include "chains/chain_window.h"

#include "tests/gui_test.h"
#include "ui/messages.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace merilon;
using namespace merilon::test;
using namespace Qt::StringLiterals;

namespace {

// The gearbox of the design task worked by hand in test_chain: a housing, two bearings
// of typed width, a sleeve and an adjusting spacer.
const QString gearbox = u"А1\t120\tув\t\t\t\t\tH\n"
                        u"А2\t25\tум\t\t0\t-0,12\n"
                        u"А3\t60\tум\t\t\t\t\th\n"
                        u"А4\t9\tум\t\t\t\t\tjs\tда\n"
                        u"А5\t25\tум\t\t0\t-0,12\n"_s;

QString shown(const QWidget *window, const QString &name)
{
    return child<QLineEdit>(window, name)->text();
}

QStringList closing(const QWidget *window)
{
    QStringList texts;
    for (const char *name : {"Номинал", "ES", "EI", "T", "Ec", "Наиб", "Наим", "Единицы", "Квалитет", "Проверка"})
        texts.append(shown(window, QString::fromUtf8(name)));
    return texts;
}

QTableWidget *table(const QWidget *window)
{
    return child<QTableWidget>(window, u"Звенья"_s);
}

// The cell as shown, and whether it shows what was typed.
QString cell(const QWidget *window, int row, int column)
{
    const QTableWidgetItem *item = table(window)->item(row, column);
    return item ? item->text() : QString();
}

bool typedThere(const QWidget *window, int row, int column)
{
    const QTableWidgetItem *item = table(window)->item(row, column);
    return item && item->text() == item->data(ChainWindow::typedRole).toString();
}

void press(QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(target, key, modifiers);
}

// Ctrl+A and Ctrl+V on the table with `text` in the clipboard: the chain replaced.
void pasteWhole(QWidget *window, const QString &text)
{
    QApplication::clipboard()->setText(text);
    QTableWidget *links = table(window);
    links->setFocus();
    press(links, Qt::Key_A, Qt::ControlModifier);
    press(links, Qt::Key_V, Qt::ControlModifier);
}

// Types into the cell at row, column: the cell made current, the keys, Return.
void typeCell(QWidget *window, int row, int column, const QString &keys)
{
    QTableWidget *links = table(window);
    links->setFocus();
    links->setCurrentCell(row, column);
    typeInto(links, keys.left(1));
    QWidget *editor = QApplication::focusWidget();
    typeInto(editor, keys.mid(1));
    press(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor hands its text over once back in the event loop
}

} // namespace

class ChainWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ChainWindow> m_window;
    std::unique_ptr<DialogAnswers> m_answers;

    void choose(const char *list, const QString &item)
    {
        test::choose(child<QComboBox>(m_window.get(), QString::fromUtf8(list)), item);
    }

private slots:
    void initTestCase() { prepareApplication(); }

    void init()
    {
        m_answers = std::make_unique<DialogAnswers>();
        m_answers->save = SaveAnswer::Discard;
        m_window = std::make_unique<ChainWindow>();
        showAndWait(m_window.get());
    }

    void cleanup()
    {
        m_window.reset();
        m_answers.reset();
    }

    // It opens with the gearbox's end play by the worst case, against 0,1 … 0,6 mm; the
    // probabilistic method with its risks and laws; the fields' deviations shown, no input.
    void checkingTask()
    {
        QCOMPARE(closing(m_window.get()), (QStringList{u"2"_s, u"0,65"_s, u"0"_s, u"0,65"_s, u"0,325"_s, u"2,65"_s,
                                                       u"2"_s, QString(), QString(),
                                                       u"нет: ES больше на 0,05 мм, EI меньше на 0,1 мм"_s}));
        QCOMPARE(shown(m_window.get(), u"Уравнение"_s), u"АΔ = А1 − А2 − А3 − А4"_s);
        QCOMPARE(cell(m_window.get(), 0, chains::Upper), u"0,22"_s);
        QVERIFY(!typedThere(m_window.get(), 0, chains::Upper));
        QVERIFY(typedThere(m_window.get(), 1, chains::Upper));
        choose("Метод", u"вероятностный"_s);
        QCOMPARE(closing(m_window.get()), (QStringList{u"2"_s, u"0,4933"_s, u"0,1567"_s, u"0,3366"_s, u"0,325"_s,
                                                       u"2,4933"_s, u"2,1567"_s, QString(), QString(),
                                                       u"да: в пределах исходного звена"_s}));
        choose("Риск", u"1 % (t = 2,57)"_s);
        QCOMPARE(shown(m_window.get(), u"T"_s), u"0,2884"_s);
        typeCell(m_window.get(), 0, chains::Law, u"симп"_s);
        QCOMPARE(cell(m_window.get(), 0, chains::Law), u"Симпсона"_s);
        choose("Риск", u"0,27 % (t = 3)"_s);
        QCOMPARE(shown(m_window.get(), u"T"_s), u"0,3708"_s);
        QVERIFY(m_window->isModified());
    }

    // The design task on the gearbox, both methods: the grade and the adjusting link
    // written into the table as computed; switching tasks and methods back and forth
    // solves again from what was typed.
    void designTask()
    {
        pasteWhole(m_window.get(), gearbox);
        QCOMPARE(table(m_window.get())->rowCount(), 6); // and the empty row to type the next link into
        typeInto(child<QLineEdit>(m_window.get(), u"ИсхES"_s), u"\b\b\b0,5"_s);
        QLineEdit *lower = child<QLineEdit>(m_window.get(), u"ИсхEI"_s);
        lower->selectAll();
        typeInto(lower, u"0"_s);
        QCOMPARE(lower->text(), u"0"_s);
        QCOMPARE(child<QLabel>(m_window.get(), u"Сообщение"_s)->text(),
                 u"У звена А1 нет ни поля, ни отклонений: задайте поле (например, h9) или ES и EI."_s);
        QCOMPARE(shown(m_window.get(), u"T"_s), QString());
        const QStringList worst = {u"1"_s, u"0,5"_s, u"0"_s, u"0,5"_s, u"0,25"_s, u"1,5"_s, u"1"_s, u"52,7"_s,
                                   u"9"_s, u"да: в пределах исходного звена"_s};
        const QStringList probable = {u"1"_s, u"0,5"_s, u"0"_s, u"0,5"_s, u"0,25"_s, u"1,5"_s, u"1"_s, u"157"_s,
                                      u"11"_s, u"да: в пределах исходного звена"_s};
        for (int round = 0; round < 2; ++round) {
            choose("Задача", u"проектная — допуски составляющих по исходному звену"_s);
            QCOMPARE(closing(m_window.get()), worst);
            QCOMPARE(cell(m_window.get(), 0, chains::Field), u"H9"_s);
            QCOMPARE(cell(m_window.get(), 2, chains::Lower), u"-0,074"_s);
            QCOMPARE(cell(m_window.get(), 3, chains::Lower), u"-0,099"_s);
            QVERIFY(!typedThere(m_window.get(), 0, chains::Field));
            choose("Метод", u"вероятностный"_s);
            QCOMPARE(closing(m_window.get()), probable);
            QCOMPARE(cell(m_window.get(), 0, chains::Field), u"H11"_s);
            QCOMPARE(cell(m_window.get(), 3, chains::Upper), u"0,25985"_s);
            choose("Метод", u"максимум-минимум"_s);
            choose("Задача", u"проверочная — замыкающее звено по составляющим"_s);
            QCOMPARE(cell(m_window.get(), 0, chains::Field), QString());
        }
    }

    // A field typed drops the typed deviations of its row; a deviation typed drops the
    // field; the words are written out whole; Delete empties the cells selected.
    void typingCells()
    {
        typeCell(m_window.get(), 1, chains::Field, u"h12"_s);
        QCOMPARE(cell(m_window.get(), 1, chains::Field), u"h12"_s);
        QCOMPARE(cell(m_window.get(), 1, chains::Upper), u"0"_s);
        QCOMPARE(cell(m_window.get(), 1, chains::Lower), u"-0,21"_s);
        QVERIFY(!typedThere(m_window.get(), 1, chains::Lower));
        typeCell(m_window.get(), 0, chains::Upper, u"0,3"_s);
        QCOMPARE(cell(m_window.get(), 0, chains::Field), QString());
        QCOMPARE(child<QLabel>(m_window.get(), u"Сообщение"_s)->text(),
                 u"У звена А1 задано одно отклонение: введите и ES, и EI."_s);
        QCOMPARE(shown(m_window.get(), u"T"_s), QString());
        typeCell(m_window.get(), 0, chains::Lower, u"0"_s);
        QCOMPARE(shown(m_window.get(), u"T"_s), u"0,82"_s);
        typeCell(m_window.get(), 4, chains::Nominal, u"3"_s);
        QCOMPARE(cell(m_window.get(), 4, chains::Name), u"А5"_s);
        QCOMPARE(child<QLabel>(m_window.get(), u"Сообщение"_s)->text(),
                 u"Укажите вид звена А5: увеличивающее или уменьшающее."_s);
        typeCell(m_window.get(), 4, chains::Direction, u"+"_s);
        QCOMPARE(cell(m_window.get(), 4, chains::Direction), u"увеличивающее"_s);
        table(m_window.get())->setCurrentCell(4, chains::Nominal);
        press(table(m_window.get()), Qt::Key_Delete);
        table(m_window.get())->setCurrentCell(4, chains::Direction);
        press(table(m_window.get()), Qt::Key_Delete);
        QCOMPARE(shown(m_window.get(), u"T"_s), u"0,82"_s);
        QCOMPARE(cell(m_window.get(), 4, chains::Name), QString());
    }

    // Ctrl+C copies the chain and its result as a spreadsheet's rows; Ctrl+A and Ctrl+V
    // in a new window give the same chain and the same text back. Rows pasted with the
    // accepted abbreviations go from the current row on, adding rows as needed.
    void copyAndPaste()
    {
        choose("Метод", u"вероятностный"_s);
        table(m_window.get())->setFocus();
        press(table(m_window.get()), Qt::Key_C, Qt::ControlModifier);
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.startsWith(u"Обозначение\tНоминал, мм\tВид\tПоле\tES, мм\tEI, мм\tЗакон\tТип\tУвязочное"_s),
                 qPrintable(copied));
        QVERIFY2(copied.contains(u"\nА1\t100\tувеличивающее\tH11\t\t\t\tохватывающий\t\tH11\t0,22\t0\n"_s),
                 qPrintable(copied));
        QVERIFY2(copied.contains(u"\nМетод\tвероятностный\n"_s) && copied.contains(u"\nT, мм\t0,3366\n"_s),
                 qPrintable(copied));

        ChainWindow other;
        showAndWait(&other);
        pasteWhole(&other, copied);
        QCOMPARE(child<QComboBox>(&other, u"Метод"_s)->currentText(), u"вероятностный"_s);
        QCOMPARE(closing(&other), closing(m_window.get()));
        QCOMPARE(other.chainText(), copied);

        QApplication::clipboard()->setText(u"Б1\t7\t-1\t\t0,1\t-0,1\tравн\nБ2\t3\t1\tjs9\t\t\tсимп\th\n"_s);
        table(&other)->setFocus();
        table(&other)->setCurrentCell(3, 0);
        press(table(&other), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(table(&other)->rowCount(), 6);
        QCOMPARE(cell(&other, 3, chains::Direction), u"уменьшающее"_s);
        QCOMPARE(cell(&other, 3, chains::Law), u"равной вероятности"_s);
        QCOMPARE(cell(&other, 4, chains::Direction), u"увеличивающее"_s);
        QCOMPARE(cell(&other, 4, chains::Kind), u"охватываемый"_s);
        QCOMPARE(shown(&other, u"Уравнение"_s), u"АΔ = А1 + Б2 − А2 − А3 − Б1"_s);
        QVERIFY(other.isModified());
    }

    // Saved and opened again, the chain is the same; a file that is no chain, or that
    // cannot be read, is refused with the reason and the chain on screen kept.
    void files_data()
    {
        QTest::addColumn<QByteArray>("content"); // none: no such file
        QTest::addColumn<QString>("message");
        QTest::newRow("no chain") << QByteArray("x\ty\n") << u"Файл «цепь.tsv» не открыт: это не цепь: первая строка "
                                                             u"цепи — заголовок таблицы звеньев («Обозначение», "
                                                             u"«Номинал, мм» и далее через табуляцию). Цепь на экране "
                                                             u"не изменилась."_s;
        QTest::newRow("not UTF-8") << QByteArray("\xff\xfe\x00") << u"Файл «цепь.tsv» не открыт: он не в кодировке "
                                                                   u"UTF-8. Цепь на экране не изменилась."_s;
        QTest::newRow("a word not of its column")
            << u"Обозначение\tНоминал, мм\tВид\tПоле\tES, мм\tEI, мм\tЗакон\tТип\tУвязочное\nА1\t5\tвниз\n"_s.toUtf8()
            << u"Файл «цепь.tsv» не открыт: строка 2: в столбце «Вид» «вниз» — не из его слов. Цепь на экране не "
               u"изменилась."_s;
        QTest::newRow("no such file") << QByteArray() << u"Файл «цепь.tsv» не открыт: такого файла нет. Цепь на "
                                                         u"экране не изменилась."_s;
    }
    void files()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"цепь.tsv"_s);
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        MessageCapture messages;
        const QString before = m_window->chainText();
        m_answers->openName = path;
        QTest::mouseClick(child<QPushButton>(m_window.get(), u"Открыть"_s), Qt::LeftButton);
        const QList<Message> told = messages.take();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().title, u"Цепь не открыта"_s);
        QCOMPARE(told.first().text, message);
        QCOMPARE(m_window->chainText(), before);
        QVERIFY(m_answers->questions.isEmpty()); // nothing was changed: nothing asked

        // Saved, changed, opened again: the changes are asked about first.
        m_answers->saveName = path;
        QTest::mouseClick(child<QPushButton>(m_window.get(), u"Сохранить"_s), Qt::LeftButton);
        QVERIFY(!m_window->isModified());
        typeCell(m_window.get(), 0, chains::Nominal, u"101"_s);
        QCOMPARE(shown(m_window.get(), u"Номинал"_s), u"3"_s);
        m_answers->save = SaveAnswer::Cancel;
        QTest::mouseClick(child<QPushButton>(m_window.get(), u"Открыть"_s), Qt::LeftButton);
        QCOMPARE(shown(m_window.get(), u"Номинал"_s), u"3"_s);
        m_answers->save = SaveAnswer::Discard;
        QTest::mouseClick(child<QPushButton>(m_window.get(), u"Открыть"_s), Qt::LeftButton);
        QCOMPARE(m_window->chainText(), before);
        QCOMPARE(m_answers->questions.size(), 2);
        QCOMPARE(m_answers->questions.first().text, u"Цепь изменена. Сохранить её?"_s);
        QVERIFY(messages.take().isEmpty());
    }

    // A file that cannot be written says so, and the chain stays changed.
    void saveRefused()
    {
        typeInto(child<QLineEdit>(m_window.get(), u"ИсхEI"_s), u"5"_s);
        MessageCapture messages;
        QTemporaryDir folder;
        m_answers->saveName = folder.filePath(u"нет такой папки/цепь.tsv"_s);
        QTest::mouseClick(child<QPushButton>(m_window.get(), u"Сохранить"_s), Qt::LeftButton);
        const QList<Message> told = messages.take();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().title, u"Цепь не сохранена"_s);
        QVERIFY2(told.first().text.startsWith(u"Не удалось записать файл «цепь.tsv»: "_s), qPrintable(told.first().text));
        QVERIFY(m_window->isModified());
    }

    // Closing a changed chain asks first: Cancel keeps the window, Save saves and
    // closes, an unchanged chain closes without a word.
    void closingAsks()
    {
        QTemporaryDir folder;
        QPointer<ChainWindow> window = new ChainWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        showAndWait(window);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
        QVERIFY(m_answers->questions.isEmpty());

        window = new ChainWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        showAndWait(window);
        typeInto(child<QLineEdit>(window, u"ИсхEI"_s), u"5"_s);
        m_answers->save = SaveAnswer::Cancel;
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        m_answers->save = SaveAnswer::Save;
        m_answers->saveName = folder.filePath(u"зазор"_s);
        QVERIFY(window->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
        QVERIFY(QFile::exists(folder.filePath(u"зазор.tsv"_s)));
        QCOMPARE(m_answers->questions.size(), 2);
    }
};

QTEST_MAIN(ChainWindowTest)
#include "test_chain_window.moc"
