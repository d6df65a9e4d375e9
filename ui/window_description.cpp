// SPDX-License-Identifier: MIT
#include "ui/window_description.h"

#include "core/number_text.h"
#include "ui/controls.h"
#include "ui/key_filter.h"
#include "ui/look.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidget>

namespace merilon::ui {

QWidget *Controls::operator[](std::u16string_view name) const
{
    for (const auto &[controlName, control] : m_controls)
        if (controlName == name)
            return control;
    qFatal("no control %s", qPrintable(toQString(name)));
}

void Controls::wrongType(std::u16string_view name, const char *type)
{
    qFatal("the control %s is no %s", qPrintable(toQString(name)), type);
}

namespace {

template <typename TextBox>
TextBox *addTextBox(QWidget *parent, const QString &name, const Twips &t)
{
    auto *box = new TextBox(parent);
    box->setObjectName(name);
    box->setGeometry(pixelsOf(t));
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    return box;
}

QWidget *makeControl(QWidget *parent, const ControlDescription &d)
{
    const QString name = toQString(d.name);
    const QString text = toQString(d.text);
    switch (d.kind) {
    case ControlKind::Label:
        return addLabel(parent, name, text, d.rect, d.alignment);
    case ControlKind::Picture: {
        auto *picture = new QLabel(parent);
        picture->setObjectName(name);
        picture->setPixmap(resourcePicture(text));
        picture->setAlignment(d.alignment);
        picture->setGeometry(pixelsOf(d.rect));
        return picture;
    }
    case ControlKind::Frame:
        return addFrame(parent, name, text, d.rect);
    case ControlKind::List: {
        QComboBox *list = addCombo(parent, name, d.rect, d.items ? d.items() : QStringList());
        if (!text.isEmpty())
            setComboText(list, text);
        return list;
    }
    case ControlKind::ChoiceList: {
        auto *list = new QComboBox(parent);
        list->setObjectName(name);
        if (d.items)
            list->addItems(d.items());
        list->setMaxVisibleItems(21);
        list->setGeometry(pixelsOf(d.rect));
        chooseByWheelOnlyWithFocus(list);
        return list;
    }
    case ControlKind::ResultBox:
    case ControlKind::ReadOnlyBox:
    case ControlKind::PanelBox: {
        const auto keys = d.kind == ControlKind::ResultBox ? ResultBox::Keys::DeleteOnly : ResultBox::Keys::None;
        const auto frame = d.kind == ControlKind::PanelBox ? ResultBox::Frame::SunkenPanel : ResultBox::Frame::TextBox;
        auto *box = new ResultBox(name, text, d.rect, keys, frame, parent);
        if (d.alignment != (Qt::AlignLeft | Qt::AlignTop))
            box->setAlignment(d.alignment);
        return box;
    }
    case ControlKind::ResultLabel: {
        auto *label = new ResultLabel(name, text, d.rect, parent);
        label->setAlignment(d.alignment);
        return label;
    }
    case ControlKind::Button: {
        auto *button = new WrapButton(text, parent);
        button->setObjectName(name);
        button->setGeometry(pixelsOf(d.rect));
        return button;
    }
    case ControlKind::PlainButton:
    case ControlKind::Custom: {
        if (d.kind == ControlKind::Custom && !d.make)
            qFatal("the control %s has no maker", qPrintable(name));
        QWidget *control = d.kind == ControlKind::Custom ? d.make(parent) : new QPushButton(text, parent);
        control->setObjectName(name);
        control->setGeometry(pixelsOf(d.rect));
        return control;
    }
    case ControlKind::Table: {
        auto *table = new QTreeWidget(parent);
        table->setObjectName(name);
        table->setGeometry(pixelsOf(d.rect));
        const QStringList titles = d.items ? d.items() : QStringList();
        table->setColumnCount(int(titles.size()));
        table->setHeaderLabels(titles);
        table->setRootIsDecorated(false);
        table->setItemsExpandable(false);
        table->setUniformRowHeights(true);
        table->setAllColumnsShowFocus(true);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->header()->setSectionsMovable(false);
        return table;
    }
    case ControlKind::EditTable: {
        // A typed key or F2 edits the current cell, Tab leaves the table, and the
        // arrows move between the cells.
        auto *table = new QTableWidget(parent);
        table->setObjectName(name);
        table->setGeometry(pixelsOf(d.rect));
        const QStringList titles = d.items ? d.items() : QStringList();
        table->setColumnCount(int(titles.size()));
        table->setHorizontalHeaderLabels(titles);
        table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                               | QAbstractItemView::AnyKeyPressed);
        table->setTabKeyNavigation(false);
        table->setWordWrap(false); // a cell holds one line
        table->setSelectionMode(QAbstractItemView::ExtendedSelection);
        table->horizontalHeader()->setSectionsMovable(false);
        return table;
    }
    case ControlKind::TextField: {
        auto *field = new QLineEdit(text, parent);
        field->setObjectName(name);
        field->setGeometry(pixelsOf(d.rect));
        if (d.alignment != (Qt::AlignLeft | Qt::AlignTop))
            field->setAlignment(d.alignment);
        return field;
    }
    case ControlKind::TextArea: {
        auto *area = addTextBox<QPlainTextEdit>(parent, name, d.rect);
        if (!text.isEmpty())
            area->setPlainText(withPlainLineBreaks(text));
        return area;
    }
    case ControlKind::TextBrowser: {
        auto *browser = addTextBox<QTextBrowser>(parent, name, d.rect);
        if (!text.isEmpty())
            browser->setPlainText(withPlainLineBreaks(text));
        return browser;
    }
    }
    return nullptr;
}

} // namespace

Controls buildControls(QWidget *window, std::span<const ControlDescription> controls,
                       std::span<const std::u16string_view> tabOrder)
{
    Controls made;
    for (const ControlDescription &d : controls) {
        QWidget *parent = d.parent.empty() ? window : made[d.parent];
        QWidget *control = makeControl(parent, d);
        setColours(control, d.colour, d.background);
        if (d.font.points > 0)
            control->setFont(font(d.font.points, d.font.bold, d.font.underline));
        if (!d.toolTip.empty())
            control->setToolTip(toQString(d.toolTip));
        if (d.keyFilter)
            applyKeyFilter(control);
        made.m_controls.emplace_back(d.name, control);
    }
    // The labels are all made before they name a control.
    for (const ControlDescription &d : controls) {
        if (d.label.empty() && d.accessibleName.empty() && d.accessibleDescription.empty())
            continue;
        QWidget *control = made[d.name];
        QString name = toQString(d.accessibleName);
        if (!d.label.empty()) {
            // A control named in its own words is not labelled by its caption as
            // well: screen readers would read the caption in place of the name.
            auto *label = made.get<QLabel>(d.label);
            if (name.isEmpty()) {
                label->setBuddy(control);
                name = label->text().trimmed();
            }
        }
        // An empty name is what a control has already; setting it would only tell the
        // accessibility layer of a change that is none (Qt makes the control's
        // accessible interface to say so).
        if (!name.isEmpty())
            control->setAccessibleName(name);
        if (!d.accessibleDescription.empty())
            control->setAccessibleDescription(toQString(d.accessibleDescription));
    }
    // What the tab order lists takes the focus from the keyboard, a picture too.
    for (const std::u16string_view name : tabOrder) {
        if (made[name]->focusPolicy() == Qt::NoFocus)
            made[name]->setFocusPolicy(Qt::TabFocus);
    }
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(made[tabOrder[i - 1]], made[tabOrder[i]]);
    if (!tabOrder.empty())
        made[tabOrder.front()]->setFocus();
    return made;
}

Controls buildControls(QWidget *window, const WindowDescription &description)
{
    return buildControls(window, description.controls, description.tabOrder);
}

void setupCaptionedWindow(QWidget *window, const WindowDescription &description)
{
    setupCaptionedWindow(window, toQString(description.name), toQString(description.caption), description.width,
                         description.height);
}

} // namespace merilon::ui
