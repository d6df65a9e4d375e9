// SPDX-License-Identifier: MIT
// The window `ФЦепи`: a dimension chain typed or pasted into a table, a link a row,
// solved at every change by the task and the method chosen: the closing link from the
// links, or the links' grade and the adjusting link from the closing link required.
// The chain is copied and pasted as a spreadsheet's rows, and saved and opened as a
// tab-separated file.
#pragma once

#include "chains/chain.h"

#include <QList>
#include <QWidget>

#include <vector>

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace merilon {

namespace ui {
class ResultLabel;
struct WindowDescription;
}

class ChainWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit ChainWindow(QWidget *parent = nullptr);
    ~ChainWindow() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

    // The item role that holds a cell's text as typed; the shown text may be the
    // solution's.
    static constexpr int typedRole = Qt::UserRole;

    // The chain and its result, as the copy puts them on the clipboard and a file holds them.
    QString chainText() const;
    // Whether the chain (its links and the required deviations) changed since it was
    // opened or saved.
    bool isModified() const { return m_modified; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void load();
    // What the user typed, as the solution takes it.
    chains::Inputs inputs() const;
    // Solves the chain and shows the result, or the message and no result.
    void recompute();
    // Shows each cell: the typed text, or what the solution fills in, in its own look.
    void showCells();
    // A cell was typed: its text kept (the words written out whole); a field typed
    // drops the row's typed deviations, a deviation typed drops its field.
    void cellTyped(int row, int column, const QString &text);
    // The chain's rows changed: the table shows them, with an empty row at the end, and
    // the chain is solved again.
    void rowsChanged();
    void setRows(std::vector<chains::Row> rows);
    // Ctrl+V: the clipboard's rows from the current row on, or in place of the chain
    // when every row is selected; a single value into the current cell.
    void paste();
    // Delete: the selected cells emptied.
    void clearSelected();
    void addRow();
    void removeRows();
    void showMenu(const QPoint &at);
    void openChain();
    // Saves the chain where the user says; whether it was saved.
    bool saveChain();
    // Before the chain is closed or replaced: whether it may go (saved, or its changes
    // given up, as the user answers).
    bool mayDiscard();
    // The lists and required deviations of a text read back, where it has them.
    void applySettings(const chains::ReadText &read);

    QTableWidget *m_table = nullptr;       // Звенья
    QComboBox *m_task = nullptr;           // Задача
    QComboBox *m_method = nullptr;         // Метод
    QComboBox *m_risk = nullptr;           // Риск
    QLineEdit *m_requiredUpper = nullptr;  // ИсхES
    QLineEdit *m_requiredLower = nullptr;  // ИсхEI
    ui::ResultLabel *m_message = nullptr;  // Сообщение
    QList<QLineEdit *> m_results;          // Номинал … Проверка, in the order of their table
    std::vector<chains::Row> m_rows;       // as typed
    // What each cell of the table holds, so that only a changed cell is touched; a cell
    // that never held anything has no item.
    struct ShownCell
    {
        QString typed;
        QString text;
        bool computed = false;
        bool made = false;
    };
    std::vector<std::array<ShownCell, chains::columnCount>> m_shown;
    // Every change of the rows counts; the table shows the rows of that count and the
    // cells the solution filled then.
    quint64 m_rowsRevision = 0;
    quint64 m_shownRows = ~quint64(0);
    std::vector<chains::FilledCell> m_shownFilled;
    chains::Solution m_solution;
    QString m_path; // the file the chain was last opened from or saved to
    bool m_modified = false;
};

} // namespace merilon
