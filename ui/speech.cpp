// SPDX-License-Identifier: MIT
#include "ui/speech.h"

#include "ui/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace merilon::ui {

namespace {

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Before Qt 6.8 a window speaks through a child of its own that nobody sees: a
// notification, which Orca speaks whenever it shows, named by what it says.
constexpr char announcerName[] = "Объявление";

QWidget *announcerOf(QWidget *window)
{
    if (auto *found = window->findChild<QWidget *>(QLatin1StringView(announcerName), Qt::FindDirectChildrenOnly))
        return found;
    auto *announcer = new QWidget(window);
    announcer->setObjectName(QString::fromUtf8(announcerName));
    announcer->setProperty(announcerName, true);
    announcer->setAttribute(Qt::WA_TransparentForMouseEvents);
    announcer->setFocusPolicy(Qt::NoFocus);
    announcer->setGeometry(0, 0, 1, 1);
    announcer->hide();
    return announcer;
}
#endif

// A text as screen readers read it: one run of attributes over the whole of it. Qt's
// own faces answer every attribute run with an empty range, and Orca 43 then reads a
// value without its last character ("-2" for "-20", nothing for "0").
class TextFace : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    TextFace(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? value() : QAccessibleWidget::text(kind);
    }

    QString text(int start, int end) const override { return value().mid(start, end - start); }
    int characterCount() const override { return int(value().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

protected:
    virtual QString value() const = 0;
};

// A result label: the shown text as its text, like an edit field's; a plain label
// offers its text only as its name.
class ResultLabelFace final : public TextFace
{
public:
    explicit ResultLabelFace(ResultLabel *label) : TextFace(label, QAccessible::StaticText) {}

protected:
    QString value() const override { return static_cast<const ResultLabel *>(object())->shown(); }
};

// A list without an edit field: named by its own name (Qt's face on Linux gives the
// current item as the name, and the caption beside it by a relation), with the
// current item as its text, which Orca 43 reads as a list's value, and on Qt 6.8 and
// later as its "valuetext" attribute too, which Orca 48 reads.
class ChoiceListFace final : public TextFace
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    , public QAccessibleAttributesInterface
#endif
{
public:
    explicit ChoiceListFace(QComboBox *list) : TextFace(list, QAccessible::ComboBox) {}

    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            list()->showPopup();
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::AttributesInterface)
            return static_cast<QAccessibleAttributesInterface *>(this);
        return TextFace::interface_cast(type);
    }
    QList<QAccessible::Attribute> attributeKeys() const override { return {QAccessible::Attribute::Custom}; }
    QVariant attributeValue(QAccessible::Attribute key) const override
    {
        if (key != QAccessible::Attribute::Custom)
            return {};
        return QVariant::fromValue(QHash<QString, QString>{{QStringLiteral("valuetext"), value()}});
    }
#endif

protected:
    QString value() const override { return list()->currentText(); }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

// A one-line text box, read-only or not: its text with selection and cursor.
class LineTextFace final : public TextFace, public QAccessibleEditableTextInterface
{
public:
    explicit LineTextFace(QLineEdit *box) : TextFace(box, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::EditableTextInterface && !box()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return TextFace::interface_cast(type);
    }
    void setText(QAccessible::Text kind, const QString &text) override
    {
        if (kind == QAccessible::Value && !box()->isReadOnly())
            box()->setText(text);
        else
            QAccessibleWidget::setText(kind, text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !box()->isReadOnly();
        s.readOnly = box()->isReadOnly();
        s.selectableText = true;
        return s;
    }

    // The selection as screen readers hear of it: none in a result box, which nothing
    // can change, nor of the whole text, which Qt selects as the Tab key reaches a box
    // and drops as the focus leaves it (Orca 43 would read a result twice, and say
    // "text unselected" on every Tab out of a box); a part the user selects, yes.
    bool selectionShown() const
    {
        return !box()->isReadOnly() && box()->hasSelectedText() && box()->selectedText() != box()->text();
    }
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && selectionShown()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return selectionShown() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics = box()->fontMetrics();
        const QString shown = box()->text();
        const QRect inside = box()->contentsRect();
        const int x = inside.left() + metrics.horizontalAdvance(shown.left(offset));
        const QRect local(x, inside.top(), metrics.horizontalAdvance(shown.mid(offset, 1)), inside.height());
        return QRect(box()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override { return box()->cursorPositionAt(box()->mapFromGlobal(point)); }

    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override
    {
        QString changed = box()->text();
        box()->setText(changed.replace(start, end - start, text));
    }

protected:
    QString value() const override { return box()->text(); }

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }
};

constexpr char pressable[] = "merilonPressable";

// A pressable picture: a button, pressed by the Space key on it.
class PictureButtonFace final : public QAccessibleWidget
{
public:
    explicit PictureButtonFace(QWidget *picture) : QAccessibleWidget(picture, QAccessible::Button) {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action != pressAction())
            return;
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(widget(), new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    }
};

// Qt asks the factory installed last first, and with the most derived class first.
QAccessibleInterface *faceOf(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (auto *label = qobject_cast<ResultLabel *>(widget))
        return new ResultLabelFace(label);
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        return new LineTextFace(box);
    if (auto *list = qobject_cast<QComboBox *>(widget); list && !list->isEditable())
        return new ChoiceListFace(list);
    if (widget->property(pressable).toBool())
        return new PictureButtonFace(widget);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    if (widget->property(announcerName).toBool())
        return new QAccessibleWidget(widget, QAccessible::Notification);
#endif
    // A window of the program (a list's popup or a tool tip is none; a dialog has a face
    // of its own): a window, named by its caption, so that "read title" finds it.
    if (widget->isWindow() && widget->windowType() == Qt::Window && !qobject_cast<QDialog *>(widget))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

// Return and Enter press the focused button, as Space does, outside dialogs (where Qt
// already gives them to the default button).
class ReturnPressesButtons final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button || !button->isEnabled() || qobject_cast<QDialog *>(button->window()))
            return false;
        // At once, as Space's release clicks it: what the button does is done when the
        // key has been handled.
        button->click();
        return true;
    }
};

} // namespace

void setUpSpeech()
{
    QAccessible::installFactory(faceOf);
    qApp->installEventFilter(new ReturnPressesButtons(qApp));
}

void makePressable(QWidget *picture)
{
    picture->setProperty(pressable, true);
    picture->setFocusPolicy(Qt::StrongFocus);
}

void announce(QWidget *source, const QString &text)
{
    if (!QAccessible::isActive() || !source || text.isEmpty())
        return;
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != source->window())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source, text);
    QAccessible::updateAccessibility(&event);
#else
    QWidget *announcer = announcerOf(source->window());
    announcer->hide();
    announcer->setAccessibleName(text);
    announcer->show();
#endif
}

QString spokenResults(const QList<QLineEdit *> &boxes)
{
    QStringList parts;
    QString unit;
    for (const QLineEdit *box : boxes) {
        if (box->text().trimmed().isEmpty())
            continue;
        parts.append(box->accessibleName() + QLatin1Char(' ') + box->text());
        unit = box->accessibleDescription();
    }
    if (!parts.isEmpty() && !unit.isEmpty())
        parts.append(unit);
    return parts.join(QStringLiteral(", "));
}

} // namespace merilon::ui
