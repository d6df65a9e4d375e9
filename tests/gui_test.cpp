// SPDX-License-Identifier: MIT
#include "tests/gui_test.h"

#include "ui/controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

namespace merilon::test {

namespace {
QtMessageHandler testHandler = nullptr;

// The offscreen platform says so whenever a window is raised or a popup grabs the
// keyboard; that is no fault of the program's.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(QStringLiteral("This plugin does not support")))
        return;
    testHandler(type, context, text);
}
} // namespace

void prepareApplication()
{
    ui::setUpApplication();
    if (!testHandler)
        testHandler = qInstallMessageHandler(quietHandler);
}

void showAndWait(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("window %s not exposed", qPrintable(window->objectName()));
}

QList<QWidget *> shownWindows(const QString &name)
{
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName() == name)
            found.append(w);
    }
    return found;
}

void turnWheel(QWidget *widget, int notches)
{
    const QPointF at = QRectF(widget->rect()).center();
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
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
    QWidget *viewport = view->viewport();
    // The part of the item that the popup shows: a narrow popup may show its items cut.
    const QPoint target = view->visualRect(item).intersected(viewport->rect()).center();
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

void act(QWidget *window, const QString &control, const QString &item)
{
    auto *target = child<QWidget>(window, control);
    if (auto *list = qobject_cast<QComboBox *>(target); list && !item.isEmpty())
        choose(list, item);
    else
        QTest::mouseMove(window->windowHandle(), target->mapTo(window, QPoint(5, 5)));
}

void typeInto(QWidget *widget, const QString &keys)
{
    widget->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    // QTest::keyClick knows ASCII only; a keyboard types Cyrillic as well.
    for (QChar c : keys) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

QStringList items(const QComboBox *combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list.append(combo->itemText(i));
    return list;
}

QStringList clippedCaptions(const QWidget *window)
{
    QStringList clipped;
    auto check = [&clipped](const QWidget *w, const QString &text, QRect box, int flags) {
        if (text.trimmed().isEmpty() || !w->isVisibleTo(w->window()))
            return;
        const QRect needed = w->fontMetrics().boundingRect(box, flags, text);
        if (needed.width() > box.width() || needed.height() > box.height())
            clipped.append(QStringLiteral("%1: %2x%3 in %4x%5")
                               .arg(w->objectName())
                               .arg(needed.width())
                               .arg(needed.height())
                               .arg(box.width())
                               .arg(box.height()));
    };
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->pixmap().isNull() && label->objectName() != QStringLiteral("Picture1"))
            check(label, label->text(), label->contentsRect(),
                  int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0));
    }
    for (const QPushButton *button : window->findChildren<QPushButton *>()) {
        // The caption's room inside the button's bevel.
        check(button, button->text(), button->rect().adjusted(3, 3, -3, -3), Qt::AlignCenter | Qt::TextWordWrap);
    }
    for (const QGroupBox *frame : window->findChildren<QGroupBox *>()) {
        if (!frame->title().isEmpty())
            check(frame, frame->title(), frame->rect().adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignTop);
    }
    return clipped;
}

QStringList noisyTexts(const QWidget *window)
{
    static const QRegularExpression decimal(QStringLiteral("\\d,(\\d+)"));
    QStringList noisy;
    const auto check = [&noisy](const QWidget *control, const QString &text, bool micrometres) {
        for (const QRegularExpressionMatch &match : decimal.globalMatch(text)) {
            const QString places = match.captured(1);
            if (places.size() > (micrometres ? 2 : 5) || places.contains(QStringLiteral("000000"))
                || places.contains(QStringLiteral("999999")))
                noisy.append(control->objectName() + QStringLiteral(": ") + text);
        }
    };
    for (const QWidget *control : window->findChildren<QWidget *>()) {
        check(control, control->accessibleDescription(), false);
        if (const auto *box = qobject_cast<const QLineEdit *>(control); box && box->isReadOnly())
            check(box, box->text(), box->accessibleDescription().contains(QStringLiteral("микрометр")));
        else if (const auto *label = qobject_cast<const QLabel *>(control))
            check(label, label->text(), false);
        else if (const auto *list = qobject_cast<const QTreeWidget *>(control)) {
            const QTreeWidgetItem *titles = list->headerItem();
            for (int row = 0; row < list->topLevelItemCount(); ++row) {
                for (int column = 0; column < list->columnCount(); ++column)
                    check(list, list->topLevelItem(row)->text(column),
                          titles->text(column).contains(QStringLiteral("мкм")));
            }
        }
    }
    return noisy;
}

} // namespace merilon::test
