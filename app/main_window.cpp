// SPDX-License-Identifier: MIT
#include "app/main_window.h"

#include "ui/key_filter.h"
#include "ui/messages.h"
#include "core/number_text.h"
#include "ui/controls.h"
#include "angles/angle_window.h"
#include "app/about_window.h"
#include "fits/fit_window.h"
#include "fits/fits_tables.h"
#include "general/general_window.h"
#include "form_position/form_position_window.h"
#include "symbols/symbol_chart.h"
#include "unspecified/unspecified_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>

namespace merilon {

using namespace ui;

namespace {

using namespace ui::colour;

QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, QRect twips,
                       const QColor &colour)
{
    auto *button = new WrapButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(rectTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    setBackground(button, colour);
    return button;
}

// A deviation box: a sunken panel with purple text, centred.
ResultBox *addDeviationBox(QWidget *parent, const QString &name, QRect twips)
{
    auto *box = new ResultBox(name, QStringLiteral(" "), twips, ResultBox::Keys::None,
                              ResultBox::Frame::SunkenPanel, parent);
    box->setAlignment(Qt::AlignCenter);
    setTextColour(box, purple);
    return box;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : TiledWindow(parent)
{
    setupCaptionedWindow(this, QStringLiteral("Форма1"), QStringLiteral("Мерилон"), 5865, 4950);
    setBackground(this, grey);
    buildControls();
    load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    addLabel(this, QStringLiteral("Метка1"),
             QStringLiteral("Допуски гладких цилиндрических и плоских соединений в системе отверстий"),
             {240, 120, 3135, 615}, Qt::AlignHCenter | Qt::AlignTop);

    QGroupBox *frame = addFrame(this, QStringLiteral("Рамка1"), QString(), {240, 720, 3015, 2535});
    setBackground(frame, lightYellow);

    setTextColour(addLabel(frame, QStringLiteral("Метка27"), QStringLiteral("Номинальные размеры, мм"),
                           {120, 240, 2655, 255}, Qt::AlignHCenter | Qt::AlignTop),
                  navy);
    m_size = addCombo(frame, QStringLiteral("НР"), {720, 480, 2055, 315}, fits::sizeTexts());
    setTextColour(m_size, navy);

    setTextColour(addLabel(frame, QStringLiteral("Метка2"), QStringLiteral("Квалитет"), {360, 840, 1215, 255}),
                  maroon);
    m_grade = addCombo(frame, QStringLiteral("Комбо1"), {2040, 840, 735, 315}, fits::gradeTexts());
    setTextColour(m_grade, maroon);

    setTextColour(addLabel(frame, QStringLiteral("Метка29"), QStringLiteral("Поле допуска"),
                           {240, 1200, 1335, 255}, Qt::AlignRight | Qt::AlignTop),
                  green);
    m_letter = addCombo(frame, QStringLiteral("ПД"), {2040, 1200, 735, 315});
    setTextColour(m_letter, green);

    setTextColour(addLabel(frame, QStringLiteral("Метка3"), QStringLiteral("Отклонения, мкм"),
                           {360, 1560, 1935, 255}),
                  purple);
    setTextColour(addLabel(frame, QStringLiteral("Метка30"), QStringLiteral("верхнее "), {960, 1800, 975, 255}),
                  purple);
    m_upper = addDeviationBox(frame, QStringLiteral("ВО"), {1920, 1800, 855, 225});
    setTextColour(addLabel(frame, QStringLiteral("Метка31"), QStringLiteral("нижнее "), {960, 2160, 855, 255}),
                  purple);
    m_lower = addDeviationBox(frame, QStringLiteral("НО"), {1920, 2160, 855, 255});

    QPushButton *angles = addButton(this, QStringLiteral("Комманда3"), QStringLiteral("Допуски углов"),
                                    {3480, 120, 1695, 375}, lightGreen);
    QPushButton *about = addButton(this, QStringLiteral("Комманда5"), QStringLiteral("?"),
                                   {5280, 120, 375, 375}, lightOrange);
    about->setFont(ui::font(12, true));
    about->setToolTip(QStringLiteral("О программе"));
    QPushButton *formPosition =
        addButton(this, QStringLiteral("Комманда1"), QStringLiteral("Допуски формы и расположения поверхностей"),
                  {3480, 600, 2175, 735}, lightGreen);
    QPushButton *unspecified = addButton(
        this, QStringLiteral("Комманда2"), QStringLiteral("Неуказанные допуски формы и расположения поверхностей"),
        {3480, 1440, 2175, 855}, lightGreen);
    QPushButton *symbols = addButton(this, QStringLiteral("Комманда4"),
                                     QStringLiteral("Указание на чертежах допусков формы и расположения"),
                                     {3480, 2400, 2175, 855}, lightGreen);

    auto *advert = new QPlainTextEdit(this);
    m_advert = advert;
    advert->setObjectName(QStringLiteral("Текст3"));
    advert->setGeometry(rectTwips(240, 3360, 5415, 1455));
    advert->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    advert->setReadOnly(true);
    advert->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    advert->setFocusPolicy(Qt::StrongFocus);
    advert->setTabChangesFocus(true);
    setBackground(advert, grey);
    setTextColour(advert, maroon);
    // The first two lines link to the fit window and the general tolerance window: a
    // click on a link, or Enter on its line (anywhere else, the first link).
    QTextCursor cursor(advert->document());
    QTextCharFormat link;
    link.setAnchor(true);
    link.setFontUnderline(true);
    link.setForeground(navy);
    link.setAnchorHref(QStringLiteral("#fits"));
    cursor.insertText(QStringLiteral("Посадки — открыть окно"), link);
    cursor.insertText(QStringLiteral("\n"), QTextCharFormat());
    link.setAnchorHref(QStringLiteral("#general"));
    cursor.insertText(QStringLiteral("Общие допуски — открыть окно"), link);
    cursor.insertText(QStringLiteral("\nОтверстие и вал вместе: отклонения и предельные размеры обоих полей, "
                                     "зазоры или натяги, характер посадки и её схема. Размер вводится "
                                     "с клавиатуры, поля выбираются из списков."
                                     "\nОбщие допуски по ГОСТ 30893.1 и ГОСТ 30893.2 для размеров без допуска "
                                     "на чертеже: размеры, углы, форма и расположение, и строка для технических "
                                     "требований."),
                      QTextCharFormat());
    advert->setToolTip(QStringLiteral("Посадки, общие допуски: щёлкните строку со ссылкой или нажмите на ней Enter, чтобы открыть окно"));
    advert->installEventFilter(this);
    advert->viewport()->installEventFilter(this);
    advert->viewport()->setMouseTracking(true);

    addTileSource(QStringLiteral(":/images/paper.png"), {0, 2160, 1410, 1410});

    for (QComboBox *field : {m_size, m_grade, m_letter})
        applyKeyFilter(field);
    setAccessibleTexts(this, {{.control = u"НР", .label = u"Метка27"},
                              {.control = u"Комбо1", .label = u"Метка2"},
                              {.control = u"ПД", .label = u"Метка29"},
                              {u"ВО", u"Метка30", {}, u"в микрометрах"},
                              {u"НО", u"Метка31", {}, u"в микрометрах"},
                              {.control = u"Комманда5", .name = u"О программе"},
                              {.control = u"Текст3", .name = u"Посадки и общие допуски: Enter на строке открывает окно"}});

    connect(m_grade, &QComboBox::activated, this, [this] { refillLetters(); });
    connect(m_size, &QComboBox::activated, this, [this] { showDeviations(); });
    connect(m_letter, &QComboBox::activated, this, [this] { showDeviations(); });
    // Windows: each button shows its window's single instance.
    connect(formPosition, &QPushButton::clicked, this, [this] { m_formPosition.show(); });
    connect(unspecified, &QPushButton::clicked, this, [this] { m_unspecified.show(); });
    connect(angles, &QPushButton::clicked, this, [this] { m_angles.show(); });
    connect(symbols, &QPushButton::clicked, this, [this] { m_symbols.show(); });
    connect(about, &QPushButton::clicked, this, [this] { m_about.show(); });

    setTabOrder(m_grade, m_letter);
    setTabOrder(m_letter, m_upper);
    setTabOrder(m_upper, m_lower);
    setTabOrder(m_lower, formPosition);
    setTabOrder(formPosition, unspecified);
    setTabOrder(unspecified, angles);
    setTabOrder(angles, symbols);
    setTabOrder(symbols, advert);
    setTabOrder(advert, m_size);
    setTabOrder(m_size, about);
    m_grade->setFocus();
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
}

void MainWindow::openLink(const QString &href)
{
    if (href == u"#general")
        m_general.show();
    else
        m_fits.show();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_advert && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The link on the text cursor's line.
            const QTextBlock line = m_advert->textCursor().block();
            QString href;
            for (auto it = line.begin(); !it.atEnd() && href.isEmpty(); ++it)
                href = it.fragment().charFormat().anchorHref();
            openLink(href);
            return true;
        }
    } else if (watched == m_advert->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            m_advert->viewport()->setCursor(m_advert->anchorAt(at).isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const QString href = m_advert->anchorAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && !href.isEmpty())
                openLink(href);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace merilon
