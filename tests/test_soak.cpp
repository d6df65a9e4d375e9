// SPDX-License-Identifier: MIT
// The soak: seeded random sequences of what a user does across every window —
// list choices through the real popups, keys and pastes into the focused field,
// the pointer over the symbol chart, drags of the About window with any button,
// its exit picture, the main window's buttons and its links to the fit window, the
// general tolerance window and the dimension chains (whose table takes the keys and
// pastes too), closing and reopening in any order.
// After every action each open window must show exactly what its tables give for
// the choices shown beside the values (an oracle below, built on the table
// libraries), or, after an edit that is no choice, what it showed before.
//
// The run itself happens in a child process that writes each action down before
// doing it, so that a crash or a freeze is caught like any wrong value; a failing
// run is replayed from fresh windows in further child processes and shrunk by delta
// debugging to the shortest action list that still fails, which is printed with the
// seed and kept in a file, with the command that replays it.
//
//   MERILON_SOAK_SEED            seed of the random sequence (default 7)
//   MERILON_SOAK_ACTIONS         number of actions (default 20000)
//   MERILON_SOAK_SHRINK_SECONDS  time allowed for shrinking a failing run (default 300)
//   MERILON_SOAK_REPLAY          a file of actions to replay instead of a random run
//   MERILON_SOAK_DESCRIBE        set: a replay tells each action as it meets it
#include "angles/angle_table.h"
#include "angles/angle_window.h"
#include "app/about_window.h"
#include "app/main_window.h"
#include "app/windows.h"
#include "chains/chain.h"
#include "chains/chain_window.h"
#include "core/number_text.h"
#include "fits/fit.h"
#include "fits/fit_notation.h"
#include "fits/fit_search.h"
#include "fits/fit_window.h"
#include "fits/fits_tables.h"
#include "general/general_tables.h"
#include "general/general_window.h"
#include "form_position/form_position_tables.h"
#include "form_position/form_position_window.h"
#include "symbols/symbol_chart.h"
#include "symbols/symbol_texts.h"
#include "tests/gui_test.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "unspecified/unspecified_tables.h"
#include "unspecified/unspecified_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextCursor>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <random>

using namespace merilon;
using namespace Qt::Literals::StringLiterals;
namespace fp = merilon::form_position;
namespace un = merilon::unspecified;

namespace {

// ---------------------------------------------------------------------------------
// The windows and their controls as the soak sees them

enum Window : int { Main, FormPosition, Unspecified, Angles, Symbols, Fits, General, Chains, FitSearch, About, WindowCount };

// How a text control takes keys: through the key filter (only Backspace and Delete
// change it), not at all, or freely; or it is a caption no key reaches.
enum class Keys { Filtered, ReadOnly, Free, None };

struct Control
{
    QString name;
    Keys keys;
};

// What the soak knows of each registered window, in the registry's order (how it
// opens is the registry's).
struct WindowFacts
{
    QString name;
    QList<Control> texts;        // every control whose text the soak checks
    QStringList combos;          // the lists, as the actions number them
    QStringList fields;          // where a click puts the cursor
};

const std::array<WindowFacts, WindowCount> &facts()
{
    static const std::array<WindowFacts, WindowCount> all = {{
        {u"Форма1"_s,
         {{u"НР"_s, Keys::Filtered}, {u"Комбо1"_s, Keys::Filtered}, {u"ПД"_s, Keys::Filtered},
          {u"ВО"_s, Keys::ReadOnly}, {u"НО"_s, Keys::ReadOnly}, {u"Текст3"_s, Keys::ReadOnly}},
         {u"НР"_s, u"Комбо1"_s, u"ПД"_s},
         {u"НР"_s, u"Комбо1"_s, u"ПД"_s, u"Текст3"_s}},
        {u"Форма5"_s,
         {{u"Комбо1"_s, Keys::Filtered}, {u"Комбо2"_s, Keys::Filtered}, {u"Комбо3"_s, Keys::Filtered},
          {u"Текст1"_s, Keys::Filtered}, {u"Метка6"_s, Keys::None}, {u"Текст2"_s, Keys::Filtered}},
         {u"Комбо1"_s, u"Комбо2"_s, u"Комбо3"_s},
         {u"Комбо1"_s, u"Комбо2"_s, u"Комбо3"_s, u"Текст1"_s, u"Текст2"_s}},
        {u"Форма4"_s,
         {{u"Комбо1"_s, Keys::Free}, {u"Комбо2"_s, Keys::Free}, {u"Комбо3"_s, Keys::Free},
          {u"Текст1"_s, Keys::ReadOnly}, {u"Метка7"_s, Keys::None}},
         {u"Комбо1"_s, u"Комбо2"_s, u"Комбо3"_s},
         {u"Комбо1"_s, u"Комбо2"_s, u"Комбо3"_s, u"Текст1"_s}},
        {u"Форма3"_s,
         {{u"Комбо1"_s, Keys::Filtered}, {u"Комбо2"_s, Keys::Filtered}, {u"Текст1"_s, Keys::Filtered}},
         {u"Комбо1"_s, u"Комбо2"_s},
         {u"Комбо1"_s, u"Комбо2"_s, u"Текст1"_s}},
        {u"Форма2"_s, {{u"Метка2"_s, Keys::None}, {u"Метка3"_s, Keys::None}}, {}, {}},
        {u"ФПосадки"_s,
         {{u"Размер"_s, Keys::Free}, {u"ES"_s, Keys::ReadOnly}, {u"EI"_s, Keys::ReadOnly}, {u"es"_s, Keys::ReadOnly},
          {u"ei"_s, Keys::ReadOnly}, {u"Dmax"_s, Keys::ReadOnly}, {u"Dmin"_s, Keys::ReadOnly},
          {u"dmax"_s, Keys::ReadOnly}, {u"dmin"_s, Keys::ReadOnly}, {u"TD"_s, Keys::ReadOnly},
          {u"Td"_s, Keys::ReadOnly}, {u"Smax"_s, Keys::ReadOnly}, {u"Smin"_s, Keys::ReadOnly},
          {u"Nmax"_s, Keys::ReadOnly}, {u"Nmin"_s, Keys::ReadOnly}, {u"Характер"_s, Keys::ReadOnly},
          {u"Система"_s, Keys::ReadOnly}, {u"Обозначение"_s, Keys::ReadOnly}, {u"Вероятность"_s, Keys::ReadOnly}, {u"Сообщение"_s, Keys::None}},
         {u"ОтвБуква"_s, u"ОтвКвалитет"_s, u"ВалБуква"_s, u"ВалКвалитет"_s},
         {u"Размер"_s, u"ES"_s, u"Smax"_s}},
        {u"ФОбщиеДопуски"_s,
         {{u"Размер"_s, Keys::Free}, {u"Линейный"_s, Keys::ReadOnly}, {u"Скругление"_s, Keys::ReadOnly},
          {u"Угол"_s, Keys::ReadOnly}, {u"Прямолинейность"_s, Keys::ReadOnly},
          {u"Перпендикулярность"_s, Keys::ReadOnly}, {u"Симметричность"_s, Keys::ReadOnly},
          {u"Биение"_s, Keys::ReadOnly}, {u"Отверстия"_s, Keys::ReadOnly}, {u"Валы"_s, Keys::ReadOnly},
          {u"Прочие"_s, Keys::ReadOnly}, {u"Требование"_s, Keys::ReadOnly}, {u"Сообщение"_s, Keys::None}},
         {u"Класс"_s, u"КлассФР"_s, u"Квалитет"_s},
         {u"Размер"_s, u"Угол"_s, u"Требование"_s}},
        // The table of links is checked cell by cell against what its typed cells give.
        {u"ФЦепи"_s,
         {{u"ИсхES"_s, Keys::Free}, {u"ИсхEI"_s, Keys::Free}, {u"Номинал"_s, Keys::ReadOnly}, {u"ES"_s, Keys::ReadOnly},
          {u"EI"_s, Keys::ReadOnly}, {u"T"_s, Keys::ReadOnly}, {u"Ec"_s, Keys::ReadOnly}, {u"Наиб"_s, Keys::ReadOnly},
          {u"Наим"_s, Keys::ReadOnly}, {u"Уравнение"_s, Keys::ReadOnly}, {u"Единицы"_s, Keys::ReadOnly},
          {u"Квалитет"_s, Keys::ReadOnly}, {u"Проверка"_s, Keys::ReadOnly}, {u"Сообщение"_s, Keys::None},
          {u"Звенья"_s, Keys::None}},
         {u"Задача"_s, u"Метод"_s, u"Риск"_s},
         {u"Звенья"_s, u"ИсхES"_s, u"ИсхEI"_s, u"Проверка"_s}},
        {u"ФПодбор"_s,
         {{u"Размер"_s, Keys::Free}, {u"ЗазорНаим"_s, Keys::Free}, {u"ЗазорНаиб"_s, Keys::Free},
          {u"Список"_s, Keys::None}, {u"Найдено"_s, Keys::None}, {u"Сообщение"_s, Keys::None}},
         {u"Система"_s, u"Ряд"_s},
         {u"Размер"_s, u"ЗазорНаим"_s, u"ЗазорНаиб"_s, u"Список"_s}},
        {u"ФАвтор"_s, {{u"Текст1"_s, Keys::Filtered}, {u"Текст2"_s, Keys::Free}}, {},
         {u"Текст1"_s, u"Текст2"_s}},
    }};
    return all;
}

QString textOf(const QWidget *control)
{
    if (auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (auto *line = qobject_cast<const QLineEdit *>(control))
        return line->text();
    if (auto *plain = qobject_cast<const QPlainTextEdit *>(control))
        return plain->toPlainText();
    if (auto *rich = qobject_cast<const QTextEdit *>(control))
        return rich->toPlainText();
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (auto *table = qobject_cast<const QTableWidget *>(control)) { // a row a line, its cells between bars
        QStringList rows;
        for (int i = 0; i < table->rowCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c)
                cells.append(table->item(i, c) ? table->item(i, c)->text() : QString());
            rows.append(cells.join(u'|'));
        }
        return rows.join(u'\n');
    }
    if (auto *list = qobject_cast<const QTreeWidget *>(control)) { // a row a line, its cells between bars
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c)
                cells.append(list->topLevelItem(i)->text(c));
            rows.append(cells.join(u'|'));
        }
        return rows.join(u'\n');
    }
    qFatal("no text in %s", qPrintable(control->objectName()));
}

bool hasSelection(const QWidget *control)
{
    if (auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->lineEdit() && combo->lineEdit()->hasSelectedText();
    if (auto *line = qobject_cast<const QLineEdit *>(control))
        return line->hasSelectedText();
    if (auto *plain = qobject_cast<const QPlainTextEdit *>(control))
        return plain->textCursor().hasSelection();
    if (auto *rich = qobject_cast<const QTextEdit *>(control))
        return rich->textCursor().hasSelection();
    return false;
}

// `after` is `before` with one stretch cut out, of one character at most unless a
// selection was cut.
bool isDeletion(const QString &before, const QString &after, bool selection)
{
    if (after.size() > before.size())
        return false;
    qsizetype head = 0;
    while (head < after.size() && after[head] == before[head])
        ++head;
    qsizetype tail = 0;
    while (tail < after.size() - head && after[after.size() - 1 - tail] == before[before.size() - 1 - tail])
        ++tail;
    return head + tail == after.size() && (selection || before.size() - after.size() <= 1);
}

QString quoted(const QString &text)
{
    QString shown = text;
    shown.replace(u'\\', u"\\\\"_s).replace(u'\n', u"\\n"_s).replace(u'\r', u"\\r"_s).replace(u'\t', u"\\t"_s);
    return u'"' + shown + u'"';
}

// "A, expected B" for two texts; long ones from a little before where they part.
QString versus(const QString &shown, const QString &expected)
{
    constexpr qsizetype room = 100;
    if (shown.size() <= room && expected.size() <= room)
        return u"%1, expected %2"_s.arg(quoted(shown), quoted(expected));
    qsizetype same = 0;
    while (same < shown.size() && same < expected.size() && shown[same] == expected[same])
        ++same;
    const qsizetype from = std::max<qsizetype>(0, same - 20);
    return u"…%1, expected …%2 (they part at character %3)"_s.arg(quoted(shown.mid(from, 60)), quoted(expected.mid(from, 60)))
        .arg(same);
}

// ---------------------------------------------------------------------------------
// Actions: plain data, so that a run can be written down, replayed and shrunk. Each
// applies to whatever state it meets; one that does not fit it does nothing.

enum class Do : int {
    Choose,  // window, control (a list), number (an item)
    Click,   // window, control (a field), point (thousandths of the field's size)
    Key,     // number (a key of keyTable)
    Type,    // text, typed one character at a time
    Paste,   // text (put into the clipboard first, unless empty), then Ctrl+V
    Point,   // window (Форма2 or ФАвтор), point: a move without a button
    Drag,    // ФАвтор: number (button), flag (press where the pointer rests), point (the press), travels
    Open,    // window: its button on the main window
    Close,   // window
    Restart, // the program started again once everything is closed
    Wheel,   // window, control (a list), number (a wheel step: 1 away from the user, -1 towards)
    Menu,    // window, control (a field), point as for Click; number: the menu item, or -1 for Escape
};

struct Action
{
    Do what = Do::Key;
    int window = 0;
    int control = 0;
    int number = 0;
    bool flag = false;
    QPoint point;
    QList<QPoint> travels;
    QString text;
    QString note; // what the action meant when it was made, for the reader
};

// How much of a filtered field's text a key may take away: nothing, one character
// (or the selection), or a whole stretch (a word, the rest of the line).
enum Cut { Keeps, OneCharacter, Stretch };

struct KeyStroke
{
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *text;
    Cut cut;
};

// Keys as X11 delivers them: control characters as their texts. Cut, paste, undo and
// redo, in all their bindings, put nothing into a filtered field and take nothing out.
const std::array<KeyStroke, 33> keyTable = {{
    {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", OneCharacter},
    {"Delete", Qt::Key_Delete, Qt::NoModifier, "\x7f", OneCharacter},
    {"Home", Qt::Key_Home, Qt::NoModifier, "", Keeps},
    {"End", Qt::Key_End, Qt::NoModifier, "", Keeps},
    {"Left", Qt::Key_Left, Qt::NoModifier, "", Keeps},
    {"Right", Qt::Key_Right, Qt::NoModifier, "", Keeps},
    {"Shift+Left", Qt::Key_Left, Qt::ShiftModifier, "", Keeps},
    {"Shift+Right", Qt::Key_Right, Qt::ShiftModifier, "", Keeps},
    {"Shift+Home", Qt::Key_Home, Qt::ShiftModifier, "", Keeps},
    {"Shift+End", Qt::Key_End, Qt::ShiftModifier, "", Keeps},
    {"Up", Qt::Key_Up, Qt::NoModifier, "", Keeps},
    {"Down", Qt::Key_Down, Qt::NoModifier, "", Keeps},
    {"PageUp", Qt::Key_PageUp, Qt::NoModifier, "", Keeps},
    {"PageDown", Qt::Key_PageDown, Qt::NoModifier, "", Keeps},
    {"Return", Qt::Key_Return, Qt::NoModifier, "\r", Keeps},
    {"Tab", Qt::Key_Tab, Qt::NoModifier, "\t", Keeps},
    {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, "", Keeps},
    {"Space", Qt::Key_Space, Qt::NoModifier, " ", Keeps},
    {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", Keeps},
    {"Ctrl+A", Qt::Key_A, Qt::ControlModifier, "\x01", Keeps},
    {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "\x03", Keeps},
    {"Ctrl+Insert", Qt::Key_Insert, Qt::ControlModifier, "", Keeps},
    {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, "\x18", Keeps},
    {"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier, "\x7f", Keeps},
    {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, "", Keeps},
    {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, "\x1a", Keeps},
    {"Ctrl+Shift+Z", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "\x1a", Keeps},
    {"Ctrl+Y", Qt::Key_Y, Qt::ControlModifier, "\x19", Keeps},
    {"Ctrl+D", Qt::Key_D, Qt::ControlModifier, "\x04", OneCharacter},
    {"Ctrl+Backspace", Qt::Key_Backspace, Qt::ControlModifier, "\b", Stretch},
    {"Ctrl+Delete", Qt::Key_Delete, Qt::ControlModifier, "\x7f", Stretch},
    {"Ctrl+K", Qt::Key_K, Qt::ControlModifier, "\x0b", Stretch},
    {"Ctrl+U", Qt::Key_U, Qt::ControlModifier, "\x15", Stretch},
}};

int keyIndex(const char *name)
{
    for (std::size_t i = 0; i < keyTable.size(); ++i) {
        if (qstrcmp(keyTable[i].name, name) == 0)
            return static_cast<int>(i);
    }
    qFatal("no key %s", name);
}

const char *const buttonNames[] = {"left", "right", "middle"};
const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

QString describe(const Action &a)
{
    const auto &info = facts()[static_cast<std::size_t>(qBound(0, a.window, WindowCount - 1))];
    const auto name = [&](const QStringList &list) { return list.value(a.control % std::max<qsizetype>(1, list.size())); };
    const QString point = u"(%1, %2)"_s.arg(a.point.x()).arg(a.point.y());
    switch (a.what) {
    case Do::Choose:
        return u"%1: choose item %2 of %3 %4"_s.arg(info.name).arg(a.number).arg(name(info.combos), quoted(a.note));
    case Do::Click:
        return u"%1: click into %2 at %3‰"_s.arg(info.name, name(info.fields), point);
    case Do::Key:
        return u"key %1"_s.arg(QLatin1StringView(keyTable[static_cast<std::size_t>(a.number) % keyTable.size()].name));
    case Do::Type:
        return u"type %1"_s.arg(quoted(a.text));
    case Do::Paste:
        return a.text.isEmpty() ? u"Ctrl+V"_s : u"Ctrl+V with %1 in the clipboard"_s.arg(quoted(a.text));
    case Do::Point:
        return u"%1: pointer to %2"_s.arg(info.name, point);
    case Do::Drag: {
        QStringList travels;
        for (QPoint t : a.travels)
            travels.append(u"(%1, %2)"_s.arg(t.x()).arg(t.y()));
        return u"%1: %2 button down %3, move by %4, up"_s.arg(
            info.name, QLatin1StringView(buttonNames[a.number % 3]),
            a.flag ? u"where the pointer rests (else at %1)"_s.arg(point) : u"at "_s + point,
            travels.join(u' '));
    }
    case Do::Open: {
        const WindowEntry &entry = windows()[std::size_t(qBound(0, a.window, WindowCount - 1))];
        if (entry.opening == Opening::Link)
            return u"Форма1: the link to %1 in Текст3"_s.arg(info.name);
        return u"%1: click %2 (%3)"_s.arg(entry.opening == Opening::FromWindow ? toQString(entry.from) : u"Форма1"_s,
                                         toQString(entry.opener), info.name);
    }
    case Do::Close:
        return u"close %1"_s.arg(info.name);
    case Do::Restart:
        return u"start the program again"_s;
    case Do::Wheel:
        return u"%1: turn the wheel %2 over %3"_s.arg(info.name, a.number > 0 ? u"up"_s : u"down"_s, name(info.combos));
    case Do::Menu:
        return u"%1: right-click into %2 at %3‰, then %4"_s.arg(
            info.name, name(info.fields), point,
            a.number < 0 ? u"Escape"_s : u"menu item %1 of those enabled"_s.arg(a.number + 1));
    }
    return QString();
}

QString encode(const QString &text)
{
    return QString::fromLatin1(text.toUtf8().toBase64());
}

QString decode(QStringView text)
{
    return QString::fromUtf8(QByteArray::fromBase64(text.toLatin1()));
}

QString serialise(const Action &a)
{
    QStringList travels;
    for (QPoint t : a.travels)
        travels.append(u"%1,%2"_s.arg(t.x()).arg(t.y()));
    return QStringList{QString::number(int(a.what)), QString::number(a.window), QString::number(a.control),
                       QString::number(a.number), QString::number(int(a.flag)),
                       u"%1,%2"_s.arg(a.point.x()).arg(a.point.y()), travels.join(u';'), encode(a.text),
                       encode(a.note)}
        .join(u'\t');
}

std::optional<Action> deserialise(const QString &line)
{
    const QStringList f = line.split(u'\t');
    if (f.size() != 9)
        return std::nullopt;
    const auto toPoint = [](const QString &text) {
        const QStringList xy = text.split(u',');
        return xy.size() == 2 ? QPoint(xy[0].toInt(), xy[1].toInt()) : QPoint();
    };
    Action a;
    a.what = static_cast<Do>(f[0].toInt());
    a.window = f[1].toInt();
    a.control = f[2].toInt();
    a.number = f[3].toInt();
    a.flag = f[4].toInt() != 0;
    a.point = toPoint(f[5]);
    for (const QString &t : f[6].split(u';', Qt::SkipEmptyParts))
        a.travels.append(toPoint(t));
    a.text = decode(f[7]);
    a.note = decode(f[8]);
    return a;
}

QList<Action> readActions(const QString &path)
{
    QList<Action> actions;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return actions;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (const auto action = deserialise(QString::fromUtf8(line)))
            actions.append(*action);
    }
    return actions;
}

void writeActions(const QString &path, const QList<Action> &actions)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        qFatal("cannot write %s", qPrintable(path));
    for (const Action &a : actions)
        file.write((serialise(a) + u'\n').toUtf8());
}

// ---------------------------------------------------------------------------------
// The oracle: what each open window must show

struct Expected
{
    QHash<QString, QString> text;
    QHash<QString, QStringList> items;
    QHash<QString, int> current;
    int listKind = 0; // Форма5, Форма4: of the last type text that named a type, as the
    int group = 0;    // design numbered them: 3 lengths, 4 diameters; tables 1–4
    QPoint pos;       // ФАвтор
    bool exitDown = false;
    bool byGrade = false; // ФОбщиеДопуски: the requirement line by the grade last chosen
};

struct Live
{
    bool open = false;
    QPointer<QWidget> window;
    QHash<QString, QWidget *> controls;
    Expected expected;
};

// The About window's drag, which outlives the window: its flag and grab point.
struct DragModel
{
    bool active = false;
    int grabX = 0; // twips
    int grabY = 0;
};

// The intervals of a list kind: 3 the lengths, any other the diameters.
QStringList intervalsOf(int listKind)
{
    return intervalTexts(listKind == 3 ? IntervalList::Lengths : IntervalList::Diameters);
}

QString normalisedNotes()
{
    return toQString(fp::radialRunOutNotes).replace(u"\n\r"_s, u"\n"_s);
}

// ---------------------------------------------------------------------------------

class Soak
{
public:
    Soak()
    {
        m_parking = std::make_unique<QWidget>();
        m_parking->setObjectName(u"soak-parking"_s);
        m_parking->setGeometry(3000, 3000, 20, 20);
        m_parking->show();
        if (!QTest::qWaitForWindowExposed(m_parking.get()))
            qFatal("the parking window did not show");
        QApplication::clipboard()->clear();
        m_dialogs.save = SaveAnswer::Discard;
        resetDrag();
        startProgram();
    }

    ~Soak()
    {
        m_main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Applies one action and checks every window; the first fault found, or nothing.
    QString apply(const Action &a)
    {
        m_messages.take();
        m_expectedMessages.clear();
        m_fault.clear();
        switch (a.what) {
        case Do::Choose: choose(a); break;
        case Do::Click: click(a); break;
        case Do::Key: key(keyTable[static_cast<std::size_t>(a.number) % keyTable.size()]); break;
        case Do::Type: type(a.text); break;
        case Do::Paste: paste(a.text); break;
        case Do::Point: point(a); break;
        case Do::Drag: drag(a); break;
        case Do::Open: open(a.window); break;
        case Do::Close: close(a.window); break;
        case Do::Restart: restart(); break;
        case Do::Wheel: wheel(a); break;
        case Do::Menu: menu(a); break;
        }
        settle();
        if (usable(Chains))
            chainsLookup();
        if (m_fault.isEmpty())
            m_fault = check();
        return m_fault;
    }

    // The action as it meets the present state, for the reader of a failing run.
    QString resolve(const Action &a) const
    {
        const WindowFacts &info = facts()[std::size_t(qBound(0, a.window, WindowCount - 1))];
        switch (a.what) {
        case Do::Choose:
            if (usable(a.window) && !info.combos.isEmpty() && comboOf(a.window, a.control)->count() > 0) {
                const QComboBox *combo = comboOf(a.window, a.control);
                return u"%1: choose %2 in %3"_s.arg(info.name, quoted(combo->itemText(a.number % combo->count())),
                                                    combo->objectName());
            }
            break;
        case Do::Key:
        case Do::Type:
        case Do::Paste: {
            QWidget *focus = QApplication::focusWidget();
            if (!focus)
                return describe(a) + u" (no window is active)"_s;
            const auto where = focused(focus);
            return describe(a) + u" into "_s
                + (where ? facts()[std::size_t(where->first)].name + u'/' + where->second
                         : focus->window()->objectName() + u'/' + focus->objectName());
        }
        case Do::Click:
        case Do::Point:
        case Do::Drag:
        case Do::Close:
            if (usable(a.window))
                return describe(a);
            break;
        case Do::Open:
            if (usable(Main))
                return describe(a);
            break;
        case Do::Restart:
            return describe(a);
        case Do::Wheel:
            if (usable(a.window) && !info.combos.isEmpty())
                return describe(a);
            break;
        case Do::Menu:
            if (usable(a.window) && !info.fields.isEmpty())
                return describe(a);
            break;
        }
        return describe(a) + u" (nothing to do here)"_s;
    }

    // How often each kind of thing was done.
    QString tallies() const
    {
        QStringList lines;
        for (auto it = m_tally.cbegin(); it != m_tally.cend(); ++it)
            lines.append(u"%1 %2"_s.arg(it.value(), 6).arg(it.key()));
        return lines.join(u'\n');
    }

    // A random action that fits the present state.
    Action generate(std::mt19937_64 &random)
    {
        const auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(std::max(1, n))); };
        const auto chance = [&](int percent) { return below(100) < percent; };
        if (openWindows().isEmpty()) {
            Action restart;
            restart.what = Do::Restart;
            return restart;
        }
        for (;;) {
            Action a;
            const int roll = below(100);
            if (roll < 30) { // a choice from a list
                const QList<int> windows = openWindowsWith(&WindowFacts::combos);
                if (windows.isEmpty())
                    continue;
                a.what = Do::Choose;
                a.window = windows[below(int(windows.size()))];
                a.control = below(int(facts()[std::size_t(a.window)].combos.size()));
                auto *combo = comboOf(a.window, a.control);
                if (chance(12)) {
                    a.what = Do::Wheel;
                    a.number = chance(50) ? 1 : -1;
                } else {
                    a.number = below(combo->count());
                    a.note = combo->itemText(a.number);
                }
            } else if (roll < 55) { // a key into the focused field
                a.what = Do::Key;
                const int k = below(100);
                static const int typing = -1;
                const int pick = k < 30 ? typing
                    : k < 42 ? keyIndex("Backspace")
                    : k < 50 ? keyIndex("Delete")
                    : below(int(keyTable.size()));
                // On a row of the fit search and in the fit window's size box, Return often.
                const auto where = focused(QApplication::focusWidget());
                const bool sizeBox = where && where->first == Fits && where->second == u"Размер"_s;
                if (where && ((where->first == FitSearch && where->second == u"Список"_s) || sizeBox) && chance(30)) {
                    a.number = keyIndex("Return"); // a row of the fit search opens, a designation applies
                } else if (pick == typing) {
                    a.what = Do::Type;
                    a.text = randomText(random, 1);
                } else {
                    a.number = pick;
                }
            } else if (roll < 60) { // a word typed or pasted
                a.what = chance(50) ? Do::Type : Do::Paste;
                a.text = chance(50) ? someItemText(random) : randomText(random, 1 + below(6));
                // Into the fit window's size box, mostly a designation.
                const auto where = focused(QApplication::focusWidget());
                if (where && where->first == Fits && where->second == u"Размер"_s && chance(60))
                    a.text = someDesignation(random);
                if (a.what == Do::Type) // rows of cells are pasted; keys type no tab
                    a.text.replace(u'\t', u' ').replace(u'\n', u' ');
                if (a.what == Do::Paste && chance(25))
                    a.text.clear();
            } else if (roll < 67) { // a click into a field
                const QList<int> windows = openWindowsWith(&WindowFacts::fields);
                if (windows.isEmpty())
                    continue;
                a.what = chance(20) ? Do::Menu : Do::Click;
                a.window = windows[below(int(windows.size()))];
                a.control = below(int(facts()[std::size_t(a.window)].fields.size()));
                if (facts()[std::size_t(a.window)].fields[a.control] == u"Список"_s)
                    a.what = Do::Click; // a row of the fit search: no menu there
                a.point = QPoint(below(1000), below(1000));
                a.number = below(4) - 1;
            } else if (roll < 78) { // the pointer over the chart or the About window
                QList<int> windows;
                for (int w : {int(Symbols), int(Symbols), int(Symbols), int(About)}) {
                    if (m_live[std::size_t(w)].open)
                        windows.append(w);
                }
                if (windows.isEmpty())
                    continue;
                a.what = Do::Point;
                a.window = windows[below(int(windows.size()))];
                a.point = pointIn(a.window, random);
            } else if (roll < 85) { // a drag of the About window, or its exit picture
                if (!m_live[About].open)
                    continue;
                a.what = Do::Drag;
                a.window = About;
                const int b = below(100);
                a.number = b < 60 ? 0 : b < 85 ? 1 : 2;
                a.flag = chance(10);
                QWidget *about = m_live[About].window;
                auto *exit = control(About, u"Изображение2"_s);
                if (chance(15)) {
                    a.point = exit->geometry().topLeft() + QPoint(1 + below(exit->width() - 2), 1 + below(exit->height() - 2));
                } else {
                    a.point = QPoint(1 + below(about->width() - 2), 1 + below(about->height() - 2));
                    if (a.number != 0 && takesText(about, a.point))
                        a.number = 0; // a right or middle click there opens a menu or pastes
                }
                const int moves = 1 + below(5);
                for (int i = 0; i < moves; ++i) {
                    QPoint t(below(25) - 12, below(25) - 12);
                    if (t.isNull())
                        t = QPoint(1, 0);
                    a.travels.append(t);
                }
            } else if (roll < 94) { // a window opened with its button
                if (!m_live[Main].open)
                    continue;
                a.what = Do::Open;
                QList<int> closed;
                for (int w = FormPosition; w < WindowCount; ++w) {
                    if (!m_live[std::size_t(w)].open)
                        closed.append(w);
                }
                a.window = !closed.isEmpty() && chance(70) ? closed[below(int(closed.size()))]
                                                          : FormPosition + below(WindowCount - FormPosition);
            } else { // a window closed
                QList<int> windows;
                for (int w = Main; w < About; ++w) {
                    if (m_live[std::size_t(w)].open && (w != Main || chance(15)))
                        windows.append(w);
                }
                if (windows.isEmpty())
                    continue;
                a.what = Do::Close;
                a.window = windows[below(int(windows.size()))];
            }
            return a;
        }
    }

private:
    // ----- the program

    void startProgram()
    {
        m_main = std::make_unique<MainWindow>();
        test::showAndWait(m_main.get());
        m_main->activateWindow();
        QCoreApplication::processEvents();
        opened(Main, m_main.get());
    }

    // A drag left in progress by an earlier run in this process is ended by a move
    // without a button over an About window's body.
    void resetDrag()
    {
        AboutWindow about;
        about.move(1000, 1000);
        test::showAndWait(&about);
        QTest::mouseMove(about.windowHandle(), QPoint(3, 3));
        QTest::mouseMove(about.windowHandle(), QPoint(4, 3));
        park();
        m_drag = DragModel{};
    }

    // The pointer over a window of the soak's own, away from the program's, after the
    // popups have moved it: from here on the soak knows where it is, and so knows what
    // the window system does with the next event (it drops a move to where the pointer
    // already is, and a press elsewhere comes after a move to it).
    void park()
    {
        m_pointerAt = m_parking->windowHandle()->mapToGlobal(QPoint(m_parkingStep ? 5 : 6, 5));
        m_parkingStep = !m_parkingStep;
        QTest::mouseMove(m_parking->windowHandle(), m_parking->windowHandle()->mapFromGlobal(m_pointerAt));
    }

    void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // ----- what the windows are expected to show

    void opened(int w, QWidget *window)
    {
        Live &live = m_live[std::size_t(w)];
        live.open = true;
        live.window = window;
        live.controls.clear();
        const WindowFacts &info = facts()[std::size_t(w)];
        QStringList names = info.combos + info.fields;
        for (const Control &c : info.texts)
            names.append(c.name);
        names += {u"Изображение1"_s, u"Изображение2"_s, u"Метка1"_s, u"Метка3"_s, u"Метка5"_s, u"Рамка1"_s,
                  u"Рамка2"_s, u"Рамка3"_s, u"Подбор"_s};
        for (const QString &name : names) {
            if (auto *c = window->findChild<QWidget *>(name))
                live.controls.insert(name, c);
        }
        for (int i = 1; i <= 15; ++i) {
            const QString name = u"Изображение%1"_s.arg(i);
            if (auto *c = window->findChild<QWidget *>(name))
                live.controls.insert(name, c);
        }
        Expected &e = live.expected;
        e = Expected{};
        switch (w) {
        case Main:
            e.items = {{u"НР"_s, fits::sizeTexts()}, {u"Комбо1"_s, fits::gradeTexts()}, {u"ПД"_s, fits::lettersForGrade(7)}};
            e.text = {{u"НР"_s, toQString(fits::sizeNotChosen)}, {u"Комбо1"_s, u"7"_s},
                      {u"ПД"_s, toQString(fits::basicHole)}, {u"ВО"_s, u" "_s}, {u"НО"_s, u" "_s},
                      {u"Текст3"_s, textOf(control(w, u"Текст3"_s))}};
            e.current = {{u"НР"_s, -1}, {u"Комбо1"_s, 2}, {u"ПД"_s, 0}};
            break;
        case FormPosition:
            e.items = {{u"Комбо1"_s, fp::typeTexts()}, {u"Комбо2"_s, {}}, {u"Комбо3"_s, fp::degreeTexts()}};
            e.text = {{u"Комбо1"_s, u"радиального биения"_s}, {u"Комбо2"_s, u"Комбо2"_s}, {u"Комбо3"_s, u"7"_s},
                      {u"Текст1"_s, u"Текст1"_s}, {u"Метка6"_s, toQString(fp::micrometreUnit)},
                      {u"Текст2"_s, normalisedNotes()}};
            e.current = {{u"Комбо1"_s, int(fp::typeTexts().indexOf(u"радиального биения"_s))}, {u"Комбо2"_s, -1},
                         {u"Комбо3"_s, 6}};
            formIndex();
            formIntervals();
            formLookup();
            break;
        case Unspecified:
            e.items = {{u"Комбо1"_s, un::kindTexts()}, {u"Комбо2"_s, intervalsOf(4)},
                       {u"Комбо3"_s, un::accuracyGroupTexts()}};
            e.text = {{u"Комбо1"_s, u"радиального биения"_s}, {u"Комбо2"_s, u"до 3"_s}, {u"Комбо3"_s, u"12"_s},
                      {u"Текст1"_s, numberText(0.2)}, {u"Метка7"_s, un::notes(un::Table::Axes)}};
            e.current = {{u"Комбо1"_s, int(un::kindTexts().indexOf(u"радиального биения"_s))}, {u"Комбо2"_s, 0},
                         {u"Комбо3"_s, 0}};
            e.listKind = 4;
            e.group = 4;
            break;
        case Angles:
            e.items = {{u"Комбо1"_s, angles::intervalTexts()}, {u"Комбо2"_s, angles::degreeTexts()}};
            e.text = {{u"Комбо1"_s, u"до 10"_s}, {u"Комбо2"_s, u"8"_s}, {u"Текст1"_s, u""_s}};
            e.current = {{u"Комбо1"_s, 0}, {u"Комбо2"_s, 7}};
            angleLookup();
            break;
        case Symbols:
            e.text = {{u"Метка2"_s, QString()}, {u"Метка3"_s, toQString(symbols::idleName)}};
            break;
        case Fits:
            e.items = {{u"ОтвБуква"_s, listTexts(fits::holeLetters)}, {u"ОтвКвалитет"_s, fits::fitGradeTexts()},
                       {u"ВалБуква"_s, listTexts(fits::shaftLetters)}, {u"ВалКвалитет"_s, fits::fitGradeTexts()}};
            e.text = {{u"Размер"_s, u"25"_s}, {u"ОтвБуква"_s, u"H"_s}, {u"ОтвКвалитет"_s, u"7"_s},
                      {u"ВалБуква"_s, u"f"_s}, {u"ВалКвалитет"_s, u"7"_s}};
            e.current = {{u"ОтвБуква"_s, 7}, {u"ОтвКвалитет"_s, 8}, {u"ВалБуква"_s, 5}, {u"ВалКвалитет"_s, 8}};
            fitsLookup();
            // What the size box last told the window: a designation applied at once
            // leaves only its size in the box, so the box's text afterwards cannot say
            // what the window was given.
            QObject::connect(qobject_cast<QLineEdit *>(control(w, u"Размер"_s)), &QLineEdit::textChanged, window,
                    [this](const QString &text) { m_sizeTold = text; });
            break;
        case General:
            e.items = {{u"Класс"_s, general::sizeClassTexts()}, {u"КлассФР"_s, general::formClassTexts()},
                       {u"Квалитет"_s, general::gradeTexts()}};
            e.text = {{u"Размер"_s, u"25"_s}, {u"Класс"_s, u"m — средний"_s}, {u"КлассФР"_s, u"K"_s},
                      {u"Квалитет"_s, u"14"_s}};
            e.current = {{u"Класс"_s, 1}, {u"КлассФР"_s, 1}, {u"Квалитет"_s, 2}};
            generalLookup();
            break;
        case Chains:
            e.items = {{u"Задача"_s, chains::taskTexts()}, {u"Метод"_s, chains::methodTexts()},
                       {u"Риск"_s, chains::riskTexts()}};
            e.text = {{u"Задача"_s, chains::taskTexts().front()}, {u"Метод"_s, chains::methodTexts().front()},
                      {u"Риск"_s, chains::riskTexts().front()}, {u"ИсхES"_s, u"0,6"_s}, {u"ИсхEI"_s, u"0,1"_s}};
            e.current = {{u"Задача"_s, 0}, {u"Метод"_s, 0}, {u"Риск"_s, 0}};
            chainsLookup();
            break;
        case FitSearch:
            e.items = {{u"Система"_s, listTexts(fits::basisTexts)}, {u"Ряд"_s, listTexts(fits::seriesTexts)}};
            e.text = {{u"Размер"_s, ex(Fits).text[u"Размер"_s]}, {u"ЗазорНаим"_s, u"20"_s}, {u"ЗазорНаиб"_s, u"70"_s},
                      {u"Система"_s, listTexts(fits::basisTexts).front()}, {u"Ряд"_s, listTexts(fits::seriesTexts).front()}};
            e.current = {{u"Система"_s, 0}, {u"Ряд"_s, 0}};
            searchLookup();
            break;
        case About:
            e.text = {{u"Текст1"_s, textOf(control(w, u"Текст1"_s))}, {u"Текст2"_s, textOf(control(w, u"Текст2"_s))}};
            e.pos = window->pos();
            break;
        default:
            break;
        }
    }

    Expected &ex(int w) { return m_live[std::size_t(w)].expected; }

    // A choice of item `index` in list `name`, and what the window's procedures make of it.
    void chosen(int w, const QString &name, int index)
    {
        Expected &e = ex(w);
        const bool changed = e.current.value(name, -2) != index;
        e.current[name] = index;
        e.text[name] = e.items[name].value(index);
        switch (w) {
        case Main:
            if (name == u"Комбо1") {
                e.items[u"ПД"_s] = fits::lettersForGrade(fits::gradeOf(e.text[name]).value_or(0));
                e.text[u"ПД"_s] = toQString(fits::basicHole);
                e.current[u"ПД"_s] = int(e.items[u"ПД"_s].indexOf(toQString(fits::basicHole)));
                e.text[u"ВО"_s] = e.text[u"НО"_s] = QString();
            }
            mainLookup();
            break;
        case FormPosition:
            formIndex();
            if (name == u"Комбо1")
                formIntervals();
            formLookup();
            break;
        case Unspecified:
            if (name == u"Комбо1") {
                if (const auto kind = un::kindOf(e.text[name])) {
                    e.listKind = kind->intervals == IntervalList::Lengths ? 3 : 4;
                    e.group = int(kind->table);
                }
                e.text[u"Метка7"_s] = un::notes(un::Table(e.group));
                e.items[u"Комбо2"_s] = intervalsOf(e.listKind);
                e.text[u"Комбо2"_s] = e.items[u"Комбо2"_s].value(0);
                e.current[u"Комбо2"_s] = int(e.items[u"Комбо2"_s].indexOf(e.text[u"Комбо2"_s]));
            }
            if (const auto value = un::value(un::Table(e.group), e.text[u"Комбо2"_s], e.text[u"Комбо3"_s]))
                e.text[u"Текст1"_s] = numberText(*value);
            break;
        case Angles:
            angleLookup();
            break;
        case Fits:
            if (changed) // the window computes when an index changes
                fitsLookup();
            break;
        case General:
            e.byGrade = name == u"Квалитет";
            generalLookup();
            break;
        case Chains:
            chainsLookup();
            break;
        case FitSearch:
            searchLookup();
            break;
        default:
            break;
        }
    }

    // What a window that computes from typed text shows after a text of it changed.
    void textTyped(int w)
    {
        if (w == Fits)
            fitsLookup();
        if (w == General)
            generalLookup();
        if (w == Chains)
            chainsLookup();
        if (w == FitSearch)
            searchLookup();
    }

    // The dimension chain's boxes and its table, from the table's cells as typed (the
    // table takes keys, pastes and its menu's rows as a spreadsheet does, which the soak
    // reads back rather than retells), the three lists and the required deviations.
    void chainsLookup()
    {
        Expected &e = ex(Chains);
        const auto *table = qobject_cast<const QTableWidget *>(control(Chains, u"Звенья"_s));
        chains::Inputs in;
        for (int r = 0; r < table->rowCount(); ++r) {
            chains::Row row;
            for (int c = 0; c < chains::columnCount; ++c) {
                if (const QTableWidgetItem *item = table->item(r, c))
                    row[std::size_t(c)] = item->data(ChainWindow::typedRole).toString();
            }
            in.rows.push_back(row);
        }
        in.task = chains::Task(e.current[u"Задача"_s]);
        in.method = chains::Method(e.current[u"Метод"_s]);
        in.risk = e.current[u"Риск"_s];
        in.requiredUpper = e.text[u"ИсхES"_s];
        in.requiredLower = e.text[u"ИсхEI"_s];
        const chains::Solution t = chains::solve(in);
        const std::pair<const char16_t *, const QString *> boxes[] = {
            {u"Номинал", &t.nominal}, {u"ES", &t.upper}, {u"EI", &t.lower}, {u"T", &t.tolerance},
            {u"Ec", &t.middle}, {u"Наиб", &t.largest}, {u"Наим", &t.smallest}, {u"Уравнение", &t.equation},
            {u"Единицы", &t.units}, {u"Квалитет", &t.grade}, {u"Проверка", &t.check}, {u"Сообщение", &t.message}};
        for (const auto &[name, text] : boxes)
            e.text[QString::fromUtf16(name)] = *text;
        // Each cell shows what was typed, or what the solution fills in.
        QStringList rows;
        auto filled = t.filled.cbegin();
        for (std::size_t r = 0; r < in.rows.size(); ++r) {
            QStringList cells;
            for (int c = 0; c < chains::columnCount; ++c) {
                const bool computed = filled != t.filled.cend() && filled->row == int(r) && filled->column == c;
                cells.append(computed ? (filled++)->text : in.rows[r][std::size_t(c)]);
            }
            rows.append(cells.join(u'|'));
        }
        e.text[u"Звенья"_s] = rows.join(u'\n');
    }

    // A chain's own text pasted into its table brings its task, method, risk and
    // required deviations along.
    void chainsPasted()
    {
        if (!usable(Chains))
            return;
        const chains::ReadText read = chains::readText(QApplication::clipboard()->text());
        Expected &e = ex(Chains);
        const std::pair<const char16_t *, std::optional<int>> lists[] = {
            {u"Задача", read.task ? std::optional(int(*read.task)) : std::nullopt},
            {u"Метод", read.method ? std::optional(int(*read.method)) : std::nullopt}, {u"Риск", read.risk}};
        for (const auto &[name, index] : lists) {
            if (index) {
                e.current[QString::fromUtf16(name)] = *index;
                e.text[QString::fromUtf16(name)] = e.items[QString::fromUtf16(name)].value(*index);
            }
        }
        if (read.requiredUpper)
            e.text[u"ИсхES"_s] = *read.requiredUpper;
        if (read.requiredLower)
            e.text[u"ИсхEI"_s] = *read.requiredLower;
        tally("chains pasted with their settings");
    }

    // The fit search's list, count and message, from its three texts and two lists.
    void searchLookup()
    {
        Expected &e = ex(FitSearch);
        const fits::FitSearch found =
            fits::searchFits(e.text[u"Размер"_s], e.text[u"ЗазорНаим"_s], e.text[u"ЗазорНаиб"_s],
                             fits::Basis(e.current[u"Система"_s]), fits::Series(e.current[u"Ряд"_s]));
        QStringList rows;
        for (const fits::FoundFit &fit : found.fits)
            rows.append(fits::rowTexts(fit).join(u'|'));
        e.text[u"Список"_s] = rows.join(u'\n');
        e.text[u"Найдено"_s] = found.fits.empty() ? QString() : fits::foundText(found.fits.size());
        e.text[u"Сообщение"_s] = found.message;
        m_searchRows = found.fits;
    }

    // Enter on a row of the fit search shows its fit in the fit window.
    void rowOpened(int row)
    {
        if (row < 0 || row >= int(m_searchRows.size()) || !usable(Fits))
            return;
        const fits::FoundFit &fit = m_searchRows[std::size_t(row)];
        Expected &e = ex(Fits);
        e.text[u"Размер"_s] = ex(FitSearch).text[u"Размер"_s];
        const std::pair<const char16_t *, int> lists[] = {
            {u"ОтвБуква", int(e.items[u"ОтвБуква"_s].indexOf(toQString(fit.holeLetter)))},
            {u"ОтвКвалитет", fit.holeGrade - fits::fitGradeOf(0)},
            {u"ВалБуква", int(e.items[u"ВалБуква"_s].indexOf(toQString(fit.shaftLetter)))},
            {u"ВалКвалитет", fit.shaftGrade - fits::fitGradeOf(0)}};
        for (const auto &[name, index] : lists) {
            e.current[QString::fromUtf16(name)] = index;
            e.text[QString::fromUtf16(name)] = e.items[QString::fromUtf16(name)].value(index);
        }
        fitsLookup();
        tally("fits opened from the search");
    }

    // Every box of the general tolerance window, from the size text and the three lists.
    void generalLookup()
    {
        Expected &e = ex(General);
        const general::GeneralTexts t = general::generalTexts(
            e.text[u"Размер"_s], e.current[u"Класс"_s], e.current[u"КлассФР"_s],
            general::firstGrade + e.current[u"Квалитет"_s],
            e.byGrade ? general::Designation::Grade : general::Designation::Classes);
        const std::pair<const char16_t *, const QString *> boxes[] = {
            {u"Линейный", &t.linear}, {u"Скругление", &t.edge}, {u"Угол", &t.angle},
            {u"Прямолинейность", &t.straightness}, {u"Перпендикулярность", &t.perpendicularity},
            {u"Симметричность", &t.symmetry}, {u"Биение", &t.runOut}, {u"Отверстия", &t.hole},
            {u"Валы", &t.shaft}, {u"Прочие", &t.other}, {u"Требование", &t.requirement},
            {u"Сообщение", &t.message}};
        for (const auto &[name, text] : boxes)
            e.text[QString::fromUtf16(name)] = *text;
    }

    // The window that the link on `line` of the main window's Текст3 opens, if any.
    static std::optional<int> linkedWindow(const QString &href)
    {
        for (int w = 0; w < WindowCount; ++w) {
            if (windows()[std::size_t(w)].opening == Opening::Link && linkOf(windows()[std::size_t(w)]) == href)
                return w;
        }
        return std::nullopt;
    }

    // Every box of the fit window, from the size text and the four lists.
    void fitsLookup()
    {
        const Expected &e = ex(Fits);
        if (fits::looksLikeDesignation(e.text[u"Размер"_s]))
            return fitsMessage(fits::pendingDesignationText());
        fitsShow(fits::fitTexts(e.text[u"Размер"_s], e.text[u"ОтвБуква"_s], fits::fitGradeOf(e.current[u"ОтвКвалитет"_s]),
                                e.text[u"ВалБуква"_s], fits::fitGradeOf(e.current[u"ВалКвалитет"_s])));
    }

    void fitsShow(const fits::FitTexts &t)
    {
        Expected &e = ex(Fits);
        const std::pair<const char16_t *, const QString *> boxes[] = {
            {u"ES", &t.holeUpper}, {u"EI", &t.holeLower}, {u"es", &t.shaftUpper}, {u"ei", &t.shaftLower},
            {u"Dmax", &t.holeMax}, {u"Dmin", &t.holeMin}, {u"dmax", &t.shaftMax}, {u"dmin", &t.shaftMin},
            {u"TD", &t.holeTolerance}, {u"Td", &t.shaftTolerance}, {u"Smax", &t.maxClearance},
            {u"Smin", &t.minClearance}, {u"Nmax", &t.maxInterference}, {u"Nmin", &t.minInterference},
            {u"Характер", &t.kind}, {u"Система", &t.system}, {u"Обозначение", &t.notation},
            {u"Вероятность", &t.probability}, {u"Сообщение", &t.message}};
        for (const auto &[name, text] : boxes)
            e.text[QString::fromUtf16(name)] = *text;
    }

    void fitsMessage(const QString &message)
    {
        fits::FitTexts texts;
        texts.message = message;
        fitsShow(texts);
    }

    // The fit window's size box took a key, a word or a paste and told the window
    // `told`: a bare size shows at once, a designation when it came whole (two
    // characters or more at once), else it waits for Enter.
    void fitsSizeEdited(const QString &before, const QString &told)
    {
        if (told == before)
            return; // nothing edited: what the window shows stays
        ex(Fits).text[u"Размер"_s] = told;
        if (fits::looksLikeDesignation(told) && told.size() - before.size() >= 2)
            fitsApply();
        else
            fitsLookup();
    }

    // Enter in the size box, or a designation pasted: its fields go to their lists and
    // the size stays; one the window cannot show changes no list and says why.
    void fitsApply()
    {
        Expected &e = ex(Fits);
        if (!fits::looksLikeDesignation(e.text[u"Размер"_s]))
            return;
        const fits::FitNotation notation = fits::readFitNotation(e.text[u"Размер"_s]);
        if (!notation.error.isEmpty())
            return fitsMessage(notation.error);
        const fits::FieldChoice hole = notation.hole.value_or(
            fits::FieldChoice{e.current[u"ОтвБуква"_s], fits::fitGradeOf(e.current[u"ОтвКвалитет"_s])});
        const fits::FieldChoice shaft = notation.shaft.value_or(
            fits::FieldChoice{e.current[u"ВалБуква"_s], fits::fitGradeOf(e.current[u"ВалКвалитет"_s])});
        const fits::FitTexts t = fits::fitTexts(notation.size, toQString(fits::holeLetters[std::size_t(hole.letter)]),
                                                hole.grade, toQString(fits::shaftLetters[std::size_t(shaft.letter)]),
                                                shaft.grade);
        if (!t.message.isEmpty())
            return fitsMessage(t.message);
        e.text[u"Размер"_s] = notation.size;
        const std::pair<const char16_t *, int> lists[] = {{u"ОтвБуква", hole.letter},
                                                          {u"ОтвКвалитет", hole.grade - fits::fitGradeOf(0)},
                                                          {u"ВалБуква", shaft.letter},
                                                          {u"ВалКвалитет", shaft.grade - fits::fitGradeOf(0)}};
        for (const auto &[name, index] : lists) {
            e.current[QString::fromUtf16(name)] = index;
            e.text[QString::fromUtf16(name)] = e.items[QString::fromUtf16(name)].value(index);
        }
        fitsShow(t);
        tally("designations applied in the fit window");
    }

    void mainLookup()
    {
        Expected &e = ex(Main);
        const fits::Deviations d = fits::deviations(e.text[u"НР"_s], e.text[u"Комбо1"_s], e.text[u"ПД"_s]);
        if (!d.keepCaptions) {
            e.text[u"ВО"_s] = d.upper;
            e.text[u"НО"_s] = d.lower;
        }
        if (d.prompt != fits::Prompt::None)
            m_expectedMessages.append({toQString(fits::promptTitle), fits::promptText(d.prompt)});
    }

    void formIndex()
    {
        Expected &e = ex(FormPosition);
        if (const fp::ToleranceType *type = fp::findType(e.text[u"Комбо1"_s])) {
            e.listKind = type->intervals == IntervalList::Lengths ? 3 : 4;
            e.group = int(type->table);
        }
    }

    void formIntervals()
    {
        Expected &e = ex(FormPosition);
        e.items[u"Комбо2"_s] = intervalsOf(e.listKind);
        e.text[u"Комбо2"_s] = e.items[u"Комбо2"_s].value(0);
        e.current[u"Комбо2"_s] = 0;
    }

    // The cell of the group's table, in micrometres up to degree 12 and in
    // millimetres from degree 13; a choice that names no cell changes nothing.
    void formLookup()
    {
        Expected &e = ex(FormPosition);
        const std::optional<int> degree = fp::degreeOf(e.text[u"Комбо3"_s]);
        const std::optional<double> cell = degree ? fp::tableValue(fp::Table(e.group), e.text[u"Комбо2"_s], *degree) : std::nullopt;
        if (!cell)
            return;
        const bool millimetres = *degree >= 13;
        e.text[u"Текст1"_s] = numberText(millimetres ? *cell / 1000 : *cell);
        e.text[u"Метка6"_s] = toQString(millimetres ? fp::millimetreUnit : fp::micrometreUnit);
    }

    void angleLookup()
    {
        Expected &e = ex(Angles);
        const std::optional<double> degree = parseNumber(e.text[u"Комбо2"_s]);
        if (!degree)
            return;
        if (const auto cell = angles::angleTolerance(e.text[u"Комбо1"_s], *degree))
            e.text[u"Текст1"_s] = toQString(*cell);
    }

    // ----- actions

    QWidget *control(int w, const QString &name) const
    {
        QWidget *c = m_live[std::size_t(w)].controls.value(name);
        if (!c)
            qFatal("%s has no %s", qPrintable(facts()[std::size_t(w)].name), qPrintable(name));
        return c;
    }

    QComboBox *comboOf(int w, int index) const
    {
        const QStringList &combos = facts()[std::size_t(w)].combos;
        return qobject_cast<QComboBox *>(control(w, combos[index % combos.size()]));
    }

    bool usable(int w) const
    {
        return w >= 0 && w < WindowCount && m_live[std::size_t(w)].open && m_live[std::size_t(w)].window;
    }

    void activate(QWidget *window)
    {
        if (QApplication::activeWindow() != window) {
            window->activateWindow();
            QCoreApplication::processEvents();
        }
    }

    void choose(const Action &a)
    {
        if (!usable(a.window) || facts()[std::size_t(a.window)].combos.isEmpty())
            return;
        QComboBox *combo = comboOf(a.window, a.control);
        if (combo->count() == 0)
            return;
        const int index = a.number % combo->count();
        activate(m_live[std::size_t(a.window)].window);
        test::chooseIndex(combo, index);
        chosen(a.window, combo->objectName(), index);
        tally("choices from a popup");
        park();
    }

    // The wheel over a list with the focus steps through it: a choice, as a click in
    // it is; over a list without the focus it does nothing.
    void wheel(const Action &a)
    {
        if (!usable(a.window) || facts()[std::size_t(a.window)].combos.isEmpty())
            return;
        QComboBox *combo = comboOf(a.window, a.control);
        const int current = combo->currentIndex();
        test::turnWheel(combo, a.number > 0 ? 1 : -1);
        const int next = current + (a.number > 0 ? -1 : 1);
        if (combo->hasFocus() && next >= 0 && next < combo->count()) {
            chosen(a.window, combo->objectName(), next);
            tally("choices with the wheel");
        }
    }

    // The field of a Click or Menu action, the widget under the pointer there (the
    // edit field of a list, the page of a text box) and the point in it.
    struct Spot
    {
        QString name;
        QWidget *field = nullptr;
        QWidget *target = nullptr;
        QPoint at;
        QWidget *window = nullptr; // filled in by approach()
        QPoint local;              // `at` in the window
    };

    std::optional<Spot> spotOf(const Action &a) const
    {
        if (!usable(a.window) || facts()[std::size_t(a.window)].fields.isEmpty())
            return std::nullopt;
        const QStringList &fields = facts()[std::size_t(a.window)].fields;
        Spot spot;
        spot.name = fields[a.control % fields.size()];
        spot.field = control(a.window, spot.name);
        if (!spot.field->isVisible())
            return std::nullopt;
        spot.target = spot.field;
        if (auto *combo = qobject_cast<QComboBox *>(spot.field))
            spot.target = combo->lineEdit();
        else if (auto *area = qobject_cast<QAbstractScrollArea *>(spot.field))
            spot.target = area->viewport();
        spot.at = QPoint(1 + (spot.target->width() - 2) * qBound(0, a.point.x(), 999) / 1000,
                         1 + (spot.target->height() - 2) * qBound(0, a.point.y(), 999) / 1000);
        return spot;
    }

    // The pointer comes to the spot of a Click or Menu action, in its active window.
    std::optional<Spot> approach(const Action &a)
    {
        std::optional<Spot> spot = spotOf(a);
        if (!spot)
            return std::nullopt;
        spot->window = m_live[std::size_t(a.window)].window;
        activate(spot->window);
        spot->local = spot->target->mapTo(spot->window, spot->at);
        if (a.window == About)
            hover(About, spot->local);
        return spot;
    }

    // A left click into a field, through the window: the field takes the focus.
    void click(const Action &a)
    {
        const std::optional<Spot> spot = approach(a);
        if (!spot)
            return;
        QWidget *window = spot->window;
        const QPoint local = spot->local;
        auto *advert = qobject_cast<QTextEdit *>(spot->field);
        const std::optional<int> link =
            advert && a.window == Main ? linkedWindow(advert->anchorAt(spot->at)) : std::nullopt;
        sendMouse(window, local, QEvent::MouseButtonPress, Qt::LeftButton);
        sendMouse(window, local, QEvent::MouseButtonRelease, Qt::LeftButton);
        if (link) { // the first lines of Текст3 open the linked windows
            tally("links clicked");
            afterOpening(*link);
            return;
        }
        const auto where = focused(QApplication::focusWidget());
        if (!where || where->first != a.window || where->second != spot->name)
            fault(u"%1/%2: a click into it leaves the focus on %3"_s.arg(
                facts()[std::size_t(a.window)].name, spot->name,
                QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : u"nothing"_s));
        tally("clicks into a field");
    }

    // A right click into a field opens its context menu; an item of it is clicked, or
    // Escape closes it. A filtered field offers nothing that puts text in.
    void menu(const Action &a)
    {
        const std::optional<Spot> spot = approach(a);
        if (!spot)
            return;
        QWidget *window = spot->window;
        const QPoint local = spot->local;
        const Keys keys = keysOf(a.window, spot->name);
        const QString before = textOf(spot->field);
        m_sizeTold = before;
        const bool selection = hasSelection(spot->field);
        sendMouse(window, local, QEvent::MouseButtonPress, Qt::RightButton);
        sendMouse(window, local, QEvent::MouseButtonRelease, Qt::RightButton);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            fault(u"%1/%2: a right click opens no menu"_s.arg(facts()[std::size_t(a.window)].name, spot->name));
            return;
        }
        QList<QAction *> enabled;
        QStringList offered;
        for (QAction *item : menu->actions()) {
            if (item->isSeparator() || !item->isVisible())
                continue;
            offered.append(item->text());
            if (item->isEnabled())
                enabled.append(item);
        }
        static const QStringList copyOnly = {u"Копировать"_s, u"Удалить"_s, u"Выделить всё"_s};
        if (keys == Keys::Filtered && offered != copyOnly)
            fault(u"%1/%2: the menu offers %3"_s.arg(facts()[std::size_t(a.window)].name, spot->name, offered.join(u", "_s)));
        QString chosen = u"Escape"_s;
        if (a.number < 0 || enabled.isEmpty()) {
            QTest::keyClick(menu, Qt::Key_Escape);
        } else {
            QAction *item = enabled[a.number % enabled.size()];
            chosen = item->text();
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
        }
        settle();
        if (!usable(a.window))
            return;
        if (a.window == Chains && spot->name == u"Звенья"_s && chosen == u"Вставить"_s)
            chainsPasted();
        const QString after = textOf(spot->field);
        tally(after == before ? "context menus, text kept" : "context menus, text changed");
        if (keys == Keys::Free) {
            ex(a.window).text[spot->name] = after;
            if (a.window == Fits && spot->name == u"Размер"_s)
                fitsSizeEdited(before, m_sizeTold);
            else
                textTyped(a.window);
        } else if (keys == Keys::Filtered && after != before) {
            if (chosen != u"Удалить" || !selection || !isDeletion(before, after, true))
                fault(u"%1/%2: %3 in the menu made %4"_s.arg(facts()[std::size_t(a.window)].name, spot->name, chosen,
                                                            versus(after, before)));
            ex(a.window).text[spot->name] = after;
        }
    }

    // The window and control name of the field that has the keyboard focus.
    std::optional<std::pair<int, QString>> focused(QWidget *focus) const
    {
        if (!focus)
            return std::nullopt;
        if (auto *combo = qobject_cast<QComboBox *>(focus->parentWidget()); combo && combo->lineEdit() == focus)
            focus = combo;
        if (auto *area = qobject_cast<QAbstractScrollArea *>(focus->parentWidget()); area && area->viewport() == focus)
            focus = area;
        for (int w = 0; w < WindowCount; ++w) {
            if (!usable(w))
                continue;
            for (auto it = m_live[std::size_t(w)].controls.cbegin(); it != m_live[std::size_t(w)].controls.cend(); ++it) {
                if (it.value() == focus)
                    return std::make_pair(w, it.key());
            }
        }
        return std::nullopt;
    }

    Keys keysOf(int w, const QString &name) const
    {
        for (const Control &c : facts()[std::size_t(w)].texts) {
            if (c.name == name)
                return c.keys;
        }
        return Keys::None;
    }

    // Sends one key stroke (or typed character) to the focused widget and works out
    // what it must have done; `cut` is how much it may take out of a filtered text.
    void stroke(const std::function<void(QWidget *)> &send, Cut cut, bool arrowUp, bool arrowDown, bool space)
    {
        QWidget *focus = QApplication::focusWidget();
        if (!focus) {
            tally("keys with no window active");
            return;
        }
        // Escape anywhere in the About window, and Space or Return on its exit picture,
        // close it.
        if (usable(About) && focus->window() == m_live[About].window.data()
            && (m_escape || ((space || m_enter) && focus == control(About, u"Изображение2"_s)))) {
            send(focus);
            settle();
            m_live[About].open = false;
            tally("About windows closed from the keyboard");
            return;
        }
        const auto where = focused(focus);
        // A button on the main window that has the focus: Space or Return clicks it.
        if (!where && (space || m_enter) && m_live[Main].open) {
            for (int w = FormPosition; w < WindowCount; ++w) {
                const WindowEntry &entry = windows()[std::size_t(w)];
                if (entry.opening == Opening::Button
                    && focus == m_main->findChild<QPushButton *>(toQString(entry.opener))) {
                    send(focus);
                    tally("buttons pressed with Space or Return");
                    afterOpening(w);
                    return;
                }
            }
        }
        if (usable(Symbols) && focus->window() == m_live[Symbols].window.data()) {
            symbolKey(send, focus);
            return;
        }
        if (!where) {
            send(focus);
            tally("keys elsewhere");
            return;
        }
        const auto [w, name] = *where;
        QWidget *field = control(w, name);
        const QString before = textOf(field);
        m_sizeTold = before;
        const bool selection = hasSelection(field);
        auto *combo = qobject_cast<QComboBox *>(field);
        const int current = combo ? combo->currentIndex() : -1;
        // Enter in the main window's box opens the window of the link on the cursor's
        // line, or the fit window.
        int linked = Fits;
        if (auto *advert = qobject_cast<QTextEdit *>(field); advert && w == Main) {
            const QTextBlock line = advert->textCursor().block();
            for (auto it = line.begin(); !it.atEnd(); ++it)
                linked = linkedWindow(it.fragment().charFormat().anchorHref()).value_or(linked);
        }
        const bool linkedOpen = m_live[std::size_t(linked)].open;
        const int row = w == FitSearch && name == u"Список"_s && m_enter
            ? qobject_cast<QTreeWidget *>(field)->indexOfTopLevelItem(qobject_cast<QTreeWidget *>(field)->currentItem())
            : -1;
        send(focus);
        if (row >= 0)
            rowOpened(row);
        if (w == Fits && name == u"Подбор"_s && (space || m_enter)) {
            tally("searches opened with Space or Return");
            searchOpened();
            return;
        }
        if (!usable(w))
            return;
        if (w == Main && name == u"Текст3"_s && !linkedOpen
            && !visibleWindows(facts()[std::size_t(linked)].name).isEmpty()) {
            tally("links opened with Enter");
            afterOpening(linked);
            return;
        }
        if (combo && !combo->isEditable()) {
            // A list without an edit field: the arrows, Home, End and the first letter
            // of an item choose; Space opens its popup, which Escape closes again.
            if (QWidget *popup = QApplication::activePopupWidget()) {
                QTest::keyClick(popup, Qt::Key_Escape);
                settle();
                tally("popups opened with Space and closed with Escape");
            }
            if (combo->currentIndex() != current) {
                chosen(w, name, combo->currentIndex());
                tally("choices with the keyboard in a list without an edit field");
            }
            return;
        }
        if (combo && (arrowUp || arrowDown)) {
            // The arrow keys step through the list: a choice, as a click in it is.
            const int next = current + (arrowDown ? 1 : -1);
            if (next >= 0 && next < combo->count() && next != current) {
                chosen(w, name, next);
                tally("choices with an arrow key");
            }
            return;
        }
        const QString after = textOf(field);
        const QString told = m_sizeTold;
        tally(after == before ? "keys into a field, text kept" : "keys into a field, text changed");
        switch (keysOf(w, name)) {
        case Keys::Filtered:
            if (after != before) {
                if (cut == Keeps || !isDeletion(before, after, selection || cut == Stretch))
                    fault(u"%1/%2: the key made %3"_s.arg(facts()[std::size_t(w)].name, name, versus(after, before)));
                ex(w).text[name] = after;
            }
            break;
        case Keys::Free:
            ex(w).text[name] = after;
            if (w == Fits && name == u"Размер"_s && m_enter) {
                ex(w).text[name] = before; // the designation that Enter applies
                fitsApply();
            } else if (w == Fits && name == u"Размер"_s) {
                fitsSizeEdited(before, told);
            } else {
                textTyped(w);
            }
            break;
        case Keys::ReadOnly:
        case Keys::None:
            break;
        }
    }

    // A key on a symbol of the chart: Tab and Shift+Tab go round the symbols in
    // reading order, Left and Right step through them in reading order up to the
    // chart's ends, Up and Down move in a column, and the symbol reached shows its
    // group and name.
    void symbolKey(const std::function<void(QWidget *)> &send, QWidget *focus)
    {
        const int i = focus->objectName().mid(11).toInt() - 1;
        int next = i;
        if (m_stroke == QKeyCombination(Qt::Key_Tab))
            next = (i + 1) % 15;
        else if (m_stroke == QKeyCombination(Qt::ShiftModifier, Qt::Key_Backtab))
            next = (i + 14) % 15;
        else if (m_stroke == QKeyCombination(Qt::Key_Left) && i > 0)
            next = i - 1;
        else if (m_stroke == QKeyCombination(Qt::Key_Right) && i < 14)
            next = i + 1;
        else if (m_stroke == QKeyCombination(Qt::Key_Up) && i >= 5)
            next = i - 5;
        else if (m_stroke == QKeyCombination(Qt::Key_Down) && i < 10)
            next = i + 5;
        send(focus);
        QWidget *now = QApplication::focusWidget();
        if (now != control(Symbols, u"Изображение%1"_s.arg(next + 1))) {
            fault(u"Форма2: a key on symbol %1 leaves the focus on %2, not on symbol %3"_s.arg(i + 1).arg(
                now ? now->objectName() : u"nothing"_s).arg(next + 1));
            return;
        }
        if (next != i) {
            ex(Symbols).text[u"Метка2"_s] = toQString(symbols::chart[std::size_t(next)].group);
            ex(Symbols).text[u"Метка3"_s] = toQString(symbols::chart[std::size_t(next)].name);
            tally("symbols reached from the keyboard");
        } else {
            tally("keys on a symbol");
        }
    }

    void key(const KeyStroke &k)
    {
        m_stroke = QKeyCombination(k.modifiers, Qt::Key(k.key));
        const bool plain = k.modifiers == Qt::NoModifier;
        const bool up = plain && (k.key == Qt::Key_Up || k.key == Qt::Key_PageUp);
        const bool down = plain && (k.key == Qt::Key_Down || k.key == Qt::Key_PageDown);
        m_enter = plain && (k.key == Qt::Key_Return || k.key == Qt::Key_Enter);
        m_escape = plain && k.key == Qt::Key_Escape;
        stroke([&k](QWidget *target) { QTest::sendKeyEvent(QTest::Click, target, k.key, QString::fromLatin1(k.text), k.modifiers); },
               k.cut, up, down, plain && k.key == Qt::Key_Space);
        m_enter = false;
        m_escape = false;
        m_stroke = {};
    }

    void type(const QString &text)
    {
        for (const QChar c : text) {
            stroke([c](QWidget *target) {
                if (c.unicode() < 128) {
                    QTest::keyClick(target, c.toLatin1());
                } else {
                    const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
                    QTest::sendKeyEvent(QTest::Press, target, key, QString(c), Qt::NoModifier);
                    QTest::sendKeyEvent(QTest::Release, target, key, QString(c), Qt::NoModifier);
                }
            }, Keeps, false, false, c == u' ');
            if (!m_fault.isEmpty())
                return;
        }
    }

    void paste(const QString &text)
    {
        if (!text.isEmpty())
            QApplication::clipboard()->setText(text);
        const bool intoChain = usable(Chains) && QApplication::focusWidget() == control(Chains, u"Звенья"_s);
        stroke([](QWidget *target) { QTest::sendKeyEvent(QTest::Click, target, Qt::Key_V, u"\x16"_s, Qt::ControlModifier); },
               Keeps, false, false, false);
        if (intoChain)
            chainsPasted();
    }

    // ----- the pointer

    // Where the window system takes a mouse event at `local` of `window`: moves to a
    // point that the pointer already holds are dropped; a press or release elsewhere
    // comes after a move there.
    void sendMouse(QWidget *window, QPoint local, QEvent::Type type, Qt::MouseButton button)
    {
        QWindow *handle = window->windowHandle();
        if (local.isNull()) // QTest reads (0, 0) as the centre
            local = QPoint(1, 0);
        m_pointerAt = handle->mapToGlobal(local);
        switch (type) {
        case QEvent::MouseMove: QTest::mouseMove(handle, local); break;
        case QEvent::MouseButtonPress: QTest::mousePress(handle, button, Qt::NoModifier, local); break;
        default: QTest::mouseRelease(handle, button, Qt::NoModifier, local); break;
        }
    }

    // A move without a button over `local` of the chart or the About window, and what
    // it must do.
    void hover(int w, QPoint local)
    {
        QWidget *window = m_live[std::size_t(w)].window;
        if (window->mapToGlobal(local) == m_pointerAt)
            return; // nothing moves
        QWidget *under = window->childAt(local);
        if (w == Symbols) {
            Expected &e = ex(Symbols);
            if (!under || under->objectName().startsWith(u"Рамка")) {
                e.text[u"Метка2"_s] = QString();
                e.text[u"Метка3"_s] = toQString(symbols::idleName);
            } else if (under->objectName().startsWith(u"Изображение")) {
                const int i = under->objectName().mid(11).toInt() - 1;
                e.text[u"Метка2"_s] = toQString(symbols::chart[std::size_t(i)].group);
                e.text[u"Метка3"_s] = toQString(symbols::chart[std::size_t(i)].name);
            } // over a text: the texts stay
        } else if (w == About) {
            for (QWidget *x = under ? under : window; x; x = x->parentWidget()) {
                if (isDragSurface(x)) {
                    m_drag.active = false;
                    break;
                }
                if (x->testAttribute(Qt::WA_NoMousePropagation))
                    break;
            }
        }
        sendMouse(window, local, QEvent::MouseMove, Qt::NoButton);
        tally(w == Symbols ? "pointer moves over the chart" : "pointer moves over the About window");
    }

    void point(const Action &a)
    {
        if (!usable(a.window) || (a.window != Symbols && a.window != About))
            return;
        QWidget *window = m_live[std::size_t(a.window)].window;
        QPoint local(qBound(1, a.point.x(), window->width() - 1), qBound(1, a.point.y(), window->height() - 1));
        hover(a.window, local);
    }

    bool isDragSurface(const QWidget *w) const
    {
        const Live &about = m_live[About];
        return w == about.window || w == about.controls.value(u"Метка1"_s) || w == about.controls.value(u"Метка5"_s)
            || w == about.controls.value(u"Рамка1"_s) || w == about.controls.value(u"Метка3"_s);
    }

    // The About window's procedure: the window follows the left button alone.
    void dragWindow(int state, QPoint local)
    {
        const double x = local.x() * 15.0;
        const double y = local.y() * 15.0;
        if (state != 1) {
            m_drag.active = false;
            return;
        }
        const auto grab = [](double twips) {
            return int(std::clamp(std::nearbyint(twips), double(std::numeric_limits<qint16>::min()),
                                  double(std::numeric_limits<qint16>::max())));
        };
        if (!m_drag.active) {
            m_drag = {true, grab(x), grab(y)};
        }
        QPoint &pos = ex(About).pos;
        pos.setY(int(std::lround((pos.y() * 15.0 + y - m_drag.grabY) / 15.0)));
        pos.setX(int(std::lround((pos.x() * 15.0 + x - m_drag.grabX) / 15.0)));
    }

    void drag(const Action &a)
    {
        if (!usable(About))
            return;
        QWidget *about = m_live[About].window;
        const QPoint rest = about->mapFromGlobal(m_pointerAt);
        const bool atRest = a.flag && about->rect().contains(rest) && !rest.isNull();
        QPoint local = atRest ? rest : QPoint(qBound(1, a.point.x(), about->width() - 1), qBound(1, a.point.y(), about->height() - 1));
        const Qt::MouseButton button = buttons[a.number % 3];
        QWidget *under = about->childAt(local);
        if (button != Qt::LeftButton && takesText(about, local))
            return;
        if (!atRest)
            hover(About, local); // the pointer comes to the press
        QWidget *target = under ? under : about;
        const bool exit = target == control(About, u"Изображение2"_s);
        sendMouse(about, local, QEvent::MouseButtonPress, button);
        if (exit)
            ex(About).exitDown = true;
        m_fault = check();
        QPoint global = m_pointerAt;
        const int state = button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : 4;
        for (QPoint travel : a.travels) {
            if (!m_fault.isEmpty() || !m_live[About].window)
                break;
            global += travel.isNull() ? QPoint(1, 0) : travel;
            if (global == m_live[About].window->mapToGlobal(QPoint(0, 0)))
                global += QPoint(1, 0);
            if (!exit && isDragSurface(target))
                dragWindow(state, global - (ex(About).pos + target->mapTo(about, QPoint(0, 0))));
            sendMouse(about, about->mapFromGlobal(global), QEvent::MouseMove, Qt::NoButton);
            m_fault = check();
        }
        sendMouse(about, about->mapFromGlobal(global), QEvent::MouseButtonRelease, button);
        if (button == Qt::LeftButton && isDragSurface(target))
            m_drag.active = false; // the release comes to where the press went, and ends the drag
        if (exit) {
            m_live[About].open = false; // the release closes it, wherever the pointer is
            ex(About).exitDown = false;
        }
        tally(exit ? "exit picture presses" : button == Qt::LeftButton ? "drags with the left button" : "drags with another button");
    }

    // Whether `local` of the About window lies over its licence or address box.
    bool takesText(QWidget *about, QPoint local) const
    {
        for (QWidget *w = about->childAt(local); w && w != about; w = w->parentWidget()) {
            if (qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QLineEdit *>(w))
                return true;
        }
        return false;
    }

    // ----- windows opened and closed

    // Подбор on the fit window was pressed: the search shows, at the fit window's size.
    void searchOpened()
    {
        afterOpening(FitSearch);
        if (usable(FitSearch)) {
            ex(FitSearch).text[u"Размер"_s] = ex(Fits).text[u"Размер"_s];
            searchLookup();
        }
    }

    void open(int w)
    {
        if (w < FormPosition || w >= WindowCount || !usable(Main))
            return;
        const WindowEntry &entry = windows()[std::size_t(w)];
        if (entry.opening == Opening::FromWindow) {
            // A button of the window it belongs to, which passes it what it needs.
            const int from = int(findWindow(entry.from) - windows().data());
            if (!usable(from))
                return;
            activate(m_live[std::size_t(from)].window);
            QTest::mouseClick(m_live[std::size_t(from)].window->findChild<QWidget *>(toQString(entry.opener)),
                              Qt::LeftButton);
            if (w == FitSearch)
                searchOpened();
            else
                afterOpening(w);
            return;
        }
        activate(m_main.get());
        if (entry.opening == Opening::Link) {
            // The link line of Текст3: clicked where it shows, else Enter on its line.
            auto *advert = m_main->findChild<QTextEdit *>(u"Текст3"_s);
            QTextBlock line = advert->document()->firstBlock();
            int lineNumber = 0;
            while (line.isValid() && line.text() != toQString(entry.opener)) {
                line = line.next();
                ++lineNumber;
            }
            const QRect at = advert->cursorRect(QTextCursor(line));
            if (advert->viewport()->rect().contains(at.center())) {
                QTest::mouseClick(advert->viewport(), Qt::LeftButton, Qt::NoModifier, at.center() + QPoint(4, 0));
            } else {
                QTest::mouseClick(advert->viewport(), Qt::LeftButton, Qt::NoModifier, advert->viewport()->rect().bottomRight()
                                  - QPoint(4, 4));
                QTest::keyClick(advert, Qt::Key_Home, Qt::ControlModifier);
                for (int i = 0; i < lineNumber; ++i)
                    QTest::keyClick(advert, Qt::Key_Down);
                QTest::keyClick(advert, Qt::Key_Return);
            }
        } else {
            QTest::mouseClick(m_main->findChild<QPushButton *>(toQString(entry.opener)), Qt::LeftButton);
        }
        afterOpening(w);
    }

    // The button of window `w` was clicked: the one instance shows, or a fresh one.
    void afterOpening(int w)
    {
        QCoreApplication::processEvents();
        QList<QWidget *> shown = visibleWindows(facts()[std::size_t(w)].name);
        if (shown.size() != 1) {
            fault(u"%1 shows %2 times after its button"_s.arg(facts()[std::size_t(w)].name).arg(shown.size()));
            return;
        }
        Live &live = m_live[std::size_t(w)];
        tally(live.open ? "open windows shown again" : "windows opened");
        if (live.open) {
            if (shown.first() != live.window)
                fault(u"%1: a second instance"_s.arg(facts()[std::size_t(w)].name));
            return;
        }
        if (live.window)
            fault(u"%1: the closed instance is still there"_s.arg(facts()[std::size_t(w)].name));
        opened(w, shown.first());
    }

    void close(int w)
    {
        if (!usable(w) || w == About)
            return;
        m_live[std::size_t(w)].window->close();
        m_live[std::size_t(w)].open = false;
        // The fit search belongs to the fit window and goes with it.
        if (w == Fits && m_live[FitSearch].open) {
            m_live[FitSearch].open = false;
            tally("searches closed with the fit window");
        }
        tally("windows closed");
    }

    void restart()
    {
        for (int w = 0; w < WindowCount; ++w) {
            if (m_live[std::size_t(w)].open)
                return;
        }
        m_main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        startProgram();
        tally("program restarts");
    }

    void tally(const char *what) { ++m_tally[QString::fromLatin1(what)]; }

    // ----- checks

    void fault(const QString &text)
    {
        if (m_fault.isEmpty())
            m_fault = text;
    }

    static QList<QWidget *> visibleWindows(const QString &name)
    {
        QList<QWidget *> found;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->objectName() == name)
                found.append(w);
        }
        return found;
    }

    QString check()
    {
        if (!m_fault.isEmpty())
            return m_fault;
        if (QApplication::activePopupWidget())
            return u"a popup is left open: %1"_s.arg(QApplication::activePopupWidget()->metaObject()->className());
        for (QWidget *w : QApplication::topLevelWidgets()) {
            // A tooltip may come up wherever the pointer rested.
            if (!w->isVisible() || w == m_parking.get() || w->inherits("QTipLabel"))
                continue;
            bool known = false;
            for (int i = 0; i < WindowCount; ++i)
                known = known || (m_live[std::size_t(i)].open && m_live[std::size_t(i)].window == w);
            if (!known)
                return u"an unexpected window is shown: %1 %2 %3"_s.arg(QString::fromLatin1(w->metaObject()->className()),
                                                                        w->objectName(), w->windowTitle());
        }
        const QList<Message> messages = m_messages.take();
        if (messages != m_expectedMessages) {
            QStringList got, wanted;
            for (const Message &m : messages)
                got.append(quoted(m.text));
            for (const Message &m : m_expectedMessages)
                wanted.append(quoted(m.text));
            return u"messages [%1], expected [%2]"_s.arg(got.join(u", "_s), wanted.join(u", "_s));
        }
        for (int w = 0; w < WindowCount; ++w) {
            const Live &live = m_live[std::size_t(w)];
            const WindowFacts &info = facts()[std::size_t(w)];
            if (!live.open) {
                if (w != Main && live.window)
                    return u"%1 was closed but still exists"_s.arg(info.name);
                if (!visibleWindows(info.name).isEmpty())
                    return u"%1 was closed but shows"_s.arg(info.name);
                continue;
            }
            if (!live.window || !live.window->isVisible())
                return u"%1 has gone"_s.arg(info.name);
            if (const QString fault = checkWindow(w); !fault.isEmpty())
                return info.name + u": "_s + fault;
        }
        return QString();
    }

    QString checkWindow(int w) const
    {
        const Live &live = m_live[std::size_t(w)];
        const Expected &e = live.expected;
        for (auto it = e.text.cbegin(); it != e.text.cend(); ++it) {
            const QString shown = textOf(control(w, it.key()));
            if (shown != it.value())
                return u"%1 shows %2"_s.arg(it.key(), versus(shown, it.value()));
        }
        for (auto it = e.items.cbegin(); it != e.items.cend(); ++it) {
            auto *combo = qobject_cast<QComboBox *>(control(w, it.key()));
            if (test::items(combo) != it.value())
                return u"%1 lists %2, expected %3"_s.arg(it.key(), test::items(combo).join(u'|'), it.value().join(u'|'));
            if (combo->currentIndex() != e.current.value(it.key()))
                return u"%1 has item %2 current, expected %3"_s.arg(it.key()).arg(combo->currentIndex()).arg(e.current.value(it.key()));
        }
        if (w == FormPosition) {
            const bool notes = e.group == 4;
            if (control(w, u"Текст2"_s)->isVisible() != notes || live.window->height() != ui::px(notes ? 3825 : 2625))
                return u"notes shown %1 and height %2 for group %3"_s.arg(control(w, u"Текст2"_s)->isVisible())
                    .arg(live.window->height()).arg(e.group);
        }
        if (w == About) {
            if (live.window->pos() != e.pos)
                return u"at (%1, %2), expected (%3, %4)"_s.arg(live.window->pos().x()).arg(live.window->pos().y())
                    .arg(e.pos.x()).arg(e.pos.y());
            if (control(w, u"Изображение2"_s)->isVisible() == e.exitDown
                || control(w, u"Изображение1"_s)->isVisible() != e.exitDown)
                return u"the exit picture looks %1"_s.arg(e.exitDown ? u"unpressed"_s : u"pressed"_s);
        }
        return QString();
    }

    // ----- random material

    QList<int> openWindowsWith(QStringList WindowFacts::*list) const
    {
        QList<int> found;
        for (int w = 0; w < WindowCount; ++w) {
            if (usable(w) && !(facts()[std::size_t(w)].*list).isEmpty())
                found.append(w);
        }
        return found;
    }

    QList<int> openWindows() const
    {
        QList<int> found;
        for (int w = 0; w < WindowCount; ++w) {
            if (usable(w))
                found.append(w);
        }
        return found;
    }

    static QString randomText(std::mt19937_64 &random, int length)
    {
        static const QString pool = u"abcxyzABCXYZ0123456789 .,;:-+*/!?'\"()[]<>@#%&_=~|\\°"
                                    u"абвгдежзийклмнопрстуфхцчшщъыьэюяёАБВГДЕЖЗЯЁ"_s;
        QString text;
        for (int i = 0; i < length; ++i)
            text.append(pool[qsizetype(random() % std::size_t(pool.size()))]);
        return text;
    }

    static QString someItemText(std::mt19937_64 &random)
    {
        // Sizes of the fit window's whole range besides the lists' texts.
        static const QStringList all = fits::sizeTexts() + fits::gradeTexts() + fits::lettersForGrade(7)
            + QStringList{u"0,5"_s, u"720"_s, u"3150"_s}
            + fp::typeTexts() + intervalsOf(3) + intervalsOf(4)
            + un::kindTexts() + un::accuracyGroupTexts() + angles::degreeTexts() + QStringList{u"перпендикулярности"_s}
            // Links and cells of a dimension chain, as a spreadsheet pastes them.
            + QStringList{u"А5\t12\tум\th9"_s, u"Б1\t30\t+\t\t0,05\t-0,05\tсимп"_s, u"js9"_s, u"H11"_s,
                          u"уменьшающее"_s, u"да"_s, u"-0,0065"_s, u"А1\t40\tув\tH9\t\t\t\tH\nА2\t38\tум\t\t\t\t\th\tда"_s};
        return all[qsizetype(random() % std::size_t(all.size()))];
    }

    // Designations of fits and fields, good and bad, for the fit window's size box.
    static QString someDesignation(std::mt19937_64 &random)
    {
        static const QStringList all = {u"Ø25 H7/f6"_s, u"40H8/e8"_s, u"⌀120 K7 / h6"_s, u"25 js6"_s, u"0,5 A11/h9"_s,
                                        u"Ø25 H7(+0,021)/f6(-0,020 -0,033)"_s, u"2,5 H01/h18"_s, u"25 H19/f6"_s,
                                        u"25 f6/H7"_s, u"10 W7"_s, u"3150 U7/h6"_s, u"H7/f6"_s};
        return all[qsizetype(random() % std::size_t(all.size()))];
    }

    QPoint pointIn(int w, std::mt19937_64 &random) const
    {
        QWidget *window = m_live[std::size_t(w)].window;
        const auto inside = [&random](const QRect &r) {
            return r.topLeft() + QPoint(int(random() % unsigned(std::max(1, r.width()))), int(random() % unsigned(std::max(1, r.height()))));
        };
        const int roll = int(random() % 100);
        if (w == Symbols && roll < 55) {
            QWidget *symbol = control(w, u"Изображение%1"_s.arg(1 + random() % 15));
            return inside(QRect(symbol->mapTo(window, QPoint(0, 0)), symbol->size()));
        }
        if (w == Symbols && roll < 80) {
            QWidget *frame = control(w, u"Рамка%1"_s.arg(1 + random() % 3));
            return inside(QRect(frame->mapTo(window, QPoint(0, 0)), frame->size()));
        }
        return inside(window->rect().adjusted(1, 1, -1, -1));
    }

    std::unique_ptr<QWidget> m_parking;
    bool m_parkingStep = false;
    QPoint m_pointerAt;
    MessageCapture m_messages;
    // The chain's question before its changes are lost is answered «Не сохранять», and
    // its file dialogs are cancelled.
    DialogAnswers m_dialogs;
    QList<Message> m_expectedMessages;
    std::unique_ptr<MainWindow> m_main;
    std::array<Live, WindowCount> m_live;
    DragModel m_drag;
    std::vector<fits::FoundFit> m_searchRows; // the fit search's rows, as its model lists them
    QString m_sizeTold; // the fit window's size box: the text it last told the window
    bool m_enter = false;                     // the key being sent is Return or Enter
    bool m_escape = false;                    // the key being sent is Escape
    QKeyCombination m_stroke;                 // the key being sent, none for typed text
    QString m_fault;
    QMap<QString, int> m_tally;
};

// ---------------------------------------------------------------------------------
// Runs in child processes

const char seedVariable[] = "MERILON_SOAK_SEED";
const char actionsVariable[] = "MERILON_SOAK_ACTIONS";
const char recordVariable[] = "MERILON_SOAK_RECORD";
const char replayVariable[] = "MERILON_SOAK_REPLAY";
const char describeVariable[] = "MERILON_SOAK_DESCRIBE";
const char failureMark[] = "soak failure at action ";
const char stepMark[] = "soak step: ";

quint64 seed()
{
    bool ok = false;
    const quint64 value = qEnvironmentVariable(seedVariable).toULongLong(&ok);
    return ok ? value : 7;
}

int actionCount()
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(actionsVariable, &ok);
    return ok && value > 0 ? value : 20000;
}

struct ChildResult
{
    bool failed = false;
    int failedAt = -1; // the action that failed, when the child could say
    QString report;    // the child's last words
    QString output;
};

// What a child that did not name its failing action said: the verdict of Qt, of a
// sanitizer or of the crash handler, and the program's own stack frames.
QString gist(const QString &output)
{
    static const QRegularExpression verdict(u"Received signal|Sanitizer|runtime error|QFATAL|FAIL!"_s);
    static const QRegularExpression ours(u"merilon::|/(app|fits|form_position|unspecified|angles|symbols|tests)/[a-z_]+\\.(cpp|h):"_s);
    QStringList lines;
    int frames = 0;
    for (const QString &line : output.split(u'\n')) {
        if (verdict.match(line).hasMatch()) {
            lines.append(line.trimmed());
        } else if (frames < 8 && ours.match(line).hasMatch()) {
            lines.append(line.trimmed());
            ++frames;
        }
    }
    return lines.isEmpty() ? output.right(2000).trimmed() : lines.join(u'\n');
}

// A child that records its actions (`progress`: the file it writes them to) is frozen
// when it writes none for `timeoutMs`, however long the whole run takes on a loaded
// machine; any other child when it has not finished by then.
ChildResult runChild(const QProcessEnvironment &environment, int timeoutMs, const QString &progress = QString())
{
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {u"soak"_s, u"-silent"_s});
    ChildResult result;
    if (!child.waitForStarted(30000)) {
        result.failed = true;
        result.report = u"the child did not start"_s;
        return result;
    }
    QElapsedTimer idle;
    idle.start();
    qint64 written = -1;
    bool finished = false;
    while (!(finished = child.waitForFinished(1000)) && idle.elapsed() < timeoutMs) {
        if (const qint64 size = progress.isEmpty() ? -1 : QFileInfo(progress).size(); size != written) {
            written = size;
            idle.restart();
        }
    }
    if (!finished) {
        child.kill();
        child.waitForFinished(5000);
        result.failed = true;
        result.report = u"no answer within %1 s: frozen"_s.arg(timeoutMs / 1000);
    }
    const QString output = QString::fromUtf8(child.readAll());
    result.output = output;
    if (!result.failed)
        result.failed = child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0;
    const auto match = QRegularExpression(QRegularExpression::escape(QLatin1StringView(failureMark)) + u"(\\d+): ([^\\n]*)"_s).match(output);
    if (match.hasMatch()) {
        result.failedAt = match.captured(1).toInt();
        result.report = match.captured(2);
    } else if (result.report.isEmpty()) {
        result.report = (child.exitStatus() == QProcess::CrashExit ? u"crashed\n"_s : QString()) + gist(output);
    }
    if (!result.failed) { // the tallies of a run that passed
        QStringList tallies;
        for (const QString &line : output.split(u'\n')) {
            if (QRegularExpression(u"^ *\\d+ [a-z]"_s).match(line).hasMatch())
                tallies.append(line);
        }
        result.report = tallies.join(u'\n');
    }
    return result;
}

QtMessageHandler previousHandler = nullptr;

// Moves that carry a drag past the About window's edge are reported by Qt Test as
// lying outside it; a real mouse goes there too.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.contains(u"occurs outside target window"_s))
        return;
    previousHandler(type, context, text);
}

// Time enough for a child, also under the sanitizers; longer is a freeze.
int childTimeout(qsizetype actions)
{
    return 60000 + int(std::min<qsizetype>(actions, 10000000)) * 10;
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

    // In a child: the actions of a file, from fresh windows.
    void replay(const QString &path)
    {
        const QList<Action> actions = readActions(path);
        const bool tell = qEnvironmentVariableIsSet(describeVariable);
        Soak soak;
        for (qsizetype i = 0; i < actions.size(); ++i) {
            if (tell)
                std::printf("%s%s\n", stepMark, qPrintable(soak.resolve(actions[i])));
            if (const QString fault = soak.apply(actions[i]); !fault.isEmpty()) {
                std::printf("%s%lld: %s\n", failureMark, static_cast<long long>(i), qPrintable(fault));
                std::fflush(stdout);
                QFAIL(qPrintable(fault));
            }
        }
    }

    // In a child: a seeded random run, each action written down before it is done.
    void record(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
        std::mt19937_64 random(seed());
        Soak soak;
        const int count = actionCount();
        for (int i = 0; i < count; ++i) {
            const Action action = soak.generate(random);
            file.write((serialise(action) + u'\n').toUtf8());
            file.flush();
            if (const QString fault = soak.apply(action); !fault.isEmpty()) {
                std::printf("%s%d: %s\n", failureMark, i, qPrintable(fault));
                std::fflush(stdout);
                QFAIL(qPrintable(fault));
            }
        }
        std::printf("%s\n", qPrintable(soak.tallies()));
    }

    // Whether `actions` still fail from fresh windows; where, and how.
    std::optional<ChildResult> fails(const QList<Action> &actions, const QString &path, bool tell = false)
    {
        writeActions(path, actions);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(replayVariable), path);
        if (tell)
            environment.insert(QString::fromLatin1(describeVariable), u"1"_s);
        environment.insert(u"QTEST_DISABLE_STACK_DUMP"_s, u"1"_s); // the gist is enough while shrinking
        const ChildResult result = runChild(environment, childTimeout(actions.size()));
        return result.failed ? std::optional(result) : std::nullopt;
    }

    // Delta debugging: drops what the rest still fails without, coarse to fine: all
    // but a short tail, all that was done to one window, halves, quarters and so on
    // down to single actions, these until none can go.
    QList<Action> shrink(QList<Action> actions, ChildResult &last, const QString &path)
    {
        QElapsedTimer clock;
        clock.start();
        const int seconds = qEnvironmentVariableIntValue("MERILON_SOAK_SHRINK_SECONDS");
        const qint64 budget = 1000LL * (seconds > 0 ? seconds : 300);
        // `rest` replaces the actions if it still fails; cut after its failing action.
        const auto keep = [&](const QList<Action> &rest) {
            if (clock.elapsed() >= budget || rest.size() >= actions.size())
                return false;
            const auto r = fails(rest, path);
            if (!r)
                return false;
            actions = rest;
            if (r->failedAt >= 0 && r->failedAt < actions.size())
                actions.resize(r->failedAt + 1);
            last = *r;
            return true;
        };
        for (qsizetype tail = 4; tail < actions.size(); tail *= 2) {
            if (keep(actions.mid(actions.size() - tail)))
                break;
        }
        for (int w = 0; w < WindowCount; ++w) {
            QList<Action> rest;
            for (const Action &a : actions) {
                const bool anyWindow = a.what == Do::Key || a.what == Do::Type || a.what == Do::Paste || a.what == Do::Restart;
                if (anyWindow || a.window != w)
                    rest.append(a);
            }
            keep(rest);
        }
        for (qsizetype chunk = std::max<qsizetype>(1, actions.size() / 2); clock.elapsed() < budget;) {
            bool dropped = false;
            for (qsizetype start = 0; start < actions.size() && clock.elapsed() < budget;) {
                if (keep(actions.mid(0, start) + actions.mid(start + chunk)))
                    dropped = true;
                else
                    start += chunk;
            }
            if (chunk > 1)
                chunk /= 2;
            else if (!dropped)
                break;
        }
        return actions;
    }

private slots:
    void initTestCase()
    {
        test::prepareApplication();
        // The soak knows every registered window, in the registry's order.
        QStringList registered;
        for (const WindowEntry &entry : windows())
            registered.append(toQString(entry.name));
        QStringList known;
        for (const WindowFacts &info : facts())
            known.append(info.name);
        QCOMPARE(known, registered);
        previousHandler = qInstallMessageHandler(quietHandler);
    }

    // Every point of a list, a text box or a button takes the mouse itself: no
    // transparent caption beside it lies over its edge.
    void controlsTakeTheMouse_data()
    {
        QTest::addColumn<int>("window");
        for (int w = 0; w < WindowCount; ++w)
            QTest::newRow(qPrintable(facts()[std::size_t(w)].name)) << w;
    }

    void controlsTakeTheMouse()
    {
        QFETCH(int, window);
        std::unique_ptr<QWidget> shown(windows()[std::size_t(window)].make());
        test::showAndWait(shown.get());
        QStringList covered;
        for (QWidget *control : shown->findChildren<QWidget *>()) {
            const bool takesInput = qobject_cast<QComboBox *>(control) || qobject_cast<QAbstractButton *>(control)
                || qobject_cast<QPlainTextEdit *>(control) || qobject_cast<QTextEdit *>(control)
                || (qobject_cast<QLineEdit *>(control) && !qobject_cast<QComboBox *>(control->parentWidget()));
            if (!takesInput || !control->isVisible())
                continue;
            QMap<QString, int> over;
            const QRect area(control->mapTo(shown.get(), QPoint(0, 0)), control->size());
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    QWidget *hit = shown->childAt(x, y);
                    if (hit != control && !control->isAncestorOf(hit))
                        ++over[hit ? hit->objectName() : shown->objectName()];
                }
            }
            for (auto it = over.cbegin(); it != over.cend(); ++it)
                covered.append(u"%1 under %2 (%3 px)"_s.arg(control->objectName(), it.key()).arg(it.value()));
        }
        QVERIFY2(covered.isEmpty(), qPrintable(covered.join(u"; "_s)));
    }

    void soak()
    {
        if (const QString path = qEnvironmentVariable(replayVariable); !path.isEmpty())
            return replay(path);
        if (const QString path = qEnvironmentVariable(recordVariable); !path.isEmpty())
            return record(path);

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString recorded = folder.filePath(u"actions.tsv"_s);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(recordVariable), recorded);
        environment.insert(QString::fromLatin1(seedVariable), QString::number(seed()));
        environment.insert(QString::fromLatin1(actionsVariable), QString::number(actionCount()));
        qInfo("seed %llu, %d actions", static_cast<unsigned long long>(seed()), actionCount());
        QElapsedTimer clock;
        clock.start();
        ChildResult result = runChild(environment, childTimeout(0), recorded);
        if (!result.failed) {
            qInfo("%d actions in %.1f s:\n%s", actionCount(), clock.elapsed() / 1000.0, qPrintable(result.report));
            return;
        }

        QList<Action> actions = readActions(recorded);
        if (result.failedAt >= 0 && result.failedAt < actions.size())
            actions.resize(result.failedAt + 1);
        qInfo("seed %llu failed after %lld actions: %s", static_cast<unsigned long long>(seed()),
              static_cast<long long>(actions.size()), qPrintable(result.report));
        const QString replayed = folder.filePath(u"replay.tsv"_s);
        const QList<Action> shortest = shrink(actions, result, replayed);
        // Once more, the child telling each action as it meets it.
        QStringList steps;
        if (const auto told = fails(shortest, replayed, true)) {
            for (const QString &line : told->output.split(u'\n')) {
                if (line.startsWith(QLatin1StringView(stepMark)))
                    steps.append(line.mid(qstrlen(stepMark)));
            }
        }
        QString list;
        for (qsizetype i = 0; i < shortest.size(); ++i)
            list += u"  %1. %2\n"_s.arg(i + 1).arg(steps.value(i, describe(shortest[i])));
        const QString kept = QDir::temp().filePath(u"merilon-soak-%1.tsv"_s.arg(seed()));
        writeActions(kept, shortest);
        qInfo("the shortest action list that still fails (%lld actions), from fresh windows:\n%s  → %s\n"
              "replay: %s=%s %s=1 QT_QPA_PLATFORM=offscreen %s soak",
              static_cast<long long>(shortest.size()), qPrintable(list), qPrintable(result.report), replayVariable,
              qPrintable(kept), describeVariable, qPrintable(QCoreApplication::applicationFilePath()));
        QFAIL(qPrintable(u"seed %1: %2"_s.arg(seed()).arg(result.report)));
    }
};

int main(int argc, char *argv[])
{
    // A long run lasts as long as it is asked to: no watchdog of Qt Test cuts it short.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestSoak test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_soak.moc"
