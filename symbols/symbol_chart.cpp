// SPDX-License-Identifier: MIT
#include "symbols/symbol_chart.h"

#include "ui/controls.h"
#include "core/number_text.h"
#include "symbols/symbol_texts.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

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

// A text label: black whatever its frame's caption colour, and deaf to the mouse,
// so that the pointer resting on it leaves the texts as they are.
ResultLabel *addTextLabel(QWidget *parent, const QString &name, const QString &text, QRect twips)
{
    auto *label = new ResultLabel(name, text, twips, parent);
    setTextColour(label, Qt::black);
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

QGroupBox *addColouredFrame(QWidget *parent, const QString &name, const QString &caption, QRect twips)
{
    QGroupBox *frame = addFrame(parent, name, caption, twips);
    setTextColour(frame, colour::red);
    frame->setMouseTracking(true);
    return frame;
}

} // namespace

SymbolChart::SymbolChart(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, QStringLiteral("Форма2"), QStringLiteral("Допуски (знаки)"), 4560, 4185);
    setMouseTracking(true);
    buildControls();
    load();
}

SymbolChart::~SymbolChart() = default;

void SymbolChart::buildControls()
{
    m_nameFrame = addColouredFrame(this, QStringLiteral("Рамка3"), QStringLiteral("Вид допуска (наименование)"),
                                   {120, 3120, 4335, 975});
    m_name = addTextLabel(m_nameFrame, QStringLiteral("Метка3"), QStringLiteral("Метка3"), {120, 240, 4095, 615});
    m_groupFrame = addColouredFrame(this, QStringLiteral("Рамка2"), QStringLiteral("Группа"), {120, 2400, 4335, 615});
    m_group = addTextLabel(m_groupFrame, QStringLiteral("Метка2"), QStringLiteral("Метка2"), {120, 240, 4095, 255});
    // Read out under their frames' captions.
    m_name->setAccessibleName(m_nameFrame->title());
    m_group->setAccessibleName(m_groupFrame->title());
    m_symbolFrame = addColouredFrame(this, QStringLiteral("Рамка1"), QString(), {120, 840, 4335, 1455});

    for (int i = static_cast<int>(m_symbols.size()) - 1; i >= 0; --i) {
        auto *image = new QLabel(m_symbolFrame);
        image->setObjectName(QStringLiteral("Изображение%1").arg(i + 1));
        image->setPixmap(QPixmap(toQString(symbols::chart[static_cast<std::size_t>(i)].picture)));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setGeometry(rectTwips(firstLeft + (i % columns) * columnStep, firstTop + (i / columns) * rowStep,
                                     symbolWidth, symbolHeight));
        image->setMouseTracking(true);
        image->installEventFilter(this);
        // Read out as the symbol's group and name, its lines one after another.
        const symbols::Symbol &symbol = symbols::chart[static_cast<std::size_t>(i)];
        image->setAccessibleName(toQString(symbol.name).replace(toQString(lineBreak), QStringLiteral("; ")).trimmed());
        image->setAccessibleDescription(toQString(symbol.group));
        m_symbols[static_cast<std::size_t>(i)] = image;
    }

    addTextLabel(this, QStringLiteral("Метка1"),
                 QStringLiteral("Указание на чертежах предельных отклонений формы и расположения "
                                "поверхностей по ГОСТ 2.308-79"),
                 {480, 120, 3615, 615})
        ->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    for (QGroupBox *frame : {m_nameFrame, m_groupFrame, m_symbolFrame})
        frame->installEventFilter(this);
}

void SymbolChart::load()
{
    setBackground(this, QColor(220, 255, 215));
    setBackground(m_symbolFrame, QColor(230, 230, 255));
    setBackground(m_groupFrame, QColor(255, 255, 210));
    setBackground(m_nameFrame, QColor(255, 255, 210));
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

bool SymbolChart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    for (std::size_t i = 0; i < m_symbols.size(); ++i) {
        if (watched == m_symbols[i]) {
            showIdleTexts();
            m_group->setResult(toQString(symbols::chart[i].group));
            m_name->setResult(toQString(symbols::chart[i].name));
            return true;
        }
    }
    if (watched == m_nameFrame || watched == m_groupFrame || watched == m_symbolFrame) {
        showIdleTexts();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace merilon
