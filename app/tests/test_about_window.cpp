// SPDX-License-Identifier: MIT
// The About window as a user handles it: dragged by its body with the mouse, closed
// with its exit picture, its licence box closed to typing, and the "?" button.
#include "app/about_window.h"
#include "ui/controls.h"
#include "app/main_window.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>
#include <memory>

using namespace Qt::StringLiterals;
using namespace merilon;
using merilon::test::child;

namespace {

// Points of the window (in its own pixels) over each drag surface.
const QPoint background(5, 5);
const QPoint onTitle(124, 50);
const QPoint onDate(124, 88);
const QPoint onAuthor(53, 125);
const QPoint onFrame(35, 158);
const QPoint onExit(208, 144);
const QPoint onLicence(300, 60);

// The mouse, driven through the window system as a real one is: the window under
// it, the control that holds the mouse while a button is down, the buttons held.
class Mouse
{
public:
    explicit Mouse(QWidget *window) : m_window(window) {}
    // A point of the screen.
    QPoint at(QPoint local) const { return m_window->pos() + local; }
    void press(Qt::MouseButton button, QPoint screen) { QTest::mousePress(handle(), button, {}, local(screen)); }
    void release(Qt::MouseButton button, QPoint screen) { QTest::mouseRelease(handle(), button, {}, local(screen)); }
    void move(QPoint screen) { QTest::mouseMove(handle(), local(screen)); }

private:
    QWindow *handle() const { return m_window->windowHandle(); }
    QPoint local(QPoint screen) const { return screen - m_window->pos(); }
    QWidget *m_window;
};

} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<AboutWindow> m_window;
    QPoint m_start;

private slots:
    void initTestCase() { test::prepareApplication(); }

    void init()
    {
        m_window = std::make_unique<AboutWindow>();
        m_window->move(300, 200);
        test::showAndWait(m_window.get());
        m_start = m_window->pos();
        // A move without a button over the body: no drag in progress.
        Mouse(m_window.get()).move(m_window->pos() + background + QPoint(1, 1));
    }

    void cleanup() { m_window.reset(); }

    void dragByBody_data()
    {
        QTest::addColumn<QPoint>("grip");
        QTest::addColumn<QString>("surface");
        QTest::newRow("фон") << background << QStringLiteral("ФАвтор");
        QTest::newRow("заголовок") << onTitle << QStringLiteral("Метка1");
        QTest::newRow("дата") << onDate << QStringLiteral("Метка5");
        QTest::newRow("автор") << onAuthor << QStringLiteral("Метка3");
        QTest::newRow("рамка") << onFrame << QStringLiteral("Рамка1");
        QTest::newRow("фон внизу справа") << QPoint(480, 178) << QStringLiteral("ФАвтор");
    }

    void dragByBody()
    {
        QFETCH(QPoint, grip);
        QFETCH(QString, surface);
        QWidget *under = m_window->childAt(grip);
        QCOMPARE(under ? under->objectName() : m_window->objectName(), surface);

        Mouse mouse(m_window.get());
        QPoint pointer = mouse.at(grip);
        mouse.press(Qt::LeftButton, pointer);
        // The first move takes the grab point; the window stays.
        pointer += QPoint(1, 1);
        mouse.move(pointer);
        QCOMPARE(m_window->pos(), m_start);
        // From then on the window follows the mouse by its travel.
        for (QPoint travel : {QPoint(9, -5), QPoint(-5, 3), QPoint(8, 8), QPoint(0, -1)}) {
            pointer += travel;
            const QPoint expected = m_window->pos() + travel;
            mouse.move(pointer);
            QCOMPARE(m_window->pos(), expected);
        }
        QCOMPARE(m_window->pos(), m_start + QPoint(12, 5));
        // Releasing ends the drag: one begun again where the mouse rests takes its
        // own grab point, and the window does not jump.
        mouse.release(Qt::LeftButton, pointer);
        mouse.press(Qt::LeftButton, pointer);
        pointer += QPoint(3, -2);
        mouse.move(pointer);
        QCOMPARE(m_window->pos(), m_start + QPoint(12, 5));
        mouse.release(Qt::LeftButton, pointer);
        // Moves without a button leave the window be.
        pointer += QPoint(5, 5);
        mouse.move(pointer);
        QCOMPARE(m_window->pos(), m_start + QPoint(12, 5));
    }

    void licenceTextIsNotDraggedOut()
    {
        // All the licence selected, a press on it and the mouse out of the box above:
        // the text is not dragged out, so the box takes its release and ends its own
        // scrolling; the window, held a moment by its title, then follows the mouse.
        QTest::keyClick(child<QPlainTextEdit>(m_window.get(), QStringLiteral("Текст1")), Qt::Key_A, Qt::ControlModifier);
        Mouse mouse(m_window.get());
        mouse.press(Qt::LeftButton, mouse.at(onLicence));
        mouse.move(mouse.at(QPoint(onLicence.x(), 10)));
        mouse.release(Qt::LeftButton, mouse.at(QPoint(onLicence.x(), 10)));
        QPoint pointer = mouse.at(onTitle);
        mouse.press(Qt::LeftButton, pointer);
        QTest::qWait(250);
        mouse.move(pointer += QPoint(1, 1));
        mouse.move(pointer += QPoint(9, -5));
        QCOMPARE(m_window->pos(), m_start + QPoint(9, -5));
        mouse.release(Qt::LeftButton, pointer);
    }

    void rightButtonEndsDrag()
    {
        Mouse mouse(m_window.get());
        QPoint pointer = mouse.at(background);
        mouse.press(Qt::LeftButton, pointer);
        pointer += QPoint(1, 1);
        mouse.move(pointer);
        pointer += QPoint(20, 10);
        mouse.move(pointer);
        QCOMPARE(m_window->pos(), m_start + QPoint(20, 10));

        // The right button joins in: the window stays and the drag ends.
        mouse.press(Qt::RightButton, pointer);
        pointer += QPoint(25, 5);
        mouse.move(pointer);
        QCOMPARE(m_window->pos(), m_start + QPoint(20, 10));
        mouse.release(Qt::RightButton, pointer);

        // The left button alone again starts a new drag where the mouse is now,
        // without a jump to the old grab point.
        pointer += QPoint(1, 0);
        mouse.move(pointer);
        QCOMPARE(m_window->pos(), m_start + QPoint(20, 10));
        pointer += QPoint(-10, 8);
        mouse.move(pointer);
        QCOMPARE(m_window->pos(), m_start + QPoint(10, 18));
        mouse.release(Qt::LeftButton, pointer);
    }

    void releaseEndsTheDrag()
    {
        // A drag begun on the background, the button released over the window
        // without a further move: the drag is over all the same.
        Mouse mouse(m_window.get());
        const QPoint pointer = mouse.at(background) + QPoint(2, 3);
        mouse.press(Qt::LeftButton, mouse.at(background));
        mouse.move(pointer);
        mouse.release(Qt::LeftButton, pointer);
        QCOMPARE(m_window->pos(), m_start);

        // The window closed and opened again, its title now under the resting mouse:
        // a drag from there takes the title's own grab point and the window stays.
        m_window.reset();
        m_window = std::make_unique<AboutWindow>();
        m_window->move(pointer - onTitle);
        test::showAndWait(m_window.get());
        const QPoint reopened = m_window->pos();
        Mouse again(m_window.get());
        again.press(Qt::LeftButton, pointer);
        again.move(pointer + QPoint(1, 0));
        QCOMPARE(m_window->pos(), reopened);
        again.move(pointer + QPoint(-4, 6));
        QCOMPARE(m_window->pos(), reopened + QPoint(-5, 6));
        again.release(Qt::LeftButton, pointer + QPoint(-4, 6));
    }

    void farFirstMoveHeldAtRange()
    {
        // The first move of a drag lands 2300 pixels away (past the twips range of
        // a grab coordinate): the window jumps no further than the range allows and
        // then follows the mouse.
        Mouse mouse(m_window.get());
        QPoint pointer = mouse.at(background);
        mouse.press(Qt::LeftButton, pointer);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("occurs outside target window")));
        pointer += QPoint(2300, 0);
        mouse.move(pointer);
        // 2305 pixels are 34575 twips; the grab point stops at 32767.
        QCOMPARE(m_window->pos(), m_start + QPoint(qRound((34575 - 32767) / 15.0), 0));
        pointer += QPoint(-30, 20);
        const QPoint expected = m_window->pos() + QPoint(-30, 20);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("occurs outside target window")));
        mouse.move(pointer);
        QCOMPARE(m_window->pos(), expected);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("occurs outside target window")));
        mouse.release(Qt::LeftButton, pointer);
    }

    void exitPicture_data()
    {
        QTest::addColumn<QPoint>("releaseAt");
        QTest::newRow("на картинке") << onExit;
        QTest::newRow("над лицензией") << onLicence;
        QTest::newRow("над заголовком") << onTitle;
        QTest::newRow("за окном") << QPoint(600, 300);
    }

    void exitPicture()
    {
        QFETCH(QPoint, releaseAt);
        auto *normal = child<QLabel>(m_window.get(), QStringLiteral("Изображение2"));
        auto *pressed = child<QLabel>(m_window.get(), QStringLiteral("Изображение1"));
        QCOMPARE(m_window->childAt(onExit), static_cast<QWidget *>(normal));
        QVERIFY(!pressed->isVisible());

        Mouse mouse(m_window.get());
        mouse.press(Qt::LeftButton, mouse.at(onExit));
        QVERIFY(!normal->isVisible());
        QVERIFY(pressed->isVisible());
        QCOMPARE(pressed->geometry(), normal->geometry());
        // Moves with the button held neither drag the window nor undo the press.
        const bool outside = releaseAt.x() >= m_window->width();
        if (!outside)
            mouse.move(mouse.at(releaseAt) + QPoint(1, 1));
        QVERIFY(pressed->isVisible());
        QCOMPARE(m_window->pos(), m_start);

        if (outside)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("outside target window")));
        mouse.release(Qt::LeftButton, mouse.at(releaseAt));
        QVERIFY(!m_window->isVisible());
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }

    void licenceTakesNoTyping()
    {
        auto *licence = child<QPlainTextEdit>(m_window.get(), QStringLiteral("Текст1"));
        const QString text = licence->toPlainText();
        QCOMPARE(m_window->focusWidget(), static_cast<QWidget *>(licence));

        test::typeInto(licence, QStringLiteral("abc 123"));
        QTest::keyClick(licence, Qt::Key_Return);
        QTest::sendKeyEvent(QTest::Click, licence, Qt::Key_unknown, QStringLiteral("ж"), Qt::NoModifier);
        QApplication::clipboard()->setText(QStringLiteral("вставка"));
        QTest::keyClick(licence, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(licence->toPlainText(), text);

        // Backspace deletes the character before the cursor, Delete the one after.
        QTest::keyClick(licence, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(licence, Qt::Key_Backspace);
        QCOMPARE(licence->toPlainText(), text.chopped(1));
        QTest::keyClick(licence, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(licence, Qt::Key_Delete);
        QCOMPARE(licence->toPlainText(), text.chopped(1).mid(1));

        // Tab leaves the box for the address.
        QTest::keyClick(licence, Qt::Key_Tab);
        QCOMPARE(licence->toPlainText(), text.chopped(1).mid(1));
        QCOMPARE(m_window->focusWidget()->objectName(), QStringLiteral("Текст2"));
    }

    void look()
    {
        QVERIFY(m_window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(m_window->windowType(), Qt::Tool);
        // Still counts among the windows whose closing ends the program.
        QVERIFY(m_window->testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(child<QLineEdit>(m_window.get(), QStringLiteral("Текст2"))->text().endsWith(u"@example.org"));
        QVERIFY(test::clippedCaptions(m_window.get()).isEmpty());

        // The author line within what its frame shows; the licence in short lines,
        // none of them wrapped.
        auto *frame = child<QGroupBox>(m_window.get(), QStringLiteral("Рамка1"));
        auto *author = child<QLabel>(frame, QStringLiteral("Метка3"));
        QVERIFY(author->x() + author->fontMetrics().horizontalAdvance(author->text()) < frame->width() - 2);
        auto *licence = child<QPlainTextEdit>(m_window.get(), QStringLiteral("Текст1"));
        const QString text = licence->toPlainText();
        const int room = licence->viewport()->width() - 2 * int(licence->document()->documentMargin());
        for (const QString &line : text.split(u'\n'))
            QVERIFY2(licence->fontMetrics().horizontalAdvance(line) <= room, qPrintable(line));

        // The strip tiles the background: one row, cut off at the bottom edge.
        const QImage strip(QStringLiteral(":/images/about_strip.png"));
        const QImage shown = m_window->grab().toImage();
        for (QPoint p : {QPoint(0, 0), QPoint(5, 5), QPoint(17, 187), QPoint(236, 100), QPoint(491, 187),
                         QPoint(470, 170)}) {
            QVERIFY(!m_window->childAt(p));
            QCOMPARE(shown.pixel(p) | 0xff000000u, strip.pixel(p.x() % 16, p.y()) | 0xff000000u);
        }
    }

    // From the keyboard: Escape closes the window from any of its controls, and
    // «Выход» takes the focus and closes it with Space or Return.
    void keyboardCloses_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::newRow("Escape in the licence") << u"Текст1"_s << int(Qt::Key_Escape);
        QTest::newRow("Escape in the address") << u"Текст2"_s << int(Qt::Key_Escape);
        QTest::newRow("Space on Выход") << u"Изображение2"_s << int(Qt::Key_Space);
        QTest::newRow("Return on Выход") << u"Изображение2"_s << int(Qt::Key_Return);
    }
    void keyboardCloses()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QWidget *target = child<QWidget>(m_window.get(), control);
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key(key));
        QVERIFY(!m_window->isVisible());
    }

    void navigation()
    {
        MainWindow main;
        test::showAndWait(&main);
        auto *button = child<QPushButton>(&main, QStringLiteral("Комманда5"));
        m_window.reset();

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(test::shownWindows(u"ФАвтор"_s).size(), 1);
        QPointer<QWidget> first = test::shownWindows(u"ФАвтор"_s).first();
        QVERIFY(first->parentWidget() == nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(test::shownWindows(u"ФАвтор"_s).size(), 1);
        QCOMPARE(test::shownWindows(u"ФАвтор"_s).first(), first.data());

        // Closed with its exit picture, it goes; the next click builds it afresh.
        Mouse mouse(first);
        mouse.press(Qt::LeftButton, mouse.at(onExit));
        mouse.release(Qt::LeftButton, mouse.at(onExit));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QCOMPARE(test::shownWindows(u"ФАвтор"_s).size(), 0);

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(test::shownWindows(u"ФАвтор"_s).size(), 1);
        QWidget *again = test::shownWindows(u"ФАвтор"_s).first();
        QVERIFY(child<QLabel>(again, QStringLiteral("Изображение2"))->isVisible());
        QVERIFY(!child<QLabel>(again, QStringLiteral("Изображение1"))->isVisible());
        again->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(test::shownWindows(u"ФАвтор"_s).size(), 0);
    }
};

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
