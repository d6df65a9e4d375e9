// SPDX-License-Identifier: MIT
#include "angles/angle_window.h"

#include "angles/angle_table.h"
#include "ui/controls.h"
#include "ui/key_filter.h"
#include "core/number_text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace merilon {

using namespace ui;

AngleWindow::AngleWindow(QWidget *parent) : TiledWindow(parent)
{
    setupCaptionedWindow(this, QStringLiteral("Форма3"), QStringLiteral("Допуски углов"), 2715, 2520);
    buildControls();
    load();
}

AngleWindow::~AngleWindow() = default;

void AngleWindow::buildControls()
{
    m_interval = addCombo(this, QStringLiteral("Комбо1"), {240, 960, 2295, 315}, angles::intervalTexts());
    m_degree = addCombo(this, QStringLiteral("Комбо2"), {1920, 1440, 615, 315}, angles::degreeTexts());

    addLabel(this, QStringLiteral("Метка1"), QStringLiteral("Допуски углов по СТ СЭВ 178-75"),
             {240, 240, 1695, 495}, Qt::AlignHCenter | Qt::AlignTop);
    addLabel(this, QStringLiteral("Метка2"), QStringLiteral("Интервал длин, мм"), {240, 720, 2055, 255});
    addLabel(this, QStringLiteral("Метка3"), QStringLiteral("Степень точности"), {240, 1440, 1815, 255});
    addLabel(this, QStringLiteral("Метка4"), QStringLiteral("Допуск"), {240, 2040, 855, 255});
    // The captions lie beneath the lists that they touch at the edge, so that every
    // point of a list takes the mouse.
    lowerCaptions(this);

    m_result = new ResultBox(QStringLiteral("Текст1"), QString(), {1320, 1890, 1215, 495},
                             ResultBox::Keys::DeleteOnly, ResultBox::Frame::TextBox, this);
    m_result->setAlignment(Qt::AlignCenter);
    m_result->setFont(ui::font(13.5, true));

    addTileSource(QStringLiteral(":/images/angles_tile.png"), {0, 0, 1410, 1410});

    // The lists are for choosing: nothing typed gets into them.
    for (QComboBox *field : {m_interval, m_degree})
        applyKeyFilter(field);

    connect(m_interval, &QComboBox::activated, this, [this] { showTolerance(); });
    connect(m_degree, &QComboBox::activated, this, [this] { showTolerance(); });

    setTabOrder(m_interval, m_degree);
    setTabOrder(m_degree, m_result);
    setAccessibleTexts(this, {{.control = u"Комбо1", .label = u"Метка2"},
                              {.control = u"Комбо2", .label = u"Метка3"},
                              {u"Текст1", u"Метка4", {}, u"в градусах (°), минутах (') и секундах ('')"}});
    m_interval->setFocus();
}

void AngleWindow::load()
{
    setComboText(m_interval, QStringLiteral("до 10"));
    setComboText(m_degree, numberText(8));
    showTolerance();
}

void AngleWindow::showTolerance()
{
    // A degree text that is no degree (its list's text erased) finds no cell either.
    const std::optional<int> degree = wholeNumber(m_degree->currentText(), angles::firstDegree, angles::lastDegree);
    if (!degree)
        return;
    if (const auto cell = angles::angleTolerance(m_interval->currentText(), *degree))
        m_result->setText(toQString(*cell));
}

} // namespace merilon
