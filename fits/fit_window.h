// SPDX-License-Identifier: MIT
// The fit window `ФПосадки`: a typed nominal size, a hole field and a shaft field
// give both fields' deviations and limit sizes, the clearances or interferences,
// the kind and the system of the fit, and a picture of the two zones.
#pragma once

#include "ui/window_slot.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace merilon {

class FitScheme;
class FitSearchWindow;
namespace ui {
class ResultLabel;
struct WindowDescription;
}

class FitWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit FitWindow(QWidget *parent = nullptr);
    ~FitWindow() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

    // Shows a fit: the size as typed, the hole's and the shaft's letters and grades.
    void showFit(const QString &size, const QString &holeLetter, int holeGrade, const QString &shaftLetter,
                 int shaftGrade);

private:
    void buildControls();
    void load();
    // Reads the five inputs and shows the fit, or the message and nothing else.
    void recompute();
    // Opens the fit search at the size typed here.
    void openSearch();

    QLineEdit *m_size = nullptr;        // Размер
    QComboBox *m_holeLetter = nullptr;  // ОтвБуква
    QComboBox *m_holeGrade = nullptr;   // ОтвКвалитет
    QComboBox *m_shaftLetter = nullptr; // ВалБуква
    QComboBox *m_shaftGrade = nullptr;  // ВалКвалитет
    FitScheme *m_scheme = nullptr;      // Схема
    ui::ResultLabel *m_message = nullptr; // Сообщение
    QList<QLineEdit *> m_results;       // ES … Система, in the order of their table
    QString m_line;
    WindowSlot<FitSearchWindow> m_search; // ФПодбор
};

} // namespace merilon
