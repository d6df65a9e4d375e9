// SPDX-License-Identifier: MIT
// The angle tolerance window as a user drives it: the start, choices from both
// lists, keys that must not get in, the background, and the main window's button.
#include "angles/angle_table.h"
#include "angles/angle_window.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "core/number_text.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace merilon;
using merilon::test::child;
using merilon::test::choose;

namespace {

} // namespace

class TestAngleWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<AngleWindow> m_window;
    std::unique_ptr<MessageCapture> m_messages;
    QComboBox *m_interval = nullptr;
    QComboBox *m_degree = nullptr;
    QLineEdit *m_result = nullptr;

    QString shown() const { return m_result->text(); }
    static QString cell(const QString &interval, int degree)
    {
        return toQString(*angles::angleTolerance(interval, degree));
    }
    // Types `keys` into the focused widget; characters beyond ASCII come as a key
    // event that carries the character, as a Russian keyboard sends them.
    static void typeKeys(const QString &keys)
    {
        for (QChar c : keys) {
            if (c.unicode() < 0x80)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    void pressKeys(QWidget *field, std::initializer_list<Qt::Key> keys)
    {
        test::typeInto(field, QString());
        for (Qt::Key key : keys)
            QTest::keyClick(QApplication::focusWidget(), key);
    }

private slots:
    void initTestCase() { test::prepareApplication(); }

    void init()
    {
        m_messages = std::make_unique<MessageCapture>();
        m_window = std::make_unique<AngleWindow>();
        test::showAndWait(m_window.get());
        m_interval = child<QComboBox>(m_window.get(), QStringLiteral("Комбо1"));
        m_degree = child<QComboBox>(m_window.get(), QStringLiteral("Комбо2"));
        m_result = child<QLineEdit>(m_window.get(), QStringLiteral("Текст1"));
    }

    void cleanup()
    {
        m_window.reset();
        QVERIFY2(m_messages->messages.isEmpty(), "the angle window shows no messages");
        m_messages.reset();
    }

    void opens_on_the_default_choice()
    {
        QCOMPARE(m_window->objectName(), QStringLiteral("Форма3"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Допуски углов"));
        QCOMPARE(m_window->size(), QSize(ui::px(2715), ui::px(2520)));
        QCOMPARE(test::items(m_interval), angles::intervalTexts());
        QCOMPARE(test::items(m_degree), angles::degreeTexts());
        QCOMPARE(m_interval->currentText(), QStringLiteral("до 10"));
        QCOMPARE(m_degree->currentText(), QStringLiteral("8"));
        QCOMPARE(shown(), QStringLiteral("4'"));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::newRow("Комбо1") << "Комбо1" << QRect(240, 960, 2295, 315) << QString();
        QTest::newRow("Комбо2") << "Комбо2" << QRect(1920, 1440, 615, 315) << QString();
        QTest::newRow("Метка1") << "Метка1" << QRect(240, 240, 1695, 495) << "Допуски углов по СТ СЭВ 178-75";
        QTest::newRow("Метка2") << "Метка2" << QRect(240, 720, 2055, 255) << "Интервал длин, мм";
        QTest::newRow("Метка3") << "Метка3" << QRect(240, 1440, 1815, 255) << "Степень точности";
        QTest::newRow("Метка4") << "Метка4" << QRect(240, 2040, 855, 255) << "Допуск";
        QTest::newRow("Текст1") << "Текст1" << QRect(1320, 1890, 1215, 495) << QString();
        QTest::newRow("Picture1") << "Picture1" << QRect(0, 0, 1410, 1410) << QString();
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        auto *widget = child<QWidget>(m_window.get(), name);
        QCOMPARE(widget->geometry(), ui::pixelsOf({twips.x(), twips.y(), twips.width(), twips.height()}));
        if (auto *label = qobject_cast<QLabel *>(widget); label && name.startsWith(u"Метка")) {
            QCOMPARE(label->text(), text);
            QVERIFY(!label->autoFillBackground());
            QCOMPARE(label->font(), ui::windowFont());
            // The whole caption shows: the title on two lines, the others on one.
            const QRect box = label->contentsRect();
            const QRect needed = label->fontMetrics().boundingRect(box, int(label->alignment()) | Qt::TextWordWrap, text);
            QVERIFY2(needed.width() <= box.width() && needed.height() <= box.height(), qPrintable(text));
            QCOMPARE(needed.height() / label->fontMetrics().lineSpacing(), name == u"Метка1" ? 2 : 1);
        }
    }

    void fonts_and_look()
    {
        QCOMPARE(m_interval->font(), ui::windowFont());
        QCOMPARE(m_degree->font(), ui::windowFont());
        QCOMPARE(m_result->font(), ui::font(13.5, true));
        QCOMPARE(m_result->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(child<QLabel>(m_window.get(), QStringLiteral("Метка1"))->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        auto *tile = child<QLabel>(m_window.get(), QStringLiteral("Picture1"));
        QVERIFY(!tile->isVisible());
        QCOMPARE(tile->pixmap().size(), QSize(94, 94));
        // Every item shows whole in its list's edit field, every cell in the result box.
        for (QComboBox *list : {m_interval, m_degree}) {
            for (const QString &item : test::items(list))
                QVERIFY2(list->lineEdit()->fontMetrics().horizontalAdvance(item) < list->lineEdit()->width(),
                         qPrintable(item));
        }
        for (const angles::AngleRow &row : angles::angleRows) {
            for (std::u16string_view text : row.cells)
                QVERIFY(m_result->fontMetrics().horizontalAdvance(toQString(text)) < m_result->width() - 8);
        }
    }

    void tab_order()
    {
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_interval));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_degree));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_result));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_interval));
    }

    // The tile of Picture1 repeats from the top-left corner over the whole window.
    void tiled_background()
    {
        const QImage tile = child<QLabel>(m_window.get(), QStringLiteral("Picture1"))->pixmap().toImage();
        QCOMPARE(tile, QImage(QStringLiteral(":/images/angles_tile.png")).convertToFormat(tile.format()));
        const QImage window = m_window->grab().toImage();
        QCOMPARE(window.size(), m_window->size());
        // Points clear of every control, in both columns and both rows of tiles.
        for (QPoint p : {QPoint(5, 5), QPoint(100, 5), QPoint(175, 5), QPoint(5, 100), QPoint(50, 120),
                         QPoint(100, 120), QPoint(175, 100), QPoint(5, 165), QPoint(100, 165),
                         QPoint(175, 165)}) {
            QCOMPARE(qPrintable(QColor(window.pixel(p)).name()),
                     qPrintable(QColor(tile.pixel(p.x() % 94, p.y() % 94)).name()));
        }
    }

    // The edges of the table; nothing depends on the order of choices.
    void edge_choices()
    {
        choose(m_interval, QStringLiteral("свыше 1600 до 2500"));
        QCOMPARE(shown(), QStringLiteral("16''"));
        choose(m_degree, QStringLiteral("2"));
        QCOMPARE(shown(), QStringLiteral("-"));
        choose(m_degree, QStringLiteral("4"));
        QCOMPARE(shown(), QStringLiteral("2,5''"));
        choose(m_interval, QStringLiteral("свыше 10 до 16"));
        choose(m_degree, QStringLiteral("16"));
        QCOMPARE(shown(), QStringLiteral("1°"));
        choose(m_degree, QStringLiteral("15"));
        QCOMPARE(shown(), QStringLiteral("1°20'"));
        choose(m_interval, QStringLiteral("свыше 1600 до 2500"));
        choose(m_degree, QStringLiteral("2"));
        QCOMPARE(shown(), QStringLiteral("-"));
    }

    // Choosing the item already shown looks the tolerance up again.
    void choosing_the_shown_item_again()
    {
        pressKeys(m_result, {Qt::Key_End, Qt::Key_Backspace});
        QCOMPARE(shown(), QStringLiteral("4"));
        choose(m_degree, QStringLiteral("8"));
        QCOMPARE(shown(), QStringLiteral("4'"));
        pressKeys(m_result, {Qt::Key_End, Qt::Key_Backspace});
        choose(m_interval, QStringLiteral("до 10"));
        QCOMPARE(shown(), QStringLiteral("4'"));
    }

    void typing_changes_nothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        for (const char *field : {"Комбо1", "Комбо2", "Текст1"}) {
            const QString name = QString::fromUtf8(field);
            QTest::addRow("%s / letters", field) << name << QStringLiteral("abcЖщ");
            QTest::addRow("%s / digits", field) << name << QStringLiteral("0179");
            QTest::addRow("%s / punctuation", field) << name << QStringLiteral(" ,.'\"°-+");
            QTest::addRow("%s / Return", field) << name << QStringLiteral("\r");
        }
    }

    void typing_changes_nothing()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        choose(m_interval, QStringLiteral("свыше 16 до 25"));
        choose(m_degree, QStringLiteral("10"));
        QApplication::clipboard()->setText(QStringLiteral("9"));
        test::typeInto(child<QWidget>(m_window.get(), field), QString());
        typeKeys(keys);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        typeKeys(keys);
        QCOMPARE(m_interval->currentText(), QStringLiteral("свыше 16 до 25"));
        QCOMPARE(m_degree->currentText(), QStringLiteral("10"));
        QCOMPARE(shown(), QStringLiteral("6'"));
    }

    void backspace_deletes_the_character_before_the_cursor()
    {
        pressKeys(m_interval, {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Backspace});
        QCOMPARE(m_interval->currentText(), QStringLiteral("д 10"));
        pressKeys(m_degree, {Qt::Key_End, Qt::Key_Backspace});
        QCOMPARE(m_degree->currentText(), QString());
        pressKeys(m_result, {Qt::Key_End, Qt::Key_Backspace});
        QCOMPARE(shown(), QStringLiteral("4"));
    }

    // An erased degree, or an interval text that is none of the list's, finds no cell:
    // the tolerance shown stays, and the next complete choice shows its cell again.
    void a_choice_that_finds_no_cell()
    {
        choose(m_degree, QStringLiteral("3"));
        QCOMPARE(shown(), QStringLiteral("26''"));
        pressKeys(m_degree, {Qt::Key_End, Qt::Key_Backspace});
        QCOMPARE(m_degree->currentText(), QString());
        choose(m_interval, QStringLiteral("свыше 400 до 630"));
        QCOMPARE(shown(), QStringLiteral("26''"));
        choose(m_degree, QStringLiteral("3"));
        QCOMPARE(shown(), QStringLiteral("3''"));

        pressKeys(m_interval, {Qt::Key_End, Qt::Key_Backspace});
        QCOMPARE(m_interval->currentText(), QStringLiteral("свыше 400 до 63"));
        choose(m_degree, QStringLiteral("9"));
        QCOMPARE(shown(), QStringLiteral("3''"));
        QCOMPARE(m_degree->currentText(), QStringLiteral("9"));
        choose(m_interval, QStringLiteral("свыше 400 до 630"));
        QCOMPARE(shown(), QStringLiteral("50''"));

        pressKeys(m_degree, {Qt::Key_Home, Qt::Key_Delete});
        QCOMPARE(m_degree->currentText(), QString());
        choose(m_interval, QStringLiteral("до 10"));
        QCOMPARE(shown(), QStringLiteral("50''"));
    }

    // Every interval with every degree, each chosen from its list's popup.
    void all_choices()
    {
        const QStringList intervals = angles::intervalTexts();
        const QStringList degrees = angles::degreeTexts();
        int checked = 0;
        for (const QString &interval : intervals) {
            choose(m_interval, interval);
            QCOMPARE(shown(), cell(interval, parseNumber(m_degree->currentText()).value()));
            for (int d = 1; d <= 17; ++d) {
                choose(m_degree, degrees.at(d - 1));
                QVERIFY2(shown() == cell(interval, d), qPrintable(interval + QStringLiteral(" / ") + QString::number(d)));
                ++checked;
            }
        }
        QCOMPARE(checked, 221);
    }

};

QTEST_MAIN(TestAngleWindow)
#include "test_angle_window.moc"
