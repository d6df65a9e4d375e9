// SPDX-License-Identifier: MIT
#include "chains/chain_window.h"

#include "core/number_text.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/result_window.h"
#include "ui/speech.h"
#include "ui/window_description.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <functional>

namespace merilon {

using namespace Qt::StringLiterals;
using namespace ui;

namespace {

using enum ui::ControlKind;
using namespace ui::colour;

// What the solution fills in the table: blue and slanted, no input.
constexpr QColor computedColour(0, 80, 176);
constexpr int computedRole = Qt::UserRole + 1;

constexpr std::u16string_view fileFilter = u"Размерные цепи (*.tsv);;Все файлы (*)";

// ФЦепи's controls. The frames: Рамка1 the task and the method, Рамка2 the closing
// link, Рамка3 what the required closing link gives. The result boxes are named and
// described for a screen reader by what they show and their unit.
constexpr ControlDescription controls[] = {
    {.name = u"Рамка1", .kind = Frame, .rect = twipsOfPixels(10, 302, 800, 88), .text = u"Расчёт",
     .background = lightYellow},
    {.name = u"Рамка2", .kind = Frame, .rect = twipsOfPixels(10, 396, 800, 100), .text = u"Замыкающее звено, мм",
     .background = lightYellow},
    {.name = u"Рамка3", .kind = Frame, .rect = twipsOfPixels(10, 502, 800, 52),
     .text = u"По исходному звену: способ одного квалитета и проверка", .background = lightYellow},
    {.name = u"Метка1", .kind = Label, .rect = twipsOfPixels(10, 6, 800, 20),
     .text = u"Размерные цепи: замыкающее звено по составляющим и допуски составляющих по исходному звену",
     .colour = darkNavy, .alignment = Qt::AlignCenter},
    {.name = u"Метка2", .kind = Label, .rect = twipsOfPixels(10, 30, 800, 18),
     .text = u"Звенья, строка на звено: поле (h9, H11, js9) или ES и EI; Ctrl+V вставляет строки таблицы, "
             u"Ctrl+C копирует цепь",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка3", .kind = Label, .rect = twipsOfPixels(10, 20, 60, 22), .parent = u"Рамка1", .text = u"Задача",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка4", .kind = Label, .rect = twipsOfPixels(478, 20, 60, 22), .parent = u"Рамка1", .text = u"Метод",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка5", .kind = Label, .rect = twipsOfPixels(10, 54, 60, 22), .parent = u"Рамка1", .text = u"Риск",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка6", .kind = Label, .rect = twipsOfPixels(270, 54, 196, 22), .parent = u"Рамка1",
     .text = u"Исходное звено: ИсхES, мм", .colour = navy, .alignment = Qt::AlignRight | Qt::AlignVCenter},
    {.name = u"Метка7", .kind = Label, .rect = twipsOfPixels(580, 54, 90, 22), .parent = u"Рамка1",
     .text = u"ИсхEI, мм", .colour = navy, .alignment = Qt::AlignRight | Qt::AlignVCenter},
    {.name = u"Метка8", .kind = Label, .rect = twipsOfPixels(10, 18, 104, 18), .parent = u"Рамка2", .text = u"Номинал",
     .colour = purple, .alignment = Qt::AlignCenter},
    {.name = u"Метка9", .kind = Label, .rect = twipsOfPixels(122, 18, 104, 18), .parent = u"Рамка2", .text = u"ES",
     .colour = purple, .alignment = Qt::AlignCenter},
    {.name = u"Метка10", .kind = Label, .rect = twipsOfPixels(234, 18, 104, 18), .parent = u"Рамка2", .text = u"EI",
     .colour = purple, .alignment = Qt::AlignCenter},
    {.name = u"Метка11", .kind = Label, .rect = twipsOfPixels(346, 18, 104, 18), .parent = u"Рамка2", .text = u"T",
     .colour = purple, .alignment = Qt::AlignCenter},
    {.name = u"Метка12", .kind = Label, .rect = twipsOfPixels(458, 18, 104, 18), .parent = u"Рамка2", .text = u"Ec",
     .colour = purple, .alignment = Qt::AlignCenter},
    {.name = u"Метка13", .kind = Label, .rect = twipsOfPixels(570, 18, 104, 18), .parent = u"Рамка2",
     .text = u"Наибольший", .colour = purple, .alignment = Qt::AlignCenter},
    {.name = u"Метка14", .kind = Label, .rect = twipsOfPixels(682, 18, 104, 18), .parent = u"Рамка2",
     .text = u"Наименьший", .colour = purple, .alignment = Qt::AlignCenter},
    {.name = u"Метка15", .kind = Label, .rect = twipsOfPixels(10, 68, 80, 22), .parent = u"Рамка2",
     .text = u"Уравнение", .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка16", .kind = Label, .rect = twipsOfPixels(10, 20, 130, 22), .parent = u"Рамка3",
     .text = u"Единиц допуска a_c", .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка17", .kind = Label, .rect = twipsOfPixels(222, 20, 64, 22), .parent = u"Рамка3",
     .text = u"Квалитет", .colour = purple, .alignment = Qt::AlignRight | Qt::AlignVCenter},
    {.name = u"Метка18", .kind = Label, .rect = twipsOfPixels(354, 20, 70, 22), .parent = u"Рамка3",
     .text = u"Проверка", .colour = purple, .alignment = Qt::AlignRight | Qt::AlignVCenter},
    {.name = u"Звенья", .kind = EditTable, .rect = twipsOfPixels(10, 50, 800, 212), .font = {8.25, false},
     .items = chains::columnTitles,
     .toolTip = u"Синим курсивом — что дал расчёт: поля по таблицам допусков, назначенное проектной задачей; "
                u"это не ввод, и каждое изменение решает цепь заново по введённому",
     .accessibleName = u"Звенья цепи",
     .accessibleDescription = u"строка на звено; Ctrl+V вставляет строки, Ctrl+C копирует цепь"},
    {.name = u"Добавить", .kind = PlainButton, .rect = twipsOfPixels(10, 268, 130, 26), .text = u"Добавить звено",
     .background = lightGreen, .toolTip = u"Добавить пустую строку под текущей"},
    {.name = u"Удалить", .kind = PlainButton, .rect = twipsOfPixels(146, 268, 130, 26), .text = u"Удалить звено",
     .background = lightGreen, .toolTip = u"Удалить выделенные строки"},
    {.name = u"Копировать", .kind = PlainButton, .rect = twipsOfPixels(486, 268, 104, 26), .text = u"Копировать",
     .background = lightGreen, .toolTip = u"Скопировать цепь и результат строками таблицы (Ctrl+C)",
     .accessibleName = u"Копировать цепь"},
    {.name = u"Сохранить", .kind = PlainButton, .rect = twipsOfPixels(596, 268, 104, 26), .text = u"Сохранить…",
     .background = lightGreen, .toolTip = u"Сохранить цепь в файл", .accessibleName = u"Сохранить цепь"},
    {.name = u"Открыть", .kind = PlainButton, .rect = twipsOfPixels(706, 268, 104, 26), .text = u"Открыть…",
     .background = lightGreen, .toolTip = u"Открыть цепь из файла", .accessibleName = u"Открыть цепь"},
    {.name = u"Задача", .kind = ChoiceList, .rect = twipsOfPixels(72, 20, 396, 22), .parent = u"Рамка1",
     .colour = navy, .items = chains::taskTexts, .label = u"Метка3"},
    {.name = u"Метод", .kind = ChoiceList, .rect = twipsOfPixels(540, 20, 250, 22), .parent = u"Рамка1",
     .colour = navy, .items = chains::methodTexts, .label = u"Метка4"},
    {.name = u"Риск", .kind = ChoiceList, .rect = twipsOfPixels(72, 54, 190, 22), .parent = u"Рамка1", .colour = navy,
     .items = chains::riskTexts, .toolTip = u"Вероятностный метод: риск выхода за пределы и коэффициент t",
     .label = u"Метка5", .accessibleName = u"Риск и коэффициент t"},
    {.name = u"ИсхES", .kind = TextField, .rect = twipsOfPixels(470, 54, 100, 22), .parent = u"Рамка1",
     .colour = navy, .toolTip = u"Верхнее отклонение исходного звена, мм",
     .accessibleName = u"Верхнее отклонение исходного звена ИсхES", .accessibleDescription = u"в миллиметрах"},
    {.name = u"ИсхEI", .kind = TextField, .rect = twipsOfPixels(672, 54, 118, 22), .parent = u"Рамка1",
     .colour = navy, .toolTip = u"Нижнее отклонение исходного звена, мм",
     .accessibleName = u"Нижнее отклонение исходного звена ИсхEI", .accessibleDescription = u"в миллиметрах"},
    {.name = u"Номинал", .kind = ReadOnlyBox, .rect = twipsOfPixels(10, 38, 104, 22), .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Номинал замыкающего звена",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"ES", .kind = ReadOnlyBox, .rect = twipsOfPixels(122, 38, 104, 22), .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Верхнее отклонение замыкающего звена ES",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"EI", .kind = ReadOnlyBox, .rect = twipsOfPixels(234, 38, 104, 22), .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Нижнее отклонение замыкающего звена EI",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"T", .kind = ReadOnlyBox, .rect = twipsOfPixels(346, 38, 104, 22), .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Допуск замыкающего звена T",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"Ec", .kind = ReadOnlyBox, .rect = twipsOfPixels(458, 38, 104, 22), .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Середина поля допуска замыкающего звена Ec",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"Наиб", .kind = ReadOnlyBox, .rect = twipsOfPixels(570, 38, 104, 22), .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Наибольший размер замыкающего звена",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"Наим", .kind = ReadOnlyBox, .rect = twipsOfPixels(682, 38, 104, 22), .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Наименьший размер замыкающего звена",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"Уравнение", .kind = ReadOnlyBox, .rect = twipsOfPixels(92, 68, 694, 22), .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter, .accessibleName = u"Уравнение цепи"},
    {.name = u"Единицы", .kind = ReadOnlyBox, .rect = twipsOfPixels(142, 20, 70, 22), .parent = u"Рамка3",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Число единиц допуска a_c"},
    {.name = u"Квалитет", .kind = ReadOnlyBox, .rect = twipsOfPixels(290, 20, 54, 22), .parent = u"Рамка3",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Квалитет составляющих звеньев"},
    {.name = u"Проверка", .kind = ReadOnlyBox, .rect = twipsOfPixels(428, 20, 358, 22), .parent = u"Рамка3",
     .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter,
     .accessibleName = u"Проверка по исходному звену"},
    {.name = u"Сообщение", .kind = ResultLabel, .rect = twipsOfPixels(10, 560, 800, 36), .colour = red,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter, .accessibleName = u"Сообщение"},
};

// What each result box shows, in the order of the boxes above.
const ResultText<chains::Solution> resultTexts[] = {
    {u"Номинал", &chains::Solution::nominal},   {u"ES", &chains::Solution::upper},
    {u"EI", &chains::Solution::lower},          {u"T", &chains::Solution::tolerance},
    {u"Ec", &chains::Solution::middle},         {u"Наиб", &chains::Solution::largest},
    {u"Наим", &chains::Solution::smallest},     {u"Уравнение", &chains::Solution::equation},
    {u"Единицы", &chains::Solution::units},     {u"Квалитет", &chains::Solution::grade},
    {u"Проверка", &chains::Solution::check},
};

// The table, its buttons, the settings, the closing link's boxes row by row.
// The window opens on the task and its method, what a chain is solved for; the table
// comes next. (Orca 48 reads a row of a table that takes several cells at once with
// «не выделено» before every cell that is not selected: opening on it would say that of
// the whole first row.)
constexpr std::u16string_view tabOrder[] = {
    u"Задача", u"Метод", u"Риск", u"ИсхES", u"ИсхEI", u"Звенья", u"Добавить", u"Удалить", u"Копировать",
    u"Сохранить", u"Открыть", u"Номинал", u"ES", u"EI", u"T", u"Ec", u"Наиб", u"Наим", u"Уравнение", u"Единицы",
    u"Квалитет", u"Проверка"};

// The widths of the table's columns, in pixels.
constexpr std::array<int, chains::columnCount> columnWidths = {84, 84, 104, 56, 74, 74, 118, 104, 72};

// The chain the window opens with: a gearbox shaft's end play, the housing between its
// faces, two bearings and a sleeve.
const std::array<chains::Row, 4> firstChain = {{
    {u"А1"_s, u"100"_s, u"увеличивающее"_s, u"H11"_s, {}, {}, {}, u"охватывающий"_s, {}},
    {u"А2"_s, u"20"_s, u"уменьшающее"_s, {}, u"0"_s, u"-0,12"_s, {}, {}, {}},
    {u"А3"_s, u"58"_s, u"уменьшающее"_s, u"h11"_s, {}, {}, {}, u"охватываемый"_s, u"да"_s},
    {u"А4"_s, u"20"_s, u"уменьшающее"_s, {}, u"0"_s, u"-0,12"_s, {}, {}, {}},
}};

// The editor of a cell starts from what was typed there, not from what the solution
// shows, and hands what is typed to the window.
class TypedCells final : public QStyledItemDelegate
{
public:
    TypedCells(QObject *parent, std::function<void(int, int, const QString &)> typed)
        : QStyledItemDelegate(parent), m_typed(std::move(typed))
    {
    }

    // What the solution fills in shows in a look of its own.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(computedRole).toBool()) {
            option->font.setItalic(true);
            option->palette.setColor(QPalette::Text, computedColour);
        }
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->setText(index.data(ChainWindow::typedRole).toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor); line && m_typed)
            m_typed(index.row(), index.column(), line->text());
    }

    // An editor still open when the window goes takes its text nowhere.
    void forget() { m_typed = nullptr; }

private:
    std::function<void(int, int, const QString &)> m_typed;
};

} // namespace

const WindowDescription &ChainWindow::description()
{
    static constexpr WindowDescription window = {u"ФЦепи", u"Размерные цепи", 820 * twipsPerPixel,
                                                 602 * twipsPerPixel, controls, tabOrder};
    return window;
}

ChainWindow::ChainWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, description());
    setBackground(this, colour::grey);
    buildControls();
    load();
}

ChainWindow::~ChainWindow()
{
    static_cast<TypedCells *>(m_table->itemDelegate())->forget();
}

void ChainWindow::buildControls()
{
    const Controls made = ui::buildControls(this, description());
    m_table = made.get<QTableWidget>(u"Звенья");
    m_task = made.get<QComboBox>(u"Задача");
    m_method = made.get<QComboBox>(u"Метод");
    m_risk = made.get<QComboBox>(u"Риск");
    m_requiredUpper = made.get<QLineEdit>(u"ИсхES");
    m_requiredLower = made.get<QLineEdit>(u"ИсхEI");
    m_results = resultBoxes<chains::Solution>(made, resultTexts);
    m_message = made.get<ui::ResultLabel>(u"Сообщение");
    lowerCaptions(this);

    for (int c = 0; c < chains::columnCount; ++c)
        m_table->setColumnWidth(c, columnWidths[std::size_t(c)]);
    m_table->verticalHeader()->setDefaultSectionSize(22);
    m_table->setItemDelegate(new TypedCells(m_table, [this](int row, int column, const QString &text) {
        cellTyped(row, column, text);
    }));
    m_table->installEventFilter(this);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_table, &QWidget::customContextMenuRequested, this, &ChainWindow::showMenu);

    for (QComboBox *list : {m_task, m_method, m_risk})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    for (QLineEdit *box : {m_requiredUpper, m_requiredLower}) {
        connect(box, &QLineEdit::textChanged, this, [this] { recompute(); });
        connect(box, &QLineEdit::textEdited, this, [this] { m_modified = true; });
    }
    connect(made.get<QPushButton>(u"Добавить"), &QPushButton::clicked, this, &ChainWindow::addRow);
    connect(made.get<QPushButton>(u"Удалить"), &QPushButton::clicked, this, &ChainWindow::removeRows);
    connect(made.get<QPushButton>(u"Сохранить"), &QPushButton::clicked, this, [this] { saveChain(); });
    connect(made.get<QPushButton>(u"Открыть"), &QPushButton::clicked, this, &ChainWindow::openChain);
    copyOnRequest(this, made.get<QPushButton>(u"Копировать"),
                  QList<QWidget *>(m_results.begin(), m_results.end()) << m_table << m_requiredUpper << m_requiredLower,
                  [this] { return chainText(); });
}

void ChainWindow::load()
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_task), QSignalBlocker(m_method), QSignalBlocker(m_risk),
                                       QSignalBlocker(m_requiredUpper), QSignalBlocker(m_requiredLower)};
    m_task->setCurrentIndex(0);
    m_method->setCurrentIndex(0);
    m_risk->setCurrentIndex(0);
    m_requiredUpper->setText(u"0,6"_s);
    m_requiredLower->setText(u"0,1"_s);
    setRows(std::vector<chains::Row>(firstChain.begin(), firstChain.end()));
    m_table->setCurrentCell(0, 0);
    m_modified = false;
}

chains::Inputs ChainWindow::inputs() const
{
    return {m_rows, chains::Task(std::max(0, m_task->currentIndex())),
            chains::Method(std::max(0, m_method->currentIndex())), std::max(0, m_risk->currentIndex()),
            m_requiredUpper->text(), m_requiredLower->text()};
}

void ChainWindow::recompute()
{
    m_solution = chains::solve(inputs());
    showCells();
    const QList<QLineEdit *> changed = showResults<chains::Solution>(m_results, resultTexts, m_solution);
    if (m_message->text() != m_solution.message)
        m_message->setResult(m_solution.message);
    announce(this, m_solution.message.isEmpty() ? spokenResults(changed) : m_solution.message);
}

QString ChainWindow::chainText() const
{
    return chains::chainText(inputs(), m_solution);
}

namespace {
// Two texts alike; a text kept from the one before shares its characters.
bool same(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}
} // namespace

void ChainWindow::showCells()
{
    // Rows as they were and the same cells filled: nothing to show anew (a choice of the
    // method in the checking task).
    const auto sameCell = [](const chains::FilledCell &a, const chains::FilledCell &b) {
        return a.row == b.row && a.column == b.column && same(a.text, b.text);
    };
    if (m_shownRows == m_rowsRevision
        && std::equal(m_solution.filled.begin(), m_solution.filled.end(), m_shownFilled.begin(), m_shownFilled.end(),
                      sameCell))
        return;
    m_shownRows = m_rowsRevision;
    m_shownFilled = m_solution.filled;
    if (m_table->rowCount() != int(m_rows.size())) {
        m_table->setRowCount(int(m_rows.size()));
        m_shown.resize(m_rows.size());
    }
    auto filled = m_solution.filled.cbegin();
    for (int r = 0; r < int(m_rows.size()); ++r) {
        for (int c = 0; c < chains::columnCount; ++c) {
            const QString &typed = m_rows[std::size_t(r)][std::size_t(c)];
            const bool computed = filled != m_solution.filled.cend() && filled->row == r && filled->column == c;
            const QString &text = computed ? (filled++)->text : typed;
            ShownCell &was = m_shown[std::size_t(r)][std::size_t(c)];
            if (was.made ? same(was.typed, typed) && same(was.text, text) && was.computed == computed
                         : typed.isEmpty() && text.isEmpty() && !computed)
                continue;
            QTableWidgetItem *item = m_table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                m_table->setItem(r, c, item);
            }
            if (!was.made || was.typed != typed)
                item->setData(typedRole, typed);
            if (!was.made || was.text != text)
                item->setText(text);
            if (!was.made || was.computed != computed)
                item->setData(computedRole, computed);
            was = {typed, text, computed, true};
        }
    }
}

void ChainWindow::setRows(std::vector<chains::Row> rows)
{
    m_rows = std::move(rows);
    rowsChanged();
}

void ChainWindow::rowsChanged()
{
    // An empty row stays at the end to type the next link into.
    if (m_rows.empty() || !chains::isEmptyRow(m_rows.back()))
        m_rows.emplace_back();
    ++m_rowsRevision;
    m_modified = true;
    recompute();
}

void ChainWindow::cellTyped(int row, int column, const QString &text)
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= chains::columnCount)
        return;
    chains::Row &cells = m_rows[std::size_t(row)];
    const QString kept = chains::normalised(chains::Column(column), text);
    if (cells[std::size_t(column)] == kept)
        return;
    cells[std::size_t(column)] = kept;
    if (column == chains::Field && !kept.trimmed().isEmpty()) {
        cells[chains::Upper].clear();
        cells[chains::Lower].clear();
    }
    if ((column == chains::Upper || column == chains::Lower) && !kept.trimmed().isEmpty())
        cells[chains::Field].clear();
    rowsChanged();
}

void ChainWindow::paste()
{
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    const int current = std::max(0, m_table->currentRow());
    QString single = text;
    while (single.endsWith(u'\n') || single.endsWith(u'\r'))
        single.chop(1);
    if (!single.contains(u'\t') && !single.contains(u'\n') && m_table->currentColumn() >= 0 && !m_rows.empty()) {
        cellTyped(current, m_table->currentColumn(), single);
        return;
    }
    const chains::ReadText read = chains::readText(text);
    std::vector<chains::Row> pasted;
    for (const chains::Row &row : read.rows) {
        chains::Row kept;
        for (int c = 0; c < chains::columnCount; ++c)
            kept[std::size_t(c)] = chains::normalised(chains::Column(c), row[std::size_t(c)]);
        pasted.push_back(kept);
    }
    const bool everyRow = m_table->rowCount() > 0
        && m_table->selectionModel()->selectedRows().size() == m_table->rowCount();
    std::vector<chains::Row> rows = everyRow ? std::vector<chains::Row>() : m_rows;
    const std::size_t from = everyRow ? 0 : std::size_t(std::min<int>(current, int(rows.size())));
    if (rows.size() < from + pasted.size())
        rows.resize(from + pasted.size());
    std::copy(pasted.begin(), pasted.end(), rows.begin() + std::ptrdiff_t(from));
    {
        const QSignalBlocker blockers[] = {QSignalBlocker(m_task), QSignalBlocker(m_method), QSignalBlocker(m_risk),
                                           QSignalBlocker(m_requiredUpper), QSignalBlocker(m_requiredLower)};
        applySettings(read);
    }
    setRows(std::move(rows));
    if (everyRow)
        m_table->setCurrentCell(0, 0);
}

void ChainWindow::applySettings(const chains::ReadText &read)
{
    if (read.task)
        m_task->setCurrentIndex(int(*read.task));
    if (read.method)
        m_method->setCurrentIndex(int(*read.method));
    if (read.risk)
        m_risk->setCurrentIndex(*read.risk);
    if (read.requiredUpper)
        m_requiredUpper->setText(*read.requiredUpper);
    if (read.requiredLower)
        m_requiredLower->setText(*read.requiredLower);
}

void ChainWindow::clearSelected()
{
    bool changed = false;
    for (const QModelIndex &index : m_table->selectionModel()->selectedIndexes()) {
        QString &cell = m_rows[std::size_t(index.row())][std::size_t(index.column())];
        changed = changed || !cell.isEmpty();
        cell.clear();
    }
    if (changed)
        rowsChanged();
}

void ChainWindow::addRow()
{
    const int at = m_table->currentRow() < 0 ? int(m_rows.size()) : m_table->currentRow() + 1;
    m_rows.insert(m_rows.begin() + at, chains::Row());
    rowsChanged();
    m_table->setCurrentCell(at, 0);
}

void ChainWindow::removeRows()
{
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedIndexes()) {
        if (!rows.contains(index.row()))
            rows.append(index.row());
    }
    if (rows.isEmpty() && m_table->currentRow() >= 0)
        rows.append(m_table->currentRow());
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int r : rows)
        m_rows.erase(m_rows.begin() + r);
    rowsChanged();
    if (!m_rows.empty())
        m_table->setCurrentCell(std::min(rows.back(), int(m_rows.size()) - 1), 0);
}

void ChainWindow::showMenu(const QPoint &at)
{
    // Shown as a text box shows its own: it goes when closed, and waits for nothing.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(u"Копировать цепь"_s, this, [this] {
        QApplication::clipboard()->setText(chainText());
        announce(this, u"Скопировано"_s);
    });
    menu->addAction(u"Вставить"_s, this, &ChainWindow::paste)->setEnabled(!QApplication::clipboard()->text().isEmpty());
    menu->addSeparator();
    menu->addAction(u"Добавить звено"_s, this, &ChainWindow::addRow);
    menu->addAction(u"Удалить звено"_s, this, &ChainWindow::removeRows)->setEnabled(m_table->rowCount() > 0);
    menu->popup(m_table->viewport()->mapToGlobal(at));
}

bool ChainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress) { // an open editor takes its own keys
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste)) {
            paste();
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            clearSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool ChainWindow::mayDiscard()
{
    if (!m_modified)
        return true;
    switch (askToSave(this, u"Размерные цепи"_s, u"Цепь изменена. Сохранить её?"_s)) {
    case SaveAnswer::Save:
        return saveChain();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void ChainWindow::closeEvent(QCloseEvent *event)
{
    if (mayDiscard())
        event->accept();
    else
        event->ignore();
}

bool ChainWindow::saveChain()
{
    QString path = fileToSave(this, u"Сохранить цепь"_s, toQString(fileFilter),
                              m_path.isEmpty() ? u"цепь.tsv"_s : m_path);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".tsv"_s;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(chainText().toUtf8()) < 0 || !file.commit()) {
        inform(this, u"Цепь не сохранена"_s,
               u"Не удалось записать файл «%1»: %2"_s.arg(QFileInfo(path).fileName(), file.errorString()));
        return false;
    }
    m_path = path;
    m_modified = false;
    announce(this, u"Цепь сохранена"_s);
    return true;
}

void ChainWindow::openChain()
{
    if (!mayDiscard())
        return;
    const QString path = fileToOpen(this, u"Открыть цепь"_s, toQString(fileFilter));
    if (path.isEmpty())
        return;
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [this, &name](const QString &why) {
        inform(this, u"Цепь не открыта"_s, u"Файл «%1» не открыт: %2 Цепь на экране не изменилась."_s.arg(name, why));
    };
    QFile file(path);
    if (!QFileInfo::exists(path))
        return refuse(u"такого файла нет."_s);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(u"его не прочитать (%1)."_s.arg(file.errorString()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(file.readAll());
    if (utf8.hasError())
        return refuse(u"он не в кодировке UTF-8."_s);
    const chains::ReadFile read = chains::readFile(text);
    if (!read.error.isEmpty())
        return refuse(read.error);
    {
        const QSignalBlocker blockers[] = {QSignalBlocker(m_task), QSignalBlocker(m_method), QSignalBlocker(m_risk),
                                           QSignalBlocker(m_requiredUpper), QSignalBlocker(m_requiredLower)};
        applySettings(read.chain);
    }
    setRows(read.chain.rows);
    m_table->setCurrentCell(0, 0);
    m_path = path;
    m_modified = false;
}

} // namespace merilon
