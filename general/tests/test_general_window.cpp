// SPDX-License-Identifier: MIT
// The general tolerance window as a user drives it: typing a size, choosing classes
// and a grade from the lists, a bad size, and copying the requirement line.
#include "general/general_window.h"
#include "tests/gui_test.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace merilon;
using namespace merilon::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList resultNames = {u"Линейный"_s, u"Скругление"_s, u"Угол"_s, u"Прямолинейность"_s,
                                 u"Перпендикулярность"_s, u"Симметричность"_s, u"Биение"_s, u"Отверстия"_s,
                                 u"Валы"_s, u"Прочие"_s};

} // namespace

class GeneralWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<GeneralWindow> m_window;

    QString shown() const
    {
        QStringList texts;
        for (const QString &name : resultNames)
            texts.append(child<QLineEdit>(m_window.get(), name)->text());
        return texts.join('|');
    }
    QString requirement() const { return child<QLineEdit>(m_window.get(), u"Требование"_s)->text(); }
    QString message() const { return child<QLabel>(m_window.get(), u"Сообщение"_s)->text(); }
    QComboBox *list(const QString &name) const { return child<QComboBox>(m_window.get(), name); }
    QLineEdit *size() const { return child<QLineEdit>(m_window.get(), u"Размер"_s); }
    void typeSize(const QString &text)
    {
        size()->setFocus();
        QTest::keyClick(size(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(size(), Qt::Key_Delete);
        typeInto(size(), text);
    }

private slots:
    void initTestCase() { prepareApplication(); }
    void init()
    {
        m_window = std::make_unique<GeneralWindow>();
        showAndWait(m_window.get());
    }
    void cleanup() { m_window.reset(); }

    void opensOnItsDefaults()
    {
        QCOMPARE(m_window->objectName(), u"ФОбщиеДопуски"_s);
        QCOMPARE(m_window->windowTitle(), u"Общие допуски"_s);
        QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QCOMPARE(QApplication::focusWidget(), size());
        QCOMPARE(size()->text(), u"25"_s);
        QCOMPARE(shown(), u"±0,2|±1|±0°30′|0,1|0,4|0,6|0,2|+0,52|-0,52|±0,26"_s);
        QCOMPARE(requirement(), u"Общие допуски по ГОСТ 30893.2 — mK"_s);
        QCOMPARE(message(), QString());
        QCOMPARE(items(list(u"Класс"_s)).join('|'), u"f — точный|m — средний|c — грубый|v — очень грубый"_s);
        QVERIFY(!list(u"Класс"_s)->isEditable());
        QCOMPARE(clippedCaptions(m_window.get()), QStringList());
        // Screen readers: captions as names, units as descriptions.
        QCOMPARE(size()->accessibleName(), u"Номинальный размер, мм"_s);
        QCOMPARE(child<QLineEdit>(m_window.get(), u"Угол"_s)->accessibleDescription(), u"в градусах и минутах"_s);
        QVERIFY(child<QPlainTextEdit>(m_window.get(), u"Примечания"_s)->toPlainText().contains(u"п. 5.2.3"_s));
    }

    void choicesRecomputeAtOnce_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QStringList>("choices"); // Класс, КлассФР, Квалитет; the last chosen writes the line
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("line");
        QTest::newRow("3 / c / L / 16") << " 3 " << QStringList{u"c — грубый"_s, u"L"_s, u"16"_s}
                                        << u"±0,2|±0,4|±1°30′|0,1|0,6|0,6|0,5|+0,6|-0,6|±0,3"_s
                                        << u"Неуказанные предельные отклонения размеров: H16, h16, ±IT16/2"_s;
        QTest::newRow("3.001 / v / H / 12") << "3.001" << QStringList{u"v — очень грубый"_s, u"H"_s, u"12"_s}
                                            << u"±0,5|±1|±3°|0,02|0,2|0,5|0,1|+0,12|-0,12|±0,06"_s
                                            << u"Неуказанные предельные отклонения размеров: H12, h12, ±IT12/2"_s;
        QTest::newRow("0,3 / f / K / 13") << "0,3" << QStringList{u"f — точный"_s, u"K"_s, u"13"_s}
                                          << u"указывают у размера|указывают у размера|±1°|0,05|0,4|0,6|0,2|+0,14|-0,14|±0,07"_s
                                          << u"Неуказанные предельные отклонения размеров: H13, h13, ±IT13/2"_s;
        QTest::newRow("2500 / f / L") << "2500" << QStringList{u"f — точный"_s, u"L"_s}
                                      << u"не установлено|±1|±0°5′|1,6|2|2|0,5|+4,4|-4,4|±2,2"_s
                                      << u"Общие допуски по ГОСТ 30893.2 — fL"_s;
    }
    void choicesRecomputeAtOnce()
    {
        QFETCH(QString, size);
        QFETCH(QStringList, choices);
        QFETCH(QString, expected);
        QFETCH(QString, line);
        typeSize(size);
        const QStringList lists = {u"Класс"_s, u"КлассФР"_s, u"Квалитет"_s};
        for (qsizetype i = 0; i < choices.size(); ++i)
            choose(list(lists[i]), choices[i]);
        QCOMPARE(shown(), expected);
        QCOMPARE(requirement(), line);
        // Outside the IT table: the message, and no stale grade values.
        QCOMPARE(message().isEmpty(), !expected.endsWith(u"||"_s));
        // Nor does any size typed then show a figure with binary noise.
        QRandomGenerator random(quint32(size.size()));
        for (int i = 0; i < 20; ++i) {
            typeSize(u"%1,%2"_s.arg(random.bounded(10'000)).arg(random.bounded(1000), 3, 10, QLatin1Char('0')));
            QCOMPARE(noisyTexts(m_window.get()), QStringList());
        }
    }

    // A choice is recomputed and spoken once, with the way of writing the line that it
    // chooses: a grade's values and the line by the grade in one announcement.
    void aChoiceIsSpokenOnce()
    {
        QSignalSpy spoken(m_window.get(), &GeneralWindow::spoken);
        choose(list(u"Квалитет"_s), u"15"_s);
        QCOMPARE(spoken.size(), 1);
        const QString text = spoken.front().front().toString();
        QVERIFY2(text.contains(u"плюс IT +0,84"_s) && text.contains(u"H15, h15"_s), qPrintable(text));
        choose(list(u"Класс"_s), u"c — грубый"_s);
        QCOMPARE(spoken.size(), 2);
        QVERIFY2(spoken.back().front().toString().contains(u"— cK"_s), qPrintable(spoken.back().front().toString()));
    }

    // A bad size says why and leaves no value; a good size brings them back.
    void badSizeLeavesNoValue()
    {
        typeSize(u"2,5,"_s);
        QVERIFY(message().contains(u"не число"_s));
        QCOMPARE(shown(), QString(resultNames.size() - 1, u'|'));
        QCOMPARE(requirement(), u"Общие допуски по ГОСТ 30893.2 — mK"_s); // the line does not hang on the size
        typeSize(u"25,0001"_s);
        QVERIFY(message().contains(u"точнее 0,001"_s));
        typeSize(u"120"_s);
        QCOMPARE(message(), QString());
        QCOMPARE(child<QLineEdit>(m_window.get(), u"Линейный"_s)->text(), u"±0,3"_s);
    }

    void copiesTheRequirement()
    {
        choose(list(u"КлассФР"_s), u"H"_s);
        QApplication::clipboard()->setText(u"before"_s);
        QTest::mouseClick(child<QPushButton>(m_window.get(), u"Копировать"_s), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), u"Общие допуски по ГОСТ 30893.2 — mH"_s);
        choose(list(u"Квалитет"_s), u"15"_s);
        QTest::keyClick(size(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"Неуказанные предельные отклонения размеров: H15, h15, ±IT15/2"_s);
        // A selection in the size field copies that part, as everywhere.
        typeSize(u"25"_s);
        size()->setSelection(0, 1);
        QTest::keyClick(size(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"2"_s);
    }
};

QTEST_MAIN(GeneralWindowTest)
#include "test_general_window.moc"
