// SPDX-License-Identifier: MIT
// Every window of the program, once: its description, how the user opens it, its
// picture's name, and one telling choice in it. The main window's buttons and links,
// the tests, the soak, the benchmark and the screenshots all read this table, so a
// new window is its folder, one row here and its CMake lines.
#pragma once

#include <QString>

#include <array>
#include <span>
#include <string_view>

class QWidget;

namespace merilon {

namespace ui {
struct WindowDescription;
}

// How the user opens a window.
enum class Opening {
    Start,      // the program starts with it: the main window
    Button,     // `opener`, a button of the main window
    Link,       // `opener`, a line of the main window's Текст3 that links to it
    FromWindow, // `opener`, a button of the window `from`
};

// A choice in a list, or (with no item) the pointer moved onto a control.
struct Choice
{
    std::u16string_view control;
    std::u16string_view item = {};
};

struct WindowEntry
{
    std::u16string_view name;                      // the window's object name
    std::string_view id;                           // in the benchmark's names; its picture is docs/<id>.png
    const ui::WindowDescription &(*description)();
    QWidget *(*make)();                            // builds it, parentless
    Opening opening;
    std::u16string_view opener = {};
    std::u16string_view from = {};
    // A linked window: the paragraph of Текст3 that tells what it answers.
    std::u16string_view blurb = {};
    // What a user does first in it and what it then shows: the checks that drive every
    // window as a user does take it, and its picture shows it.
    std::array<Choice, 2> choices = {};
    std::u16string_view result = {};
    std::u16string_view shows = {};
};

// Every window: the main window first, the About window last.
std::span<const WindowEntry> windows();
// The window of that object name, or of that id; nullptr if there is none.
const WindowEntry *findWindow(std::u16string_view name);
const WindowEntry *findWindowById(std::string_view id);
// The id as text.
QString idOf(const WindowEntry &entry);
// The link of a linked window in Текст3: "#" and its id.
QString linkOf(const WindowEntry &entry);

// Opens the window as its user does, from the shown main window `main`: clicks its
// button, presses Enter on its link line, or clicks its button in the window it is
// opened from (opened first the same way). Returns the shown window, or nullptr.
QWidget *openFrom(QWidget *main, const WindowEntry &entry);

} // namespace merilon
