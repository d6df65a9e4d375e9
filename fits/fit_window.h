// SPDX-License-Identifier: MIT
// The fit window `ФПосадки`: a typed nominal size, a hole field and a shaft field
// give both fields' deviations and limit sizes, the clearances or interferences,
// the kind and the system of the fit, and a picture of the two zones; a designation
// typed or pasted into the size box («Ø25 H7/f6») sets the lists.
#pragma once

#include "ui/window_slot.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace merilon {

class FitScheme;
class FitSearchWindow;
namespace fits {
struct FitTexts;
}
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
    // Shows what `texts` holds: a fit, or a message and nothing else.
    void showTexts(const fits::FitTexts &texts);
    // The size box was edited: a bare size is shown at once, a designation when it was
    // pasted whole; one still being typed waits for Enter.
    void sizeEdited(const QString &text);
    // Applies the designation in the size box: its fields go to their lists and the
    // size stays in the box; one that cannot be shown changes no list and says why.
    void applyDesignation();
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
    QString m_typed; // the size box's text before its last edit
    WindowSlot<FitSearchWindow> m_search; // ФПодбор
};

} // namespace merilon
