// SPDX-License-Identifier: MIT
// The unspecified tolerance window as a user drives it: choices picked from the lists
// with the mouse, text typed into the selectors, the value and the notes read off the
// window; and its button on the main window.
#include "core/number_text.h"
#include "tests/gui_test.h"
#include "unspecified/unspecified_tables.h"
#include "unspecified/unspecified_window.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace merilon;
using namespace merilon::test;
using namespace Qt::StringLiterals;

namespace {

const QList<double> series = {0.025, 0.03, 0.04, 0.05, 0.06, 0.08, 0.1, 0.12, 0.16, 0.2, 0.25, 0.3, 0.4, 0.5,
                              0.6,   0.8,  1,    1.2,  1.6,  2,    2.5, 3,    4,    5,   6,   8,   10};
const QStringList groups = {u"12"_s, u"13 - 14"_s, u"15 - 16"_s, u"17"_s};

// The kinds in list order, with their list kind and table group.
struct KindCase
{
    QString name;
    int listKind;
    int tableGroup;
};
const QList<KindCase> kindCases = {
    {u"пересечения осей"_s, 4, 4}, {u"перпендикулярности"_s, 3, 1}, {u"радиального биения"_s, 4, 4},
    {u"симметричности"_s, 4, 3},   {u"соосности"_s, 4, 4},          {u"торцевого биения"_s, 3, 2}};

// The value of a table group's cell, by the rule that builds the tables.
QString expectedValue(int tableGroup, int row, int column)
{
    const int first = tableGroup == 1 ? 4 : tableGroup == 2 ? 0 : 9;
    const QList<int> offsets = tableGroup == 2 ? QList<int>{0, 2, 6, 8} : QList<int>{0, 2, 4, 6};
    return numberText(series.at(first + row + offsets.at(column)));
}

QString notesOf(int tableGroup)
{
    return unspecified::notes(unspecified::Table(tableGroup));
}

// The intervals of a list kind as the design numbered them: 3 lengths, 4 diameters.
QStringList intervalsOf(int listKind)
{
    return intervalTexts(listKind == 3 ? IntervalList::Lengths : IntervalList::Diameters);
}

// Types characters of any script into the focused widget, one key event each.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Selects the whole text of a selector with the keyboard and types over it.
void retype(QComboBox *combo, const QString &text)
{
    typeInto(combo, QString());
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(combo, Qt::Key_Delete);
    typeText(combo, text);
}

} // namespace

class UnspecifiedWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnspecifiedWindow> m_window;
    QComboBox *m_kind = nullptr;
    QComboBox *m_interval = nullptr;
    QComboBox *m_group = nullptr;
    QLineEdit *m_value = nullptr;
    QLabel *m_notes = nullptr;

    QComboBox *combo(const QString &name) const { return child<QComboBox>(m_window.get(), name); }
    // Kind, interval, group, value, and the notes and intervals that follow the kind.
    QStringList state() const
    {
        return QStringList{m_kind->currentText(), m_interval->currentText(), m_group->currentText(), m_value->text(),
                           m_notes->text()}
            + items(m_interval);
    }

private slots:
    void initTestCase() { prepareApplication(); }

    void init()
    {
        m_window = std::make_unique<UnspecifiedWindow>();
        showAndWait(m_window.get());
        m_kind = combo(u"Комбо1"_s);
        m_interval = combo(u"Комбо2"_s);
        m_group = combo(u"Комбо3"_s);
        m_value = child<QLineEdit>(m_window.get(), u"Текст1"_s);
        m_notes = child<QLabel>(m_window.get(), u"Метка7"_s);
    }

    void cleanup() { m_window.reset(); }

    void startUp()
    {
        QCOMPARE(m_window->windowTitle(), u"Неуказанные допуски"_s);
        QCOMPARE(m_window->size(), QSize(329, 376));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(state(), (QStringList{u"радиального биения"_s, u"до 3"_s, u"12"_s, u"0,2"_s, notesOf(4)}
                           + intervalsOf(4)));
        QCOMPARE(items(m_kind), (QStringList{u"пересечения осей"_s, u"перпендикулярности"_s, u"радиального биения"_s,
                                             u"симметричности"_s, u"соосности"_s, u"торцевого биения"_s}));
        QCOMPARE(items(m_interval), intervalsOf(4));
        QCOMPARE(items(m_group), groups);
        QCOMPARE(m_notes->text(), notesOf(4));
        QCOMPARE(QApplication::focusWidget(), m_kind);
        QCOMPARE(child<QGroupBox>(m_window.get(), u"Рамка3"_s)->title(), u"Примечание"_s);
    }

    // Place (twips / 15; the notes relative to their frame), text, colour and font size.
    void controls_data()
    {
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("pixels"); // 8.25 pt → 11, 9.75 pt → 13, 12 pt → 16
        const QColor black(Qt::black), maroon(128, 0, 0), purple(128, 0, 128), darkNavy(0, 0, 64);
        QTest::newRow("Рамка3") << QRect(8, 184, 313, 185) << QString() << QColor(192, 0, 0) << 11;
        QTest::newRow("Метка7") << QRect(8, 16, 297, 161) << QString() << black << 11;
        QTest::newRow("Комбо1") << QRect(88, 56, 169, 21) << QString() << maroon << 11;
        QTest::newRow("Комбо2") << QRect(152, 88, 153, 21) << QString() << darkNavy << 11;
        QTest::newRow("Комбо3") << QRect(152, 112, 65, 21) << QString() << black << 11;
        QTest::newRow("Текст1") << QRect(168, 144, 57, 24) << QString() << purple << 16;
        QTest::newRow("Метка1") << QRect(32, 8, 249, 33) << u"Неуказанные допуски формы и расположения поверхностей"_s
                                << QColor(0, 0, 128) << 11;
        QTest::newRow("Метка2") << QRect(16, 88, 137, 17) << u"Номинальный размер"_s << darkNavy << 11;
        QTest::newRow("Метка3") << QRect(16, 112, 113, 17) << u"Степень точности"_s << black << 11;
        QTest::newRow("Метка4") << QRect(32, 56, 57, 17) << u"Допуск "_s << maroon << 11;
        QTest::newRow("Метка5") << QRect(16, 144, 153, 17) << u"Значение допуска"_s << purple << 13;
        QTest::newRow("Метка6") << QRect(232, 144, 57, 25) << u"мм"_s << purple << 16;
    }
    void controls()
    {
        QFETCH(QRect, place);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QFETCH(int, pixels);
        const QWidget *w = child<QWidget>(m_window.get(), QString::fromUtf8(QTest::currentDataTag()));
        QCOMPARE(w->geometry(), place);
        if (const auto *label = qobject_cast<const QLabel *>(w); label && !text.isEmpty())
            QCOMPARE(label->text(), text);
        QCOMPARE(w->palette().color(qobject_cast<const QComboBox *>(w) || qobject_cast<const QLineEdit *>(w)
                                        ? QPalette::Text
                                        : QPalette::WindowText),
                 colour);
        QCOMPARE(w->font().pixelSize(), pixels);
        QVERIFY(w->font().bold());
    }

    void look()
    {
        QCOMPARE(m_window->palette().color(QPalette::Window), QColor(224, 224, 224));
        QCOMPARE(child<QWidget>(m_window.get(), u"Рамка3"_s)->palette().color(QPalette::Window), QColor(255, 255, 220));
        QCOMPARE(m_notes->parentWidget()->objectName(), u"Рамка3"_s);
        QVERIFY(m_notes->wordWrap());
        QVERIFY(child<QLabel>(m_window.get(), u"Метка4"_s)->alignment() & Qt::AlignRight);
        const QStringList expected = {u"Комбо2"_s, u"Комбо3"_s, u"Текст1"_s, u"Метка7"_s, u"Комбо1"_s};
        QStringList tabbed;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            tabbed.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(tabbed, expected);
    }

    // A kind picked after another interval and group: its list at its first interval,
    // the group kept, its notes and its value. The notes of every group fit whole.
    void kindChosen_data()
    {
        QTest::addColumn<int>("index");
        for (qsizetype i = 0; i < kindCases.size(); ++i)
            QTest::newRow(qPrintable(kindCases.at(i).name)) << int(i);
    }
    void kindChosen()
    {
        QFETCH(int, index);
        const KindCase &kind = kindCases.at(index);
        choose(m_interval, u"свыше 50 до 120"_s);
        choose(m_group, u"15 - 16"_s);
        QCOMPARE(m_value->text(), u"1,6"_s);
        choose(m_kind, kind.name);
        QCOMPARE(state(), (QStringList{kind.name, kind.listKind == 3 ? u"до 10"_s : u"до 3"_s, u"15 - 16"_s,
                                       expectedValue(kind.tableGroup, 0, 2), notesOf(kind.tableGroup)}
                           + intervalsOf(kind.listKind)));
        QCOMPARE(items(m_interval), intervalsOf(kind.listKind));
        QCOMPARE(m_notes->text(), notesOf(kind.tableGroup));
        QCOMPARE(clippedCaptions(m_window.get()), QStringList());
    }

    // Every kind choice resets the interval, within the same list too.
    void intervalResetOnEveryKind()
    {
        for (const QString &kind : {u"перпендикулярности"_s, u"торцевого биения"_s, u"торцевого биения"_s,
                                    u"симметричности"_s, u"соосности"_s, u"соосности"_s}) {
            choose(m_interval, m_interval->itemText(5));
            choose(m_kind, kind);
            QCOMPARE(m_interval->currentIndex(), 0);
        }
        QCOMPARE(m_value->text(), u"0,2"_s);
    }

    // No key filter here: the selectors take typed text, and typing runs nothing,
    // neither when the text is an item nor on Return or leaving the field.
    void typingRunsNothing()
    {
        const QStringList before = state();
        retype(m_kind, u"перпендикулярности"_s);
        QTest::keyClick(m_kind, Qt::Key_Return);
        QTest::keyClick(m_kind, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_interval);
        QCOMPARE(state().mid(1), before.mid(1));
        QCOMPARE(items(m_interval), intervalsOf(4));
        QCOMPARE(m_notes->text(), notesOf(4));
        choose(m_group, u"17"_s); // still the table of the kind last chosen
        QCOMPARE(m_value->text(), u"0,8"_s);

        retype(m_interval, u"свыше 3 до 10"_s);
        QTest::keyClick(m_interval, Qt::Key_Return);
        QTest::keyClick(m_interval, Qt::Key_Tab);
        QCOMPARE(m_value->text(), u"0,8"_s);
        choose(m_interval, u"свыше 3 до 10"_s);
        QCOMPARE(m_value->text(), u"1"_s);
    }

    // A text that is no label of the current table leaves the value as it was; a
    // kind choice still brings its list and notes.
    void textWithoutCell_data()
    {
        QTest::addColumn<QString>("kind");     // chosen first
        QTest::addColumn<QString>("edited");   // the selector typed over
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("then");     // the selector chosen from next
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("kept");
        QTest::newRow("интервал до 30") << u"соосности"_s << u"Комбо2"_s << u"до 30"_s << u"Комбо3"_s << u"17"_s
                                        << u"0,2"_s;
        QTest::newRow("пустой интервал") << u"соосности"_s << u"Комбо2"_s << QString() << u"Комбо3"_s
                                         << u"13 - 14"_s << u"0,2"_s;
        QTest::newRow("интервал другого списка") << u"перпендикулярности"_s << u"Комбо2"_s << u"до 3"_s
                                                 << u"Комбо3"_s << u"17"_s << u"0,06"_s;
        QTest::newRow("группа 1") << u"перпендикулярности"_s << u"Комбо3"_s << u"1"_s << u"Комбо2"_s
                                  << u"свыше 6300 до 10000"_s << u"0,06"_s;
        QTest::newRow("группа 13-14") << u"торцевого биения"_s << u"Комбо3"_s << u"13-14"_s << u"Комбо2"_s
                                      << u"свыше 10 до 16"_s << u"0,025"_s;
        QTest::newRow("группа 1, затем вид") << u"торцевого биения"_s << u"Комбо3"_s << u"1"_s << u"Комбо1"_s
                                             << u"перпендикулярности"_s << u"0,025"_s;
        QTest::newRow("пустая группа, затем вид") << u"симметричности"_s << u"Комбо3"_s << QString() << u"Комбо1"_s
                                                  << u"торцевого биения"_s << u"0,2"_s;
    }
    void textWithoutCell()
    {
        QFETCH(QString, kind);
        QFETCH(QString, edited);
        QFETCH(QString, typed);
        QFETCH(QString, then);
        QFETCH(QString, item);
        QFETCH(QString, kept);
        choose(m_kind, kind);
        QCOMPARE(m_value->text(), kept);
        retype(combo(edited), typed);
        choose(combo(then), item);
        QCOMPARE(m_value->text(), kept);
        QCOMPARE(combo(edited)->currentText(), typed);
        const int group = int(unspecified::kindOf(m_kind->currentText())->table);
        QCOMPARE(m_notes->text(), notesOf(group));
    }

    // Every kind, interval and group, picked from the lists: the value and the notes.
    void everyChoice()
    {
        int checked = 0;
        for (const KindCase &kind : kindCases) {
            choose(m_kind, kind.name);
            const QStringList intervals = items(m_interval);
            QCOMPARE(intervals.size(), kind.listKind == 3 ? 16 : 12);
            for (int row = 0; row < intervals.size(); ++row) {
                choose(m_interval, intervals.at(row));
                for (int column = 0; column < groups.size(); ++column) {
                    choose(m_group, groups.at(column));
                    QVERIFY2(m_value->text() == expectedValue(kind.tableGroup, row, column),
                             qPrintable(kind.name + u" / "_s + intervals.at(row) + u" / "_s + groups.at(column)));
                    QCOMPARE(m_notes->text(), notesOf(kind.tableGroup));
                    ++checked;
                }
            }
            QCOMPARE(items(m_interval), intervals);
        }
        QCOMPARE(checked, 320);
    }

};

QTEST_MAIN(UnspecifiedWindowTest)
#include "test_unspecified_window.moc"
