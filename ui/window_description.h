// SPDX-License-Identifier: MIT
// A window's controls as one constant table, and the one builder that makes them.
#pragma once

#include <QColor>
#include <QWidget>
#include <QStringList>
#include <Qt>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace merilon::ui {

enum class ControlKind {
    Label,       // a transparent, word-wrapped caption
    Picture,     // a picture, the text naming its resource
    Frame,       // a group box, with its caption as the text
    List,        // a combo box: choices from its list only
    ChoiceList,  // a combo box without an edit field, 21 items seen at once
    ResultBox,   // a result in a text box; Backspace and Delete may shorten it
    ReadOnlyBox, // a result in a text box that nothing changes
    PanelBox,    // a result in a sunken single-line panel that nothing changes
    ResultLabel, // a result in several word-wrapped lines
    Button,      // a push button whose caption wraps onto centred lines
    PlainButton, // a push button with a one-line caption
    Custom,      // a window's own control, made by `make`
    TextField,   // a plain one-line text box
    TextArea,    // a plain text box with a scroll bar always shown; Tab leaves it
    TextBrowser, // a read-only rich text box with links, scroll bar always shown; Tab leaves it
    Table,       // read-only rows in columns, one row chosen at a time; `items` are the column titles
    EditTable,   // rows typed cell by cell, as in a spreadsheet; `items` are the column titles
};

// 15 twips are one pixel at 96 dpi; Qt's high-dpi scaling does the rest.
constexpr int twipsPerPixel = 15;

// A control's rectangle in twips, in its parent.
struct Twips
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The twips of a rectangle that a design gives in pixels at 96 dpi.
constexpr Twips twipsOfPixels(int left, int top, int width, int height)
{
    return {left * twipsPerPixel, top * twipsPerPixel, width * twipsPerPixel, height * twipsPerPixel};
}

// A font of the bundled face; no size keeps the window's font.
struct FontSpec
{
    double points = 0;
    bool bold = false;
    bool underline = false;
};

struct ControlDescription
{
    std::u16string_view name;
    ControlKind kind = ControlKind::Label;
    Twips rect;
    // The frame the control lies in, described before it; none: the window.
    std::u16string_view parent = {};
    // A label's or button's caption, a frame's title, a box's first text, a list's
    // first edit text (its item, if it has one).
    std::u16string_view text = {};
    std::optional<QColor> colour = {};
    std::optional<QColor> background = {};
    FontSpec font = {};
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    // A list's items; a table's column titles.
    QStringList (*items)() = nullptr;
    // A Custom control's maker.
    QWidget *(*make)(QWidget *parent) = nullptr;
    // Whether the key filter keeps typing out of the control (result boxes have it
    // always).
    bool keyFilter = false;
    std::u16string_view toolTip = {};
    // Screen readers' texts: the caption label that labels the control (and names
    // it, unless a name is given), the name, and the description (a box's unit).
    std::u16string_view label = {};
    std::u16string_view accessibleName = {};
    std::u16string_view accessibleDescription = {};
};

// A window: its object name, caption and client area in twips, its controls in the
// order they are made, and its tab order.
struct WindowDescription
{
    std::u16string_view name;
    std::u16string_view caption;
    int width = 0;
    int height = 0;
    std::span<const ControlDescription> controls;
    std::span<const std::u16string_view> tabOrder;
};

// The controls that buildControls() made, by name.
class Controls
{
public:
    QWidget *operator[](std::u16string_view name) const;
    // The control `name` as a T; a control of another type stops the program with
    // its name, as a missing one does: a description's mistake never runs on.
    template <typename T>
    T *get(std::u16string_view name) const
    {
        QWidget *control = (*this)[name];
        if (T *typed = qobject_cast<T *>(control))
            return typed;
        wrongType(name, T::staticMetaObject.className());
    }

private:
    [[noreturn]] static void wrongType(std::u16string_view name, const char *type);
    friend Controls buildControls(QWidget *, std::span<const ControlDescription>,
                                  std::span<const std::u16string_view>);
    std::vector<std::pair<std::u16string_view, QWidget *>> m_controls;
};

// Makes the described controls in the window, in the order described, gives them
// their screen readers' texts, chains the tab order as listed and gives the first in
// it the focus.
Controls buildControls(QWidget *window, std::span<const ControlDescription> controls,
                       std::span<const std::u16string_view> tabOrder);
Controls buildControls(QWidget *window, const WindowDescription &description);

// Makes `window` the described parentless top-level window with a fixed single
// border, no maximise button, the shared icon and the described client area.
void setupCaptionedWindow(QWidget *window, const WindowDescription &description);

} // namespace merilon::ui
