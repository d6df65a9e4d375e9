// SPDX-License-Identifier: MIT
#include "form_position/form_position_window.h"

#include "ui/controls.h"
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

} // namespace

FormPositionWindow::FormPositionWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, QStringLiteral("Форма5"), QStringLiteral("Допуски формы и расположения"),
                         4965, tallHeight);
    buildControls();
    load();
}

FormPositionWindow::~FormPositionWindow() = default;

void FormPositionWindow::buildControls()
{
    m_value = new ResultBox(QStringLiteral("Текст1"), QStringLiteral("Текст1"), {2520, 1920, 735, 360},
                            ResultBox::Keys::DeleteOnly, ResultBox::Frame::TextBox, this);
    m_value->setFont(ui::font(12, true));
    setTextColour(m_value, purple);

    m_interval = addCombo(this, QStringLiteral("Комбо2"), {2280, 1200, 2295, 288});
    m_interval->setEditText(QStringLiteral("Комбо2"));
    setTextColour(m_interval, darkNavy);

    m_degree = addCombo(this, QStringLiteral("Комбо3"), {2280, 1560, 735, 288}, fp::degreeTexts());

    m_type = addCombo(this, QStringLiteral("Комбо1"), {1320, 720, 3255, 288}, fp::typeTexts());
    setTextColour(m_type, maroon);

    m_notes = new QPlainTextEdit(this);
    m_notes->setObjectName(QStringLiteral("Текст2"));
    m_notes->setGeometry(rectTwips(120, 2520, 4695, 975));
    m_notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes->setTabChangesFocus(true);
    m_notes->setPlainText(withPlainLineBreaks(toQString(fp::radialRunOutNotes)));
    setTextColour(m_notes, red);

    m_unit = addLabel(this, QStringLiteral("Метка6"), toQString(fp::micrometreUnit), {3360, 1920, 855, 375});
    m_unit->setFont(ui::font(12, true));
    setTextColour(m_unit, purple);

    QLabel *valueCaption =
        addLabel(this, QStringLiteral("Метка5"), QStringLiteral("Значение допуска"), {240, 1920, 2295, 255});
    valueCaption->setFont(ui::font(9.75, true));
    setTextColour(valueCaption, purple);

    setTextColour(addLabel(this, QStringLiteral("Метка4"), QStringLiteral("Допуск "), {480, 720, 855, 255},
                           Qt::AlignRight | Qt::AlignTop),
                  maroon);
    addLabel(this, QStringLiteral("Метка3"), QStringLiteral("Степень точности"), {240, 1560, 1695, 255});
    setTextColour(addLabel(this, QStringLiteral("Метка2"), QStringLiteral("Номинальный размер"),
                           {240, 1200, 2055, 255}),
                  darkNavy);
    setTextColour(addLabel(this, QStringLiteral("Метка1"),
                           QStringLiteral("Допуски формы и расположения поверхностей по ГОСТ 24643-81"),
                           {480, 120, 3735, 495}, Qt::AlignHCenter | Qt::AlignTop),
                  navy);
    // The captions lie beneath the lists and the value box that they touch at the
    // edge, so that every point of those takes the mouse.
    lowerCaptions(this);

    for (QWidget *field : std::initializer_list<QWidget *>{m_type, m_interval, m_degree, m_notes})
        applyKeyFilter(field);
    setAccessibleTexts(this, {{.control = u"Комбо1", .label = u"Метка4"},
                              {.control = u"Комбо2", .label = u"Метка2"},
                              {.control = u"Комбо3", .label = u"Метка3"},
                              {u"Текст1", u"Метка5", {}, u"в микрометрах"},
                              {.control = u"Текст2", .name = u"Примечание"}});

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

    setTabOrder(m_type, m_interval);
    setTabOrder(m_interval, m_degree);
    setTabOrder(m_degree, m_value);
    setTabOrder(m_value, m_notes);
    m_type->setFocus();
}

void FormPositionWindow::load()
{
    setBackground(this, cream);
    setBackground(m_notes, cream);

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
}

} // namespace merilon
