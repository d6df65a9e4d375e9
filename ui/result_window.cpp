// SPDX-License-Identifier: MIT
#include "ui/result_window.h"

#include "ui/speech.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

namespace merilon::ui {

namespace {

class CopyKeys final : public QObject
{
public:
    CopyKeys(QObject *parent, std::function<void()> copy) : QObject(parent), m_copy(std::move(copy)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *field = qobject_cast<QLineEdit *>(watched);
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)
            && !(field && field->hasSelectedText())) {
            m_copy();
            return true;
        }
        return false;
    }

private:
    std::function<void()> m_copy;
};

} // namespace

void copyOnRequest(QWidget *window, QPushButton *button, const QList<QWidget *> &controls,
                   std::function<QString()> text)
{
    const auto copy = [window, text = std::move(text)] {
        const QString copied = text();
        if (copied.isEmpty())
            return;
        QGuiApplication::clipboard()->setText(copied);
        announce(window, QStringLiteral("Скопировано"));
    };
    QObject::connect(button, &QPushButton::clicked, window, copy);
    auto *key = new QShortcut(QKeySequence::Copy, window);
    QObject::connect(key, &QShortcut::activated, window, copy);
    auto *keys = new CopyKeys(window, copy);
    for (QWidget *control : controls)
        control->installEventFilter(keys);
}

} // namespace merilon::ui
