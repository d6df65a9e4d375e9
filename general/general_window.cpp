// SPDX-License-Identifier: MIT
#include "general/general_window.h"

#include "core/number_text.h"
#include "ui/controls.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace merilon {

using namespace Qt::StringLiterals;

using namespace ui;

namespace {

enum Frame { Window, Sizes, Form, Grade }; // Рамка1 … Рамка3 after the window

// The result boxes: where each stands (twips), what it shows, and its name and unit
// for a screen reader.
struct ResultPlace
{
    std::u16string_view name;
    Frame frame;
    QRect place;
    QString general::GeneralTexts::*text;
    std::u16string_view spoken;
    std::u16string_view unit;
};

const ResultPlace resultBoxes[] = {
    {u"Линейный", Sizes, {2850, 840, 2625, 330}, &general::GeneralTexts::linear,
     u"Предельные отклонения линейного размера", u"в миллиметрах"},
    {u"Скругление", Sizes, {2850, 1260, 2625, 330}, &general::GeneralTexts::edge,
     u"Предельные отклонения радиуса и высоты фаски", u"в миллиметрах"},
    {u"Угол", Sizes, {2850, 1680, 2625, 330}, &general::GeneralTexts::angle,
     u"Предельные отклонения угла по меньшей стороне", u"в градусах и минутах"},
    {u"Прямолинейность", Form, {4050, 840, 1575, 330}, &general::GeneralTexts::straightness,
     u"Допуск прямолинейности и плоскостности", u"в миллиметрах"},
    {u"Перпендикулярность", Form, {4050, 1260, 1575, 330}, &general::GeneralTexts::perpendicularity,
     u"Допуск перпендикулярности по меньшей стороне", u"в миллиметрах"},
    {u"Симметричность", Form, {4050, 1680, 1575, 330}, &general::GeneralTexts::symmetry,
     u"Допуск симметричности", u"в миллиметрах"},
    {u"Биение", Form, {4050, 2100, 1575, 330}, &general::GeneralTexts::runOut,
     u"Допуск радиального и торцового биения", u"в миллиметрах"},
    {u"Отверстия", Grade, {3975, 390, 1500, 330}, &general::GeneralTexts::hole,
     u"Отклонения отверстий, плюс IT", u"в миллиметрах"},
    {u"Валы", Grade, {6825, 390, 1500, 330}, &general::GeneralTexts::shaft,
     u"Отклонения валов, минус IT", u"в миллиметрах"},
    {u"Прочие", Grade, {9825, 390, 1650, 330}, &general::GeneralTexts::other,
     u"Отклонения прочих размеров, плюс-минус половина IT", u"в миллиметрах"},
    {u"Требование", Window, {2625, 4950, 7425, 360}, &general::GeneralTexts::requirement,
     u"Требование на чертеже", {}},
};

struct Caption
{
    std::u16string_view name;
    Frame frame;
    QRect place;
    std::u16string_view text;
    QColor colour;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

const Caption captions[] = {
    {u"Метка1", Window, {150, 120, 11700, 330}, u"Общие допуски размеров, углов, формы и расположения",
     colour::darkNavy, Qt::AlignCenter},
    {u"Метка2", Window, {150, 600, 2550, 330}, u"Номинальный размер, мм", colour::navy},
    {u"Метка3", Sizes, {150, 390, 2550, 330}, u"Класс точности", colour::navy},
    {u"Метка4", Sizes, {150, 840, 2550, 330}, u"Линейный размер, мм", colour::purple},
    {u"Метка5", Sizes, {150, 1260, 2550, 330}, u"Радиус, фаска, мм", colour::purple},
    {u"Метка6", Sizes, {150, 1680, 2550, 330}, u"Угол", colour::purple},
    {u"Метка7", Form, {150, 390, 3750, 330}, u"Класс точности", colour::navy},
    {u"Метка8", Form, {150, 840, 3750, 330}, u"Прямолинейность, плоскостность, мм", colour::purple},
    {u"Метка9", Form, {150, 1260, 3750, 330}, u"Перпендикулярность, мм", colour::purple},
    {u"Метка10", Form, {150, 1680, 3750, 330}, u"Симметричность, мм", colour::purple},
    {u"Метка11", Form, {150, 2100, 3750, 330}, u"Радиальное и торцовое биение, мм", colour::purple},
    {u"Метка12", Grade, {150, 390, 1050, 330}, u"Квалитет", colour::navy},
    {u"Метка13", Grade, {2400, 390, 1500, 330}, u"Отверстия, мм", colour::purple, Qt::AlignRight | Qt::AlignVCenter},
    {u"Метка14", Grade, {5625, 390, 1125, 330}, u"Валы, мм", colour::purple, Qt::AlignRight | Qt::AlignVCenter},
    {u"Метка15", Grade, {8475, 390, 1275, 330}, u"Прочие, мм", colour::purple, Qt::AlignRight | Qt::AlignVCenter},
    {u"Метка16", Window, {150, 4980, 2400, 330}, u"Требование на чертеже", colour::navy},
};

QComboBox *addList(QWidget *parent, const QString &name, QRect twips, const QStringList &items)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setMaxVisibleItems(items.size());
    list->setGeometry(rectTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    setTextColour(list, colour::navy);
    chooseByWheelOnlyWithFocus(list);
    return list;
}

} // namespace

GeneralWindow::GeneralWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, u"ФОбщиеДопуски"_s, u"Общие допуски"_s, 12000, 8490);
    setBackground(this, colour::grey);
    buildControls();
    load();
}

GeneralWindow::~GeneralWindow() = default;

void GeneralWindow::buildControls()
{
    QGroupBox *sizes = addFrame(this, u"Рамка1"_s, u"ГОСТ 30893.1: размеры и углы"_s,
                                {150, 1080, 5775, 2640});
    QGroupBox *form = addFrame(this, u"Рамка2"_s, u"ГОСТ 30893.2: форма и расположение"_s,
                               {6075, 1080, 5775, 2640});
    QGroupBox *grade = addFrame(this, u"Рамка3"_s,
                                u"Отклонения по квалитету: отверстия +IT, валы −IT, прочие ±IT/2"_s,
                                {150, 3810, 11700, 930});
    for (QGroupBox *frame : {sizes, form, grade})
        setBackground(frame, colour::lightYellow);
    QWidget *const frames[] = {this, sizes, form, grade};

    for (const Caption &c : captions) {
        QLabel *label = addLabel(frames[c.frame], toQString(c.name), toQString(c.text), c.place, c.alignment);
        setTextColour(label, c.colour);
    }

    m_size = new QLineEdit(this);
    m_size->setObjectName(u"Размер"_s);
    m_size->setGeometry(rectTwips(2700, 600, 1800, 330));
    setTextColour(m_size, colour::navy);
    m_size->installEventFilter(this);

    m_sizeClass = addList(sizes, u"Класс"_s, {2850, 390, 2625, 330}, general::sizeClassTexts());
    m_formClass = addList(form, u"КлассФР"_s, {4050, 390, 1575, 330}, general::formClassTexts());
    m_grade = addList(grade, u"Квалитет"_s, {1275, 390, 900, 330}, general::gradeTexts());

    for (const ResultPlace &b : resultBoxes) {
        auto *box = new ResultBox(toQString(b.name), QString(), b.place, ResultBox::Keys::None,
                                  ResultBox::Frame::TextBox, frames[b.frame]);
        box->setAlignment(b.frame == Window ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        box->installEventFilter(this);
        setTextColour(box, colour::purple);
        box->setAccessibleName(toQString(b.spoken));
        box->setAccessibleDescription(toQString(b.unit));
        m_results.append(box);
    }
    m_results.back()->setToolTip(u"Выбор класса записывает требование классами точности, выбор квалитета — квалитетом"_s);

    m_message = new ResultLabel(u"Сообщение"_s, QString(), {4650, 510, 7200, 510}, this);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextColour(m_message, colour::red);

    auto *copy = new QPushButton(u"Копировать"_s, this);
    copy->setObjectName(u"Копировать"_s);
    copy->setGeometry(rectTwips(10200, 4920, 1650, 420));
    setBackground(copy, colour::lightGreen);
    copy->setToolTip(u"Скопировать требование на чертеже (Ctrl+C)"_s);

    auto *notes = new QPlainTextEdit(this);
    notes->setObjectName(u"Примечания"_s);
    notes->setGeometry(rectTwips(150, 5460, 11700, 2880));
    notes->setReadOnly(true);
    notes->setTabChangesFocus(true);
    notes->setPlainText(general::notesText());
    setTextColour(notes, colour::maroon);

    lowerCaptions(this);
    setAccessibleTexts(this, {{.control = u"Размер", .label = u"Метка2"},
                              {u"Класс", u"Метка3", u"Класс точности ГОСТ 30893.1"},
                              {u"КлассФР", u"Метка7", u"Класс точности ГОСТ 30893.2"},
                              {.control = u"Квалитет", .label = u"Метка12"},
                              {.control = u"Сообщение", .name = u"Сообщение"},
                              {.control = u"Копировать", .name = u"Копировать требование"},
                              {.control = u"Примечания", .name = u"Примечания к таблицам"}});

    connect(m_size, &QLineEdit::textChanged, this, [this] { recompute(); });
    // A choice in a list shows its values; a choice of a class writes the line by
    // classes, a choice of a grade by the grade, even when the item stays the same.
    const std::pair<QComboBox *, general::Designation> lists[] = {{m_sizeClass, general::Designation::Classes},
                                                                  {m_formClass, general::Designation::Classes},
                                                                  {m_grade, general::Designation::Grade}};
    for (const auto &[list, designation] : lists) {
        connect(list, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
        connect(list, &QComboBox::activated, this, [this, designation] {
            if (m_designation != designation) {
                m_designation = designation;
                recompute();
            }
        });
    }
    connect(copy, &QPushButton::clicked, this, [this] { copyRequirement(); });
    auto *copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, [this] { copyRequirement(); });

    // Down the first frame, down the second, along the grade row, then the line.
    QWidget *const order[] = {m_size, m_sizeClass, m_results[0], m_results[1], m_results[2], m_formClass,
                              m_results[3], m_results[4], m_results[5], m_results[6], m_grade, m_results[7],
                              m_results[8], m_results[9], m_results[10], copy, notes};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_size->setFocus();
}

void GeneralWindow::load()
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_size), QSignalBlocker(m_sizeClass),
                                       QSignalBlocker(m_formClass), QSignalBlocker(m_grade)};
    m_size->setText(u"25"_s);
    m_sizeClass->setCurrentIndex(1); // m
    m_formClass->setCurrentIndex(1); // K
    m_grade->setCurrentIndex(14 - general::firstGrade);
    m_designation = general::Designation::Classes;
    recompute();
}

void GeneralWindow::recompute()
{
    const general::GeneralTexts texts =
        general::generalTexts(m_size->text(), m_sizeClass->currentIndex(), m_formClass->currentIndex(),
                              general::firstGrade + m_grade->currentIndex(), m_designation);
    // Only the boxes whose text changes: each new text is laid out again, and heard.
    for (qsizetype i = 0; i < m_results.size(); ++i) {
        const QString &text = texts.*resultBoxes[i].text;
        if (m_results[i]->text() != text)
            m_results[i]->setText(text);
    }
    if (m_message->text() != texts.message)
        m_message->setResult(texts.message);
    m_requirement = texts.requirement;
}

void GeneralWindow::copyRequirement()
{
    QGuiApplication::clipboard()->setText(m_requirement);
}

bool GeneralWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Ctrl+C in the size field or a result box copies the requirement, unless part of
    // its text is selected: then that part, as everywhere.
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)
        && !field->hasSelectedText()) {
        copyRequirement();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace merilon
