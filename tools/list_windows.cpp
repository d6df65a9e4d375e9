// SPDX-License-Identifier: MIT
// Prints the registry of windows as the checks outside the program read it, one JSON
// object a line: each window's caption, how it opens (with the opener's name as a
// screen reader reads it), and its first choice and result by their screen-reader
// names. Run with QT_QPA_PLATFORM=offscreen.
#include "app/main_window.h"
#include "app/windows.h"
#include "core/number_text.h"
#include "ui/look.h"
#include "ui/window_description.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTextStream>

#include <memory>

namespace {

using merilon::toQString;

// The name a screen reader gives the control: its own, or its caption's.
QString spokenName(const QWidget *window, std::u16string_view name)
{
    const auto *control = window->findChild<const QWidget *>(toQString(name));
    if (!control)
        qFatal("%s has no control %s", qPrintable(window->objectName()), qPrintable(toQString(name)));
    if (!control->accessibleName().isEmpty())
        return control->accessibleName();
    for (const QLabel *label : window->findChildren<const QLabel *>()) {
        if (label->buddy() == control)
            return label->text().trimmed();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    merilon::ui::setUpApplication();
    merilon::MainWindow main;
    QTextStream out(stdout);
    for (const merilon::WindowEntry &entry : merilon::windows()) {
        std::unique_ptr<QWidget> window(entry.make());
        const char *openings[] = {"start", "button", "link", "window"};
        QJsonObject row{{"name", toQString(entry.name)},
                        {"caption", toQString(entry.description().caption)},
                        {"opening", QString::fromLatin1(openings[int(entry.opening)])},
                        {"opener", toQString(entry.opener)}};
        if (entry.opening == merilon::Opening::Button) {
            row["opener"] = spokenName(&main, entry.opener);
        } else if (entry.opening == merilon::Opening::FromWindow) {
            std::unique_ptr<QWidget> from(merilon::findWindow(entry.from)->make());
            row["from"] = toQString(merilon::findWindow(entry.from)->description().caption);
            row["opener"] = spokenName(from.get(), entry.opener);
        }
        QJsonArray choices;
        for (const merilon::Choice &choice : entry.choices) {
            if (!choice.control.empty() && !choice.item.empty()) {
                const bool editable = window->findChild<QComboBox *>(toQString(choice.control))->isEditable();
                choices.append(QJsonObject{{"list", spokenName(window.get(), choice.control)},
                                           {"editable", editable},
                                           {"item", toQString(choice.item)}});
            }
        }
        row["choices"] = choices;
        if (!entry.result.empty()) {
            row["result"] = spokenName(window.get(), entry.result);
            row["shows"] = toQString(entry.shows);
        }
        out << QJsonDocument(row).toJson(QJsonDocument::Compact) << '\n';
    }
    return 0;
}
