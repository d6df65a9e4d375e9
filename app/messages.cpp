// SPDX-License-Identifier: MIT
#include "app/messages.h"

#include <QMessageBox>

namespace merilon {
namespace {
std::function<void(const Message &)> &sink()
{
    static std::function<void(const Message &)> current;
    return current;
}
} // namespace

void inform(QWidget *parent, const QString &title, const QString &text)
{
    if (sink()) {
        sink()({title, text});
        return;
    }
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.exec();
}

MessageCapture::MessageCapture() : m_previous(sink())
{
    sink() = [this](const Message &m) { messages.append(m); };
}

MessageCapture::~MessageCapture()
{
    sink() = m_previous;
}

QList<Message> MessageCapture::take()
{
    return std::exchange(messages, {});
}

} // namespace merilon
