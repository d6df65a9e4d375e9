// SPDX-License-Identifier: MIT
// The one way the program shows a modal message, with a seam for tests.
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace merilon {

struct Message
{
    QString title;
    QString text;
    bool operator==(const Message &) const = default;
};

// Shows a modal information box with an OK button, or hands the message to the
// sink that a test has installed instead.
void inform(QWidget *parent, const QString &title, const QString &text);

// While one of these lives, messages are collected here instead of shown; the one
// made last collects them.
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    QList<Message> messages;
    // The messages so far, emptying the list.
    QList<Message> take();
};

} // namespace merilon
