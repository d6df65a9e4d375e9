// SPDX-License-Identifier: MIT
#include "ui/messages.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace merilon {
namespace {
QList<MessageCapture *> &captures()
{
    static QList<MessageCapture *> active;
    return active;
}

QList<DialogAnswers *> &answers()
{
    static QList<DialogAnswers *> active;
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

SaveAnswer askToSave(QWidget *parent, const QString &title, const QString &text)
{
    if (!answers().isEmpty()) {
        answers().last()->questions.append({title, text});
        return answers().last()->save;
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

QString fileToOpen(QWidget *parent, const QString &title, const QString &filter)
{
    if (!answers().isEmpty()) {
        answers().last()->dialogs.append(title);
        return answers().last()->openName;
    }
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString fileToSave(QWidget *parent, const QString &title, const QString &filter, const QString &suggested)
{
    if (!answers().isEmpty()) {
        answers().last()->dialogs.append(title);
        return answers().last()->saveName;
    }
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

DialogAnswers::DialogAnswers()
{
    answers().append(this);
}

DialogAnswers::~DialogAnswers()
{
    answers().removeOne(this);
}

} // namespace merilon
