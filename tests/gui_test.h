// SPDX-License-Identifier: MIT
// What the window tests do as a user would: pick list items with the mouse, type.
#pragma once

#include <QComboBox>
#include <QString>
#include <QWidget>

namespace merilon::test {

// The program's look (font, style), as main() sets it.
void prepareApplication();

// Shows a top-level window and waits until it can take input.
void showAndWait(QWidget *window);

// Opens the combo's popup with a click on its arrow and clicks the item `text`.
void choose(QComboBox *combo, const QString &text);
// The same for the item at `index`.
void chooseIndex(QComboBox *combo, int index);
// In `window`: chooses `item` in the list `control`, or, with no item, moves the
// pointer onto the control.
void act(QWidget *window, const QString &control, const QString &item);

// Gives `widget` the focus and types `keys` into it, any characters, as key events.
void typeInto(QWidget *widget, const QString &keys);

// Turns the mouse wheel over the middle of `widget` by `notches` (positive: away from
// the user).
void turnWheel(QWidget *widget, int notches);

// The shown top-level windows of that object name.
QList<QWidget *> shownWindows(const QString &name);

// The items of a combo's list, in order.
QStringList items(const QComboBox *combo);

// A child found by object name; fails the test when it is missing.
template <typename T>
T *child(const QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

} // namespace merilon::test

namespace merilon::test {

// The captions of `window` (labels, buttons, frames) whose text does not fit the
// control's box in its font; empty when every caption is whole.
QStringList clippedCaptions(const QWidget *window);

// The texts that `window` shows in its result boxes, labels, list cells and the
// descriptions of its pictures (not what is typed) that carry binary noise: a decimal
// with a run of six 0s or 9s, or with more decimals than hundredths of a micrometre
// allow (two where the control or the column says "мкм", five elsewhere, as in
// millimetres). Empty when every figure is clean.
QStringList noisyTexts(const QWidget *window);

} // namespace merilon::test
