// SPDX-License-Identifier: MIT
#include "ui/key_filter.h"

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
#include <QTextEdit>
#include <type_traits>

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

// The character code a key press would type into an edit field, or 0 when it
// types none: the same judgement as Qt's own edit fields make. Return and Enter
// type a line break (13); Ctrl and Ctrl+Shift combinations are commands.
qint16 typedCode(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return 13;
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    const QChar c = text.front();
    if (c == QChar(8))
        return 8;
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (c.category() != QChar::Other_Format
        && (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier)))
        return 0;
    if (c.isPrint() || c.category() == QChar::Other_Format || c.category() == QChar::Other_PrivateUse
        || c.isHighSurrogate())
        return static_cast<qint16>(c.unicode());
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

// A context menu that offers only what takes nothing in: copy, delete, select all.
template <typename Edit>
void offerCopyOnly(Edit *edit)
{
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, edit, [edit](const QPoint &pos) {
        bool selected = false;
        bool empty = true;
        if constexpr (std::is_same_v<Edit, QLineEdit>) {
            selected = edit->hasSelectedText();
            empty = edit->text().isEmpty();
        } else {
            selected = edit->textCursor().hasSelection();
            empty = edit->document()->isEmpty();
        }
        auto *menu = new QMenu(edit);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction *copy = menu->addAction(QStringLiteral("Копировать"), edit, &Edit::copy);
        copy->setObjectName(QStringLiteral("edit-copy"));
        copy->setShortcut(QKeySequence::Copy);
        copy->setEnabled(selected);
        QAction *remove = menu->addAction(QStringLiteral("Удалить"), edit, [edit] {
            if constexpr (std::is_same_v<Edit, QLineEdit>)
                edit->del();
            else
                edit->textCursor().removeSelectedText();
        });
        remove->setObjectName(QStringLiteral("edit-delete"));
        remove->setEnabled(selected && !edit->isReadOnly());
        menu->addSeparator();
        QAction *all = menu->addAction(QStringLiteral("Выделить всё"), edit, &Edit::selectAll);
        all->setObjectName(QStringLiteral("select-all"));
        all->setShortcut(QKeySequence::SelectAll);
        all->setEnabled(!empty);
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
            offerCopyOnly(edit);
        }
    } else if (auto *line = qobject_cast<QLineEdit *>(field)) {
        guard(line, line);
        offerCopyOnly(line);
    } else if (auto *text = qobject_cast<QTextEdit *>(field)) {
        guard(text, text);
        guard(text->viewport(), text);
        offerCopyOnly(text);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(field)) {
        guard(plain, plain);
        guard(plain->viewport(), plain);
        offerCopyOnly(plain);
    } else {
        guard(field, field);
    }
}

} // namespace merilon
