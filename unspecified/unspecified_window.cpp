// SPDX-License-Identifier: MIT
#include "unspecified/unspecified_window.h"

#include "ui/controls.h"
#include "ui/speech.h"
#include "ui/window_description.h"
#include "core/number_text.h"
#include "unspecified/unspecified_tables.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <optional>

namespace merilon {

using namespace ui;

namespace {

using namespace ui::colour;
using enum ui::ControlKind;

QStringList diameterTexts()
{
    return intervalTexts(IntervalList::Diameters);
}

// Форма4's controls. The selectors' heights follow from the font, as on the main
// window.
constexpr ControlDescription controls[] = {
    {.name = u"Рамка3", .kind = Frame, .rect = {120, 2760, 4695, 2775}, .text = u"Примечание", .colour = red,
     .background = cream},
    {.name = u"Метка7", .kind = ResultLabel, .rect = {120, 240, 4455, 2415}, .parent = u"Рамка3",
     .text = u"Метка7", .accessibleName = u"Примечание"},
    {.name = u"Комбо1", .kind = List, .rect = {1320, 840, 2532, 315}, .text = u"Комбо1", .colour = maroon,
     .items = unspecified::kindTexts, .label = u"Метка4"},
    {.name = u"Комбо3", .kind = List, .rect = {2280, 1680, 972, 315}, .items = unspecified::accuracyGroupTexts,
     .label = u"Метка3"},
    {.name = u"Комбо2", .kind = List, .rect = {2280, 1320, 2295, 315}, .text = u"Комбо2", .colour = darkNavy,
     .items = diameterTexts, .label = u"Метка2"},
    // The program writes the value; the user may select and copy it.
    {.name = u"Текст1", .kind = ReadOnlyBox, .rect = {2520, 2160, 855, 360}, .text = u"Текст1", .colour = purple,
     .font = {12, true}, .label = u"Метка5", .accessibleDescription = u"в миллиметрах"},
    {.name = u"Метка1", .kind = Label, .rect = {480, 120, 3732, 492},
     .text = u"Неуказанные допуски формы и расположения поверхностей", .colour = navy,
     .alignment = Qt::AlignHCenter | Qt::AlignTop},
    {.name = u"Метка2", .kind = Label, .rect = {240, 1320, 2052, 252}, .text = u"Номинальный размер",
     .colour = darkNavy},
    {.name = u"Метка3", .kind = Label, .rect = {240, 1680, 1692, 252}, .text = u"Степень точности"},
    {.name = u"Метка4", .kind = Label, .rect = {480, 840, 852, 252}, .text = u"Допуск ", .colour = maroon,
     .alignment = Qt::AlignRight | Qt::AlignTop},
    {.name = u"Метка5", .kind = Label, .rect = {240, 2160, 2292, 252}, .text = u"Значение допуска",
     .colour = purple, .font = {9.75, true}},
    {.name = u"Метка6", .kind = Label, .rect = {3480, 2160, 855, 375}, .text = u"мм", .colour = purple,
     .font = {12, true}},
};

constexpr std::u16string_view tabOrder[] = {u"Комбо1", u"Комбо2", u"Комбо3", u"Текст1", u"Метка7"};

} // namespace

const WindowDescription &UnspecifiedWindow::description()
{
    static constexpr WindowDescription window = {u"Форма4", u"Неуказанные допуски", 4935, 5640, controls, tabOrder};
    return window;
}

UnspecifiedWindow::UnspecifiedWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, description());
    setBackground(this, grey);
    buildControls();
    load();
}

UnspecifiedWindow::~UnspecifiedWindow() = default;

void UnspecifiedWindow::buildControls()
{
    const QColor plainText = palette().color(QPalette::WindowText);
    const Controls made = ui::buildControls(this, description());
    m_notesFrame = made.get<QGroupBox>(u"Рамка3");
    m_notes = made.get<ui::ResultLabel>(u"Метка7");
    // The notes take the focus, so that the keyboard and a screen reader reach them.
    m_notes->setFocusPolicy(Qt::StrongFocus);
    setTextColour(m_notes, plainText); // the red belongs to the frame's caption only
    m_kind = made.get<QComboBox>(u"Комбо1");
    m_group = made.get<QComboBox>(u"Комбо3");
    m_interval = made.get<QComboBox>(u"Комбо2");
    m_value = made.get<QLineEdit>(u"Текст1");
    // Labels lie beneath the other controls, which some of them touch at the edge.
    lowerCaptions(this);

    // Only a choice from a list runs the window's procedures; typing runs nothing.
    connect(m_kind, &QComboBox::activated, this, [this] {
        readKind();
        refillIntervals();
        showValue();
    });
    connect(m_interval, &QComboBox::activated, this, [this] { showValue(); });
    connect(m_group, &QComboBox::activated, this, [this] { showValue(); });

}

void UnspecifiedWindow::load()
{
    setComboText(m_kind, QStringLiteral("радиального биения"));
    m_intervals = IntervalList::Diameters;
    m_table = unspecified::Table::Axes;
    setComboText(m_interval, QStringLiteral("до 3"));
    setComboText(m_group, QStringLiteral("12"));
    // The first cell of the axes table ("до 3", "12"), written as it stands.
    m_value->setText(numberText(unspecified::axisRows.front().mm.front()));
    readKind();
}

void UnspecifiedWindow::showValue()
{
    if (const std::optional<QString> text =
            unspecified::valueText(m_table, m_interval->currentText(), m_group->currentText()))
        m_value->setText(*text);
    announce(this, spokenResults({m_value}));
}

void UnspecifiedWindow::readKind()
{
    if (const std::optional<unspecified::Kind> kind = unspecified::kindOf(m_kind->currentText())) {
        m_intervals = kind->intervals;
        m_table = kind->table;
    }
    m_notes->setResult(unspecified::notes(m_table));
}

void UnspecifiedWindow::refillIntervals()
{
    m_interval->clear();
    m_interval->addItems(intervalTexts(m_intervals));
    setComboText(m_interval, firstInterval(m_intervals));
}

} // namespace merilon
