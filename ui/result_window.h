// SPDX-License-Identifier: MIT
// What the windows that compute from typed inputs share: their result boxes, filled
// from one struct of texts, and the one text that Ctrl+C and their copy button copy.
#pragma once

#include "ui/window_description.h"

#include <QLineEdit>
#include <QList>
#include <QString>
#include <functional>
#include <span>
#include <string_view>

class QPushButton;
class QWidget;

namespace merilon::ui {

// A result box and the member of `Texts` that it shows.
template <typename Texts>
struct ResultText
{
    std::u16string_view box;
    QString Texts::*text;
};

template <typename Texts>
QList<QLineEdit *> resultBoxes(const Controls &made, std::span<const ResultText<Texts>> results)
{
    QList<QLineEdit *> boxes;
    for (const ResultText<Texts> &r : results)
        boxes.append(made.get<QLineEdit>(r.box));
    return boxes;
}

// Shows the texts in the boxes and returns those whose text changed; only they are
// touched, since each new text is laid out again, and heard.
template <typename Texts>
QList<QLineEdit *> showResults(const QList<QLineEdit *> &boxes, std::span<const ResultText<Texts>> results,
                               const Texts &texts)
{
    QList<QLineEdit *> changed;
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        const QString &text = texts.*results[static_cast<std::size_t>(i)].text;
        if (boxes[i]->text() != text) {
            boxes[i]->setText(text);
            changed.append(boxes[i]);
        }
    }
    return changed;
}

// The button and Ctrl+C anywhere in the window copy `text()` (nothing, if it is
// empty); in the given controls, which would copy a part of their own, Ctrl+C copies
// it too, unless part of a text box's text is selected: then that part, as everywhere.
void copyOnRequest(QWidget *window, QPushButton *button, const QList<QWidget *> &controls,
                   std::function<QString()> text);

} // namespace merilon::ui
