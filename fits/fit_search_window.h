// SPDX-License-Identifier: MIT
// The fit search window `ФПодбор`: a typed nominal size and the least and the largest
// clearance a joint may have give every candidate fit whose clearances lie within
// them, the most economical first; a row opens in the fit window.
#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace merilon {

namespace ui {
class ResultLabel;
struct WindowDescription;
}

class FitSearchWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit FitSearchWindow(QWidget *parent = nullptr);
    ~FitSearchWindow() override;

    // The window and its controls, as they are built.
    static const ui::WindowDescription &description();

    // Searches at the size that the fit window passes (its text as typed).
    void setSize(const QString &size);

signals:
    // A row was opened: the fit of its fields at the searched size.
    void fitChosen(const QString &size, const QString &holeLetter, int holeGrade, const QString &shaftLetter,
                   int shaftGrade);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void load();
    // Reads the inputs and lists the qualifying fits, or shows the message and an
    // empty list.
    void recompute();
    void openRow(int row);
    QString listText() const;

    QLineEdit *m_size = nullptr;          // Размер
    QLineEdit *m_least = nullptr;         // ЗазорНаим
    QLineEdit *m_most = nullptr;          // ЗазорНаиб
    QComboBox *m_basis = nullptr;         // Система
    QComboBox *m_series = nullptr;        // Ряд
    QTreeWidget *m_list = nullptr;        // Список
    ui::ResultLabel *m_found = nullptr;   // Найдено
    ui::ResultLabel *m_message = nullptr; // Сообщение
    QString m_searchedSize;               // the size text of the listed fits
    struct Opened
    {
        QString holeLetter, shaftLetter;
        int holeGrade = 0, shaftGrade = 0;
    };
    QList<Opened> m_rows; // what each row opens
};

} // namespace merilon
