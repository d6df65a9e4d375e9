// SPDX-License-Identifier: MIT
#include "angles/angle_window.h"

#include "angles/angle_table.h"
#include "ui/controls.h"
#include "ui/speech.h"
#include "ui/window_description.h"
#include "ui/key_filter.h"
#include "core/number_text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace merilon {

using namespace ui;

namespace {

using enum ui::ControlKind;

// Форма3's controls.
constexpr ControlDescription controls[] = {
    // The lists are for choosing: nothing typed gets into them.
    {.name = u"Комбо1", .kind = List, .rect = {240, 960, 2295, 315}, .items = angles::intervalTexts,
     .keyFilter = true, .label = u"Метка2"},
    {.name = u"Комбо2", .kind = List, .rect = {1920, 1440, 615, 315}, .items = angles::degreeTexts,
     .keyFilter = true, .label = u"Метка3"},
    {.name = u"Метка1", .kind = Label, .rect = {240, 240, 1695, 495}, .text = u"Допуски углов по СТ СЭВ 178-75",
     .alignment = Qt::AlignHCenter | Qt::AlignTop},
    {.name = u"Метка2", .kind = Label, .rect = {240, 720, 2055, 255}, .text = u"Интервал длин, мм"},
    {.name = u"Метка3", .kind = Label, .rect = {240, 1440, 1815, 255}, .text = u"Степень точности"},
    {.name = u"Метка4", .kind = Label, .rect = {240, 2040, 855, 255}, .text = u"Допуск"},
    {.name = u"Текст1", .kind = ResultBox, .rect = {1320, 1890, 1215, 495}, .font = {13.5, true},
     .alignment = Qt::AlignCenter, .label = u"Метка4",
     .accessibleDescription = u"в градусах (°), минутах (') и секундах ('')"},
};

constexpr std::u16string_view tabOrder[] = {u"Комбо1", u"Комбо2", u"Текст1"};

} // namespace

const WindowDescription &AngleWindow::description()
{
    static constexpr WindowDescription window = {u"Форма3", u"Допуски углов", 2715, 2520, controls, tabOrder};
    return window;
}

AngleWindow::AngleWindow(QWidget *parent) : TiledWindow(parent)
{
    setupCaptionedWindow(this, description());
    buildControls();
    load();
}

AngleWindow::~AngleWindow() = default;

void AngleWindow::buildControls()
{
    const Controls made = ui::buildControls(this, description());
    m_interval = made.get<QComboBox>(u"Комбо1");
    m_degree = made.get<QComboBox>(u"Комбо2");
    m_result = made.get<QLineEdit>(u"Текст1");
    // The captions lie beneath the lists that they touch at the edge, so that every
    // point of a list takes the mouse.
    lowerCaptions(this);

    addTileSource(QStringLiteral(":/images/angles_tile.png"), {0, 0, 1410, 1410});

    connect(m_interval, &QComboBox::activated, this, [this] { showTolerance(); });
    connect(m_degree, &QComboBox::activated, this, [this] { showTolerance(); });
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
    announce(this, spokenResults({m_result}));
}

} // namespace merilon
