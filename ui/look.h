// SPDX-License-Identifier: MIT
// The program's look: the bundled face, the Fusion style and its palette pin, the
// program's colours, and Qt's own texts in Russian.
#pragma once

#include <QColor>
#include <QFont>

#include <optional>

class QIcon;
class QWidget;

namespace merilon::ui {

// Sets up, once, what the whole program shares: the bundled face and the Fusion style
// (with its palette pin) on every machine, Qt's own texts in Russian, the wheel rule
// of the lists and the screen readers' view of result labels. Called by main() and by
// every test before a window is built; a second call changes nothing.
void setUpApplication();

// The bundled face at a size in points, measured at 96 dpi.
QFont font(double points, bool bold, bool underline = false);
// The window font of the captioned windows: 8.25 pt bold.
QFont windowFont();

// The program's colours, by what they paint: captions and text in navy, maroon,
// green and purple; yellow and cream frames; grey windows; green buttons.
namespace colour {
inline constexpr QColor navy(0, 0, 128);
inline constexpr QColor darkNavy(0, 0, 64);
inline constexpr QColor maroon(128, 0, 0);
inline constexpr QColor green(0, 128, 0);
inline constexpr QColor purple(128, 0, 128);
inline constexpr QColor red(192, 0, 0);
inline constexpr QColor grey(224, 224, 224);
inline constexpr QColor lightYellow(255, 255, 192);
inline constexpr QColor cream(255, 255, 220);
inline constexpr QColor lightGreen(192, 255, 192);
inline constexpr QColor lightOrange(255, 224, 192);
} // namespace colour

void setTextColour(QWidget *widget, const QColor &colour);
// Colours a window's or frame's background, a button's face, or a text box's field.
void setBackground(QWidget *widget, const QColor &colour);
// Both at once, either left out.
void setColours(QWidget *widget, const std::optional<QColor> &text, const std::optional<QColor> &background);

// The one icon of the captioned windows.
QIcon windowIcon();

} // namespace merilon::ui
