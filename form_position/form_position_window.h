// SPDX-License-Identifier: MIT
// The window `Форма5`: the numeric tolerance of form or position of a surface,
// GOST 24643-81, for a tolerance type, a nominal size interval and a degree of
// accuracy chosen from three lists.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace merilon {

class FormPositionWindow final : public QWidget
{
public:
    explicit FormPositionWindow(QWidget *parent = nullptr);
    ~FormPositionWindow() override;

private:
    void buildControls();
    void load();

    // Shows the value of groups 1 and 2 (lengths).
    void Tornel1();
    // Shows the value of groups 3 and 4 (diameters).
    void Tornel2();
    // List kind and group of the type text.
    void Index();
    // Refills the interval list for the list kind and picks its first interval.
    void Interwal();
    // The tall window with the notes for group 4, the short one without for the others.
    void Prim();
    // Tornel1 or Tornel2, as the group asks.
    void lookup();

    int m_group = 0;                   // table group 1–4
    int m_listKind = 0;                // list kind: lengths or diameters
    QLineEdit *m_value = nullptr;      // Текст1
    QComboBox *m_interval = nullptr;   // Комбо2
    QComboBox *m_degree = nullptr;     // Комбо3
    QComboBox *m_type = nullptr;       // Комбо1
    QPlainTextEdit *m_notes = nullptr; // Текст2
    QLabel *m_unit = nullptr;          // Метка6
};

} // namespace merilon
