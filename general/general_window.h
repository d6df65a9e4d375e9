// SPDX-License-Identifier: MIT
// The window `ФОбщиеДопуски`: a typed nominal size and the classes of GOST 30893.1
// and GOST 30893.2 and a grade give the general tolerances of that size and the line
// that puts them on a drawing.
#pragma once

#include "general/general_tables.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace merilon {

namespace ui {
class ResultLabel;
struct WindowDescription;
}

class GeneralWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit GeneralWindow(QWidget *parent = nullptr);
    ~GeneralWindow() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

    // The requirement line, as the copy puts it on the clipboard.
    QString requirement() const { return m_requirement; }

signals:
    // Once for every recomputation: what the window says about it to a screen reader
    // (the results that changed, or the message), whether or not one listens.
    void spoken(const QString &text);

private:
    void buildControls();
    void load();
    // Reads the size and the three lists and shows the tolerances, or the message
    // and no value.
    void recompute();

    QLineEdit *m_size = nullptr;      // Размер
    QComboBox *m_sizeClass = nullptr; // Класс
    QComboBox *m_formClass = nullptr; // КлассФР
    QComboBox *m_grade = nullptr;     // Квалитет
    ui::ResultLabel *m_message = nullptr; // Сообщение
    QList<QLineEdit *> m_results;     // Линейный … Требование, in the order of their table
    // The requirement line follows the way of writing last chosen: a class, or a grade.
    general::Designation m_designation = general::Designation::Classes;
    QString m_requirement;
};

} // namespace merilon
