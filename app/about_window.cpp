// SPDX-License-Identifier: MIT
#include "app/about_window.h"

#include "ui/controls.h"
#include "ui/window_description.h"
#include "core/number_text.h"
#include "ui/key_filter.h"
#include "ui/speech.h"

#include <QEvent>
#include <QGuiApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <limits>

namespace merilon {

using namespace ui;

namespace {

// The drag in progress, from its first move to the release of the left button. It
// belongs to the program, not to one window: a window closed with the button held
// and opened again carries on from it.
struct Drag
{
    bool active = false;
    qint16 grabX = 0; // twips, relative to the control under the mouse
    qint16 grabY = 0;
};

Drag &drag()
{
    static Drag state;
    return state;
}

// To the nearest whole number, halves to the even one (the default rounding mode);
// a point beyond the range of a grab coordinate is held at its edge.
qint16 grabCoordinate(float twips)
{
    constexpr float low = std::numeric_limits<qint16>::min();
    constexpr float high = std::numeric_limits<qint16>::max();
    return static_cast<qint16>(std::clamp(std::nearbyint(twips), low, high));
}

// Whether the platform lets a window place itself. A Wayland compositor ignores a
// window's own move: there the compositor moves the window (a system move).
bool windowPlacesItself()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The pressed buttons as a bit set: left 1, right 2, middle 4.
qint16 buttonState(Qt::MouseButtons buttons)
{
    qint16 state = 0;
    if (buttons & Qt::LeftButton)
        state |= 1;
    if (buttons & Qt::RightButton)
        state |= 2;
    if (buttons & Qt::MiddleButton)
        state |= 4;
    return state;
}

float toTwips(qreal pixels)
{
    return static_cast<float>(pixels * twipsPerPixel);
}

// A screen position in twips, as the nearest pixel.
int screenPixel(double twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

using ui::colour::lightYellow;
using enum ui::ControlKind;

constexpr std::u16string_view licenceText =
    u"ЛИЦЕНЗИОННОЕ СОГЛАШЕНИЕ\n"
    u"\n"
    u"1. Программа «Мерилон»\n"
    u"распространяется бесплатно.\n"
    u"Её можно копировать и передавать\n"
    u"другим без ограничений, если она\n"
    u"передаётся целиком, без изменений\n"
    u"и без взимания платы.\n"
    u"\n"
    u"2. Программа предоставляется\n"
    u"«как есть». Автор не даёт никаких\n"
    u"гарантий, явных или\n"
    u"подразумеваемых, в том числе\n"
    u"гарантий пригодности программы\n"
    u"для определённой цели.\n"
    u"\n"
    u"3. Значения, которые показывает\n"
    u"программа, взяты из стандартов.\n"
    u"Перед применением в работе\n"
    u"сверьте их с текстом\n"
    u"действующего стандарта.\n"
    u"\n"
    u"4. Автор не отвечает за прямой\n"
    u"или косвенный ущерб, возникший\n"
    u"в результате использования\n"
    u"программы или невозможности\n"
    u"её использования.\n"
    u"\n"
    u"5. Запрещается удалять из\n"
    u"программы сведения об авторе,\n"
    u"продавать её или включать\n"
    u"в платные сборники без\n"
    u"письменного согласия автора.\n"
    u"\n"
    u"6. Устанавливая и используя\n"
    u"программу, вы принимаете условия\n"
    u"этого соглашения. Если вы с ними\n"
    u"не согласны, удалите программу\n"
    u"со своего компьютера.\n"
    u"\n"
    u"7. Программа читает и записывает\n"
    u"только файлы размерных цепей,\n"
    u"которые пользователь сам\n"
    u"сохраняет и открывает. Она не\n"
    u"хранит настроек и не обращается\n"
    u"к сети.\n"
    u"\n"
    u"8. Замечания и пожелания\n"
    u"присылайте автору по адресу,\n"
    u"указанному слева.";

// ФАвтор's controls.
constexpr ControlDescription controls[] = {
    {.name = u"Текст1", .kind = TextArea, .rect = {3600, 360, 3615, 2055}, .text = licenceText, .keyFilter = true,
     .accessibleName = u"Лицензионное соглашение"},
    {.name = u"Метка1", .kind = Label, .rect = {240, 600, 3255, 975}, .text = u"Мерилон v.1.0",
     .font = {18, true, true}, .alignment = Qt::AlignHCenter | Qt::AlignTop},
    {.name = u"Метка5", .kind = Label, .rect = {240, 1200, 3015, 255}, .text = u"от 10.12.2005 г.",
     .alignment = Qt::AlignHCenter | Qt::AlignTop},
    {.name = u"Рамка1", .kind = Frame, .rect = {480, 1560, 2175, 855}, .background = lightYellow},
    {.name = u"Метка3", .kind = Label, .rect = {240, 240, 2175, 255}, .parent = u"Рамка1",
     .text = u"Автор: разработчик"},
    {.name = u"Текст2", .kind = TextField, .rect = {120, 480, 1935, 285}, .parent = u"Рамка1",
     .text = u"merilon@example.org", .background = lightYellow, .alignment = Qt::AlignCenter,
     .accessibleName = u"Адрес автора"},
    {.name = u"Изображение2", .kind = Picture, .rect = {2880, 1920, 480, 480}, .text = u":/images/about_exit.png",
     .alignment = Qt::AlignLeft | Qt::AlignVCenter, .accessibleName = u"Выход"},
    {.name = u"Изображение1", .kind = Picture, .rect = {2880, 1920, 480, 480},
     .text = u":/images/about_exit_pressed.png", .alignment = Qt::AlignLeft | Qt::AlignVCenter,
     .accessibleName = u"Выход"},
};

constexpr std::u16string_view tabOrder[] = {u"Текст1", u"Текст2", u"Изображение2"};

} // namespace

// No caption: the window has no caption bar.
const WindowDescription &AboutWindow::description()
{
    static constexpr WindowDescription window = {u"ФАвтор", {}, 7380, 2820, controls, tabOrder};
    return window;
}

AboutWindow::AboutWindow(QWidget *parent) : TiledWindow(parent)
{
    setObjectName(toQString(description().name));
    // No border, no caption, not in the taskbar.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    // Still one of the program's windows: the program ends only when the last of
    // them closes, this one included.
    setAttribute(Qt::WA_QuitOnClose, true);
    setFont(ui::font(8, false));
    setFixedSize(px(description().width), px(description().height));
    setMouseTracking(true);
    // Screen readers name the window, which has no caption to name it.
    setAccessibleName(QStringLiteral("О программе"));
    buildControls();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::buildControls()
{
    const Controls made = ui::buildControls(this, description());
    auto *licence = made.get<QPlainTextEdit>(u"Текст1");
    licence->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    licence->setAttribute(Qt::WA_NoMousePropagation);
    licence->viewport()->installEventFilter(this);
    m_licence = licence;
    made.get<QLabel>(u"Метка3")->setWordWrap(false);
    made[u"Текст2"]->setAttribute(Qt::WA_NoMousePropagation);

    m_exit = made.get<QLabel>(u"Изображение2");
    m_exitPressed = made.get<QLabel>(u"Изображение1");
    m_exitPressed->hide();
    // «Выход» is a button for the keyboard too: Space or Return on it closes the window.
    makePressable(m_exit);
    for (QLabel *picture : {m_exit, m_exitPressed}) {
        picture->setAttribute(Qt::WA_NoMousePropagation);
        picture->installEventFilter(this);
    }

    addTileSource(QStringLiteral(":/images/about_strip.png"), {0, 0, 240, 2850});

    // The surfaces that drag the window, beside its background.
    for (std::u16string_view surface : {u"Метка1", u"Метка3", u"Метка5", u"Рамка1"}) {
        made[surface]->setMouseTracking(true);
        made[surface]->installEventFilter(this);
    }
}

void AboutWindow::mouseMoveEvent(QMouseEvent *event)
{
    dragWindow(buttonState(event->buttons()), toTwips(event->position().x()), toTwips(event->position().y()));
}

bool AboutWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_licence->viewport()) {
        // A press on selected licence text would start dragging the text out; that
        // drag takes the release from the box, whose scrolling with the mouse then
        // never stops and starts more drags, even while the window is dragged. A
        // press starts a new selection instead.
        const auto *press = event->type() == QEvent::MouseButtonPress ? static_cast<QMouseEvent *>(event) : nullptr;
        if (press && press->button() == Qt::LeftButton && !(press->modifiers() & Qt::ShiftModifier)) {
            QTextCursor cursor = m_licence->textCursor();
            cursor.clearSelection();
            m_licence->setTextCursor(cursor);
        }
        return QWidget::eventFilter(watched, event);
    }
    if (watched == m_exit || watched == m_exitPressed) {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (const int key = static_cast<QKeyEvent *>(event)->key();
                key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                close();
                return true;
            }
            return QWidget::eventFilter(watched, event);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (watched == m_exit)
                pressExit();
            return true;
        case QEvent::MouseButtonRelease:
            if (m_exitDown)
                releaseExit();
            return true;
        default:
            return QWidget::eventFilter(watched, event);
        }
    }
    // Title, date, author or the author's frame.
    if (event->type() == QEvent::MouseMove) {
        const auto *move = static_cast<QMouseEvent *>(event);
        dragWindow(buttonState(move->buttons()), toTwips(move->position().x()), toTwips(move->position().y()));
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress)
        startSystemMove(static_cast<QMouseEvent *>(event));
    if (event->type() == QEvent::MouseButtonRelease)
        endDrag(static_cast<QMouseEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

// Escape closes the window, as the exit picture does.
void AboutWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        TiledWindow::keyPressEvent(event);
}

void AboutWindow::mousePressEvent(QMouseEvent *event)
{
    startSystemMove(event);
}

// Where the window cannot place itself, a left press on its body hands the drag to the
// platform, which moves the window with the mouse until the release.
void AboutWindow::startSystemMove(const QMouseEvent *press)
{
    if (press->button() == Qt::LeftButton && !windowPlacesItself() && windowHandle())
        windowHandle()->startSystemMove();
}

void AboutWindow::mouseReleaseEvent(QMouseEvent *event)
{
    endDrag(event);
}

// Releasing the left button ends the drag: the next one takes its own grab point.
void AboutWindow::endDrag(const QMouseEvent *release)
{
    if (release->button() == Qt::LeftButton)
        drag().active = false;
}

void AboutWindow::dragWindow(qint16 button, float x, float y)
{
    Drag &state = drag();
    if (button == 1) {
        if (!state.active) {
            state.active = true;
            state.grabX = grabCoordinate(x);
            state.grabY = grabCoordinate(y);
        }
        // The window follows the mouse: top first, then left, in screen twips.
        const double top = double(pos().y()) * twipsPerPixel + y - state.grabY;
        move(pos().x(), screenPixel(top));
        const double left = double(pos().x()) * twipsPerPixel + x - state.grabX;
        move(screenPixel(left), pos().y());
    } else {
        state.active = false;
    }
}

// The exit picture pressed: its pressed look until the button comes up. Hiding the
// picture under the mouse loses the release, so the pressed look takes the mouse.
void AboutWindow::pressExit()
{
    m_exitDown = true;
    m_exit->hide();
    m_exitPressed->show();
    m_exitPressed->grabMouse();
}

// The release closes the window, wherever the mouse is by then.
void AboutWindow::releaseExit()
{
    m_exitDown = false;
    m_exitPressed->releaseMouse();
    close();
}

} // namespace merilon
