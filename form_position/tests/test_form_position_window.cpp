// SPDX-License-Identifier: MIT
// The form and position tolerance window `Форма5`, driven as a user drives it.
#include "ui/controls.h"
#include "core/number_text.h"
#include "form_position/form_position_tables.h"
#include "form_position/form_position_window.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace merilon;
using namespace merilon::test;
namespace fp = merilon::form_position;

namespace {

// The window as a user sees it, with its controls found by name.
struct Form
{
    FormPositionWindow window;
    QComboBox *type = child<QComboBox>(&window, u"Комбо1"_s);
    QComboBox *interval = child<QComboBox>(&window, u"Комбо2"_s);
    QComboBox *degree = child<QComboBox>(&window, u"Комбо3"_s);
    QLineEdit *value = child<QLineEdit>(&window, u"Текст1"_s);
    QLabel *unit = child<QLabel>(&window, u"Метка6"_s);
    QPlainTextEdit *notes = child<QPlainTextEdit>(&window, u"Текст2"_s);

    Form() { showAndWait(&window); }
    QString shown() const { return value->text() + u' ' + unit->text(); }
};

QString shownText(const fp::Shown &shown)
{
    return shown.value + u' ' + shown.unit;
}

// The value and unit of the tables for a group, a row and a degree.
QString expected(int group, int row, int degree)
{
    const double cell = fp::rows(fp::Table(group))[static_cast<std::size_t>(row)].micrometres[static_cast<std::size_t>(degree - 1)];
    return shownText(fp::unitStep(cell, degree));
}

void press(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    widget->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(widget, key, modifiers);
}

// Ctrl+A as X11 delivers it, with the control character as its text.
void selectAll(QWidget *widget)
{
    widget->setFocus(Qt::OtherFocusReason);
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
}

} // namespace

class TestFormPositionWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void startUp();
    void controls_data();
    void controls();
    void typeChoice_data();
    void typeChoice();
    void typedCharactersAreDiscarded_data();
    void typedCharactersAreDiscarded();
    void unknownIntervalKeepsTheShownValue();
    void degreeThatIsNoWholeNumberKeepsTheShownValue();
    void editedTypeKeepsListKindAndGroup();
    void longestTextsFitTheirFields();
    void everyChoiceShowsItsTableValue();
};

void TestFormPositionWindow::startUp()
{
    Form f;
    QCOMPARE(f.window.objectName(), u"Форма5"_s);
    QCOMPARE(f.window.windowTitle(), u"Допуски формы и расположения"_s);
    QCOMPARE(f.type->currentText(), u"радиального биения"_s);
    QCOMPARE(items(f.type), fp::typeTexts());
    QCOMPARE(f.interval->currentText(), u"до 3"_s);
    QCOMPARE(items(f.interval), intervalTexts(IntervalList::Diameters));
    QCOMPARE(f.degree->currentText(), u"7"_s);
    QCOMPARE(items(f.degree), fp::degreeTexts());
    QCOMPARE(f.shown(), u"12 мкм"_s);
    QVERIFY(f.notes->isVisible());
    QCOMPARE(f.notes->toPlainText(), withPlainLineBreaks(toQString(fp::radialRunOutNotes)));
    QCOMPARE(f.window.size(), QSize(ui::px(4965), ui::px(3825)));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QCOMPARE(f.window.palette().color(QPalette::Window), QColor(255, 255, 220));
    QCOMPARE(f.notes->palette().color(QPalette::Base), QColor(255, 255, 220));
    // The tab order: the three lists, then the two boxes.
    QList<QWidget *> order{f.type};
    for (QWidget *next = f.type->nextInFocusChain(); next != f.type; next = next->nextInFocusChain()) {
        if (next->parentWidget() == &f.window && next->isVisible() && (next->focusPolicy() & Qt::TabFocus))
            order.append(next);
    }
    QCOMPARE(order, (QList<QWidget *>{f.type, f.interval, f.degree, f.value, f.notes}));
}

void TestFormPositionWindow::controls_data()
{
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<QColor>("colour");
    const QColor purple(128, 0, 128);
    QTest::newRow("Текст1") << QRect(2520, 1920, 735, 360) << "12" << 16 << purple;
    QTest::newRow("Комбо2") << QRect(2280, 1200, 2295, 288) << "до 3" << 11 << QColor(0, 0, 64);
    QTest::newRow("Комбо3") << QRect(2280, 1560, 735, 288) << "7" << 11 << QColor();
    QTest::newRow("Комбо1") << QRect(1320, 720, 3255, 288) << "радиального биения" << 11 << QColor(128, 0, 0);
    QTest::newRow("Текст2") << QRect(120, 2520, 4695, 975) << "" << 11 << QColor(192, 0, 0);
    QTest::newRow("Метка6") << QRect(3360, 1920, 855, 375) << "мкм" << 16 << purple;
    QTest::newRow("Метка5") << QRect(240, 1920, 2295, 255) << "Значение допуска" << 13 << purple;
    QTest::newRow("Метка4") << QRect(480, 720, 855, 255) << "Допуск " << 11 << QColor(128, 0, 0);
    QTest::newRow("Метка3") << QRect(240, 1560, 1695, 255) << "Степень точности" << 11 << QColor();
    QTest::newRow("Метка2") << QRect(240, 1200, 2055, 255) << "Номинальный размер" << 11 << QColor(0, 0, 64);
    QTest::newRow("Метка1") << QRect(480, 120, 3735, 495)
                            << "Допуски формы и расположения поверхностей по ГОСТ 24643-81" << 11
                            << QColor(0, 0, 128);
}

void TestFormPositionWindow::controls()
{
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(int, fontPixels);
    QFETCH(QColor, colour);
    Form f;
    auto *control = child<QWidget>(&f.window, QString::fromUtf8(QTest::currentDataTag()));
    QCOMPARE(control->geometry(), ui::pixelsOf({twips.x(), twips.y(), twips.width(), twips.height()}));
    QVERIFY(control->isVisible());
    QCOMPARE(control->font().pixelSize(), fontPixels);
    QVERIFY(control->font().bold());
    if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::WindowText), colour.isValid() ? colour : QColor(Qt::black));
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        QCOMPARE(combo->currentText(), text);
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(line->text(), text);
    }
    if (colour.isValid() && !qobject_cast<QLabel *>(control))
        QCOMPARE(control->palette().color(QPalette::Text), colour);
}

void TestFormPositionWindow::typeChoice_data()
{
    QTest::addColumn<int>("listKind");
    QTest::addColumn<int>("group");
    for (const fp::ToleranceType &type : fp::toleranceTypes)
        QTest::newRow(toQString(type.name).toUtf8().constData()) << (type.intervals == IntervalList::Lengths ? 3 : 4) << int(type.table);
}

// Every type sets its list kind and group, refills the interval list and picks its
// first interval, keeps the degree, and shows the notes and the tall window exactly
// for group 4.
void TestFormPositionWindow::typeChoice()
{
    QFETCH(int, listKind);
    QFETCH(int, group);
    Form f;
    choose(f.degree, u"9"_s);
    choose(f.interval, u"свыше 30 до 50"_s); // not the first of either list
    choose(f.type, QString::fromUtf8(QTest::currentDataTag()));
    QCOMPARE(items(f.interval), intervalTexts(listKind == 3 ? IntervalList::Lengths : IntervalList::Diameters));
    QCOMPARE(f.interval->currentText(), listKind == 3 ? u"до 10"_s : u"до 3"_s);
    QCOMPARE(f.interval->currentIndex(), 0);
    QCOMPARE(f.degree->currentText(), u"9"_s);
    QCOMPARE(f.shown(), expected(group, 0, 9));
    QCOMPARE(f.notes->isVisible(), group == 4);
    QCOMPARE(f.window.height(), ui::px(group == 4 ? 3825 : 2625));
    QCOMPARE(f.window.width(), ui::px(4965));
    // The same type again still goes back to the first interval.
    chooseIndex(f.interval, 3);
    choose(f.type, QString::fromUtf8(QTest::currentDataTag()));
    QCOMPARE(f.interval->currentIndex(), 0);
    QCOMPARE(f.shown(), expected(group, 0, 9));
}

void TestFormPositionWindow::typedCharactersAreDiscarded_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"Комбо1", "Комбо2", "Комбо3", "Текст1", "Текст2"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void TestFormPositionWindow::typedCharactersAreDiscarded()
{
    QFETCH(QString, name);
    Form f;
    QWidget *field = child<QWidget>(&f.window, name);
    const auto text = [field] {
        if (auto *combo = qobject_cast<QComboBox *>(field))
            return combo->currentText();
        if (auto *line = qobject_cast<QLineEdit *>(field))
            return line->text();
        return qobject_cast<QPlainTextEdit *>(field)->toPlainText();
    };
    const QString before = text();
    press(field, Qt::Key_End, qobject_cast<QPlainTextEdit *>(field) ? Qt::ControlModifier : Qt::NoModifier);
    typeInto(field, u"7a Z,\t"_s);
    QTest::sendKeyEvent(QTest::Click, field, static_cast<Qt::Key>(0x042F), u"я"_s, Qt::NoModifier);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(text(), before);
    press(field, Qt::Key_Backspace);
    QCOMPARE(text(), before.chopped(1));
    QCOMPARE(f.shown(), field == f.value ? u"1 мкм"_s : u"12 мкм"_s); // editing runs nothing
}

// An interval text that names no row leaves value and unit as they were, also in
// millimetres, where a second division by 1000 would show a wrong value.
void TestFormPositionWindow::unknownIntervalKeepsTheShownValue()
{
    Form f;
    choose(f.degree, u"13"_s);
    QCOMPARE(f.shown(), u"0,2 мм"_s);
    press(f.interval, Qt::Key_Backspace); // "до "
    choose(f.degree, u"14"_s);
    QCOMPARE(f.shown(), u"0,2 мм"_s);
    choose(f.degree, u"7"_s);
    QCOMPARE(f.shown(), u"0,2 мм"_s);
    press(f.interval, Qt::Key_Home);
    press(f.interval, Qt::Key_Delete); // "о "
    choose(f.type, u"радиального биения"_s); // the type refills the list
    QCOMPARE(f.shown(), u"12 мкм"_s);

    choose(f.type, u"прямолинейности"_s);
    choose(f.degree, u"14"_s);
    QCOMPARE(f.shown(), u"0,1 мм"_s);
    selectAll(f.interval);
    press(f.interval, Qt::Key_Backspace); // emptied
    QCOMPARE(f.interval->currentText(), QString());
    choose(f.degree, u"15"_s);
    choose(f.degree, u"16"_s);
    QCOMPARE(f.shown(), u"0,1 мм"_s);
    choose(f.interval, u"до 10"_s);
    QCOMPARE(f.shown(), u"0,25 мм"_s);
}

// A degree text that is not a whole number from 1 to 16 leaves value and unit as
// they were; the other choices still do their part.
void TestFormPositionWindow::degreeThatIsNoWholeNumberKeepsTheShownValue()
{
    Form f;
    press(f.degree, Qt::Key_Backspace); // "7" → ""
    QCOMPARE(f.degree->currentText(), QString());
    choose(f.interval, u"свыше 10 до 18"_s);
    QCOMPARE(f.shown(), u"12 мкм"_s);
    choose(f.type, u"плоскостности"_s);
    QCOMPARE(f.shown(), u"12 мкм"_s);
    QCOMPARE(f.interval->currentText(), u"до 10"_s);
    QCOMPARE(f.window.height(), ui::px(2625));
    QVERIFY(!f.notes->isVisible());

    choose(f.degree, u"10"_s);
    QCOMPARE(f.shown(), u"16 мкм"_s);
    press(f.degree, Qt::Key_Home);
    press(f.degree, Qt::Key_Delete); // "10" → "0"
    QCOMPARE(f.degree->currentText(), u"0"_s);
    choose(f.interval, u"свыше 10 до 16"_s);
    QCOMPARE(f.shown(), u"16 мкм"_s);
    choose(f.degree, u"16"_s);
    press(f.degree, Qt::Key_Backspace); // "16" → "1": a degree, which counts
    choose(f.interval, u"свыше 16 до 25"_s);
    QCOMPARE(f.shown(), u"0,4 мкм"_s);
}

// A type text that names no type leaves list kind and group as they were.
void TestFormPositionWindow::editedTypeKeepsListKindAndGroup()
{
    Form f;
    press(f.type, Qt::Key_Backspace); // "радиального биени"
    choose(f.interval, u"свыше 3 до 10"_s);
    QCOMPARE(items(f.interval), intervalTexts(IntervalList::Diameters));
    QCOMPARE(f.shown(), u"16 мкм"_s); // group 4
    QCOMPARE(f.window.height(), ui::px(3825));
    QVERIFY(f.notes->isVisible());
}

// The widest type, interval and value stand whole in their fields.
void TestFormPositionWindow::longestTextsFitTheirFields()
{
    Form f;
    const auto widest = [](const QLineEdit *edit, const QStringList &texts) {
        QString found;
        for (const QString &text : texts) {
            if (edit->fontMetrics().horizontalAdvance(text) > edit->fontMetrics().horizontalAdvance(found))
                found = text;
        }
        return found;
    };
    QStringList values;
    for (int group = 1; group <= 4; ++group) {
        for (const fp::ValueRow &row : fp::rows(fp::Table(group))) {
            for (int d = fp::firstDegree; d <= fp::lastDegree; ++d)
                values.append(fp::unitStep(row.micrometres[static_cast<std::size_t>(d - 1)], d).value);
        }
    }
    const QList<std::pair<QLineEdit *, QString>> fields = {
        {f.type->lineEdit(), widest(f.type->lineEdit(), fp::typeTexts())},
        {f.interval->lineEdit(), widest(f.interval->lineEdit(), intervalTexts(IntervalList::Lengths))},
        {f.value, widest(f.value, values)},
    };
    for (const auto &[edit, text] : fields) {
        const int room = edit->contentsRect().width() - edit->textMargins().left() - edit->textMargins().right() - 4;
        QVERIFY2(edit->fontMetrics().horizontalAdvance(text) <= room, qPrintable(text));
    }
}

// Every type, interval and degree, chosen from the lists.
void TestFormPositionWindow::everyChoiceShowsItsTableValue()
{
    QElapsedTimer clock;
    clock.start();
    int choices = 0;
    Form f;
    for (const fp::ToleranceType &type : fp::toleranceTypes) {
        choose(f.type, toQString(type.name));
        const std::span<const fp::ValueRow> rows = fp::rows(type.table);
        QCOMPARE(f.interval->count(), static_cast<int>(rows.size()));
        for (int row = 0; row < f.interval->count(); ++row) {
            chooseIndex(f.interval, row);
            QCOMPARE(f.interval->currentText(), toQString(rows[static_cast<std::size_t>(row)].interval));
            for (int d = fp::firstDegree; d <= fp::lastDegree; ++d) {
                chooseIndex(f.degree, d - 1);
                if (f.shown() != expected(int(type.table), row, d))
                    QFAIL(qPrintable(QStringLiteral("%1 / %2 / %3: %4, the table gives %5")
                                         .arg(toQString(type.name), f.interval->currentText(),
                                              f.degree->currentText(), f.shown(), expected(int(type.table), row, d))));
                ++choices;
            }
        }
    }
    QCOMPARE(choices, 2880);
    qInfo("%d choices in %lld ms", choices, static_cast<long long>(clock.elapsed()));
}

QTEST_MAIN(TestFormPositionWindow)
#include "test_form_position_window.moc"
