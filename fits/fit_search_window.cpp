// SPDX-License-Identifier: MIT
#include "fits/fit_search_window.h"

#include "core/number_text.h"
#include "fits/fit_search.h"
#include "ui/controls.h"
#include "ui/result_window.h"
#include "ui/speech.h"
#include "ui/window_description.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace merilon {

using namespace ui;

namespace {

using enum ui::ControlKind;
using namespace ui::colour;

QStringList basisItems()
{
    return listTexts(fits::basisTexts);
}

QStringList seriesItems()
{
    return listTexts(fits::seriesTexts);
}

// The list's column titles, which never change, measured once for the height of the
// header: Qt measures them again whenever the last column stretches, which is at every
// search that fills the list.
class TitlesHeader final : public QHeaderView
{
public:
    explicit TitlesHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

    QSize sizeHint() const override
    {
        if (!m_sizeHint.isValid())
            m_sizeHint = QHeaderView::sizeHint();
        return m_sizeHint;
    }

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            m_sizeHint = QSize();
        QHeaderView::changeEvent(event);
    }

private:
    mutable QSize m_sizeHint;
};

// The columns' widths in pixels; the last one takes what is left.
constexpr int columnWidths[] = {80, 100, 100, 90, 100, 105};

// ФПодбор's controls: Рамка1 holds the requirement and the choice of candidates.
constexpr ControlDescription controls[] = {
    {.name = u"Метка1", .kind = Label, .rect = twipsOfPixels(10, 6, 680, 22), .text = u"Подбор посадки по требуемому зазору или натягу",
     .colour = darkNavy, .alignment = Qt::AlignCenter},
    {.name = u"Рамка1", .kind = Frame, .rect = twipsOfPixels(10, 32, 680, 124), .background = lightYellow},
    {.name = u"Метка2", .kind = Label, .rect = twipsOfPixels(10, 10, 200, 20), .parent = u"Рамка1", .text = u"Номинальный размер, мм",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка3", .kind = Label, .rect = twipsOfPixels(10, 38, 200, 20), .parent = u"Рамка1", .text = u"Наименьший зазор, мкм",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка4", .kind = Label, .rect = twipsOfPixels(10, 66, 200, 20), .parent = u"Рамка1", .text = u"Наибольший зазор, мкм",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка5", .kind = Label, .rect = twipsOfPixels(10, 90, 320, 30), .parent = u"Рамка1",
     .text = u"Натяг — отрицательный зазор: натяг от 30 до 90 мкм — это зазор от −90 до −30.", .colour = purple},
    {.name = u"Метка6", .kind = Label, .rect = twipsOfPixels(345, 10, 60, 20), .parent = u"Рамка1", .text = u"Система",
     .colour = maroon, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка7", .kind = Label, .rect = twipsOfPixels(345, 38, 60, 20), .parent = u"Рамка1", .text = u"Посадки",
     .colour = maroon, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка8", .kind = Label, .rect = twipsOfPixels(345, 64, 325, 56), .parent = u"Рамка1",
     .text = u"Первыми — самые экономичные: с наибольшим допуском TD + Td. Enter или двойной щелчок по строке "
             u"открывает посадку в окне «Посадки».",
     .colour = purple},
    {.name = u"Размер", .kind = TextField, .rect = twipsOfPixels(215, 9, 110, 22), .parent = u"Рамка1", .colour = navy,
     .label = u"Метка2"},
    {.name = u"ЗазорНаим", .kind = TextField, .rect = twipsOfPixels(215, 37, 110, 22), .parent = u"Рамка1", .colour = navy,
     .toolTip = u"Наименьший допустимый зазор в микрометрах; натяг — со знаком минус (натяг 90 мкм — это −90)",
     .label = u"Метка3", .accessibleDescription = u"в микрометрах, натяг — со знаком минус"},
    {.name = u"ЗазорНаиб", .kind = TextField, .rect = twipsOfPixels(215, 65, 110, 22), .parent = u"Рамка1", .colour = navy,
     .toolTip = u"Наибольший допустимый зазор в микрометрах; натяг — со знаком минус (натяг 30 мкм — это −30)",
     .label = u"Метка4", .accessibleDescription = u"в микрометрах, натяг — со знаком минус"},
    {.name = u"Система", .kind = ChoiceList, .rect = twipsOfPixels(410, 9, 260, 22), .parent = u"Рамка1", .colour = maroon,
     .items = basisItems, .label = u"Метка6", .accessibleName = u"Система посадок"},
    {.name = u"Ряд", .kind = ChoiceList, .rect = twipsOfPixels(410, 37, 260, 22), .parent = u"Рамка1", .colour = maroon,
     .items = seriesItems, .label = u"Метка7", .accessibleName = u"Какие посадки перебирать"},
    {.name = u"Список", .kind = Table, .rect = twipsOfPixels(10, 164, 680, 240), .items = fits::columnTitles,
     .accessibleName = u"Подходящие посадки",
     .accessibleDescription = u"Enter на строке открывает посадку в окне «Посадки»"},
    {.name = u"Найдено", .kind = ResultLabel, .rect = twipsOfPixels(10, 410, 570, 22), .colour = navy,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter, .accessibleName = u"Найдено посадок"},
    {.name = u"Сообщение", .kind = ResultLabel, .rect = twipsOfPixels(10, 432, 570, 38), .colour = red,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter, .accessibleName = u"Сообщение"},
    {.name = u"Копировать", .kind = PlainButton, .rect = twipsOfPixels(590, 436, 100, 28), .text = u"Копировать",
     .background = lightGreen, .toolTip = u"Скопировать список посадок (Ctrl+C)",
     .accessibleName = u"Копировать список посадок"},
};

constexpr std::u16string_view tabOrder[] = {u"Размер", u"ЗазорНаим", u"ЗазорНаиб", u"Система",
                                            u"Ряд",    u"Список",    u"Копировать"};

} // namespace

const WindowDescription &FitSearchWindow::description()
{
    static constexpr WindowDescription window = {u"ФПодбор", u"Подбор посадки", 700 * twipsPerPixel,
                                                 476 * twipsPerPixel, controls, tabOrder};
    return window;
}

FitSearchWindow::FitSearchWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, description());
    setBackground(this, colour::grey);
    buildControls();
    load();
}

FitSearchWindow::~FitSearchWindow() = default;

void FitSearchWindow::buildControls()
{
    const Controls made = ui::buildControls(this, description());
    m_size = made.get<QLineEdit>(u"Размер");
    m_least = made.get<QLineEdit>(u"ЗазорНаим");
    m_most = made.get<QLineEdit>(u"ЗазорНаиб");
    m_basis = made.get<QComboBox>(u"Система");
    m_series = made.get<QComboBox>(u"Ряд");
    m_list = made.get<QTreeWidget>(u"Список");
    auto *header = new TitlesHeader(m_list);
    header->setStretchLastSection(m_list->header()->stretchLastSection());
    header->setDefaultAlignment(m_list->header()->defaultAlignment());
    header->setSectionsMovable(m_list->header()->sectionsMovable());
    m_list->setHeader(header);
    for (int i = 0; i < int(std::size(columnWidths)); ++i)
        m_list->setColumnWidth(i, columnWidths[i]);
    m_found = made.get<ui::ResultLabel>(u"Найдено");
    m_message = made.get<ui::ResultLabel>(u"Сообщение");
    lowerCaptions(this);

    for (QLineEdit *field : {m_size, m_least, m_most})
        connect(field, &QLineEdit::textChanged, this, [this] { recompute(); });
    for (QComboBox *list : {m_basis, m_series})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { openRow(m_list->indexOfTopLevelItem(item)); });
    m_list->installEventFilter(this);
    copyOnRequest(this, made.get<QPushButton>(u"Копировать"), {m_size, m_least, m_most, m_list},
                  [this] { return listText(); });
}

void FitSearchWindow::load()
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_size), QSignalBlocker(m_least), QSignalBlocker(m_most),
                                       QSignalBlocker(m_basis), QSignalBlocker(m_series)};
    m_size->setText(QStringLiteral("25"));
    m_least->setText(QStringLiteral("20"));
    m_most->setText(QStringLiteral("70"));
    m_basis->setCurrentIndex(int(fits::Basis::Hole));
    m_series->setCurrentIndex(int(fits::Series::Recommended));
    recompute();
}

void FitSearchWindow::setSize(const QString &size)
{
    m_size->setText(size);
}

void FitSearchWindow::recompute()
{
    const fits::FitSearch search =
        fits::searchFits(m_size->text(), m_least->text(), m_most->text(), fits::Basis(m_basis->currentIndex()),
                         fits::Series(m_series->currentIndex()));
    m_list->clear();
    m_rows.clear();
    QList<QTreeWidgetItem *> items;
    for (const fits::FoundFit &fit : search.fits) {
        auto *item = new QTreeWidgetItem(fits::rowTexts(fit));
        for (int column = 1; column < item->columnCount() - 1; ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
        m_rows.append({toQString(fit.holeLetter), toQString(fit.shaftLetter), fit.holeGrade, fit.shaftGrade});
    }
    m_list->addTopLevelItems(items);
    if (!items.isEmpty())
        m_list->setCurrentItem(items.front());
    m_searchedSize = m_size->text();
    m_found->setResult(search.fits.empty() ? QString() : fits::foundText(search.fits.size()));
    m_message->setResult(search.message);
    announce(this, search.fits.empty() ? search.message : fits::foundText(search.fits.size()));
}

void FitSearchWindow::openRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    const Opened &fit = m_rows[row];
    emit fitChosen(m_searchedSize, fit.holeLetter, fit.holeGrade, fit.shaftLetter, fit.shaftGrade);
}

QString FitSearchWindow::listText() const
{
    if (m_rows.isEmpty())
        return QString();
    QStringList lines = {fits::columnTitles().join(QLatin1Char('\t'))};
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_list->topLevelItem(i);
        QStringList cells;
        for (int column = 0; column < item->columnCount(); ++column)
            cells.append(item->text(column));
        lines.append(cells.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n'));
}

bool FitSearchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openRow(m_list->indexOfTopLevelItem(m_list->currentItem()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace merilon
