// SPDX-License-Identifier: MIT
#include "ui/controls.h"

#include "ui/key_filter.h"
#include "core/number_text.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>
#include <QStyleOptionButton>
#include <cmath>

namespace merilon::ui {

int px(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

QRect pixelsOf(const Twips &twips)
{
    const int l = px(twips.left);
    const int t = px(twips.top);
    return QRect(l, t, px(twips.left + twips.width) - l, px(twips.top + twips.height) - t);
}

void setupCaptionedWindow(QWidget *window, const QString &name, const QString &caption,
                          int widthTwips, int heightTwips)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowCloseButtonHint);
    window->setWindowIcon(windowIcon());
    window->setFont(windowFont());
    window->setFixedSize(px(widthTwips), px(heightTwips));
}

QPixmap resourcePicture(const QString &path)
{
    QPixmap picture;
    if (!QPixmapCache::find(path, &picture)) {
        picture.load(path);
        QPixmapCache::insert(path, picture);
    }
    return picture;
}

QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const Twips &twips,
                 Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(pixelsOf(twips));
    label->setAlignment(alignment);
    label->setWordWrap(true);
    label->setAutoFillBackground(false);
    return label;
}

QGroupBox *addFrame(QWidget *parent, const QString &name, const QString &caption, const Twips &twips)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(pixelsOf(twips));
    frame->setFlat(false);
    return frame;
}

QComboBox *addCombo(QWidget *parent, const QString &name, const Twips &twips, const QStringList &items)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    // An editable combo box counts a typed text that equals one of its items as
    // chosen when the field loses the focus or takes Return. Here only a choice from
    // the list (with the mouse or the arrow keys) is a choice; editing runs nothing.
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
    chooseByWheelOnlyWithFocus(combo);
    combo->setMaxVisibleItems(16);
    combo->addItems(items);
    combo->setGeometry(pixelsOf(twips));
    return combo;
}

namespace {
// Lets a wheel turn reach a list only while that list has the keyboard focus.
class WheelGuard final : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return event->type() == QEvent::Wheel && !static_cast<QWidget *>(watched)->hasFocus();
    }
};

// The one guard of every list, made by setUpControls().
WheelGuard *wheelGuard = nullptr;
} // namespace

void chooseByWheelOnlyWithFocus(QComboBox *combo)
{
    if (!wheelGuard)
        qFatal("ui::setUpApplication() has not run");
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->installEventFilter(wheelGuard);
}

void lowerCaptions(QWidget *window)
{
    for (QLabel *caption : window->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        caption->lower();
}

ResultBox::ResultBox(const QString &name, const QString &text, const Twips &twips, Keys keys, Frame frame,
                     QWidget *parent)
    : QLineEdit(text, parent), m_frame(frame)
{
    setObjectName(name);
    setGeometry(pixelsOf(twips));
    setReadOnly(keys == Keys::None);
    if (frame == Frame::SunkenPanel) {
        // The panel's one-pixel border is painted below; the margins put the text
        // where a bordered caption of this height centres it.
        setFrame(false);
        setTextMargins(1, 0, 1, 2);
    }
    applyKeyFilter(this);
    // The caret's place is settled now: a box that never held a text would otherwise
    // report its caret as moved when the focus first comes in, just before the focus
    // itself, and Orca 43 would then take the focus in silence, the box's name unsaid.
    setCursorPosition(0);
}

void ResultBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (m_frame != Frame::SunkenPanel)
        return;
    // Drawn as a frame draws a sunken panel of one pixel.
    QPainter painter(this);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.frameShape = QFrame::Panel;
    option.state |= QStyle::State_Sunken;
    option.lineWidth = 1;
    option.midLineWidth = 0;
    style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, this);
}

void setUpControls()
{
    wheelGuard = new WheelGuard(QCoreApplication::instance());
}

ResultLabel::ResultLabel(const QString &name, const QString &text, const Twips &twips, QWidget *parent)
    : QLabel(text, parent)
{
    setObjectName(name);
    setGeometry(pixelsOf(twips));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setAutoFillBackground(false);
}

QString ResultLabel::shown() const
{
    return withPlainLineBreaks(text());
}

void ResultLabel::setResult(const QString &text)
{
    if (text == QLabel::text())
        return; // nothing to lay out again, nothing new for a screen reader
    const QString before = shown();
    setText(text);
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, 0, before, shown());
        QAccessible::updateAccessibility(&event);
    }
}

void ResultLabel::paintEvent(QPaintEvent *)
{
    // Qt alone would draw the CR as a space at the start of the next line.
    QPainter painter(this);
    const int flags = int(QStyle::visualAlignment(layoutDirection(), alignment()))
        | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    style()->drawItemText(&painter, contentsRect(), flags, palette(), isEnabled(), shown(), foregroundRole());
}

void setComboText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(index);
    combo->setEditText(text);
}

void WrapButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown())
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text());
}

} // namespace merilon::ui
