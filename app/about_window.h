// SPDX-License-Identifier: MIT
// The About window `ФАвтор`: a borderless panel with the title, the release date,
// the author and the licence. The user drags it by its body with the left mouse
// button and closes it with its exit picture.
#pragma once

#include "ui/tiled_window.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace merilon {

namespace ui {
struct WindowDescription;
}

class AboutWindow final : public ui::TiledWindow
{
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);
    ~AboutWindow() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

protected:
    // The pointer over the window's background.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // The pointer over the title, the date, the author's frame; the exit picture;
    // the licence.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    // Drags the window with the left button: `button` holds the pressed buttons
    // (left 1, right 2, middle 4); x and y are the mouse position in twips relative
    // to the control under the mouse (fMove of the design).
    void dragWindow(qint16 button, float x, float y);
    void endDrag(const QMouseEvent *release);
    void startSystemMove(const QMouseEvent *press);
    void pressExit();
    void releaseExit();

    QLabel *m_exit = nullptr;            // Изображение2
    QLabel *m_exitPressed = nullptr;     // Изображение1
    QPlainTextEdit *m_licence = nullptr; // Текст1
    bool m_exitDown = false;
};

} // namespace merilon
