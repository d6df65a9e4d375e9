// SPDX-License-Identifier: MIT
// The window `Форма4`: the unspecified tolerance of form or position for a kind of
// tolerance, a nominal size interval and a group of degrees of accuracy, with the
// notes of that kind.
#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace merilon {

namespace ui {
class ResultLabel;
}

class UnspecifiedWindow final : public QWidget
{
public:
    explicit UnspecifiedWindow(QWidget *parent = nullptr);
    ~UnspecifiedWindow() override;

private:
    void buildControls();
    void load();
    // Looks the value up for the table group, the interval and the accuracy group and
    // shows it; a pair that no cell has leaves the value as it was.
    void Tornel3();
    // Derives the list kind, the table group and the notes from the kind's text.
    void Index();
    // Refills the interval list of the list kind and selects its first interval.
    void Interwal();

    QGroupBox *m_notesFrame = nullptr; // Рамка3
    ui::ResultLabel *m_notes = nullptr; // Метка7
    QComboBox *m_kind = nullptr;       // Комбо1
    QComboBox *m_group = nullptr;      // Комбо3
    QComboBox *m_interval = nullptr;   // Комбо2
    int m_listKind = 0;                // list kind: lengths or diameters
    QLineEdit *m_value = nullptr;      // Текст1
    int m_tableGroup = 0;              // table group 1–4
};

} // namespace merilon
