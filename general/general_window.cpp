// SPDX-License-Identifier: MIT
#include "general/general_window.h"

#include "core/number_text.h"
#include "ui/controls.h"
#include "ui/result_window.h"
#include "ui/speech.h"
#include "ui/window_description.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace merilon {

using namespace Qt::StringLiterals;

using namespace ui;

namespace {

using enum ui::ControlKind;
using namespace ui::colour;

// ФОбщиеДопуски's controls, in twips. The frames: Рамка1 the sizes and angles of GOST
// 30893.1, Рамка2 form and position of GOST 30893.2, Рамка3 the grade form. The result
// boxes are named and described for a screen reader by what they show and their unit.
constexpr ControlDescription controls[] = {
    {.name = u"Рамка1", .kind = Frame, .rect = {150, 1080, 5775, 2640}, .text = u"ГОСТ 30893.1: размеры и углы",
     .background = lightYellow},
    {.name = u"Рамка2", .kind = Frame, .rect = {6075, 1080, 5775, 2640},
     .text = u"ГОСТ 30893.2: форма и расположение", .background = lightYellow},
    {.name = u"Рамка3", .kind = Frame, .rect = {150, 3810, 11700, 930},
     .text = u"Отклонения по квалитету: отверстия +IT, валы −IT, прочие ±IT/2", .background = lightYellow},
    {.name = u"Метка1", .kind = Label, .rect = {150, 120, 11700, 330},
     .text = u"Общие допуски размеров, углов, формы и расположения", .colour = darkNavy, .alignment = Qt::AlignCenter},
    {.name = u"Метка2", .kind = Label, .rect = {150, 600, 2550, 330}, .text = u"Номинальный размер, мм",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка3", .kind = Label, .rect = {150, 390, 2550, 330}, .parent = u"Рамка1", .text = u"Класс точности",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка4", .kind = Label, .rect = {150, 840, 2550, 330}, .parent = u"Рамка1",
     .text = u"Линейный размер, мм", .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка5", .kind = Label, .rect = {150, 1260, 2550, 330}, .parent = u"Рамка1",
     .text = u"Радиус, фаска, мм", .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка6", .kind = Label, .rect = {150, 1680, 2550, 330}, .parent = u"Рамка1", .text = u"Угол",
     .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка7", .kind = Label, .rect = {150, 390, 3750, 330}, .parent = u"Рамка2", .text = u"Класс точности",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка8", .kind = Label, .rect = {150, 840, 3750, 330}, .parent = u"Рамка2",
     .text = u"Прямолинейность, плоскостность, мм", .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка9", .kind = Label, .rect = {150, 1260, 3750, 330}, .parent = u"Рамка2",
     .text = u"Перпендикулярность, мм", .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка10", .kind = Label, .rect = {150, 1680, 3750, 330}, .parent = u"Рамка2",
     .text = u"Симметричность, мм", .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка11", .kind = Label, .rect = {150, 2100, 3750, 330}, .parent = u"Рамка2",
     .text = u"Радиальное и торцовое биение, мм", .colour = purple, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка12", .kind = Label, .rect = {150, 390, 1050, 330}, .parent = u"Рамка3", .text = u"Квалитет",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка13", .kind = Label, .rect = {2400, 390, 1500, 330}, .parent = u"Рамка3", .text = u"Отверстия, мм",
     .colour = purple, .alignment = Qt::AlignRight | Qt::AlignVCenter},
    {.name = u"Метка14", .kind = Label, .rect = {5625, 390, 1125, 330}, .parent = u"Рамка3", .text = u"Валы, мм",
     .colour = purple, .alignment = Qt::AlignRight | Qt::AlignVCenter},
    {.name = u"Метка15", .kind = Label, .rect = {8475, 390, 1275, 330}, .parent = u"Рамка3", .text = u"Прочие, мм",
     .colour = purple, .alignment = Qt::AlignRight | Qt::AlignVCenter},
    {.name = u"Метка16", .kind = Label, .rect = {150, 4980, 2400, 330}, .text = u"Требование на чертеже",
     .colour = navy, .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Размер", .kind = TextField, .rect = {2700, 600, 1800, 330}, .colour = navy, .label = u"Метка2"},
    {.name = u"Класс", .kind = ChoiceList, .rect = {2850, 390, 2625, 330}, .parent = u"Рамка1", .colour = navy,
     .items = general::sizeClassTexts, .label = u"Метка3", .accessibleName = u"Класс точности ГОСТ 30893.1"},
    {.name = u"КлассФР", .kind = ChoiceList, .rect = {4050, 390, 1575, 330}, .parent = u"Рамка2", .colour = navy,
     .items = general::formClassTexts, .label = u"Метка7", .accessibleName = u"Класс точности ГОСТ 30893.2"},
    {.name = u"Квалитет", .kind = ChoiceList, .rect = {1275, 390, 900, 330}, .parent = u"Рамка3", .colour = navy,
     .items = general::gradeTexts, .label = u"Метка12"},
    {.name = u"Линейный", .kind = ReadOnlyBox, .rect = {2850, 840, 2625, 330}, .parent = u"Рамка1",
     .colour = purple, .alignment = Qt::AlignCenter,
     .accessibleName = u"Предельные отклонения линейного размера", .accessibleDescription = u"в миллиметрах"},
    {.name = u"Скругление", .kind = ReadOnlyBox, .rect = {2850, 1260, 2625, 330}, .parent = u"Рамка1",
     .colour = purple, .alignment = Qt::AlignCenter,
     .accessibleName = u"Предельные отклонения радиуса и высоты фаски", .accessibleDescription = u"в миллиметрах"},
    {.name = u"Угол", .kind = ReadOnlyBox, .rect = {2850, 1680, 2625, 330}, .parent = u"Рамка1", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Предельные отклонения угла по меньшей стороне",
     .accessibleDescription = u"в градусах и минутах"},
    {.name = u"Прямолинейность", .kind = ReadOnlyBox, .rect = {4050, 840, 1575, 330}, .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter,
     .accessibleName = u"Допуск прямолинейности и плоскостности", .accessibleDescription = u"в миллиметрах"},
    {.name = u"Перпендикулярность", .kind = ReadOnlyBox, .rect = {4050, 1260, 1575, 330}, .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter,
     .accessibleName = u"Допуск перпендикулярности по меньшей стороне", .accessibleDescription = u"в миллиметрах"},
    {.name = u"Симметричность", .kind = ReadOnlyBox, .rect = {4050, 1680, 1575, 330}, .parent = u"Рамка2",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Допуск симметричности",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"Биение", .kind = ReadOnlyBox, .rect = {4050, 2100, 1575, 330}, .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Допуск радиального и торцового биения",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"Отверстия", .kind = ReadOnlyBox, .rect = {3975, 390, 1500, 330}, .parent = u"Рамка3",
     .colour = purple, .alignment = Qt::AlignCenter, .accessibleName = u"Отклонения отверстий, плюс IT",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"Валы", .kind = ReadOnlyBox, .rect = {6825, 390, 1500, 330}, .parent = u"Рамка3", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Отклонения валов, минус IT",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"Прочие", .kind = ReadOnlyBox, .rect = {9825, 390, 1650, 330}, .parent = u"Рамка3", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Отклонения прочих размеров, плюс-минус половина IT",
     .accessibleDescription = u"в миллиметрах"},
    {.name = u"Требование", .kind = ReadOnlyBox, .rect = {2625, 4950, 7425, 360}, .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter,
     .toolTip = u"Выбор класса записывает требование классами точности, выбор квалитета — квалитетом",
     .accessibleName = u"Требование на чертеже"},
    {.name = u"Сообщение", .kind = ResultLabel, .rect = {4650, 510, 7200, 510}, .colour = red,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter, .accessibleName = u"Сообщение"},
    {.name = u"Копировать", .kind = PlainButton, .rect = {10200, 4920, 1650, 420}, .text = u"Копировать",
     .background = lightGreen, .toolTip = u"Скопировать требование на чертеже (Ctrl+C)",
     .accessibleName = u"Копировать требование"},
    {.name = u"Примечания", .kind = TextArea, .rect = {150, 5460, 11700, 2880}, .text = general::notes, .colour = maroon,
     .accessibleName = u"Примечания к таблицам"},
};

// What each result box shows, in the order of the boxes above.
const ResultText<general::GeneralTexts> resultTexts[] = {
    {u"Линейный", &general::GeneralTexts::linear},
    {u"Скругление", &general::GeneralTexts::edge},
    {u"Угол", &general::GeneralTexts::angle},
    {u"Прямолинейность", &general::GeneralTexts::straightness},
    {u"Перпендикулярность", &general::GeneralTexts::perpendicularity},
    {u"Симметричность", &general::GeneralTexts::symmetry},
    {u"Биение", &general::GeneralTexts::runOut},
    {u"Отверстия", &general::GeneralTexts::hole},
    {u"Валы", &general::GeneralTexts::shaft},
    {u"Прочие", &general::GeneralTexts::other},
    {u"Требование", &general::GeneralTexts::requirement},
};

// Down the first frame, down the second, along the grade row, then the line.
constexpr std::u16string_view tabOrder[] = {
    u"Размер", u"Класс", u"Линейный", u"Скругление", u"Угол", u"КлассФР", u"Прямолинейность",
    u"Перпендикулярность", u"Симметричность", u"Биение", u"Квалитет", u"Отверстия", u"Валы",
    u"Прочие", u"Требование", u"Копировать", u"Примечания"};

} // namespace

const WindowDescription &GeneralWindow::description()
{
    static constexpr WindowDescription window = {u"ФОбщиеДопуски", u"Общие допуски", 12000, 8490, controls, tabOrder};
    return window;
}

GeneralWindow::GeneralWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, description());
    setBackground(this, colour::grey);
    buildControls();
    load();
}

GeneralWindow::~GeneralWindow() = default;

void GeneralWindow::buildControls()
{
    const Controls made = ui::buildControls(this, description());
    m_size = made.get<QLineEdit>(u"Размер");
    m_sizeClass = made.get<QComboBox>(u"Класс");
    m_formClass = made.get<QComboBox>(u"КлассФР");
    m_grade = made.get<QComboBox>(u"Квалитет");
    m_results = resultBoxes<general::GeneralTexts>(made, resultTexts);
    m_message = made.get<ui::ResultLabel>(u"Сообщение");
    auto *notes = made.get<QPlainTextEdit>(u"Примечания");
    notes->setReadOnly(true);
    lowerCaptions(this);

    connect(m_size, &QLineEdit::textChanged, this, [this] { recompute(); });
    // A choice in a list shows its values; a choice of a class writes the line by
    // classes, a choice of a grade by the grade, even when the item stays the same.
    // Each choice is recomputed once, with its own way of writing the line: a new item
    // as it becomes current (`activated` follows, and finds nothing left to do), the
    // item already shown when it is chosen again for the other way.
    const std::pair<QComboBox *, general::Designation> lists[] = {{m_sizeClass, general::Designation::Classes},
                                                                  {m_formClass, general::Designation::Classes},
                                                                  {m_grade, general::Designation::Grade}};
    for (const auto &[list, designation] : lists) {
        connect(list, &QComboBox::currentIndexChanged, this, [this, designation] {
            m_designation = designation;
            recompute();
        });
        connect(list, &QComboBox::activated, this, [this, designation] {
            if (m_designation != designation) {
                m_designation = designation;
                recompute();
            }
        });
    }
    copyOnRequest(this, made.get<QPushButton>(u"Копировать"), QList<QWidget *>(m_results.begin(), m_results.end()) << m_size,
                  [this] { return m_requirement; });
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
    const QList<QLineEdit *> changed = showResults<general::GeneralTexts>(m_results, resultTexts, texts);
    if (m_message->text() != texts.message)
        m_message->setResult(texts.message);
    const QString text = texts.message.isEmpty() ? spokenResults(changed) : texts.message;
    announce(this, text);
    m_requirement = texts.requirement;
    emit spoken(text);
}

} // namespace merilon
