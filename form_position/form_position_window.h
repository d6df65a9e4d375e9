// SPDX-License-Identifier: MIT
// The window `Форма5`: the numeric tolerance of form or position of a surface,
// GOST 24643-81, for a tolerance type, a nominal size interval and a degree of
// accuracy chosen from three lists.
#pragma once

#include "form_position/form_position_tables.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace merilon {

namespace ui {
struct WindowDescription;
}

class FormPositionWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit FormPositionWindow(QWidget *parent = nullptr);
    ~FormPositionWindow() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

private:
    void buildControls();
    void load();

    // Shows the value of the tables of lengths (Tornel1 of the design).
    void showLengthTolerance();
    // Shows the value of the tables of diameters (Tornel2).
    void showDiameterTolerance();
    // Takes the interval list and the table of the type text, if it names a type (Index).
    void readType();
    // Refills the interval list for the type and picks its first interval (Interwal).
    void refillIntervals();
    // The tall window with the notes for the RadialRunOut table, the short one
    // without them for the others (Prim).
    void fitHeightToNotes();
    // showLengthTolerance or showDiameterTolerance, as the table asks.
    void showTolerance();

    // The hidden fields Поле1 and Поле0 of the design, as the type of load() sets them.
    form_position::Table m_table = form_position::Table::RadialRunOut;
    IntervalList m_intervals = IntervalList::Diameters;
    QLineEdit *m_value = nullptr;      // Текст1
    QComboBox *m_interval = nullptr;   // Комбо2
    QComboBox *m_degree = nullptr;     // Комбо3
    QComboBox *m_type = nullptr;       // Комбо1
    QPlainTextEdit *m_notes = nullptr; // Текст2
    QLabel *m_unit = nullptr;          // Метка6
};

} // namespace merilon
