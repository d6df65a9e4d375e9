// SPDX-License-Identifier: MIT
#include "symbols/symbol_chart.h"

#include "ui/controls.h"
#include "ui/window_description.h"
#include "core/number_text.h"
#include "symbols/symbol_texts.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <vector>

namespace merilon {

using namespace ui;

namespace {

constexpr int columns = 5;
constexpr int firstLeft = 360; // of the grid inside `Рамка1`, in twips
constexpr int firstTop = 240;
constexpr int columnStep = 720;
constexpr int rowStep = 360;
constexpr int symbolWidth = 705;
constexpr int symbolHeight = 345;

using enum ui::ControlKind;

constexpr QColor black(0, 0, 0);
constexpr QColor chartGreen(220, 255, 215);
constexpr QColor symbolBlue(230, 230, 255);
constexpr QColor textYellow(255, 255, 210);

// The frames, and their texts read out under the frames' captions. The texts are
// black whatever their frame's caption colour.
constexpr ControlDescription frames[] = {
    {.name = u"Рамка3", .kind = Frame, .rect = {120, 3120, 4335, 975}, .text = u"Вид допуска (наименование)",
     .colour = colour::red, .background = textYellow},
    {.name = u"Метка3", .kind = ResultLabel, .rect = {120, 240, 4095, 615}, .parent = u"Рамка3",
     .text = u"Метка3", .colour = black, .accessibleName = u"Вид допуска (наименование)"},
    {.name = u"Рамка2", .kind = Frame, .rect = {120, 2400, 4335, 615}, .text = u"Группа", .colour = colour::red,
     .background = textYellow},
    {.name = u"Метка2", .kind = ResultLabel, .rect = {120, 240, 4095, 255}, .parent = u"Рамка2",
     .text = u"Метка2", .colour = black, .accessibleName = u"Группа"},
    {.name = u"Рамка1", .kind = Frame, .rect = {120, 840, 4335, 1455}, .colour = colour::red,
     .background = symbolBlue},
};

constexpr ControlDescription heading = {
    .name = u"Метка1", .kind = ResultLabel, .rect = {480, 120, 3615, 615},
    .text = u"Указание на чертежах предельных отклонений формы и расположения поверхностей по ГОСТ 2.308-79",
    .colour = black, .alignment = Qt::AlignHCenter | Qt::AlignTop};

constexpr std::u16string_view pictureNames[] = {
    u"Изображение1",  u"Изображение2",  u"Изображение3",  u"Изображение4",  u"Изображение5",
    u"Изображение6",  u"Изображение7",  u"Изображение8",  u"Изображение9",  u"Изображение10",
    u"Изображение11", u"Изображение12", u"Изображение13", u"Изображение14", u"Изображение15"};
static_assert(std::size(pictureNames) == std::tuple_size_v<decltype(symbols::chart)>);

// Форма2's controls: the frames, the chart's pictures in a grid inside `Рамка1`
// (made from the last to the first, each read out as its group and its name) and the
// heading.
const std::vector<ControlDescription> &controls()
{
    static const std::vector<ControlDescription> all = [] {
        std::vector<ControlDescription> list(std::begin(frames), std::end(frames));
        for (std::size_t i = symbols::chart.size(); i-- > 0;) {
            const int column = static_cast<int>(i) % columns;
            const int row = static_cast<int>(i) / columns;
            list.push_back({.name = pictureNames[i], .kind = Picture,
                            .rect = {firstLeft + column * columnStep, firstTop + row * rowStep, symbolWidth,
                                     symbolHeight},
                            .parent = u"Рамка1", .text = symbols::chart[i].picture,
                            .accessibleDescription = symbols::chart[i].group});
        }
        list.push_back(heading);
        return list;
    }();
    return all;
}

// A dotted frame around the focused symbol, in the pixel of free space around it.
class FocusMark final : public QWidget
{
public:
    explicit FocusMark(QWidget *frame) : QWidget(frame)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// The symbol the arrow key leads to from symbol `i`, in reading order; `i` where the
// chart ends.
std::size_t symbolAfterKey(std::size_t i, int key)
{
    const std::size_t count = symbols::chart.size();
    switch (key) {
    case Qt::Key_Left:
        return i > 0 ? i - 1 : i;
    case Qt::Key_Right:
        return i + 1 < count ? i + 1 : i;
    case Qt::Key_Up:
        return i >= columns ? i - columns : i;
    case Qt::Key_Down:
        return i + columns < count ? i + columns : i;
    default:
        return i;
    }
}

} // namespace

const WindowDescription &SymbolChart::description()
{
    static const WindowDescription window = {u"Форма2", u"Допуски (знаки)", 4560, 4185, controls(), pictureNames};
    return window;
}

SymbolChart::SymbolChart(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, description());
    setMouseTracking(true);
    buildControls();
    load();
}

SymbolChart::~SymbolChart() = default;

void SymbolChart::buildControls()
{
    const Controls made = ui::buildControls(this, description());
    m_nameFrame = made.get<QGroupBox>(u"Рамка3");
    m_name = made.get<ui::ResultLabel>(u"Метка3");
    m_groupFrame = made.get<QGroupBox>(u"Рамка2");
    m_group = made.get<ui::ResultLabel>(u"Метка2");
    m_symbolFrame = made.get<QGroupBox>(u"Рамка1");
    // The texts are deaf to the mouse, so that the pointer resting on one leaves
    // them as they are.
    for (QWidget *text : {made[u"Метка3"], made[u"Метка2"], made[u"Метка1"]})
        text->setAttribute(Qt::WA_NoMousePropagation);
    for (std::size_t i = 0; i < m_symbols.size(); ++i) {
        m_symbols[i] = made.get<QLabel>(pictureNames[i]);
        // Read out as the symbol's group and name, its lines one after another.
        m_symbols[i]->setAccessibleName(
            toQString(symbols::chart[i].name).replace(toQString(lineBreak), QStringLiteral("; ")).trimmed());
    }
    for (QWidget *watched : std::initializer_list<QWidget *>{m_nameFrame, m_groupFrame, m_symbolFrame})
        watched->setMouseTracking(true);
    // The symbols take the focus from the keyboard in reading order (the tab order),
    // by Tab and by the arrow keys.
    for (QLabel *picture : m_symbols) {
        picture->setMouseTracking(true);
        picture->installEventFilter(this);
    }
    m_focusMark = new FocusMark(m_symbolFrame);
    for (QGroupBox *frame : {m_nameFrame, m_groupFrame, m_symbolFrame})
        frame->installEventFilter(this);
}

void SymbolChart::load()
{
    setBackground(this, chartGreen);
    showIdleTexts();
}

void SymbolChart::showIdleTexts()
{
    m_group->setResult(QString());
    m_name->setResult(toQString(symbols::idleName));
}

void SymbolChart::mouseMoveEvent(QMouseEvent *)
{
    showIdleTexts();
}

void SymbolChart::showSymbolTexts(std::size_t i)
{
    m_group->setResult(toQString(symbols::chart[i].group));
    m_name->setResult(toQString(symbols::chart[i].name));
}

bool SymbolChart::eventFilter(QObject *watched, QEvent *event)
{
    const auto symbol = std::find(m_symbols.begin(), m_symbols.end(), watched);
    if (symbol != m_symbols.end()) {
        const auto i = static_cast<std::size_t>(symbol - m_symbols.begin());
        switch (event->type()) {
        case QEvent::MouseMove:
            showSymbolTexts(i);
            return true;
        case QEvent::FocusIn:
            m_focusMark->setGeometry((*symbol)->geometry().adjusted(-1, -1, 1, 1));
            m_focusMark->raise();
            m_focusMark->show();
            // Reached from the keyboard, a symbol shows its texts as the pointer on it
            // does; the window opening on the first keeps the hint.
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason)
                showSymbolTexts(i);
            break;
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason)
                m_focusMark->hide();
            break;
        case QEvent::KeyPress: {
            const auto *key = static_cast<QKeyEvent *>(event);
            const std::size_t next = key->modifiers() & ~Qt::KeypadModifier ? i : symbolAfterKey(i, key->key());
            if (next != i) {
                m_symbols[next]->setFocus(Qt::OtherFocusReason);
                return true;
            }
            break;
        }
        default:
            break;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    if (watched == m_nameFrame || watched == m_groupFrame || watched == m_symbolFrame) {
        showIdleTexts();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace merilon
