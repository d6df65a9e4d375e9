// SPDX-License-Identifier: MIT
// The one way the program shows a modal message, asks whether to save, and asks for a
// file, with a seam for tests.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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

// What the user answers when changes are about to be lost.
enum class SaveAnswer { Save, Discard, Cancel };

// Asks, modally, whether to save the changes first: «Сохранить», «Не сохранять»,
// «Отмена»; Escape and closing the box cancel.
SaveAnswer askToSave(QWidget *parent, const QString &title, const QString &text);

// The file dialog: the name of a file to open, or to save to (offering `suggested`);
// empty when the user cancels it.
QString fileToOpen(QWidget *parent, const QString &title, const QString &filter);
QString fileToSave(QWidget *parent, const QString &title, const QString &filter, const QString &suggested);

// While one of these lives, the questions and the file dialogs are answered from it
// instead of shown, and recorded; the one made last answers.
class DialogAnswers
{
public:
    DialogAnswers();
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers &) = delete;
    DialogAnswers &operator=(const DialogAnswers &) = delete;

    SaveAnswer save = SaveAnswer::Cancel; // what askToSave() answers
    QString openName;                     // what fileToOpen() answers; empty: cancelled
    QString saveName;                     // what fileToSave() answers; empty: cancelled
    QList<Message> questions;             // every question asked, in order
    QStringList dialogs;                  // the title of every file dialog asked for
};

} // namespace merilon
