// SPDX-License-Identifier: MIT
#include "form_position/form_position_window.h"

#include "ui/controls.h"
#include "ui/speech.h"
#include "ui/window_description.h"
#include "ui/key_filter.h"
#include "core/number_text.h"
#include "form_position/form_position_tables.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace merilon {

using namespace ui;
namespace fp = form_position;

namespace {

using namespace ui::colour;

// Client heights of the window, with the notes (RadialRunOut) and without them: the
// outer heights of 4300 and 3100 twips less 475 twips of caption and border.
constexpr int tallHeight = 3825;
constexpr int shortHeight = 2625;

// Writes a found value and its unit; a choice that names no value changes nothing.
void showValue(QLineEdit *value, QLabel *unit, const std::optional<fp::Shown> &shown)
{
    if (!shown)
        return;
    value->setText(shown->value);
    unit->setText(shown->unit);
    value->setAccessibleDescription(shown->unit == toQString(fp::micrometreUnit) ? QStringLiteral("в микрометрах")
                                                                                  : QStringLiteral("в миллиметрах"));
}

using enum ui::ControlKind;

// Форма5's controls.
constexpr ControlDescription controls[] = {
    {.name = u"Текст1", .kind = ResultBox, .rect = {2520, 1920, 735, 360}, .text = u"Текст1", .colour = purple,
     .font = {12, true}, .label = u"Метка5", .accessibleDescription = u"в микрометрах"},
    {.name = u"Комбо2", .kind = List, .rect = {2280, 1200, 2295, 288}, .text = u"Комбо2", .colour = darkNavy,
     .keyFilter = true, .label = u"Метка2"},
    {.name = u"Комбо3", .kind = List, .rect = {2280, 1560, 735, 288}, .items = fp::degreeTexts,
     .keyFilter = true, .label = u"Метка3"},
    {.name = u"Комбо1", .kind = List, .rect = {1320, 720, 3255, 288}, .colour = maroon,
     .items = fp::typeTexts, .keyFilter = true, .label = u"Метка4"},
    {.name = u"Текст2", .kind = TextArea, .rect = {120, 2520, 4695, 975}, .text = fp::radialRunOutNotes,
     .colour = red, .background = cream, .keyFilter = true, .accessibleName = u"Примечание"},
    {.name = u"Метка6", .kind = Label, .rect = {3360, 1920, 855, 375}, .text = fp::micrometreUnit,
     .colour = purple, .font = {12, true}},
    {.name = u"Метка5", .kind = Label, .rect = {240, 1920, 2295, 255}, .text = u"Значение допуска",
     .colour = purple, .font = {9.75, true}},
    {.name = u"Метка4", .kind = Label, .rect = {480, 720, 855, 255}, .text = u"Допуск ", .colour = maroon,
     .alignment = Qt::AlignRight | Qt::AlignTop},
    {.name = u"Метка3", .kind = Label, .rect = {240, 1560, 1695, 255}, .text = u"Степень точности"},
    {.name = u"Метка2", .kind = Label, .rect = {240, 1200, 2055, 255}, .text = u"Номинальный размер",
     .colour = darkNavy},
    {.name = u"Метка1", .kind = Label, .rect = {480, 120, 3735, 495},
     .text = u"Допуски формы и расположения поверхностей по ГОСТ 24643-81", .colour = navy,
     .alignment = Qt::AlignHCenter | Qt::AlignTop},
};

constexpr std::u16string_view tabOrder[] = {u"Комбо1", u"Комбо2", u"Комбо3", u"Текст1", u"Текст2"};

} // namespace

const WindowDescription &FormPositionWindow::description()
{
    static constexpr WindowDescription window = {u"Форма5", u"Допуски формы и расположения", 4965, tallHeight, controls, tabOrder};
    return window;
}

FormPositionWindow::FormPositionWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, description());
    buildControls();
    load();
}

FormPositionWindow::~FormPositionWindow() = default;

void FormPositionWindow::buildControls()
{
    const Controls made = ui::buildControls(this, description());
    m_value = made.get<QLineEdit>(u"Текст1");
    m_interval = made.get<QComboBox>(u"Комбо2");
    m_degree = made.get<QComboBox>(u"Комбо3");
    m_type = made.get<QComboBox>(u"Комбо1");
    m_notes = made.get<QPlainTextEdit>(u"Текст2");
    m_unit = made.get<QLabel>(u"Метка6");
    // The captions lie beneath the lists and the value box that they touch at the
    // edge, so that every point of those takes the mouse.
    lowerCaptions(this);

    connect(m_type, &QComboBox::activated, this, [this] {
        readType();
        refillIntervals();
        showTolerance();
        fitHeightToNotes();
    });
    connect(m_interval, &QComboBox::activated, this, [this] {
        readType();
        showTolerance();
        fitHeightToNotes();
    });
    connect(m_degree, &QComboBox::activated, this, [this] {
        readType();
        showTolerance();
        fitHeightToNotes();
    });
}

void FormPositionWindow::load()
{
    setBackground(this, cream);

    setComboText(m_type, QStringLiteral("радиального биения"));
    setComboText(m_degree, QString::number(7));
    readType();
    refillIntervals();
    showTolerance();
    fitHeightToNotes();
}

void FormPositionWindow::showLengthTolerance()
{
    showValue(m_value, m_unit, fp::lengthTolerance(m_table, m_interval->currentText(), m_degree->currentText()));
}

void FormPositionWindow::showDiameterTolerance()
{
    showValue(m_value, m_unit,
              fp::diameterTolerance(m_table, m_interval->currentText(), m_degree->currentText()));
}

void FormPositionWindow::readType()
{
    if (const fp::ToleranceType *type = fp::findType(m_type->currentText())) {
        m_intervals = type->intervals;
        m_table = type->table;
    }
}

void FormPositionWindow::refillIntervals()
{
    m_interval->clear();
    m_interval->addItems(intervalTexts(m_intervals));
    setComboText(m_interval, firstInterval(m_intervals));
}

void FormPositionWindow::fitHeightToNotes()
{
    const bool notes = m_table == fp::Table::RadialRunOut;
    setFixedHeight(px(notes ? tallHeight : shortHeight));
    m_notes->setVisible(notes);
}

void FormPositionWindow::showTolerance()
{
    if (m_table == fp::Table::Flatness || m_table == fp::Table::Parallelism)
        showLengthTolerance();
    else
        showDiameterTolerance();
    announce(this, spokenResults({m_value}));
}

} // namespace merilon
