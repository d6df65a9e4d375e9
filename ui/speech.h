// SPDX-License-Identifier: MIT
// What a screen reader hears: every one-line text, result and list value read whole,
// every window as a window with its caption, Return and Enter pressing the focused
// button, and the results of a change spoken as they change.
#pragma once

#include <QList>

class QLineEdit;
class QString;
class QWidget;

namespace merilon::ui {

// Once at start, before the first window (setUpApplication() calls it): the accessible
// faces of text boxes, result labels, lists and windows, and the Return key on buttons.
void setUpSpeech();

// A picture that acts as a button: it takes the focus, and screen readers meet it as a
// button whose press is the Space key on it (its window handles Space).
void makePressable(QWidget *picture);

// Says `text` to a screen reader at once, as what the user's last action in `source`'s
// window brought about; nothing when no screen reader listens, or when the focus is in
// another window.
void announce(QWidget *source, const QString &text);

// The results as they are spoken: each box's name and text, then the unit of the last
// one ("верхнее -20, нижнее -41, в микрометрах"); an empty box is left out.
QString spokenResults(const QList<QLineEdit *> &boxes);

} // namespace merilon::ui
