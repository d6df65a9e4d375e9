// SPDX-License-Identifier: MIT
#include "unspecified/unspecified_window.h"

#include "ui/controls.h"
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

} // namespace

UnspecifiedWindow::UnspecifiedWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, QStringLiteral("Форма4"), QStringLiteral("Неуказанные допуски"), 4935, 5640);
    setBackground(this, grey);
    buildControls();
    load();
}

UnspecifiedWindow::~UnspecifiedWindow() = default;

void UnspecifiedWindow::buildControls()
{
    const QColor plainText = palette().color(QPalette::WindowText);

    m_notesFrame = addFrame(this, QStringLiteral("Рамка3"), QStringLiteral("Примечание"), {120, 2760, 4695, 2775});
    setTextColour(m_notesFrame, red);
    m_notes = new ResultLabel(QStringLiteral("Метка7"), QStringLiteral("Метка7"), {120, 240, 4455, 2415}, m_notesFrame);
    setTextColour(m_notes, plainText); // the red belongs to the frame's caption only

    // The selectors' heights follow from the font, as on the main window.
    m_kind = addCombo(this, QStringLiteral("Комбо1"), {1320, 840, 2532, 315}, unspecified::kindTexts());
    setComboText(m_kind, QStringLiteral("Комбо1"));
    setTextColour(m_kind, maroon);
    m_group = addCombo(this, QStringLiteral("Комбо3"), {2280, 1680, 972, 315}, unspecified::accuracyGroupTexts());
    m_interval = addCombo(this, QStringLiteral("Комбо2"), {2280, 1320, 2295, 315},
                          intervalTexts(IntervalList::Diameters));
    setComboText(m_interval, QStringLiteral("Комбо2"));
    setTextColour(m_interval, darkNavy);

    // The program writes the value; the user may select and copy it.
    m_value = new ResultBox(QStringLiteral("Текст1"), QStringLiteral("Текст1"), {2520, 2160, 855, 360},
                            ResultBox::Keys::None, ResultBox::Frame::TextBox, this);
    m_value->setFont(ui::font(12, true));
    setTextColour(m_value, purple);

    QLabel *heading = addLabel(this, QStringLiteral("Метка1"),
                               QStringLiteral("Неуказанные допуски формы и расположения поверхностей"),
                               {480, 120, 3732, 492}, Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(heading, navy);
    QLabel *size = addLabel(this, QStringLiteral("Метка2"), QStringLiteral("Номинальный размер"),
                            {240, 1320, 2052, 252});
    setTextColour(size, darkNavy);
    addLabel(this, QStringLiteral("Метка3"), QStringLiteral("Степень точности"), {240, 1680, 1692, 252});
    QLabel *kind = addLabel(this, QStringLiteral("Метка4"), QStringLiteral("Допуск "), {480, 840, 852, 252},
                            Qt::AlignRight | Qt::AlignTop);
    setTextColour(kind, maroon);
    QLabel *valueLabel = addLabel(this, QStringLiteral("Метка5"), QStringLiteral("Значение допуска"),
                                  {240, 2160, 2292, 252});
    valueLabel->setFont(ui::font(9.75, true));
    setTextColour(valueLabel, purple);
    QLabel *unit = addLabel(this, QStringLiteral("Метка6"), QStringLiteral("мм"), {3480, 2160, 855, 375});
    unit->setFont(ui::font(12, true));
    setTextColour(unit, purple);
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

    setTabOrder(m_kind, m_interval);
    setTabOrder(m_interval, m_group);
    setTabOrder(m_group, m_value);
    setAccessibleTexts(this, {{.control = u"Комбо1", .label = u"Метка4"},
                              {.control = u"Комбо2", .label = u"Метка2"},
                              {.control = u"Комбо3", .label = u"Метка3"},
                              {u"Текст1", u"Метка5", {}, u"в миллиметрах"}});
    m_notes->setAccessibleName(m_notesFrame->title());
    m_kind->setFocus();
}

void UnspecifiedWindow::load()
{
    setBackground(m_notesFrame, cream);
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
