// SPDX-License-Identifier: MIT
#include "unspecified/unspecified_window.h"

#include "app/controls.h"
#include "app/number_text.h"
#include "unspecified/unspecified_tables.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <cmath>
#include <optional>

namespace merilon {

using namespace ui;

namespace {

const QColor maroon(128, 0, 0);
const QColor navy(0, 0, 128);
const QColor darkNavy(0, 0, 64);
const QColor purple(128, 0, 128);

// A text box at a twips rectangle.
QLineEdit *addTextBox(QWidget *parent, const QString &name, const QString &text, QRect twips)
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setGeometry(rectTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    return box;
}

// The notes: word-wrapped paragraphs joined by LF and CR. The label keeps its text as
// it is; on screen the pair is one line break, where Qt alone would draw the CR as a
// space at the start of the next paragraph.
class NotesLabel final : public QLabel
{
public:
    NotesLabel(const QString &name, const QString &text, QRect twips, QWidget *parent) : QLabel(text, parent)
    {
        setObjectName(name);
        setGeometry(rectTwips(twips.x(), twips.y(), twips.width(), twips.height()));
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setWordWrap(true);
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QString shown = text();
        shown.remove(QLatin1Char('\r'));
        style()->drawItemText(&painter, contentsRect(), int(alignment()) | Qt::TextWordWrap, palette(), isEnabled(),
                              shown, foregroundRole());
    }
};

// The whole number that a hidden field holds, if it holds one.
std::optional<int> fieldNumber(const QLineEdit *field)
{
    const std::optional<double> number = parseNumber(field->text());
    if (!number || *number != std::trunc(*number) || std::fabs(*number) > 1e6)
        return std::nullopt;
    return static_cast<int>(*number);
}

} // namespace

UnspecifiedWindow::UnspecifiedWindow(QWidget *parent) : QWidget(parent)
{
    setupCaptionedWindow(this, QStringLiteral("Форма4"), QStringLiteral("Неуказанные допуски"), 4935, 5640);
    setBackground(this, QColor(224, 224, 224));
    buildControls();
    load();
}

UnspecifiedWindow::~UnspecifiedWindow() = default;

void UnspecifiedWindow::buildControls()
{
    const QColor plainText = palette().color(QPalette::WindowText);

    m_notesFrame = addFrame(this, QStringLiteral("Рамка3"), QStringLiteral("Примечание"), {120, 2760, 4695, 2775});
    setTextColour(m_notesFrame, QColor(192, 0, 0));
    m_notes = new NotesLabel(QStringLiteral("Метка7"), QStringLiteral("Метка7"), {120, 240, 4455, 2415}, m_notesFrame);
    setTextColour(m_notes, plainText); // the red belongs to the frame's caption only

    // The selectors' heights follow from the font, as on the main window.
    m_kind = addCombo(this, QStringLiteral("Комбо1"), {1320, 840, 2532, 315}, unspecified::kindTexts());
    setComboText(m_kind, QStringLiteral("Комбо1"));
    setTextColour(m_kind, maroon);
    m_group = addCombo(this, QStringLiteral("Комбо3"), {2280, 1680, 972, 315}, unspecified::accuracyGroupTexts());
    m_interval = addCombo(this, QStringLiteral("Комбо2"), {2280, 1320, 2295, 315},
                          unspecified::intervalTexts(unspecified::diameterList));
    setComboText(m_interval, QStringLiteral("Комбо2"));
    setTextColour(m_interval, darkNavy);

    m_listKind = addTextBox(this, QStringLiteral("Поле0"), QStringLiteral("Поле0"), {3960, 120, 615, 375});
    m_listKind->hide();
    m_value = addTextBox(this, QStringLiteral("Текст1"), QStringLiteral("Текст1"), {2520, 2160, 855, 360});
    m_value->setFont(ui::font(12, true));
    setTextColour(m_value, purple);
    m_value->setReadOnly(true); // the program writes it; the user may select and copy
    m_tableGroup = addTextBox(this, QStringLiteral("Поле1"), QStringLiteral("Поле1"), {3960, 480, 615, 405});
    m_tableGroup->hide();

    QLabel *heading = addLabel(this, QStringLiteral("Метка1"),
                               QStringLiteral("Неуказанные допуски формы и расположения поверхностей"),
                               {480, 120, 3732, 492}, Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(heading, navy);
    QLabel *size = addLabel(this, QStringLiteral("Метка2"), QStringLiteral("Номинальный размер"),
                            {240, 1320, 2052, 252});
    setTextColour(size, darkNavy);
    QLabel *accuracy = addLabel(this, QStringLiteral("Метка3"), QStringLiteral("Степень точности"),
                                {240, 1680, 1692, 252});
    QLabel *kind = addLabel(this, QStringLiteral("Метка4"), QStringLiteral("Допуск "), {480, 840, 852, 252},
                            Qt::AlignRight | Qt::AlignTop);
    setTextColour(kind, maroon);
    QLabel *valueLabel = addLabel(this, QStringLiteral("Метка5"), QStringLiteral("Значение допуска"),
                                  {240, 2160, 2292, 252});
    valueLabel->setFont(ui::font(9.75, true));
    setTextColour(valueLabel, purple);
    QLabel *unit = addLabel(this, QStringLiteral("Метка6"), QStringLiteral("мм"), {3480, 2160, 855, 375});
    unit->setFont(ui::font(12, true));
    setTextColour(unit, purple);
    // Labels lie beneath the other controls, which some of them touch at the edge.
    for (QLabel *label : {heading, size, accuracy, kind, valueLabel, unit})
        label->lower();

    // Only a choice from a list runs the window's procedures; typing runs nothing.
    connect(m_kind, &QComboBox::activated, this, [this] {
        Index();
        Interwal();
        Tornel3();
    });
    connect(m_interval, &QComboBox::activated, this, [this] { Tornel3(); });
    connect(m_group, &QComboBox::activated, this, [this] { Tornel3(); });

    setTabOrder(m_kind, m_interval);
    setTabOrder(m_interval, m_group);
    setTabOrder(m_group, m_value);
    setAccessibleTexts(this, {{.control = u"Комбо1", .label = u"Метка4"},
                              {.control = u"Комбо2", .label = u"Метка2"},
                              {.control = u"Комбо3", .label = u"Метка3"},
                              {u"Текст1", u"Метка5", {}, u"в миллиметрах"}});
    m_kind->setFocus();
}

void UnspecifiedWindow::load()
{
    setBackground(m_notesFrame, QColor(255, 255, 220));
    setComboText(m_kind, QStringLiteral("радиального биения"));
    m_listKind->setText(QString::number(4));
    m_tableGroup->setText(QString::number(4));
    setComboText(m_interval, QStringLiteral("до 3"));
    setComboText(m_group, QStringLiteral("12"));
    // The value of group 4, "до 3", "12", written as it stands.
    m_value->setText(numberText(0.2));
    Index();
}

void UnspecifiedWindow::Tornel3()
{
    const std::optional<int> group = fieldNumber(m_tableGroup);
    if (!group)
        return;
    if (const std::optional<QString> text =
            unspecified::valueText(*group, m_interval->currentText(), m_group->currentText()))
        m_value->setText(*text);
}

void UnspecifiedWindow::Index()
{
    if (const std::optional<unspecified::Kind> kind = unspecified::kindOf(m_kind->currentText())) {
        m_listKind->setText(QString::number(kind->listKind));
        m_tableGroup->setText(QString::number(kind->tableGroup));
    }
    if (const std::optional<int> group = fieldNumber(m_tableGroup)) {
        if (const std::optional<QString> notes = unspecified::notes(*group))
            m_notes->setText(*notes);
    }
}

void UnspecifiedWindow::Interwal()
{
    const int listKind = fieldNumber(m_listKind).value_or(0);
    m_interval->clear();
    m_interval->addItems(unspecified::intervalTexts(listKind));
    setComboText(m_interval, unspecified::firstInterval(listKind));
}

} // namespace merilon
