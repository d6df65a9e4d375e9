// SPDX-License-Identifier: MIT
#include "app/main_window.h"

#include "ui/key_filter.h"
#include "ui/messages.h"
#include "core/number_text.h"
#include "ui/controls.h"
#include "ui/speech.h"
#include "ui/window_description.h"
#include "app/windows.h"
#include "fits/fits_tables.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextBrowser>
#include <QTextCursor>

namespace merilon {

using namespace ui;
using namespace Qt::StringLiterals;

namespace {

using namespace ui::colour;
using enum ui::ControlKind;

// Форма1's controls.
constexpr ControlDescription controls[] = {
    {.name = u"Метка1", .kind = Label, .rect = {240, 120, 3135, 615},
     .text = u"Допуски гладких цилиндрических и плоских соединений в системе отверстий",
     .alignment = Qt::AlignHCenter | Qt::AlignTop},
    {.name = u"Рамка1", .kind = Frame, .rect = {240, 720, 3015, 2535}, .background = lightYellow},
    {.name = u"Метка27", .kind = Label, .rect = {120, 240, 2655, 255}, .parent = u"Рамка1",
     .text = u"Номинальные размеры, мм", .colour = navy, .alignment = Qt::AlignHCenter | Qt::AlignTop},
    {.name = u"НР", .kind = List, .rect = {720, 480, 2055, 315}, .parent = u"Рамка1", .colour = navy,
     .items = fits::sizeTexts, .keyFilter = true, .label = u"Метка27"},
    {.name = u"Метка2", .kind = Label, .rect = {360, 840, 1215, 255}, .parent = u"Рамка1", .text = u"Квалитет",
     .colour = maroon},
    {.name = u"Комбо1", .kind = List, .rect = {2040, 840, 735, 315}, .parent = u"Рамка1", .colour = maroon,
     .items = fits::gradeTexts, .keyFilter = true, .label = u"Метка2"},
    {.name = u"Метка29", .kind = Label, .rect = {240, 1200, 1335, 255}, .parent = u"Рамка1",
     .text = u"Поле допуска", .colour = green, .alignment = Qt::AlignRight | Qt::AlignTop},
    {.name = u"ПД", .kind = List, .rect = {2040, 1200, 735, 315}, .parent = u"Рамка1", .colour = green,
     .keyFilter = true, .label = u"Метка29"},
    {.name = u"Метка3", .kind = Label, .rect = {360, 1560, 1935, 255}, .parent = u"Рамка1",
     .text = u"Отклонения, мкм", .colour = purple},
    {.name = u"Метка30", .kind = Label, .rect = {960, 1800, 975, 255}, .parent = u"Рамка1", .text = u"верхнее ",
     .colour = purple},
    // The deviation boxes: sunken panels with purple text, centred.
    {.name = u"ВО", .kind = PanelBox, .rect = {1920, 1800, 855, 225}, .parent = u"Рамка1", .text = u" ",
     .colour = purple, .alignment = Qt::AlignCenter, .label = u"Метка30",
     .accessibleDescription = u"в микрометрах"},
    {.name = u"Метка31", .kind = Label, .rect = {960, 2160, 855, 255}, .parent = u"Рамка1", .text = u"нижнее ",
     .colour = purple},
    {.name = u"НО", .kind = PanelBox, .rect = {1920, 2160, 855, 255}, .parent = u"Рамка1", .text = u" ",
     .colour = purple, .alignment = Qt::AlignCenter, .label = u"Метка31",
     .accessibleDescription = u"в микрометрах"},
    {.name = u"Комманда3", .kind = Button, .rect = {3480, 120, 1695, 375}, .text = u"Допуски углов",
     .background = lightGreen},
    {.name = u"Комманда5", .kind = Button, .rect = {5280, 120, 375, 375}, .text = u"?",
     .background = lightOrange, .font = {12, true}, .toolTip = u"О программе",
     .accessibleName = u"О программе"},
    {.name = u"Комманда1", .kind = Button, .rect = {3480, 600, 2175, 735},
     .text = u"Допуски формы и расположения поверхностей", .background = lightGreen},
    {.name = u"Комманда2", .kind = Button, .rect = {3480, 1440, 2175, 855},
     .text = u"Неуказанные допуски формы и расположения поверхностей", .background = lightGreen},
    {.name = u"Комманда4", .kind = Button, .rect = {3480, 2400, 2175, 855},
     .text = u"Указание на чертежах допусков формы и расположения", .background = lightGreen},
    // Its text, tip and name come from the linked windows (description()).
    {.name = u"Текст3", .kind = TextBrowser, .rect = {240, 3360, 5415, 1455}, .colour = maroon, .background = grey},
};

constexpr std::u16string_view tabOrder[] = {u"Комбо1",    u"ПД",        u"ВО",        u"НО",
                                            u"Комманда1", u"Комманда2", u"Комманда3", u"Комманда4",
                                            u"Текст3",    u"НР",        u"Комманда5"};

} // namespace

namespace {

// The linked windows' names as their link lines begin, the first capitalised:
// "Посадки", "общие допуски" …
QStringList linkedNames()
{
    QStringList names;
    for (const WindowEntry &entry : windows()) {
        if (entry.opening != Opening::Link)
            continue;
        QString name = toQString(entry.opener).section(u" — "_s, 0, 0);
        if (!names.isEmpty())
            name[0] = name[0].toLower();
        names.append(name);
    }
    return names;
}

} // namespace

const WindowDescription &MainWindow::description()
{
    // Текст3: a line a linked window, then a paragraph a window on what it answers,
    // the lines joined by LF and CR.
    static const std::u16string advert = [] {
        QStringList lines;
        QStringList blurbs;
        for (const WindowEntry &entry : windows()) {
            if (entry.opening == Opening::Link) {
                lines.append(toQString(entry.opener));
                blurbs.append(toQString(entry.blurb));
            }
        }
        return (lines + blurbs).join(u"\n\r"_s).toStdU16String();
    }();
    static const std::u16string toolTip =
        (linkedNames().join(u", "_s)
         + u": щёлкните строку со ссылкой или нажмите на ней Enter, чтобы открыть окно"_s).toStdU16String();
    static const std::u16string accessibleName = [] {
        QStringList names = linkedNames();
        const QString last = names.size() > 1 ? names.takeLast() : QString();
        return (names.join(u", "_s) + (last.isEmpty() ? QString() : u" и "_s + last)
                + u": Enter на строке открывает окно"_s).toStdU16String();
    }();
    static const auto made = [] {
        std::array<ControlDescription, std::size(controls)> all;
        std::copy(std::begin(controls), std::end(controls), all.begin());
        ControlDescription &advertBox = all.back();
        advertBox.text = advert;
        advertBox.toolTip = toolTip;
        advertBox.accessibleName = accessibleName;
        return all;
    }();
    static const WindowDescription window = {u"Форма1", u"Мерилон", 5865, 4950, made, tabOrder};
    return window;
}

MainWindow::MainWindow(QWidget *parent) : TiledWindow(parent)
{
    setupCaptionedWindow(this, description());
    setBackground(this, grey);
    buildControls();
    load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    const Controls made = ui::buildControls(this, description());
    m_size = made.get<QComboBox>(u"НР");
    m_grade = made.get<QComboBox>(u"Комбо1");
    m_letter = made.get<QComboBox>(u"ПД");
    m_upper = made.get<QLineEdit>(u"ВО");
    m_lower = made.get<QLineEdit>(u"НО");

    m_advert = made.get<QTextBrowser>(u"Текст3");
    m_advert->setOpenLinks(false);
    m_advert->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                      | Qt::LinksAccessibleByMouse);
    m_advert->setFocusPolicy(Qt::StrongFocus);
    // The first lines link to the linked windows: a click on a link, or Enter on its
    // line.
    QTextCharFormat link;
    link.setAnchor(true);
    link.setFontUnderline(true);
    link.setForeground(navy);
    QTextBlock line = m_advert->document()->firstBlock();
    for (const WindowEntry &entry : windows()) {
        if (entry.opening != Opening::Link)
            continue;
        QTextCursor cursor(line);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        link.setAnchorHref(linkOf(entry));
        cursor.setCharFormat(link);
        line = line.next();
    }
    m_advert->moveCursor(QTextCursor::Start); // the box opens on its first line
    connect(m_advert, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) { openLink(url.toString()); });
    m_advert->installEventFilter(this);

    addTileSource(QStringLiteral(":/images/paper.png"), {0, 2160, 1410, 1410});

    connect(m_grade, &QComboBox::activated, this, [this] { refillLetters(); });
    connect(m_size, &QComboBox::activated, this, [this] { showDeviations(); });
    connect(m_letter, &QComboBox::activated, this, [this] { showDeviations(); });
    // Windows: each button shows its window's single instance.
    for (const WindowEntry &entry : windows()) {
        m_windows.push_back(std::make_unique<WindowSlot<QWidget>>(entry.make));
        if (entry.opening == Opening::Button) {
            WindowSlot<QWidget> *slot = m_windows.back().get();
            connect(made.get<QPushButton>(entry.opener), &QPushButton::clicked, this, [slot] { slot->show(); });
        }
    }
}

void MainWindow::load()
{
    setComboText(m_grade, QString::number(7));
    m_letter->addItems(fits::lettersForGrade(7));
    setComboText(m_letter, toQString(fits::basicHole));
    setComboText(m_size, toQString(fits::sizeNotChosen));
}

void MainWindow::refillLetters()
{
    m_letter->clear();
    m_upper->setText(QString());
    m_lower->setText(QString());
    m_letter->addItems(fits::lettersForGrade(fits::gradeOf(m_grade->currentText()).value_or(0)));
    setComboText(m_letter, toQString(fits::basicHole));
    showDeviations();
}

void MainWindow::showDeviations()
{
    const fits::Deviations result =
        fits::deviations(m_size->currentText(), m_grade->currentText(), m_letter->currentText());
    if (!result.keepCaptions) {
        m_upper->setText(result.upper);
        m_lower->setText(result.lower);
    }
    if (result.prompt != fits::Prompt::None)
        inform(this, toQString(fits::promptTitle), fits::promptText(result.prompt));
    else
        announce(this, spokenResults({m_upper, m_lower}));
}

void MainWindow::openLink(const QString &href)
{
    const auto all = windows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].opening == Opening::Link && linkOf(all[i]) == href)
            m_windows[i]->show();
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_advert && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The link on the text cursor's line; on a line without one, the first link.
            const QTextBlock line = m_advert->textCursor().block();
            QString href;
            for (auto it = line.begin(); !it.atEnd() && href.isEmpty(); ++it)
                href = it.fragment().charFormat().anchorHref();
            if (href.isEmpty())
                href = m_advert->document()->firstBlock().begin().fragment().charFormat().anchorHref();
            openLink(href);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace merilon
