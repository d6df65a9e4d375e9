// SPDX-License-Identifier: MIT
//
// Мерилон: how the program fits together.
//
// main() builds MainWindow (`Форма1`) and nothing else. The main window holds the
// limits-and-fits calculator; every other window is a row of the registry of windows
// (app/windows.h), which says how the user opens it: a button of the main window, a
// link line of its box `Текст3`, or a button of another window. Each shows through a
// WindowSlot: a single, parentless, modeless instance, built on first use and built
// afresh after the user closed it. Windows talk in one place only: the fit window
// opens the fit search at its own size, and a row chosen in the search shows that fit
// in the fit window; the search closes with it.
//
// The house stands in layers, each including only what lies below it (the `layers`
// test checks): core/ (numbers as text) ← ui/ (the look, twips and controls, the key
// filter that lets only Backspace and keys that type nothing into the filtered
// fields, the one seam for modal message boxes, questions and file dialogs, the window
// slot) ← one folder per subsystem ← app/ (this window, the About window, the registry
// of windows, main()).
//
// Every subsystem folder holds two halves: a library of constant tables and pure
// lookups that knows nothing of widgets (fits/fits_tables, form_position/…,
// unspecified/…, angles/…, symbols/symbol_texts, general/general_tables,
// chains/chain; the general tolerances and the dimension chains read the tables of
// fits/), and a window that builds its controls in code at their twips geometry, reads
// its inputs from its controls' texts on every choice, asks its tables, and writes the
// result back into controls. The tests, in each folder's tests/, link the same
// libraries as the program.
#pragma once

#include "ui/window_slot.h"

#include "ui/tiled_window.h"

#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;
class QTextBrowser;

namespace merilon {

namespace ui {
struct WindowDescription;
}


class MainWindow final : public ui::TiledWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void load();
    // Shows the window that a link of Текст3 names ("#fits"); another opens nothing.
    void openLink(const QString &href);
    // A grade was chosen: rebuilds the letter list, resets the letter, recomputes
    // (A of the design).
    void refillLetters();
    // Recomputes the deviations from the three texts and says what is missing (AA).
    void showDeviations();

    QComboBox *m_size = nullptr;   // НР
    QComboBox *m_grade = nullptr;  // Комбо1
    QComboBox *m_letter = nullptr; // ПД
    QLineEdit *m_upper = nullptr;  // ВО
    QLineEdit *m_lower = nullptr;  // НО
    QTextBrowser *m_advert = nullptr; // Текст3
    // Every window's single instance, in the order of the registry of windows
    // (app/windows.h); the main window's own is never shown.
    std::vector<std::unique_ptr<WindowSlot<QWidget>>> m_windows;
};

} // namespace merilon
