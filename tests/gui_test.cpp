// SPDX-License-Identifier: MIT
#include "gui_test.h"

#include "app/controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QStyleOptionComboBox>
#include <QTest>

namespace merilon::test {

void prepareApplication()
{
    ui::applyLook();
}

void showAndWait(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("window %s not exposed", qPrintable(window->objectName()));
}

static QPoint arrowCentre(QComboBox *combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.subControls = QStyle::SC_All;
    const QRect arrow =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    return arrow.center();
}

void chooseIndex(QComboBox *combo, int index)
{
    if (index < 0 || index >= combo->count())
        qFatal("%s has no item %d", qPrintable(combo->objectName()), index);
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, arrowCentre(combo));
    QAbstractItemView *view = combo->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }, 2000))
        qFatal("the popup of %s did not open", qPrintable(combo->objectName()));
    const QModelIndex item = view->model()->index(index, combo->modelColumn(), view->rootIndex());
    view->scrollTo(item);
    const QPoint target = view->visualRect(item).center();
    QWidget *viewport = view->viewport();
    // A move well away from the opening click, so that the popup takes the release.
    QTest::mouseMove(viewport, QPoint(target.x(), viewport->height() - 1));
    QTest::mouseMove(viewport, target);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, target);
    if (view->isVisible()) { // the release came too soon after the opening click
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, target);
    }
    if (!QTest::qWaitFor([view] { return !view->isVisible(); }, 2000))
        qFatal("the popup of %s did not close", qPrintable(combo->objectName()));
}

void choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        qFatal("%s has no item '%s'", qPrintable(combo->objectName()), qPrintable(text));
    chooseIndex(combo, index);
}

void typeInto(QWidget *widget, const QString &keys)
{
    widget->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(widget, keys);
}

QStringList items(const QComboBox *combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list.append(combo->itemText(i));
    return list;
}

} // namespace merilon::test
