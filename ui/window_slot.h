// SPDX-License-Identifier: MIT
// The one program-wide instance of a window that a button shows.
#pragma once

#include <QPointer>
#include <QWidget>

namespace merilon {

// Creates the window on first use and shows it modeless, without an owner. A window
// that the user has closed is destroyed; the next show() builds it afresh, so it
// starts again from its defaults.
template <typename Window>
class WindowSlot
{
public:
    using Maker = Window *(*)();
    // `make` builds the window; by default a Window of its own default constructor.
    explicit WindowSlot(Maker make = [] { return new Window(); }) : m_make(make) {}
    WindowSlot(const WindowSlot &) = delete;
    WindowSlot &operator=(const WindowSlot &) = delete;
    ~WindowSlot() { delete m_window.data(); }

    Window *show()
    {
        if (m_window && !m_window->isVisible()) // closed, its deletion still pending
            delete m_window.data();
        if (!m_window) {
            m_window = m_make();
            m_window->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
        return m_window;
    }

private:
    Maker m_make;
    QPointer<Window> m_window;
};

} // namespace merilon
