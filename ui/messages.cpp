// SPDX-License-Identifier: MIT
#include "ui/messages.h"

#include <QMessageBox>

namespace merilon {
namespace {
QList<MessageCapture *> &captures()
{
    static QList<MessageCapture *> active;
    return active;
}
} // namespace

void inform(QWidget *parent, const QString &title, const QString &text)
{
    if (!captures().isEmpty()) {
        captures().last()->messages.append({title, text});
        return;
    }
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.exec();
}

MessageCapture::MessageCapture()
{
    captures().append(this);
}

MessageCapture::~MessageCapture()
{
    captures().removeOne(this);
}

QList<Message> MessageCapture::take()
{
    return std::exchange(messages, {});
}

} // namespace merilon
