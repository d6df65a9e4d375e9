// SPDX-License-Identifier: MIT
// Building blocks shared by the program's windows: twips and the controls built at them.
#pragma once

#include "ui/look.h"
#include "ui/window_description.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class QGroupBox;

namespace merilon::ui {

int px(int twips);
// The pixels of a twips rectangle: each edge rounded on its own, so that edges that
// meet in twips meet in pixels too.
QRect pixelsOf(const Twips &twips);

// The application-wide piece of the controls: the wheel rule of the lists. Called by
// setUpApplication().
void setUpControls();

// Makes `window` a parentless top-level window with a fixed single border, no
// maximise button, the shared icon and a client area of the given twips.
void setupCaptionedWindow(QWidget *window, const QString &name, const QString &caption,
                          int widthTwips, int heightTwips);

// A picture of the program's resources, read once per process: the resources never
// change, so the path is key enough (QPixmap's own cache asks the file's dates
// every time, which costs a window of fifteen pictures a third of its showing).
QPixmap resourcePicture(const QString &path);

// A transparent label at a twips rectangle.
QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const Twips &twips,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
// A frame (group box), optionally with a caption.
QGroupBox *addFrame(QWidget *parent, const QString &name, const QString &caption, const Twips &twips);
// A combo box with an edit field: choices come from its list only, typing never adds
// items, and no completer finishes a text for the user.
QComboBox *addCombo(QWidget *parent, const QString &name, const Twips &twips,
                    const QStringList &items = {});
// A wheel turn over the list changes its item only while the list has the keyboard
// focus, and then it is a choice like an arrow key; it never takes the focus.
void chooseByWheelOnlyWithFocus(QComboBox *combo);
// Puts a window's captions (its own labels) beneath its other controls, which some of
// them touch at the edge, so that every point of a list or a box takes the mouse.
void lowerCaptions(QWidget *window);

// A box that shows a result. It can be selected with the mouse and the keyboard and
// Ctrl+C copies what it shows; the key filter keeps typing, pasting and drops out, and
// its context menu offers only copy, delete and select-all. Screen readers read its
// text as its value and hear every change of it, as with any edit field.
class ResultBox final : public QLineEdit
{
    Q_OBJECT

public:
    // Whether Backspace and Delete may still shorten the shown text, as on the boxes
    // of the filtered windows, or nothing changes it.
    enum class Keys { DeleteOnly, None };
    // A text box's frame, or the sunken single-line panel of a bordered caption.
    enum class Frame { TextBox, SunkenPanel };

    ResultBox(const QString &name, const QString &text, const Twips &twips, Keys keys, Frame frame, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Frame m_frame;
};

// A label that shows a result in several lines, word-wrapped; its lines may be
// joined by LF and CR, and the pair breaks the line once. Screen readers read what it
// shows as its text, under the name it is given (its frame's caption), and hear
// every new text.
class ResultLabel final : public QLabel
{
    Q_OBJECT

public:
    ResultLabel(const QString &name, const QString &text, const Twips &twips, QWidget *parent);
    // The text as shown: each LF and CR pair one line break.
    QString shown() const;
    // Shows a new result; the text it already shows changes nothing and tells nothing.
    void setResult(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Sets a combo box's text; the matching list item, if any, becomes the current one.
void setComboText(QComboBox *combo, const QString &text);

// A push button whose caption wraps onto several centred lines.
class WrapButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace merilon::ui
