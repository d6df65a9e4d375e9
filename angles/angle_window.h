// SPDX-License-Identifier: MIT
// The angle tolerance window `Форма3`: an interval of lengths and a degree of
// accuracy chosen from two lists give the angle tolerance of ST SEV 178-75.
#pragma once

#include "ui/tiled_window.h"

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace merilon {

namespace ui {
struct WindowDescription;
}

class AngleWindow final : public ui::TiledWindow
{
    Q_OBJECT

public:
    explicit AngleWindow(QWidget *parent = nullptr);
    ~AngleWindow() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

private:
    void buildControls();
    void load();
    // Looks the chosen interval and degree up and shows the tolerance; a pair that
    // the table does not hold leaves the shown tolerance as it was (BB of the design).
    void showTolerance();

    QComboBox *m_interval = nullptr; // Комбо1
    QComboBox *m_degree = nullptr;   // Комбо2
    QLineEdit *m_result = nullptr;   // Текст1
};

} // namespace merilon
