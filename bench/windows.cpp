// SPDX-License-Identifier: MIT
// The windows' figures, each against a bare Qt window with the same widgets:
// - one choice from a list handled end to end (the popup's item selection to the
//   captions updated), for every list of every window that has lists;
// - constructing and showing each window until its first paint;
// - the program's start to its first painted main window, in a fresh process;
// - the peak memory of a process with every window open.
// The bare twin of a window is built from the window's own description: the same
// controls of the same kinds (label, picture, list, text box, text browser, table,
// table of typed cells, frame, button; a window's own drawing as a blank picture) as plain Qt widgets, with the
// same geometry, first texts and list items, but none of the program's own
// behaviour: no bundled font, colours, key filters, tiles or procedures.
#include "angles/angle_table.h"
#include "angles/angle_window.h"
#include "app/about_window.h"
#include "ui/controls.h"
#include "app/main_window.h"
#include "app/windows.h"
#include "chains/chain.h"
#include "chains/chain_window.h"
#include "ui/messages.h"
#include "ui/window_description.h"
#include "core/number_text.h"
#include "fits/fit.h"
#include "fits/fits_tables.h"
#include "fits/fit_search.h"
#include "fits/fit_search_window.h"
#include "fits/fit_window.h"
#include "form_position/form_position_tables.h"
#include "general/general_tables.h"
#include "general/general_window.h"
#include "form_position/form_position_window.h"
#include "symbols/symbol_chart.h"
#include "unspecified/unspecified_tables.h"
#include "unspecified/unspecified_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace merilon::bench {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// ---------------------------------------------------------------------------------
// The bare twin of a window.

QWidget *makeBareControl(QWidget *parent, const ui::ControlDescription &d)
{
    using enum ui::ControlKind;
    const QString text = withPlainLineBreaks(toQString(d.text));
    switch (d.kind) {
    case Label:
    case ResultLabel: {
        auto *label = new QLabel(text, parent);
        label->setWordWrap(true);
        return label;
    }
    case Picture:
    case Custom: { // a window's own drawing: a picture of its size
        auto *label = new QLabel(parent);
        QPixmap pixmap(ui::pixelsOf({0, 0, d.rect.width, d.rect.height}).size());
        pixmap.fill(Qt::white);
        label->setPixmap(pixmap);
        return label;
    }
    case Frame:
        return new QGroupBox(text, parent);
    case List:
    case ChoiceList: {
        auto *combo = new QComboBox(parent);
        combo->setEditable(d.kind == List);
        if (d.items)
            combo->addItems(d.items());
        combo->setEditText(text);
        return combo;
    }
    case ResultBox:
    case ReadOnlyBox:
    case PanelBox:
    case TextField:
        return new QLineEdit(text, parent);
    case Button:
    case PlainButton:
        return new QPushButton(text, parent);
    case TextArea:
        return new QPlainTextEdit(text, parent);
    case Table: {
        auto *table = new QTreeWidget(parent);
        if (d.items)
            table->setHeaderLabels(d.items());
        return table;
    }
    case EditTable: {
        auto *table = new QTableWidget(parent);
        if (d.items) {
            table->setColumnCount(int(d.items().size()));
            table->setHorizontalHeaderLabels(d.items());
        }
        return table;
    }
    case TextBrowser: {
        auto *browser = new QTextBrowser(parent);
        browser->setPlainText(text);
        return browser;
    }
    }
    return new QWidget(parent);
}

// The same controls as the window's description makes, at the same places, as plain
// Qt widgets.
QWidget *buildTwin(const ui::WindowDescription &description)
{
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setWindowTitle(toQString(description.caption));
    window->setFixedSize(ui::px(description.width), ui::px(description.height));
    std::vector<std::pair<std::u16string_view, QWidget *>> made;
    for (const ui::ControlDescription &d : description.controls) {
        QWidget *parent = window;
        for (const auto &[name, control] : made)
            if (name == d.parent)
                parent = control;
        QWidget *control = makeBareControl(parent, d);
        control->setGeometry(ui::pixelsOf(d.rect));
        made.emplace_back(d.name, control);
    }
    return window;
}

// ---------------------------------------------------------------------------------
// Waiting for the first paint.

class PaintWatch final : public QObject
{
public:
    explicit PaintWatch(QWidget *window) : m_window(window) { window->installEventFilter(this); }
    ~PaintWatch() override
    {
        if (m_window)
            m_window->removeEventFilter(this);
    }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    QPointer<QWidget> m_window;
    bool m_painted = false;
};

// Shows the windows and handles events until each has painted itself once; the
// children paint in the same pass, after their window.
void showAndPaint(const std::vector<QWidget *> &windows)
{
    std::vector<std::unique_ptr<PaintWatch>> watches;
    for (QWidget *window : windows) {
        watches.push_back(std::make_unique<PaintWatch>(window));
        window->show();
    }
    QElapsedTimer timer;
    timer.start();
    while (!std::all_of(watches.begin(), watches.end(), [](const auto &w) { return w->painted(); })) {
        QCoreApplication::processEvents();
        if (timer.hasExpired(10000))
            qFatal("a window was not painted within 10 s");
    }
}

void showAndPaint(QWidget *window)
{
    showAndPaint(std::vector<QWidget *>{window});
}

// ---------------------------------------------------------------------------------
// The windows.

// The windows measured: every registered one.
std::span<const WindowEntry> windowKinds()
{
    return windows();
}

// ---------------------------------------------------------------------------------
// One choice handled end to end.

// What a click on a list item in the open popup does once the popup has closed: the
// popup reports the item, the combo box makes it current and emits `activated`, and
// the window's procedures run. The popup itself is not shown, so nothing is painted.
void pick(QComboBox *combo, int index)
{
    QAbstractItemView *view = combo->view();
    const QModelIndex item = view->model()->index(index, combo->modelColumn(), view->rootIndex());
    if (!QMetaObject::invokeMethod(view->parentWidget(), "itemSelected", Qt::DirectConnection,
                                   Q_ARG(QModelIndex, item)))
        qFatal("the popup of %s reports no item", qPrintable(combo->objectName()));
}

int comboIndex(const QWidget *window, const QString &name)
{
    const auto *combo = window->findChild<const QComboBox *>(name);
    if (!combo)
        qFatal("no list %s", qPrintable(name));
    return combo->currentIndex();
}

QString textOf(const QWidget *window, const QString &name)
{
    const QObject *control = window->findChild<QObject *>(name);
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (const auto *box = qobject_cast<const QLineEdit *>(control))
        return box->text();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    qFatal("no control %s", qPrintable(name));
}

// Whether a window shows what its tables say for the choices shown beside it.
using Check = std::function<bool(const QWidget *)>;

bool mainShowsTable(const QWidget *w)
{
    const fits::Deviations d = fits::deviations(textOf(w, QStringLiteral("НР")), textOf(w, QStringLiteral("Комбо1")),
                                                textOf(w, QStringLiteral("ПД")));
    return textOf(w, QStringLiteral("ВО")) == d.upper && textOf(w, QStringLiteral("НО")) == d.lower;
}

bool formPositionShowsTable(const QWidget *w)
{
    const form_position::ToleranceType *type = form_position::findType(textOf(w, QStringLiteral("Комбо1")));
    if (!type)
        return false;
    const QString interval = textOf(w, QStringLiteral("Комбо2"));
    const QString degree = textOf(w, QStringLiteral("Комбо3"));
    const std::optional<form_position::Shown> shown =
        type->intervals == IntervalList::Lengths
            ? form_position::lengthTolerance(type->table, interval, degree)
            : form_position::diameterTolerance(type->table, interval, degree);
    return shown && textOf(w, QStringLiteral("Текст1")) == shown->value
        && textOf(w, QStringLiteral("Метка6")) == shown->unit;
}

bool unspecifiedShowsTable(const QWidget *w)
{
    const std::optional<unspecified::Kind> kind = unspecified::kindOf(textOf(w, QStringLiteral("Комбо1")));
    if (!kind)
        return false;
    const std::optional<QString> value = unspecified::valueText(kind->table, textOf(w, QStringLiteral("Комбо2")),
                                                                textOf(w, QStringLiteral("Комбо3")));
    return value && textOf(w, QStringLiteral("Текст1")) == *value;
}

bool anglesShowTable(const QWidget *w)
{
    const std::optional<int> degree =
        wholeNumber(textOf(w, QStringLiteral("Комбо2")), angles::firstDegree, angles::lastDegree);
    const auto cell = angles::angleTolerance(textOf(w, QStringLiteral("Комбо1")), degree.value_or(0));
    return cell && textOf(w, QStringLiteral("Текст1")) == toQString(*cell);
}

bool fitsShowFit(const QWidget *w)
{
    const auto gradeOf = [w](const char16_t *name) {
        return fits::fitGradeOf(comboIndex(w, QString::fromUtf16(name)));
    };
    const fits::FitTexts t = fits::fitTexts(textOf(w, QStringLiteral("Размер")), textOf(w, QStringLiteral("ОтвБуква")),
                                            gradeOf(u"ОтвКвалитет"), textOf(w, QStringLiteral("ВалБуква")),
                                            gradeOf(u"ВалКвалитет"));
    return t.message.isEmpty() && textOf(w, QStringLiteral("ES")) == t.holeUpper
        && textOf(w, QStringLiteral("ei")) == t.shaftLower && textOf(w, QStringLiteral("Smax")) == t.maxClearance
        && textOf(w, QStringLiteral("Nmax")) == t.maxInterference && textOf(w, QStringLiteral("Характер")) == t.kind
        && textOf(w, QStringLiteral("Обозначение")) == t.notation && textOf(w, QStringLiteral("Вероятность")) == t.probability;
}

bool generalShowsTables(const QWidget *w)
{
    const general::GeneralTexts t = general::generalTexts(
        textOf(w, QStringLiteral("Размер")), comboIndex(w, QStringLiteral("Класс")),
        comboIndex(w, QStringLiteral("КлассФР")), general::firstGrade + comboIndex(w, QStringLiteral("Квалитет")),
        general::Designation::Classes);
    return t.message.isEmpty() && textOf(w, QStringLiteral("Линейный")) == t.linear
        && textOf(w, QStringLiteral("Угол")) == t.angle && textOf(w, QStringLiteral("Прямолинейность")) == t.straightness
        && textOf(w, QStringLiteral("Прочие")) == t.other && textOf(w, QStringLiteral("Требование")) == t.requirement;
}

bool searchListsFits(const QWidget *w)
{
    const fits::FitSearch found =
        fits::searchFits(textOf(w, QStringLiteral("Размер")), textOf(w, QStringLiteral("ЗазорНаим")),
                         textOf(w, QStringLiteral("ЗазорНаиб")), fits::Basis(comboIndex(w, QStringLiteral("Система"))),
                         fits::Series(comboIndex(w, QStringLiteral("Ряд"))));
    const auto *list = w->findChild<const QTreeWidget *>(QStringLiteral("Список"));
    return list && !found.fits.empty() && list->topLevelItemCount() == int(found.fits.size())
        && list->topLevelItem(0)->text(0) == found.fits.front().text();
}

// The chain window shows what the chain's typed cells, lists and required deviations give.
bool chainShowsSolution(const QWidget *w)
{
    const auto *table = w->findChild<const QTableWidget *>(QStringLiteral("Звенья"));
    chains::Inputs in;
    for (int r = 0; r < table->rowCount(); ++r) {
        chains::Row row;
        for (int c = 0; c < chains::columnCount; ++c)
            if (const QTableWidgetItem *item = table->item(r, c))
                row[std::size_t(c)] = item->data(ChainWindow::typedRole).toString();
        in.rows.push_back(row);
    }
    in.task = chains::Task(comboIndex(w, QStringLiteral("Задача")));
    in.method = chains::Method(comboIndex(w, QStringLiteral("Метод")));
    in.risk = comboIndex(w, QStringLiteral("Риск"));
    in.requiredUpper = textOf(w, QStringLiteral("ИсхES"));
    in.requiredLower = textOf(w, QStringLiteral("ИсхEI"));
    const chains::Solution s = chains::solve(in);
    return s.message.isEmpty() && textOf(w, QStringLiteral("T")) == s.tolerance
        && textOf(w, QStringLiteral("ES")) == s.upper && textOf(w, QStringLiteral("EI")) == s.lower
        && textOf(w, QStringLiteral("Проверка")) == s.check && table->rowCount() == int(in.rows.size());
}

} // namespace

// A chain of 50 links as a spreadsheet's rows: a housing and 49 parts in a row of
// sizes from 3 to 120 mm, each with a field of the tables (h, js and H of grades 6 to
// 12), every fifth by Simpson's law and every seventh with typed deviations.
QString fiftyLinks()
{
    QStringList rows = {QStringLiteral("А1\t2500\tув\tH11\t\t\t\tH")};
    const QStringList letters = {QStringLiteral("h"), QStringLiteral("js"), QStringLiteral("H")};
    for (int i = 2; i <= 50; ++i) {
        const QString field = letters[i % 3] + QString::number(6 + i % 7);
        rows.append(QStringLiteral("А%1\t%2\tум\t%3\t%4\t%5\t%6")
                        .arg(i)
                        .arg(3 + (i * 37) % 118)
                        .arg(i % 7 == 0 ? QString() : field)
                        .arg(i % 7 == 0 ? QStringLiteral("0,05") : QString())
                        .arg(i % 7 == 0 ? QStringLiteral("-0,05") : QString())
                        .arg(i % 5 == 0 ? QStringLiteral("симп") : QString()));
    }
    return rows.join(QLatin1Char('\n'));
}

namespace {

// The chain window with the 50 links pasted over its own chain, as its user does.
QWidget *makeLongChain()
{
    auto *window = new ChainWindow;
    QApplication::clipboard()->setText(fiftyLinks());
    auto *table = window->findChild<QTableWidget *>(QStringLiteral("Звенья"));
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_V}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
        QCoreApplication::sendEvent(table, &press);
    }
    if (table->rowCount() != 51) // and the empty row at the end
        qFatal("the chain window took %d rows of 50", table->rowCount() - 1);
    return window;
}

struct ChoiceCase
{
    const char *name;
    std::function<QWidget *()> make;
    QString combo;
    QStringList before; // chosen once first, in this order, from the named lists
    QString first;      // the two items chosen in turn
    QString second;
    Check check;
};

QComboBox *comboOf(const QWidget *window, const QString &name)
{
    auto *combo = window->findChild<QComboBox *>(name);
    if (!combo)
        qFatal("no list %s", qPrintable(name));
    return combo;
}

int indexOf(const QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        qFatal("%s has no item %s", qPrintable(combo->objectName()), qPrintable(text));
    return index;
}

void runChoice(benchmark::State &state, const ChoiceCase &c)
{
    MessageCapture messages;
    std::unique_ptr<QWidget> window(c.make());
    showAndPaint(window.get());
    for (int i = 0; i + 1 < c.before.size(); i += 2) {
        QComboBox *combo = comboOf(window.get(), c.before[i]);
        pick(combo, indexOf(combo, c.before[i + 1]));
    }
    QComboBox *combo = comboOf(window.get(), c.combo);
    const int first = indexOf(combo, c.first);
    const int second = indexOf(combo, c.second);
    for (int index : {first, second}) {
        pick(combo, index);
        if (combo->currentText() != combo->itemText(index) || !c.check(window.get())) {
            state.SkipWithError("the window does not show the table value for the choice");
            return;
        }
    }
    QCoreApplication::processEvents();

    std::int64_t n = 0;
    for (auto _ : state) {
        pick(combo, (n & 1) ? second : first);
        // The window repaints now and then, outside the measured time, so that
        // no queue of updates builds up.
        if ((++n & 63) == 0) {
            state.PauseTiming();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
    if (!c.check(window.get()))
        state.SkipWithError("the window does not show the table value for the choice");
    else if (!messages.messages.isEmpty())
        state.SkipWithError("a choice raised a message");
}

std::vector<ChoiceCase> choiceCases()
{
    using fits::sizeRows;
    const QString firstSize = toQString(sizeRows.front().text);
    const QString lastSize = toQString(sizeRows.back().text);
    const QString firstDiameter = toQString(diameterIntervals.front());
    const QString lastDiameter = toQString(diameterIntervals.back());
    const QString firstAngleInterval = toQString(angles::angleRows.front().text);
    const QString lastAngleInterval = toQString(angles::angleRows.back().text);
    const auto makeMain = [] { return new MainWindow; };
    const auto makeFormPosition = [] { return new FormPositionWindow; };
    const auto makeUnspecified = [] { return new UnspecifiedWindow; };
    const auto makeAngles = [] { return new AngleWindow; };
    const auto makeFits = [] { return new FitWindow; };
    const auto makeGeneral = [] { return new GeneralWindow; };
    const auto makeSearch = [] { return new FitSearchWindow; };
    const auto makeChain = [] { return makeLongChain(); };
    const QStringList sizeChosen = {QStringLiteral("НР"), firstSize};
    return {
        {"choice/main/size", makeMain, QStringLiteral("НР"), {}, firstSize, lastSize, mainShowsTable},
        {"choice/main/grade", makeMain, QStringLiteral("Комбо1"), sizeChosen, QStringLiteral("7"),
         QStringLiteral("8"), mainShowsTable},
        {"choice/main/field", makeMain, QStringLiteral("ПД"), sizeChosen, QStringLiteral("z"),
         toQString(fits::basicHole), mainShowsTable},
        {"choice/form_position/type", makeFormPosition, QStringLiteral("Комбо1"), {},
         QStringLiteral("плоскостности"), QStringLiteral("радиального биения"), formPositionShowsTable},
        {"choice/form_position/interval", makeFormPosition, QStringLiteral("Комбо2"), {}, firstDiameter,
         lastDiameter, formPositionShowsTable},
        {"choice/form_position/degree", makeFormPosition, QStringLiteral("Комбо3"), {}, QStringLiteral("7"),
         QStringLiteral("16"), formPositionShowsTable},
        {"choice/unspecified/kind", makeUnspecified, QStringLiteral("Комбо1"), {},
         QStringLiteral("перпендикулярности"), QStringLiteral("радиального биения"), unspecifiedShowsTable},
        {"choice/unspecified/interval", makeUnspecified, QStringLiteral("Комбо2"), {}, firstDiameter, lastDiameter,
         unspecifiedShowsTable},
        {"choice/unspecified/group", makeUnspecified, QStringLiteral("Комбо3"), {}, QStringLiteral("12"),
         QStringLiteral("17"), unspecifiedShowsTable},
        {"choice/angles/interval", makeAngles, QStringLiteral("Комбо1"), {}, firstAngleInterval, lastAngleInterval,
         anglesShowTable},
        {"choice/angles/degree", makeAngles, QStringLiteral("Комбо2"), {}, QStringLiteral("1"),
         QStringLiteral("17"), anglesShowTable},
        // A clearance fit and an interference fit in turn; the picture is redrawn
        // with the rest, at the next paint.
        {"choice/fits/hole_field", makeFits, QStringLiteral("ОтвБуква"), {}, QStringLiteral("H"),
         QStringLiteral("Z"), fitsShowFit},
        {"choice/fits/shaft_grade", makeFits, QStringLiteral("ВалКвалитет"), {}, QStringLiteral("5"),
         QStringLiteral("17"), fitsShowFit},
        // Every box of the window changes between the finest and the coarsest class.
        {"choice/general/class", makeGeneral, QStringLiteral("Класс"), {}, QStringLiteral("f — точный"),
         QStringLiteral("v — очень грубый"), generalShowsTables},
        {"choice/general/form_class", makeGeneral, QStringLiteral("КлассФР"), {}, QStringLiteral("H"),
         QStringLiteral("L"), generalShowsTables},
        // The recommended fits and the whole standard in turn: 2 and 13 rows listed.
        {"choice/fit_search/series", makeSearch, QStringLiteral("Ряд"), {}, toQString(fits::seriesTexts[0]),
         toQString(fits::seriesTexts[1]), searchListsFits},
        // A chain of 50 links solved by one method and the other: every box and the
        // cells of the table compared, the fields' deviations looked up again.
        {"choice/chains/method_50_links", makeChain, QStringLiteral("Метод"), {}, chains::methodTexts()[0],
         chains::methodTexts()[1], chainShowsSolution},
    };
}

// ---------------------------------------------------------------------------------
// Constructing and showing each window, beside its twin, in turns.

void runShow(benchmark::State &state, std::size_t which)
{
    const WindowEntry &kind = windowKinds()[which];
    double windowSeconds = 0;
    double bareSeconds = 0;
    std::int64_t n = 0;
    for (auto _ : state) {
        double own = 0;
        double bare = 0;
        // Which of the two goes first alternates, so that neither inherits the
        // other's warm caches more often.
        for (int turn = 0; turn < 2; ++turn) {
            const bool ownTurn = (turn == 0) == (n % 2 == 0);
            const Clock::time_point start = Clock::now();
            std::unique_ptr<QWidget> window(ownTurn ? kind.make() : buildTwin(kind.description()));
            showAndPaint(window.get());
            (ownTurn ? own : bare) = secondsSince(start);
        }
        ++n;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.SetIterationTime(own);
        windowSeconds += own;
        bareSeconds += bare;
    }
    if (n == 0)
        return;
    state.counters["window_ms"] = 1e3 * windowSeconds / double(n);
    state.counters["bare_ms"] = 1e3 * bareSeconds / double(n);
    state.counters["ratio"] = windowSeconds / bareSeconds;
}

// ---------------------------------------------------------------------------------
// Fresh processes: the program's start and the peak memory with every window open.

struct ChildResult
{
    double seconds = 0; // from the spawn to the child's first line
    QByteArray line;
};

// Runs this program again as `--child MODE` and reads its first line.
ChildResult runChild(const char *mode)
{
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        qFatal("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    std::vector<char *> args = {const_cast<char *>(self.constData()), const_cast<char *>("--child"),
                                const_cast<char *>(mode), nullptr};
    ChildResult result;
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self.constData(), &actions, nullptr, args.data(), environ) != 0)
        qFatal("cannot start %s", self.constData());
    close(pipeEnds[1]);
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n')
        result.line.append(c);
    result.seconds = secondsSince(start);
    close(pipeEnds[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || result.line.isEmpty())
        qFatal("the child process %s failed", mode);
    return result;
}

void runStart(benchmark::State &state)
{
    std::vector<double> own;
    std::vector<double> bare;
    runChild("start-program"); // warms the page cache for both
    runChild("start-bare");
    std::int64_t n = 0;
    for (auto _ : state) {
        const bool ownFirst = n++ % 2 == 0;
        const double first = runChild(ownFirst ? "start-program" : "start-bare").seconds;
        const double second = runChild(ownFirst ? "start-bare" : "start-program").seconds;
        own.push_back(ownFirst ? first : second);
        bare.push_back(ownFirst ? second : first);
        state.SetIterationTime(own.back());
    }
    state.counters["window_ms"] = 1e3 * median(own);
    state.counters["bare_ms"] = 1e3 * median(bare);
    state.counters["ratio"] = median(own) / median(bare);
}

double mebibytes(const QByteArray &kib)
{
    return kib.toDouble() / 1024.0;
}

void runMemory(benchmark::State &state)
{
    std::vector<double> own;
    std::vector<double> bare;
    std::int64_t n = 0;
    for (auto _ : state) {
        const bool ownFirst = n++ % 2 == 0;
        const ChildResult first = runChild(ownFirst ? "memory-program" : "memory-bare");
        const ChildResult second = runChild(ownFirst ? "memory-bare" : "memory-program");
        own.push_back(mebibytes(ownFirst ? first.line : second.line));
        bare.push_back(mebibytes(ownFirst ? second.line : first.line));
        state.SetIterationTime(ownFirst ? first.seconds : second.seconds);
    }
    state.counters["window_MiB"] = median(own);
    state.counters["bare_MiB"] = median(bare);
    state.counters["extra_MiB"] = median(own) - median(bare);
}

// The peak resident memory of this process, in KiB.
QByteArray peakKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/status");
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first();
    }
    qFatal("no VmHWM in /proc/self/status");
}

void say(const QByteArray &line)
{
    const QByteArray text = line + '\n';
    if (write(STDOUT_FILENO, text.constData(), static_cast<std::size_t>(text.size())) != text.size())
        _exit(3);
}

const bool registered = [] {
    for (const ChoiceCase &c : choiceCases()) {
        benchmark::RegisterBenchmark(c.name, [c](benchmark::State &state) { runChoice(state, c); })
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.2)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    for (std::size_t i = 0; i < windowKinds().size(); ++i) {
        const std::string name = "show/" + std::string(windowKinds()[i].id);
        benchmark::RegisterBenchmark(name.c_str(), [i](benchmark::State &state) { runShow(state, i); })
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->MinTime(0.3)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::RegisterBenchmark("start/main", runStart)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(15);
    benchmark::RegisterBenchmark("memory/all_windows", runMemory)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(7);
    return true;
}();

} // namespace

// The child processes: print one line and end at once, without tearing anything
// down. "start-…" prints when the main window (or its twin) has first painted;
// "memory-…" opens every window (or every twin) and prints the peak memory in KiB.
int runChildProcess(int argc, char *argv[])
{
    const QByteArray mode = argv[2];
    QApplication app(argc, argv);
    std::vector<QWidget *> windows;
    if (mode.endsWith("-program")) {
        // As main() starts the program.
        QApplication::setApplicationName(QStringLiteral("merilon"));
        ui::setUpApplication();
        auto *main = new MainWindow;
        if (mode == "memory-program") {
            showAndPaint(main);
            // Every other window, opened as its user opens it; they paint below.
            for (const WindowEntry &entry : windowKinds()) {
                if (!openFrom(main, entry))
                    qFatal("%s does not open", qPrintable(toQString(entry.name)));
            }
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w != main && w->isVisible())
                    windows.push_back(w);
            }
            if (windows.size() + 1 != windowKinds().size())
                qFatal("%zu other windows open, not %zu", windows.size(), windowKinds().size() - 1);
        } else {
            windows.push_back(main);
        }
    } else {
        for (std::size_t i = 0; i < (mode == "memory-bare" ? windowKinds().size() : 1); ++i)
            windows.push_back(buildTwin(windowKinds()[i].description()));
    }
    showAndPaint(windows);
    say(mode.startsWith("memory-") ? peakKib() : QByteArray("painted"));
    _exit(0);
}

} // namespace merilon::bench
