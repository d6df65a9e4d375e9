// SPDX-License-Identifier: MIT
#include "app/key_filter.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

qint16 KeyFilter(qint16 code, QStringView permitted)
{
    constexpr char16_t backspace = 8;
    if (static_cast<char16_t>(code) == backspace)
        return code;
    for (QChar c : permitted) {
        if (c.unicode() == static_cast<char16_t>(code))
            return code;
    }
    return 0;
}

namespace merilon {
namespace {

// The character code a key press would type, or 0 when it types none.
// Return and Enter type a line break (13); control characters are not typing.
qint16 typedCode(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return 13;
    for (QChar c : event.text()) {
        if (c == QChar(8))
            return 8;
        if (c.category() != QChar::Other_Control)
            return static_cast<qint16>(c.unicode());
    }
    return 0;
}

bool putsTextIn(const QKeyEvent &event)
{
    return event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut)
        || event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo);
}

class KeyFilterGuard final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (putsTextIn(*key))
                return true;
            const qint16 code = typedCode(*key);
            return code != 0 && KeyFilter(code, QStringView()) == 0;
        }
        case QEvent::InputMethod:
            return !static_cast<QInputMethodEvent *>(event)->commitString().isEmpty();
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            // X11 pastes the selection on a middle click.
            return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

// The edit field's own context menu without the entries that put text in.
template <typename Edit>
void trimContextMenu(Edit *edit)
{
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, edit, [edit](const QPoint &pos) {
        QPointer<QMenu> menu = edit->createStandardContextMenu();
        for (QAction *action : menu->actions()) {
            const QString name = action->objectName();
            if (name == u"edit-undo" || name == u"edit-redo" || name == u"edit-cut"
                || name == u"edit-paste")
                menu->removeAction(action);
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(edit->mapToGlobal(pos));
    });
}

void guard(QWidget *target, QObject *owner)
{
    target->installEventFilter(new KeyFilterGuard(owner));
    target->setAcceptDrops(false);
}

} // namespace

void applyKeyFilter(QWidget *field)
{
    if (auto *combo = qobject_cast<QComboBox *>(field)) {
        guard(combo, combo);
        if (QLineEdit *edit = combo->lineEdit()) {
            guard(edit, combo);
            trimContextMenu(edit);
        }
    } else if (auto *line = qobject_cast<QLineEdit *>(field)) {
        guard(line, line);
        trimContextMenu(line);
    } else if (auto *text = qobject_cast<QTextEdit *>(field)) {
        guard(text, text);
        guard(text->viewport(), text);
        trimContextMenu(text);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(field)) {
        guard(plain, plain);
        guard(plain->viewport(), plain);
        trimContextMenu(plain);
    } else {
        guard(field, field);
    }
}

} // namespace merilon
