// SPDX-License-Identifier: MIT
// The symbol chart as a user meets it: the pointer moved over the fifteen symbols,
// the frames, the free area and the texts, the pictures, and the main window's button.
#include "ui/controls.h"
#include "symbols/symbol_chart.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace merilon;
using merilon::test::child;

namespace {

const QString idle = QStringLiteral("Подведите курсор мышки к нужному знаку");

} // namespace

class TestSymbolChart : public QObject
{
    Q_OBJECT

    std::unique_ptr<SymbolChart> m_window;
    QLabel *m_group = nullptr;
    QLabel *m_name = nullptr;

    QLabel *symbol(int number) const
    {
        return child<QLabel>(m_window.get(), QStringLiteral("Изображение%1").arg(number));
    }
    // The pointer over a point of a control, a move without a button.
    static void pointAt(QWidget *widget, QPoint pos) { QTest::mouseMove(widget, pos); }
    void pointAtFreeArea() { pointAt(m_window.get(), QPoint(2, 150)); }

private slots:
    void initTestCase() { test::prepareApplication(); }

    void init()
    {
        m_window = std::make_unique<SymbolChart>();
        test::showAndWait(m_window.get());
        m_group = child<QLabel>(m_window.get(), QStringLiteral("Метка2"));
        m_name = child<QLabel>(m_window.get(), QStringLiteral("Метка3"));
    }

    void cleanup() { m_window.reset(); }

    void idleAtLoad()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Допуски (знаки)"));
        QCOMPARE(m_group->text(), QString());
        QCOMPARE(m_name->text(), idle);
        QVERIFY(test::clippedCaptions(m_window.get()).isEmpty());
    }

    // The pointer moving on a symbol changes nothing more after its first move: no
    // text is laid out and drawn again; onto the next symbol, its two texts are.
    void aMoveRedrawsOnlyWhatChanged()
    {
        struct Paints : QObject
        {
            int count = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                count += event->type() == QEvent::Paint;
                return false;
            }
        } paints;
        m_group->installEventFilter(&paints);
        m_name->installEventFilter(&paints);
        const auto paintedAfter = [&paints](QWidget *on, QPoint at) {
            paints.count = 0;
            pointAt(on, at);
            QTest::qWait(20);
            return paints.count;
        };
        QCOMPARE(paintedAfter(symbol(3), QPoint(5, 5)), 2);
        QCOMPARE(paintedAfter(symbol(3), QPoint(9, 7)), 0);
        QCOMPARE(paintedAfter(symbol(6), QPoint(5, 5)), 2);
    }

    void symbolUnderPointer_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("name");
        const QString form = QStringLiteral("Допуск формы");
        const QString position = QStringLiteral("Допуск расположения");
        const QString total = QStringLiteral("Суммарный допуск формы и расположения");
        QTest::newRow("1 / прямолинейность") << 1 << form
            << QStringLiteral("1. Допуск прямолинейности\n\r2. Допуск профиля продольного сечения");
        QTest::newRow("2 / плоскостность") << 2 << form << QStringLiteral(" Допуск плоскостности");
        QTest::newRow("3 / круглость") << 3 << form << QStringLiteral(" Допуск круглости");
        QTest::newRow("4 / цилиндричность") << 4 << form << QStringLiteral(" Допуск цилиндричности");
        QTest::newRow("5 / параллельность") << 5 << position << QStringLiteral(" Допуск параллельности");
        QTest::newRow("6 / перпендикулярность") << 6 << position << QStringLiteral(" Допуск перпендикулярности");
        QTest::newRow("7 / наклон") << 7 << position << QStringLiteral(" Допуск наклона");
        QTest::newRow("8 / соосность") << 8 << position << QStringLiteral(" Допуск соосности");
        QTest::newRow("9 / симметричность") << 9 << position << QStringLiteral(" Допуск симметричности");
        QTest::newRow("10 / позиционный") << 10 << position << QStringLiteral(" Позиционный допуск");
        QTest::newRow("11 / пересечение осей") << 11 << position << QStringLiteral(" Допуск пересечения осей");
        QTest::newRow("12 / биение") << 12 << total
            << QStringLiteral("1. Допуск радиального биения\n\r2. Допуск торцевого биения\n\r"
                              "3. Допуск биения в заданном направлении");
        QTest::newRow("13 / полное биение") << 13 << total
            << QStringLiteral("1. Допуск полного радиального биения\n\r2. Допуск полного торцевого биения");
        QTest::newRow("14 / форма профиля") << 14 << total << QStringLiteral("Допуск формы заданного профиля");
        QTest::newRow("15 / форма поверхности") << 15 << total << QStringLiteral("Допуск формы заданной поверхности");
    }

    void symbolUnderPointer()
    {
        QFETCH(int, number);
        QFETCH(QString, group);
        QFETCH(QString, name);
        pointAt(symbol(number), QPoint(5, 5));
        QCOMPARE(m_group->text(), group);
        QCOMPARE(m_name->text(), name);
        // LF CR breaks the line once and shows nothing more; every line whole.
        const QImage shown = m_name->grab().toImage();
        m_name->setText(QString(name).replace(QStringLiteral("\n\r"), QStringLiteral("\n")));
        QCOMPARE(m_name->grab().toImage(), shown);
        const QStringList lines = name.split(QStringLiteral("\n\r"));
        QVERIFY(lines.size() * m_name->fontMetrics().lineSpacing() <= m_name->height());
        for (const QString &line : lines + QStringList{group})
            QVERIFY2(m_name->fontMetrics().horizontalAdvance(line) <= m_name->width(), qPrintable(line));
    }

    void backToIdle_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("pos");
        QTest::newRow("рамка знаков слева") << QStringLiteral("Рамка1") << QPoint(12, 50);
        QTest::newRow("рамка наименования") << QStringLiteral("Рамка3") << QPoint(3, 50);
        QTest::newRow("свободное место окна") << QStringLiteral("Форма2") << QPoint(2, 150);
    }

    void backToIdle()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, pos);
        QWidget *target = control == u"Форма2" ? static_cast<QWidget *>(m_window.get())
                                                : child<QGroupBox>(m_window.get(), control);
        pointAt(symbol(12), QPoint(20, 10));
        QCOMPARE(m_group->text(), QStringLiteral("Суммарный допуск формы и расположения"));
        pointAt(target, pos);
        QCOMPARE(target->childAt(pos), nullptr);
        QCOMPARE(m_group->text(), QString());
        QCOMPARE(m_name->text(), idle);
    }

    void jumpFromSymbolToSymbol()
    {
        // Neighbours in a row lie a pixel apart: the pointer steps from one onto the next.
        pointAt(symbol(2), QPoint(45, 10));
        QCOMPARE(m_name->text(), QStringLiteral(" Допуск плоскостности"));
        pointAt(symbol(3), QPoint(1, 10));
        QCOMPARE(m_name->text(), QStringLiteral(" Допуск круглости"));
        QCOMPARE(m_group->text(), QStringLiteral("Допуск формы"));
        // From the end of a row to the start of the next.
        pointAt(symbol(5), QPoint(40, 20));
        QCOMPARE(m_group->text(), QStringLiteral("Допуск расположения"));
        pointAt(symbol(11), QPoint(3, 3));
        QCOMPARE(m_name->text(), QStringLiteral(" Допуск пересечения осей"));
        // Down a column, the group changes with the symbol.
        pointAt(symbol(4), QPoint(20, 20));
        pointAt(symbol(9), QPoint(20, 1));
        pointAt(symbol(14), QPoint(20, 1));
        QCOMPARE(m_group->text(), QStringLiteral("Суммарный допуск формы и расположения"));
        QCOMPARE(m_name->text(), QStringLiteral("Допуск формы заданного профиля"));
    }

    void keyboardReachesEverySymbol()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        // The window opens with the focus on the first symbol and the hint kept.
        QCOMPARE(QApplication::focusWidget(), symbol(1));
        QCOMPARE(m_name->text(), idle);
        // Tab goes through the symbols in reading order; each shows what the pointer on
        // it shows.
        for (int number = 2; number <= 15; ++number) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), symbol(number));
            const QStringList shown = {m_group->text(), m_name->text()};
            pointAt(m_window.get(), QPoint(2, 150));
            pointAt(symbol(number), QPoint(5, 5));
            QCOMPARE(shown, QStringList({m_group->text(), m_name->text()}));
        }
        // Left and Right step in reading order, Up and Down in a column; both stop at
        // the chart's ends.
        const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Up, 10}, {Qt::Key_Left, 9}, {Qt::Key_Down, 14},
                                                 {Qt::Key_Right, 15}, {Qt::Key_Right, 15}, {Qt::Key_Down, 15},
                                                 {Qt::Key_Up, 10}, {Qt::Key_Up, 5}, {Qt::Key_Up, 5},
                                                 {Qt::Key_Right, 6}, {Qt::Key_Left, 5}};
        for (const auto &[key, number] : steps) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(QApplication::focusWidget(), symbol(number));
        }
        QCOMPARE(m_group->text(), QStringLiteral("Допуск расположения"));
        QCOMPARE(m_name->text(), QStringLiteral(" Допуск параллельности"));
        // A screen reader names a symbol by its tolerances and its group.
        QCOMPARE(symbol(12)->accessibleName(), QStringLiteral("1. Допуск радиального биения; 2. Допуск торцевого "
                                                              "биения; 3. Допуск биения в заданном направлении"));
        QCOMPARE(symbol(12)->accessibleDescription(), QStringLiteral("Суммарный допуск формы и расположения"));
        // The pointer still rules the texts where it moves.
        pointAt(m_window.get(), QPoint(2, 150));
        QCOMPARE(m_name->text(), idle);
    }

    void pictures()
    {
        QList<QImage> seen;
        for (int number = 1; number <= 15; ++number) {
            QLabel *image = symbol(number);
            const int i = number - 1;
            QCOMPARE(image->parentWidget()->objectName(), QStringLiteral("Рамка1"));
            QCOMPARE(image->geometry(), ui::pixelsOf({360 + (i % 5) * 720, 240 + (i / 5) * 360, 705, 345}));
            const QImage picture = image->pixmap().toImage();
            QCOMPARE(picture.size(), QSize(47, 23));
            QCOMPARE(image->size(), picture.size());
            int black = 0;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    const QRgb pixel = picture.pixel(x, y) | 0xff000000u;
                    QVERIFY2(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255), qPrintable(image->objectName()));
                    black += pixel == qRgb(0, 0, 0);
                }
            }
            QVERIFY2(black > 20, qPrintable(image->objectName()));
            QVERIFY2(!seen.contains(picture), qPrintable(image->objectName()));
            seen.append(picture);
        }
    }

};

QTEST_MAIN(TestSymbolChart)
#include "test_symbol_chart.moc"
