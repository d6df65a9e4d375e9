// SPDX-License-Identifier: MIT
#include "fits/fit_window.h"

#include "ui/controls.h"
#include "core/number_text.h"
#include "fits/fit.h"
#include "fits/fit_scheme.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace merilon {

using namespace ui;

namespace {

// Twips of a rectangle given in pixels of the design.
QRect at(int left, int top, int width, int height)
{
    return {left * twipsPerPixel, top * twipsPerPixel, width * twipsPerPixel, height * twipsPerPixel};
}

// The result boxes: where each stands, what of the fit it shows, and its name and
// unit for a screen reader.
struct ResultPlace
{
    std::u16string_view name;
    int frame; // 1: the fields, 2: the fit, 0: the window
    QRect place;
    QString fits::FitTexts::*text;
    std::u16string_view spoken;
    std::u16string_view unit;
};

const ResultPlace resultBoxes[] = {
    {u"ES", 1, at(166, 26, 64, 22), &fits::FitTexts::holeUpper, u"Верхнее отклонение отверстия ES", u"в микрометрах"},
    {u"es", 1, at(236, 26, 64, 22), &fits::FitTexts::shaftUpper, u"Верхнее отклонение вала es", u"в микрометрах"},
    {u"EI", 1, at(166, 54, 64, 22), &fits::FitTexts::holeLower, u"Нижнее отклонение отверстия EI", u"в микрометрах"},
    {u"ei", 1, at(236, 54, 64, 22), &fits::FitTexts::shaftLower, u"Нижнее отклонение вала ei", u"в микрометрах"},
    {u"Dmax", 1, at(166, 82, 64, 22), &fits::FitTexts::holeMax, u"Наибольший размер отверстия Dmax", u"в миллиметрах"},
    {u"dmax", 1, at(236, 82, 64, 22), &fits::FitTexts::shaftMax, u"Наибольший размер вала dmax", u"в миллиметрах"},
    {u"Dmin", 1, at(166, 110, 64, 22), &fits::FitTexts::holeMin, u"Наименьший размер отверстия Dmin", u"в миллиметрах"},
    {u"dmin", 1, at(236, 110, 64, 22), &fits::FitTexts::shaftMin, u"Наименьший размер вала dmin", u"в миллиметрах"},
    {u"TD", 1, at(166, 138, 64, 22), &fits::FitTexts::holeTolerance, u"Допуск отверстия TD", u"в микрометрах"},
    {u"Td", 1, at(236, 138, 64, 22), &fits::FitTexts::shaftTolerance, u"Допуск вала Td", u"в микрометрах"},
    {u"Smax", 2, at(150, 24, 90, 22), &fits::FitTexts::maxClearance, u"Наибольший зазор Smax", u"в микрометрах"},
    {u"Smin", 2, at(250, 24, 90, 22), &fits::FitTexts::minClearance, u"Наименьший зазор Smin", u"в микрометрах"},
    {u"Nmax", 2, at(150, 52, 90, 22), &fits::FitTexts::maxInterference, u"Наибольший натяг Nmax", u"в микрометрах"},
    {u"Nmin", 2, at(250, 52, 90, 22), &fits::FitTexts::minInterference, u"Наименьший натяг Nmin", u"в микрометрах"},
    {u"Характер", 0, at(10, 346, 310, 24), &fits::FitTexts::kind, u"Характер посадки", {}},
    {u"Система", 0, at(330, 346, 360, 24), &fits::FitTexts::system, u"Система посадки", {}},
    {u"Обозначение", 0, at(130, 378, 560, 24), &fits::FitTexts::notation, u"Обозначение посадки на чертеже",
     u"с предельными отклонениями в миллиметрах"},
    {u"Вероятность", 0, at(130, 408, 560, 24), &fits::FitTexts::probability,
     u"Вероятность натяга и зазора переходной посадки", u"в процентах"},
};

// Captions: name, frame, place, text, colour, alignment.
struct Caption
{
    std::u16string_view name;
    int frame;
    QRect place;
    std::u16string_view text;
    QColor colour;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

const Caption captions[] = {
    {u"Метка1", 0, at(10, 6, 310, 36), u"Посадки гладких цилиндрических и плоских соединений", colour::darkNavy,
     Qt::AlignCenter},
    {u"Метка2", 3, at(10, 10, 150, 18), u"Номинальный размер, мм", colour::navy},
    {u"Метка3", 3, at(10, 43, 112, 20), u"Поле отверстия", colour::maroon},
    {u"Метка4", 3, at(186, 43, 52, 20), u"квалитет", colour::maroon, Qt::AlignRight | Qt::AlignVCenter},
    {u"Метка5", 3, at(10, 77, 112, 20), u"Поле вала", colour::green},
    {u"Метка6", 3, at(186, 77, 52, 20), u"квалитет", colour::green, Qt::AlignRight | Qt::AlignVCenter},
    {u"Метка7", 1, at(166, 6, 64, 18), u"Отверстие", colour::maroon, Qt::AlignCenter},
    {u"Метка8", 1, at(236, 6, 64, 18), u"Вал", colour::green, Qt::AlignCenter},
    {u"Метка9", 1, at(8, 28, 156, 18), u"Верхнее отклонение, мкм", colour::purple},
    {u"Метка10", 1, at(8, 56, 156, 18), u"Нижнее отклонение, мкм", colour::purple},
    {u"Метка11", 1, at(8, 84, 156, 18), u"Наибольший размер, мм", colour::purple},
    {u"Метка12", 1, at(8, 112, 156, 18), u"Наименьший размер, мм", colour::purple},
    {u"Метка13", 1, at(8, 140, 156, 18), u"Допуск, мкм", colour::purple},
    {u"Метка14", 2, at(150, 4, 90, 18), u"наибольший", colour::purple, Qt::AlignCenter},
    {u"Метка15", 2, at(250, 4, 90, 18), u"наименьший", colour::purple, Qt::AlignCenter},
    {u"Метка16", 2, at(10, 26, 130, 18), u"Зазор, мкм", colour::purple},
    {u"Метка17", 2, at(10, 54, 130, 18), u"Натяг, мкм", colour::purple},
    {u"Метка18", 0, at(10, 381, 116, 18), u"Обозначение", colour::purple},
    {u"Метка19", 0, at(10, 411, 116, 18), u"Вероятность", colour::purple},
};

QComboBox *addList(QWidget *parent, const QString &name, QRect twips, const QStringList &items,
                   const QColor &textColour)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setMaxVisibleItems(21);
    list->setGeometry(rectTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    setTextColour(list, textColour);
    chooseByWheelOnlyWithFocus(list);
    return list;
}

} // namespace

FitWindow::FitWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, QStringLiteral("ФПосадки"), QStringLiteral("Посадки"), 700 * twipsPerPixel,
                         476 * twipsPerPixel);
    setBackground(this, colour::grey);
    buildControls();
    load();
}

FitWindow::~FitWindow() = default;

void FitWindow::buildControls()
{
    QGroupBox *inputs = addFrame(this, QStringLiteral("Рамка1"), QString(), at(10, 46, 310, 112));
    QGroupBox *fields = addFrame(this, QStringLiteral("Рамка2"), QString(), at(10, 164, 310, 170));
    QGroupBox *fit = addFrame(this, QStringLiteral("Рамка3"), QString(), at(330, 250, 360, 84));
    for (QGroupBox *frame : {inputs, fields, fit})
        setBackground(frame, colour::lightYellow);
    QWidget *const frames[] = {this, fields, fit, inputs};

    for (const Caption &c : captions) {
        QLabel *label = addLabel(frames[c.frame], toQString(c.name), toQString(c.text), c.place, c.alignment);
        setTextColour(label, c.colour);
    }

    m_size = new QLineEdit(inputs);
    m_size->setObjectName(QStringLiteral("Размер"));
    m_size->setGeometry(rectTwips(160 * twipsPerPixel, 8 * twipsPerPixel, 140 * twipsPerPixel, 22 * twipsPerPixel));
    setTextColour(m_size, colour::navy);
    m_size->installEventFilter(this);

    const QStringList grades = fits::fitGradeTexts();
    m_holeLetter = addList(inputs, QStringLiteral("ОтвБуква"), at(124, 42, 58, 22), listTexts(fits::holeLetters),
                           colour::maroon);
    m_holeGrade = addList(inputs, QStringLiteral("ОтвКвалитет"), at(242, 42, 58, 22), grades, colour::maroon);
    m_shaftLetter = addList(inputs, QStringLiteral("ВалБуква"), at(124, 76, 58, 22),
                            listTexts(fits::shaftLetters), colour::green);
    m_shaftGrade = addList(inputs, QStringLiteral("ВалКвалитет"), at(242, 76, 58, 22), grades, colour::green);

    for (const ResultPlace &b : resultBoxes) {
        auto *box = new ui::ResultBox(toQString(b.name), QString(), b.place, ui::ResultBox::Keys::None,
                                      ui::ResultBox::Frame::TextBox, frames[b.frame]);
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
        setTextColour(box, colour::purple);
        m_results.append(box);
    }

    m_scheme = new FitScheme(this);
    m_scheme->setObjectName(QStringLiteral("Схема"));
    m_scheme->setGeometry(rectTwips(330 * twipsPerPixel, 8 * twipsPerPixel, 360 * twipsPerPixel, 236 * twipsPerPixel));

    m_message = new ResultLabel(QStringLiteral("Сообщение"), QString(), at(10, 436, 570, 34), this);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextColour(m_message, colour::red);

    auto *copy = new QPushButton(QStringLiteral("Копировать"), this);
    copy->setObjectName(QStringLiteral("Копировать"));
    copy->setGeometry(rectTwips(590 * twipsPerPixel, 439 * twipsPerPixel, 100 * twipsPerPixel, 28 * twipsPerPixel));
    setBackground(copy, colour::lightGreen);
    copy->setToolTip(QStringLiteral("Скопировать посадку одной строкой (Ctrl+C)"));

    setAccessibleTexts(this, {{.control = u"Размер", .label = u"Метка2"},
                              {.control = u"ОтвБуква", .label = u"Метка3"},
                              {u"ОтвКвалитет", u"Метка4", u"Квалитет отверстия"},
                              {.control = u"ВалБуква", .label = u"Метка5"},
                              {u"ВалКвалитет", u"Метка6", u"Квалитет вала"},
                              {.control = u"Схема", .name = u"Схема посадки"},
                              {.control = u"Сообщение", .name = u"Сообщение"},
                              {.control = u"Копировать", .name = u"Копировать посадку"}});
    for (const ResultPlace &b : resultBoxes) {
        QWidget *box = findChild<QWidget *>(toQString(b.name));
        box->setAccessibleName(toQString(b.spoken));
        box->setAccessibleDescription(toQString(b.unit));
    }

    connect(m_size, &QLineEdit::textChanged, this, [this] { recompute(); });
    for (QComboBox *list : {m_holeLetter, m_holeGrade, m_shaftLetter, m_shaftGrade})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    connect(copy, &QPushButton::clicked, this, [this] { copyFit(); });
    auto *copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, [this] { copyFit(); });

    setTabOrder(m_size, m_holeLetter);
    setTabOrder(m_holeLetter, m_holeGrade);
    setTabOrder(m_holeGrade, m_shaftLetter);
    setTabOrder(m_shaftLetter, m_shaftGrade);
    QWidget *previous = m_shaftGrade;
    for (QLineEdit *box : std::as_const(m_results)) { // row by row, as they stand
        setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, copy);
    m_size->setFocus();
}

void FitWindow::load()
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_size), QSignalBlocker(m_holeLetter),
                                       QSignalBlocker(m_holeGrade), QSignalBlocker(m_shaftLetter),
                                       QSignalBlocker(m_shaftGrade)};
    m_size->setText(QStringLiteral("25"));
    m_holeLetter->setCurrentText(QStringLiteral("H"));
    m_holeGrade->setCurrentText(QStringLiteral("7"));
    m_shaftLetter->setCurrentText(QStringLiteral("f"));
    m_shaftGrade->setCurrentText(QStringLiteral("7"));
    recompute();
}

void FitWindow::recompute()
{
    const fits::FitTexts texts =
        fits::fitTexts(m_size->text(), m_holeLetter->currentText(), fits::fitGradeOf(m_holeGrade->currentIndex()),
                       m_shaftLetter->currentText(), fits::fitGradeOf(m_shaftGrade->currentIndex()));
    // Only the boxes whose text changes: each new text is laid out again.
    for (qsizetype i = 0; i < m_results.size(); ++i) {
        const QString &text = texts.*resultBoxes[i].text;
        if (m_results[i]->text() != text)
            m_results[i]->setText(text);
    }
    if (m_message->text() != texts.message)
        m_message->setResult(texts.message);
    m_scheme->show(texts);
    m_line = texts.line;
}

void FitWindow::copyFit()
{
    if (!m_line.isEmpty())
        QGuiApplication::clipboard()->setText(m_line);
}

bool FitWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Ctrl+C in the size field or a result box copies the fit, unless part of its text
    // is selected: then that part, as everywhere.
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)
        && !field->hasSelectedText()) {
        copyFit();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace merilon
