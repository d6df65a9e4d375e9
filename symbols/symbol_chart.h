// SPDX-License-Identifier: MIT
// The symbol chart `Форма2`: the fifteen drawing symbols of form and position
// tolerances of GOST 2.308-79 in a grid; the mouse over a symbol, or the focus on it
// (Tab and the arrow keys), names its group and its tolerance below the grid.
#pragma once

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;

namespace merilon {

namespace ui {
class ResultLabel;
struct WindowDescription;
}

class SymbolChart final : public QWidget
{
    Q_OBJECT

public:
    explicit SymbolChart(QWidget *parent = nullptr);
    ~SymbolChart() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

protected:
    // The pointer over the window's free area.
    void mouseMoveEvent(QMouseEvent *event) override;
    // The pointer over a frame or a symbol.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void load();
    // Both text areas back to their idle state: no group, the hint in the name area
    // (Имя of the design).
    void showIdleTexts();
    // The group and name of symbol `i` (0 … 14), as the pointer on it shows them.
    void showSymbolTexts(std::size_t i);

    QGroupBox *m_nameFrame = nullptr;        // Рамка3
    ui::ResultLabel *m_name = nullptr;       // Метка3
    QGroupBox *m_groupFrame = nullptr;       // Рамка2
    ui::ResultLabel *m_group = nullptr;      // Метка2
    QGroupBox *m_symbolFrame = nullptr;      // Рамка1
    std::array<QLabel *, 15> m_symbols = {}; // Изображение1 … Изображение15
    QWidget *m_focusMark = nullptr;          // around the symbol with the focus
};

} // namespace merilon
