// SPDX-License-Identifier: MIT
// The window `Форма4`: the unspecified tolerance of form or position for a kind of
// tolerance, a nominal size interval and a group of degrees of accuracy, with the
// notes of that kind.
#pragma once

#include "unspecified/unspecified_tables.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace merilon {

namespace ui {
class ResultLabel;
struct WindowDescription;
}

class UnspecifiedWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit UnspecifiedWindow(QWidget *parent = nullptr);
    ~UnspecifiedWindow() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

private:
    void buildControls();
    void load();
    // Looks the value up for the table, the interval and the accuracy group and shows
    // it; a pair that no cell has leaves the value as it was (Tornel3 of the design).
    void showValue();
    // Takes the interval list and the table of the kind's text and shows the table's
    // notes (Index).
    void readKind();
    // Refills the interval list of the kind and selects its first interval (Interwal).
    void refillIntervals();

    QGroupBox *m_notesFrame = nullptr; // Рамка3
    ui::ResultLabel *m_notes = nullptr; // Метка7
    QComboBox *m_kind = nullptr;       // Комбо1
    QComboBox *m_group = nullptr;      // Комбо3
    QComboBox *m_interval = nullptr;   // Комбо2
    QLineEdit *m_value = nullptr;      // Текст1
    // The hidden fields Поле0 and Поле1 of the design, as load() sets them.
    IntervalList m_intervals = IntervalList::Diameters;
    unspecified::Table m_table = unspecified::Table::Axes;
};

} // namespace merilon
