// SPDX-License-Identifier: MIT
#include "fits/fit_window.h"
#include "fits/fit_notation.h"

#include "ui/controls.h"
#include "ui/result_window.h"
#include "ui/speech.h"
#include "ui/window_description.h"
#include "core/number_text.h"
#include "fits/fit.h"
#include "fits/fit_scheme.h"
#include "fits/fit_search_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace merilon {

using namespace ui;

namespace {

using enum ui::ControlKind;
using namespace ui::colour;

QStringList holeLetterTexts()
{
    return listTexts(fits::holeLetters);
}

QStringList shaftLetterTexts()
{
    return listTexts(fits::shaftLetters);
}

// ФПосадки's controls. The frames: Рамка1 the size and the fields, Рамка2 the fields'
// figures, Рамка3 the fit's. The result boxes are named and described for a screen
// reader by what they show and their unit.
constexpr ControlDescription controls[] = {
    {.name = u"Рамка1", .kind = Frame, .rect = twipsOfPixels(10, 46, 310, 112), .background = lightYellow},
    {.name = u"Рамка2", .kind = Frame, .rect = twipsOfPixels(10, 164, 310, 170), .background = lightYellow},
    {.name = u"Рамка3", .kind = Frame, .rect = twipsOfPixels(330, 250, 360, 84), .background = lightYellow},
    {.name = u"Метка1", .kind = Label, .rect = twipsOfPixels(10, 6, 310, 36), .text = u"Посадки гладких цилиндрических и плоских соединений", .colour = darkNavy,
     .alignment = Qt::AlignCenter},
    {.name = u"Метка2", .kind = Label, .rect = twipsOfPixels(10, 10, 150, 18), .parent = u"Рамка1", .text = u"Номинальный размер, мм", .colour = navy,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка3", .kind = Label, .rect = twipsOfPixels(10, 43, 112, 20), .parent = u"Рамка1", .text = u"Поле отверстия", .colour = maroon,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка4", .kind = Label, .rect = twipsOfPixels(186, 43, 52, 20), .parent = u"Рамка1", .text = u"квалитет", .colour = maroon,
     .alignment = Qt::AlignRight | Qt::AlignVCenter},
    {.name = u"Метка5", .kind = Label, .rect = twipsOfPixels(10, 77, 112, 20), .parent = u"Рамка1", .text = u"Поле вала", .colour = green,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка6", .kind = Label, .rect = twipsOfPixels(186, 77, 52, 20), .parent = u"Рамка1", .text = u"квалитет", .colour = green,
     .alignment = Qt::AlignRight | Qt::AlignVCenter},
    {.name = u"Метка7", .kind = Label, .rect = twipsOfPixels(166, 6, 64, 18), .parent = u"Рамка2", .text = u"Отверстие", .colour = maroon,
     .alignment = Qt::AlignCenter},
    {.name = u"Метка8", .kind = Label, .rect = twipsOfPixels(236, 6, 64, 18), .parent = u"Рамка2", .text = u"Вал", .colour = green,
     .alignment = Qt::AlignCenter},
    {.name = u"Метка9", .kind = Label, .rect = twipsOfPixels(8, 28, 156, 18), .parent = u"Рамка2", .text = u"Верхнее отклонение, мкм", .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка10", .kind = Label, .rect = twipsOfPixels(8, 56, 156, 18), .parent = u"Рамка2", .text = u"Нижнее отклонение, мкм", .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка11", .kind = Label, .rect = twipsOfPixels(8, 84, 156, 18), .parent = u"Рамка2", .text = u"Наибольший размер, мм", .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка12", .kind = Label, .rect = twipsOfPixels(8, 112, 156, 18), .parent = u"Рамка2", .text = u"Наименьший размер, мм", .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка13", .kind = Label, .rect = twipsOfPixels(8, 140, 156, 18), .parent = u"Рамка2", .text = u"Допуск, мкм", .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка14", .kind = Label, .rect = twipsOfPixels(150, 4, 90, 18), .parent = u"Рамка3", .text = u"наибольший", .colour = purple,
     .alignment = Qt::AlignCenter},
    {.name = u"Метка15", .kind = Label, .rect = twipsOfPixels(250, 4, 90, 18), .parent = u"Рамка3", .text = u"наименьший", .colour = purple,
     .alignment = Qt::AlignCenter},
    {.name = u"Метка16", .kind = Label, .rect = twipsOfPixels(10, 26, 130, 18), .parent = u"Рамка3", .text = u"Зазор, мкм", .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка17", .kind = Label, .rect = twipsOfPixels(10, 54, 130, 18), .parent = u"Рамка3", .text = u"Натяг, мкм", .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка18", .kind = Label, .rect = twipsOfPixels(10, 381, 116, 18), .text = u"Обозначение", .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Метка19", .kind = Label, .rect = twipsOfPixels(10, 411, 116, 18), .text = u"Вероятность", .colour = purple,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = u"Размер", .kind = TextField, .rect = twipsOfPixels(160, 8, 140, 22), .parent = u"Рамка1", .colour = navy,
     .label = u"Метка2"},
    {.name = u"ОтвБуква", .kind = ChoiceList, .rect = twipsOfPixels(124, 42, 58, 22), .parent = u"Рамка1", .colour = maroon,
     .items = holeLetterTexts, .label = u"Метка3"},
    {.name = u"ОтвКвалитет", .kind = ChoiceList, .rect = twipsOfPixels(242, 42, 58, 22), .parent = u"Рамка1",
     .colour = maroon, .items = fits::fitGradeTexts, .label = u"Метка4", .accessibleName = u"Квалитет отверстия"},
    {.name = u"ВалБуква", .kind = ChoiceList, .rect = twipsOfPixels(124, 76, 58, 22), .parent = u"Рамка1", .colour = green,
     .items = shaftLetterTexts, .label = u"Метка5"},
    {.name = u"ВалКвалитет", .kind = ChoiceList, .rect = twipsOfPixels(242, 76, 58, 22), .parent = u"Рамка1", .colour = green,
     .items = fits::fitGradeTexts, .label = u"Метка6", .accessibleName = u"Квалитет вала"},
    {.name = u"ES", .kind = ReadOnlyBox, .rect = twipsOfPixels(166, 26, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Верхнее отклонение отверстия ES", .accessibleDescription = u"в микрометрах"},
    {.name = u"es", .kind = ReadOnlyBox, .rect = twipsOfPixels(236, 26, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Верхнее отклонение вала es", .accessibleDescription = u"в микрометрах"},
    {.name = u"EI", .kind = ReadOnlyBox, .rect = twipsOfPixels(166, 54, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Нижнее отклонение отверстия EI", .accessibleDescription = u"в микрометрах"},
    {.name = u"ei", .kind = ReadOnlyBox, .rect = twipsOfPixels(236, 54, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Нижнее отклонение вала ei", .accessibleDescription = u"в микрометрах"},
    {.name = u"Dmax", .kind = ReadOnlyBox, .rect = twipsOfPixels(166, 82, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Наибольший размер отверстия Dmax", .accessibleDescription = u"в миллиметрах"},
    {.name = u"dmax", .kind = ReadOnlyBox, .rect = twipsOfPixels(236, 82, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Наибольший размер вала dmax", .accessibleDescription = u"в миллиметрах"},
    {.name = u"Dmin", .kind = ReadOnlyBox, .rect = twipsOfPixels(166, 110, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Наименьший размер отверстия Dmin", .accessibleDescription = u"в миллиметрах"},
    {.name = u"dmin", .kind = ReadOnlyBox, .rect = twipsOfPixels(236, 110, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Наименьший размер вала dmin", .accessibleDescription = u"в миллиметрах"},
    {.name = u"TD", .kind = ReadOnlyBox, .rect = twipsOfPixels(166, 138, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Допуск отверстия TD", .accessibleDescription = u"в микрометрах"},
    {.name = u"Td", .kind = ReadOnlyBox, .rect = twipsOfPixels(236, 138, 64, 22), .parent = u"Рамка2", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Допуск вала Td", .accessibleDescription = u"в микрометрах"},
    {.name = u"Smax", .kind = ReadOnlyBox, .rect = twipsOfPixels(150, 24, 90, 22), .parent = u"Рамка3", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Наибольший зазор Smax", .accessibleDescription = u"в микрометрах"},
    {.name = u"Smin", .kind = ReadOnlyBox, .rect = twipsOfPixels(250, 24, 90, 22), .parent = u"Рамка3", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Наименьший зазор Smin", .accessibleDescription = u"в микрометрах"},
    {.name = u"Nmax", .kind = ReadOnlyBox, .rect = twipsOfPixels(150, 52, 90, 22), .parent = u"Рамка3", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Наибольший натяг Nmax", .accessibleDescription = u"в микрометрах"},
    {.name = u"Nmin", .kind = ReadOnlyBox, .rect = twipsOfPixels(250, 52, 90, 22), .parent = u"Рамка3", .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Наименьший натяг Nmin", .accessibleDescription = u"в микрометрах"},
    {.name = u"Характер", .kind = ReadOnlyBox, .rect = twipsOfPixels(10, 346, 310, 24), .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Характер посадки"},
    {.name = u"Система", .kind = ReadOnlyBox, .rect = twipsOfPixels(330, 346, 360, 24), .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Система посадки"},
    {.name = u"Обозначение", .kind = ReadOnlyBox, .rect = twipsOfPixels(130, 378, 560, 24), .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Обозначение посадки на чертеже",
     .accessibleDescription = u"с предельными отклонениями в миллиметрах"},
    {.name = u"Вероятность", .kind = ReadOnlyBox, .rect = twipsOfPixels(130, 408, 560, 24), .colour = purple,
     .alignment = Qt::AlignCenter, .accessibleName = u"Вероятность натяга и зазора переходной посадки",
     .accessibleDescription = u"в процентах"},
    {.name = u"Схема", .kind = Custom, .rect = twipsOfPixels(330, 8, 360, 236),
     .make = [](QWidget *parent) -> QWidget * { return new FitScheme(parent); }, .accessibleName = u"Схема посадки"},
    {.name = u"Сообщение", .kind = ResultLabel, .rect = twipsOfPixels(10, 436, 440, 34), .colour = red,
     .alignment = Qt::AlignLeft | Qt::AlignVCenter, .accessibleName = u"Сообщение"},
    {.name = u"Подбор", .kind = PlainButton, .rect = twipsOfPixels(460, 439, 120, 28), .text = u"Подбор посадки…",
     .background = lightGreen, .toolTip = u"Найти посадки, дающие нужный зазор или натяг, при этом размере",
     .accessibleName = u"Подбор посадки"},
    {.name = u"Копировать", .kind = PlainButton, .rect = twipsOfPixels(590, 439, 100, 28), .text = u"Копировать",
     .background = lightGreen, .toolTip = u"Скопировать посадку одной строкой (Ctrl+C)",
     .accessibleName = u"Копировать посадку"},
};

// What each result box shows, in the order of the boxes above.
const ResultText<fits::FitTexts> resultTexts[] = {
    {u"ES", &fits::FitTexts::holeUpper},
    {u"es", &fits::FitTexts::shaftUpper},
    {u"EI", &fits::FitTexts::holeLower},
    {u"ei", &fits::FitTexts::shaftLower},
    {u"Dmax", &fits::FitTexts::holeMax},
    {u"dmax", &fits::FitTexts::shaftMax},
    {u"Dmin", &fits::FitTexts::holeMin},
    {u"dmin", &fits::FitTexts::shaftMin},
    {u"TD", &fits::FitTexts::holeTolerance},
    {u"Td", &fits::FitTexts::shaftTolerance},
    {u"Smax", &fits::FitTexts::maxClearance},
    {u"Smin", &fits::FitTexts::minClearance},
    {u"Nmax", &fits::FitTexts::maxInterference},
    {u"Nmin", &fits::FitTexts::minInterference},
    {u"Характер", &fits::FitTexts::kind},
    {u"Система", &fits::FitTexts::system},
    {u"Обозначение", &fits::FitTexts::notation},
    {u"Вероятность", &fits::FitTexts::probability},
};

// The size, the fields, the result boxes row by row as they stand, the copy button.
constexpr std::u16string_view tabOrder[] = {
    u"Размер", u"ОтвБуква", u"ОтвКвалитет", u"ВалБуква", u"ВалКвалитет",
    u"ES", u"es", u"EI", u"ei", u"Dmax", u"dmax", u"Dmin", u"dmin",
    u"TD", u"Td", u"Smax", u"Smin", u"Nmax", u"Nmin", u"Характер", u"Система",
    u"Обозначение", u"Вероятность", u"Подбор", u"Копировать"};

} // namespace

const WindowDescription &FitWindow::description()
{
    static constexpr WindowDescription window = {u"ФПосадки", u"Посадки", 700 * twipsPerPixel, 476 * twipsPerPixel, controls, tabOrder};
    return window;
}

FitWindow::FitWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, description());
    setBackground(this, colour::grey);
    buildControls();
    load();
}

FitWindow::~FitWindow() = default;

void FitWindow::buildControls()
{
    const Controls made = ui::buildControls(this, description());
    m_size = made.get<QLineEdit>(u"Размер");
    m_holeLetter = made.get<QComboBox>(u"ОтвБуква");
    m_holeGrade = made.get<QComboBox>(u"ОтвКвалитет");
    m_shaftLetter = made.get<QComboBox>(u"ВалБуква");
    m_shaftGrade = made.get<QComboBox>(u"ВалКвалитет");
    m_results = resultBoxes<fits::FitTexts>(made, resultTexts);
    m_scheme = made.get<FitScheme>(u"Схема");
    m_message = made.get<ui::ResultLabel>(u"Сообщение");

    connect(m_size, &QLineEdit::textChanged, this, &FitWindow::sizeEdited);
    connect(m_size, &QLineEdit::returnPressed, this, &FitWindow::applyDesignation);
    for (QComboBox *list : {m_holeLetter, m_holeGrade, m_shaftLetter, m_shaftGrade})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    connect(made.get<QPushButton>(u"Подбор"), &QPushButton::clicked, this, [this] { openSearch(); });
    copyOnRequest(this, made.get<QPushButton>(u"Копировать"), QList<QWidget *>(m_results.begin(), m_results.end()) << m_size,
                  [this] { return m_line; });
}

void FitWindow::load()
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_size), QSignalBlocker(m_holeLetter),
                                       QSignalBlocker(m_holeGrade), QSignalBlocker(m_shaftLetter),
                                       QSignalBlocker(m_shaftGrade)};
    m_size->setText(QStringLiteral("25"));
    m_typed = m_size->text();
    m_holeLetter->setCurrentText(QStringLiteral("H"));
    m_holeGrade->setCurrentText(QStringLiteral("7"));
    m_shaftLetter->setCurrentText(QStringLiteral("f"));
    m_shaftGrade->setCurrentText(QStringLiteral("7"));
    recompute();
}

namespace {
// What the window shows when it shows only a message.
fits::FitTexts onlyMessage(const QString &message)
{
    fits::FitTexts texts;
    texts.message = message;
    return texts;
}
} // namespace

void FitWindow::recompute()
{
    if (fits::looksLikeDesignation(m_size->text()))
        return showTexts(onlyMessage(fits::pendingDesignationText())); // until Enter applies it
    showTexts(fits::fitTexts(m_size->text(), m_holeLetter->currentText(), fits::fitGradeOf(m_holeGrade->currentIndex()),
                             m_shaftLetter->currentText(), fits::fitGradeOf(m_shaftGrade->currentIndex())));
}

void FitWindow::showTexts(const fits::FitTexts &texts)
{
    showResults<fits::FitTexts>(m_results, resultTexts, texts);
    if (m_message->text() != texts.message)
        m_message->setResult(texts.message);
    announce(this, texts.message.isEmpty() ? texts.spoken : texts.message);
    m_scheme->setFit(texts);
    m_line = texts.line;
}

void FitWindow::sizeEdited(const QString &text)
{
    const bool pasted = text.size() - m_typed.size() >= 2;
    m_typed = text;
    if (pasted && fits::looksLikeDesignation(text))
        applyDesignation();
    else
        recompute();
}

void FitWindow::applyDesignation()
{
    if (!fits::looksLikeDesignation(m_size->text()))
        return; // a bare size, shown as it was typed
    const fits::FitNotation notation = fits::readFitNotation(m_size->text());
    if (!notation.error.isEmpty()) {
        showTexts(onlyMessage(notation.error));
        return;
    }
    const fits::FieldChoice hole = notation.hole.value_or(
        fits::FieldChoice{m_holeLetter->currentIndex(), fits::fitGradeOf(m_holeGrade->currentIndex())});
    const fits::FieldChoice shaft = notation.shaft.value_or(
        fits::FieldChoice{m_shaftLetter->currentIndex(), fits::fitGradeOf(m_shaftGrade->currentIndex())});
    const fits::FitTexts texts =
        fits::fitTexts(notation.size, m_holeLetter->itemText(hole.letter), hole.grade,
                       m_shaftLetter->itemText(shaft.letter), shaft.grade);
    if (!texts.message.isEmpty()) {
        showTexts(onlyMessage(texts.message));
        return;
    }
    {
        const QSignalBlocker blockers[] = {QSignalBlocker(m_size), QSignalBlocker(m_holeLetter),
                                           QSignalBlocker(m_holeGrade), QSignalBlocker(m_shaftLetter),
                                           QSignalBlocker(m_shaftGrade)};
        m_size->setText(notation.size);
        m_typed = notation.size;
        m_holeLetter->setCurrentIndex(hole.letter);
        m_holeGrade->setCurrentIndex(hole.grade - fits::fitGradeOf(0));
        m_shaftLetter->setCurrentIndex(shaft.letter);
        m_shaftGrade->setCurrentIndex(shaft.grade - fits::fitGradeOf(0));
    }
    showTexts(texts);
}

void FitWindow::openSearch()
{
    FitSearchWindow *search = m_search.show();
    connect(search, &FitSearchWindow::fitChosen, this, &FitWindow::showFit, Qt::UniqueConnection);
    search->setSize(m_size->text());
}

void FitWindow::showFit(const QString &size, const QString &holeLetter, int holeGrade, const QString &shaftLetter,
                        int shaftGrade)
{
    {
        const QSignalBlocker blockers[] = {QSignalBlocker(m_size), QSignalBlocker(m_holeLetter),
                                           QSignalBlocker(m_holeGrade), QSignalBlocker(m_shaftLetter),
                                           QSignalBlocker(m_shaftGrade)};
        m_size->setText(size);
        m_typed = size;
        m_holeLetter->setCurrentText(holeLetter);
        m_holeGrade->setCurrentIndex(holeGrade - fits::fitGradeOf(0));
        m_shaftLetter->setCurrentText(shaftLetter);
        m_shaftGrade->setCurrentIndex(shaftGrade - fits::fitGradeOf(0));
    }
    recompute();
    show();
    raise();
    activateWindow();
}

} // namespace merilon
