// SPDX-License-Identifier: MIT
#include "app/windows.h"

#include "angles/angle_window.h"
#include "app/about_window.h"
#include "app/main_window.h"
#include "chains/chain_window.h"
#include "core/number_text.h"
#include "fits/fit_search_window.h"
#include "fits/fit_window.h"
#include "form_position/form_position_window.h"
#include "general/general_window.h"
#include "symbols/symbol_chart.h"
#include "unspecified/unspecified_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>

namespace merilon {

namespace {

template <typename Window>
QWidget *make()
{
    return new Window;
}

using enum Opening;

// One row a window: the main window first, then the others in the order of the
// main window's buttons and links, each window opened from another after it, and
// the About window last.
constexpr std::array registry = {
    WindowEntry{.name = u"Форма1", .id = "main", .description = &MainWindow::description, .make = make<MainWindow>,
                .opening = Start, .choices = {{{u"НР", u"св. 18 до 24"}, {u"ПД", u"f"}}}, .result = u"ВО",
                .shows = u"-20"},
    WindowEntry{.name = u"Форма5", .id = "form_position", .description = &FormPositionWindow::description,
                .make = make<FormPositionWindow>, .opening = Button, .opener = u"Комманда1",
                .choices = {{{u"Комбо3", u"13"}}}, .result = u"Текст1", .shows = u"0,2"},
    WindowEntry{.name = u"Форма4", .id = "unspecified", .description = &UnspecifiedWindow::description,
                .make = make<UnspecifiedWindow>, .opening = Button, .opener = u"Комманда2",
                .choices = {{{u"Комбо3", u"15 - 16"}}}, .result = u"Текст1", .shows = u"0,5"},
    WindowEntry{.name = u"Форма3", .id = "angles", .description = &AngleWindow::description, .make = make<AngleWindow>,
                .opening = Button, .opener = u"Комманда3", .choices = {{{u"Комбо2", u"9"}}}, .result = u"Текст1",
                .shows = u"6'"},
    WindowEntry{.name = u"Форма2", .id = "symbols", .description = &SymbolChart::description, .make = make<SymbolChart>,
                .opening = Button, .opener = u"Комманда4", .choices = {{{u"Изображение3"}}}, .result = u"Метка2",
                .shows = u"Допуск формы"},
    WindowEntry{.name = u"ФПосадки", .id = "fits", .description = &FitWindow::description, .make = make<FitWindow>,
                .opening = Link, .opener = u"Посадки — открыть окно",
                .blurb = u"Отверстие и вал вместе: отклонения и предельные размеры обоих полей, зазоры или натяги, "
                         u"характер посадки и её схема. Размер вводится с клавиатуры, поля выбираются из списков.",
                .choices = {{{u"ВалБуква", u"k"}}}, .result = u"Характер", .shows = u"переходная посадка"},
    WindowEntry{.name = u"ФОбщиеДопуски", .id = "general", .description = &GeneralWindow::description,
                .make = make<GeneralWindow>, .opening = Link, .opener = u"Общие допуски — открыть окно",
                .blurb = u"Общие допуски по ГОСТ 30893.1 и ГОСТ 30893.2 для размеров без допуска на чертеже: размеры, "
                         u"углы, форма и расположение, и строка для технических требований.",
                .choices = {{{u"КлассФР", u"L"}}}, .result = u"Прямолинейность", .shows = u"0,2"},
    WindowEntry{.name = u"ФЦепи", .id = "chains", .description = &ChainWindow::description,
                .make = make<ChainWindow>, .opening = Link, .opener = u"Размерные цепи — открыть окно",
                .blurb = u"Размерная цепь по ГОСТ 16320-80: замыкающее звено по составляющим или допуски "
                         u"составляющих по исходному звену способом одного квалитета, методом максимума-минимума "
                         u"или вероятностным. Звенья вводятся таблицей или вставляются из электронной таблицы.",
                .choices = {{{u"Метод", u"вероятностный"}}}, .result = u"T", .shows = u"0,3366"},
    WindowEntry{.name = u"ФПодбор", .id = "fit_search", .description = &FitSearchWindow::description,
                .make = make<FitSearchWindow>, .opening = FromWindow, .opener = u"Подбор", .from = u"ФПосадки",
                .choices = {{{u"Ряд", u"все поля стандарта"}}}, .result = u"Найдено", .shows = u"Подходят 13 посадок."},
    WindowEntry{.name = u"ФАвтор", .id = "about", .description = &AboutWindow::description, .make = make<AboutWindow>,
                .opening = Button, .opener = u"Комманда5"},
};

} // namespace

std::span<const WindowEntry> windows()
{
    return registry;
}

const WindowEntry *findWindow(std::u16string_view name)
{
    const auto found = std::find_if(registry.begin(), registry.end(), [name](const WindowEntry &e) {
        return e.name == name;
    });
    return found == registry.end() ? nullptr : &*found;
}

const WindowEntry *findWindowById(std::string_view id)
{
    const auto found = std::find_if(registry.begin(), registry.end(), [id](const WindowEntry &e) { return e.id == id; });
    return found == registry.end() ? nullptr : &*found;
}

QString idOf(const WindowEntry &entry)
{
    return QString::fromLatin1(entry.id.data(), qsizetype(entry.id.size()));
}

QString linkOf(const WindowEntry &entry)
{
    return u'#' + idOf(entry);
}

QWidget *openFrom(QWidget *main, const WindowEntry &entry)
{
    const auto shown = [&entry] () -> QWidget * {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->objectName() == toQString(entry.name))
                return window;
        }
        return nullptr;
    };
    QWidget *from = main;
    switch (entry.opening) {
    case Opening::Start:
        return main;
    case Opening::FromWindow:
        if (const WindowEntry *parent = findWindow(entry.from))
            from = openFrom(main, *parent);
        [[fallthrough]];
    case Opening::Button:
        if (auto *button = from ? from->findChild<QAbstractButton *>(toQString(entry.opener)) : nullptr)
            button->click();
        return shown();
    case Opening::Link:
        break;
    }
    auto *advert = main->findChild<QTextEdit *>(QStringLiteral("Текст3"));
    if (!advert)
        return nullptr;
    for (QTextBlock line = advert->document()->firstBlock(); line.isValid(); line = line.next()) {
        if (line.text() != toQString(entry.opener))
            continue;
        advert->setTextCursor(QTextCursor(line));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(advert, &enter);
    }
    return shown();
}

} // namespace merilon
