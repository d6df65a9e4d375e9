// SPDX-License-Identifier: MIT
// Dimension chains: both tasks by both methods on examples worked by hand from the
// formulas of RD 50-635-87 (no textbook's worked example could be read in full) and on
// two published chains, every message with its condition, the accepted words, and the
// text of a chain read back.
#include "chains/chain.h"

#include <QTest>

using namespace merilon::chains;
using namespace Qt::StringLiterals;

namespace {

// Rows as tab-separated lines, a line a row.
std::vector<Row> rowsOf(const QString &text)
{
    std::vector<Row> rows;
    for (const QString &line : text.split(u'\n')) {
        Row row;
        const QStringList cells = line.split(u'\t');
        for (qsizetype c = 0; c < cells.size() && c < columnCount; ++c)
            row[std::size_t(c)] = cells[c];
        rows.push_back(row);
    }
    return rows;
}

// A gearbox shaft's end play: the housing between its faces, two bearings and a
// sleeve (the checking task's example, worked by hand).
const QString housing = u"А1\t100\tувеличивающее\tH11\t\t\t\tохватывающий\n"
                        u"А2\t20\tуменьшающее\t\t0\t-0,12\n"
                        u"А3\t58\tуменьшающее\th11\t\t\t\tохватываемый\n"
                        u"А4\t20\tуменьшающее\t\t0\t-0,12"_s;

// The design task's example: a housing, two bearings of typed width, a sleeve and a
// spacer that adjusts, for an end play of 1 … 1,5 mm.
const QString gearbox = u"А1\t120\tув\t\t\t\t\tH\n"
                        u"А2\t25\tум\t\t0\t-0,12\n"
                        u"А3\t60\tум\t\t\t\t\th\n"
                        u"А4\t9\tум\t\t\t\t\tjs\tда\n"
                        u"А5\t25\tум\t\t0\t-0,12"_s;

QString filledText(const Solution &s)
{
    QStringList cells;
    for (const FilledCell &cell : s.filled) {
        if (cell.column != Name)
            cells.append(u"%1:%2=%3"_s.arg(cell.row + 1).arg(columnTitles()[cell.column], cell.text));
    }
    return cells.join(u"; "_s);
}

} // namespace

class ChainTest : public QObject
{
    Q_OBJECT

private slots:
    // Each example: its links, task, method, risk and required deviations, and every
    // figure of the closing link, the design's a_c and grade, and what the table fills.
    void solves_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("task");
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("risk");
        QTest::addColumn<QString>("required"); // ES, EI
        QTest::addColumn<QStringList>("closing"); // equation, nominal, ES, EI, T, Ec, largest, smallest
        QTest::addColumn<QStringList>("design");  // a_c, grade, check
        QTest::addColumn<QString>("filled");

        // H11 at 100 mm: +0,22/0; h11 at 58 mm: 0/−0,19; the bearings 0/−0,12.
        // TΔ = 0,22 + 0,12 + 0,19 + 0,12 = 0,65; ESΔ = 0,22 + 0,12 + 0,19 + 0,12;
        // EIΔ = 0 − 0 − 0 − 0.
        const QStringList worst = {u"АΔ = А1 − А2 − А3 − А4"_s, u"2"_s, u"0,65"_s, u"0"_s, u"0,65"_s, u"0,325"_s,
                                   u"2,65"_s, u"2"_s};
        const QString fields = u"1:ES, мм=0,22; 1:EI, мм=0; 3:ES, мм=0; 3:EI, мм=-0,19"_s;
        QTest::newRow("checking, worst case (by hand)")
            << housing << 0 << 0 << 0 << QString() << worst << QStringList{QString(), QString(), QString()} << fields;
        // The required 0,1 … 0,6 mm: the worst case leaves it on both sides.
        QTest::newRow("checking, worst case against the required")
            << housing << 0 << 0 << 0 << u"0,6\t0,1"_s << worst
            << QStringList{QString(), QString(), u"нет: ES больше на 0,05 мм, EI меньше на 0,1 мм"_s} << fields;
        // TΔ = 3 √((220² + 120² + 190² + 120²)/9) = √113300 = 336,60 µm → 0,3366 mm;
        // EcΔ = 0,11 + 0,06 + 0,095 + 0,06 = 0,325; ES, EI = 0,325 ± 0,1683.
        QTest::newRow("checking, probabilistic, t = 3 (by hand)")
            << housing << 0 << 1 << 0 << u"0,6\t0,1"_s
            << QStringList{u"АΔ = А1 − А2 − А3 − А4"_s, u"2"_s, u"0,4933"_s, u"0,1567"_s, u"0,3366"_s, u"0,325"_s,
                           u"2,4933"_s, u"2,1567"_s}
            << QStringList{QString(), QString(), u"да: в пределах исходного звена"_s} << fields;
        // 1 %: t = 2,57: TΔ = 2,57/3 · 336,60 = 288,35 µm → 0,2884.
        QTest::newRow("checking, probabilistic, 1 % (by hand)")
            << housing << 0 << 1 << 2 << QString()
            << QStringList{u"АΔ = А1 − А2 − А3 − А4"_s, u"2"_s, u"0,4692"_s, u"0,1808"_s, u"0,2884"_s, u"0,325"_s,
                           u"2,4692"_s, u"2,1808"_s}
            << QStringList{QString(), QString(), QString()} << fields;
        // А1 by Simpson's law (λ² = 1/6): TΔ = 3 √(220²/6 + (120² + 190² + 120²)/9) = 370,81 µm.
        QString simpson = housing;
        simpson.replace(u"H11\t\t\t\tохватывающий"_s, u"H11\t\t\tсимп\tохватывающий"_s);
        QTest::newRow("checking, probabilistic, Simpson (by hand)")
            << simpson << 0 << 1 << 0 << QString()
            << QStringList{u"АΔ = А1 − А2 − А3 − А4"_s, u"2"_s, u"0,5104"_s, u"0,1396"_s, u"0,3708"_s, u"0,325"_s,
                           u"2,5104"_s, u"2,1396"_s}
            << QStringList{QString(), QString(), QString()} << fields;
        // Uniform on every link (λ² = 1/3): TΔ = 3 √(113300/3) = 583,01 µm → 0,583; ES, EI = 0,325 ± 0,2915.
        QString uniform = u"А1\t100\t+\tH11\t\t\tравн\n"
                          u"А2\t20\t-\t\t0\t-0,12\tравн\n"
                          u"А3\t58\t-1\th11\t\t\tравн\n"
                          u"А4\t20\tум\t\t0\t-0,12\tравновероятный"_s;
        QTest::newRow("checking, probabilistic, uniform (by hand)")
            << uniform << 0 << 1 << 0 << QString()
            << QStringList{u"АΔ = А1 − А2 − А3 − А4"_s, u"2"_s, u"0,6165"_s, u"0,0335"_s, u"0,583"_s, u"0,325"_s,
                           u"2,6165"_s, u"2,0335"_s}
            << QStringList{QString(), QString(), QString()} << fields;

        // Two technological chains of a published course project («Решаем цепь методом
        // максимума-минимума способом предельных значений», student2.ru/tekhnologii/1809820),
        // run forward: its chain 12 gives the allowance Z5 = 0,34 … 1,06 from A1 = 91,04−0,36
        // and A14 = 90,34−0,36; its chain 11 gives A15 = 90h14 (89,13 … 90) from A14 and the
        // allowance Z8 = 0,34 … 0,85, a link of nominal 0.
        QTest::newRow("checking, worst case (published chain 12)")
            << u"А1\t91,04\tув\t\t0\t-0,36\nА14\t90,34\tум\t\t0\t-0,36"_s << 0 << 0 << 0 << QString()
            << QStringList{u"АΔ = А1 − А14"_s, u"0,7"_s, u"0,36"_s, u"-0,36"_s, u"0,72"_s, u"0"_s, u"1,06"_s,
                           u"0,34"_s}
            << QStringList{QString(), QString(), QString()} << QString();
        QTest::newRow("checking, worst case (published chain 11)")
            << u"А14\t90,34\tув\t\t0\t-0,36\nZ8\t0\tум\t\t0,85\t0,34"_s << 0 << 0 << 0 << QString()
            << QStringList{u"АΔ = А14 − Z8"_s, u"90,34"_s, u"-0,34"_s, u"-1,21"_s, u"0,87"_s, u"-0,775"_s,
                           u"90"_s, u"89,13"_s}
            << QStringList{QString(), QString(), QString()} << QString();

        // Design, worst case: TΔ = 0,5; the bearings take 0,24; i = 2,1726 (80 … 120),
        // 1,8562 (50 … 80), 0,8983 (6 … 10): a_c = 260 / 4,9271 = 52,77 → IT9 (a = 40):
        // H9 +0,087/0, h9 0/−0,074; А4 gets 500 − 401 = 99 µm about its middle
        // EcΔ = 0,25 = 0,0435 + 0,06 + 0,037 + 0,06 − Ec4: Ec4 = −0,0495: 0/−0,099.
        const QString designFilled = u"1:Поле=H9; 1:ES, мм=0,087; 1:EI, мм=0; 3:Поле=h9; 3:ES, мм=0; "
                                     u"3:EI, мм=-0,074; 4:Поле=; 4:ES, мм=0; 4:EI, мм=-0,099"_s;
        const QStringList designClosing = {u"АΔ = А1 − А2 − А3 − А4 − А5"_s, u"1"_s, u"0,5"_s, u"0"_s, u"0,5"_s,
                                           u"0,25"_s, u"1,5"_s, u"1"_s};
        QTest::newRow("design, worst case (by hand)")
            << gearbox << 1 << 0 << 0 << u"0,5\t0"_s << designClosing
            << QStringList{u"52,7"_s, u"9"_s, u"да: в пределах исходного звена"_s} << designFilled;
        // Design, probabilistic: (TΔ/t)² = 27777,8 µm²; the bearings 3200; Σλ²i² = 0,99694:
        // a_c = √24577,8 / √0,99694 = 157,01 → IT11 (a = 100): H11 +0,22/0, h11 0/−0,19;
        // λ²T4² = 27777,8 − 113300/9 = 15188,9: T4 = 369,73 → 369,7 µm about Ec4 = 0,075.
        QTest::newRow("design, probabilistic (by hand)")
            << gearbox << 1 << 1 << 0 << u"0,5\t0"_s << designClosing
            << QStringList{u"157"_s, u"11"_s, u"да: в пределах исходного звена"_s}
            << u"1:Поле=H11; 1:ES, мм=0,22; 1:EI, мм=0; 3:Поле=h11; 3:ES, мм=0; 3:EI, мм=-0,19; 4:Поле=; "
               u"4:ES, мм=0,25985; 4:EI, мм=-0,10985"_s;
        // Every link known but the adjusting one: it takes what is left, no grade is given.
        QString known = gearbox;
        known.replace(u"А1\t120\tув\t\t\t\t\tH"_s, u"А1\t120\tув\tH9"_s).replace(u"А3\t60\tум\t\t\t\t\th"_s,
                                                                              u"А3\t60\tум\th9"_s);
        QTest::newRow("design, only the adjusting link unknown")
            << known << 1 << 0 << 0 << u"0,5\t0"_s << designClosing
            << QStringList{QString(), QString(), u"да: в пределах исходного звена"_s}
            << u"1:ES, мм=0,087; 1:EI, мм=0; 3:ES, мм=0; 3:EI, мм=-0,074; 4:Поле=; 4:ES, мм=0; 4:EI, мм=-0,099"_s;
    }
    void solves()
    {
        QFETCH(QString, rows);
        QFETCH(int, task);
        QFETCH(int, method);
        QFETCH(int, risk);
        QFETCH(QString, required);
        QFETCH(QStringList, closing);
        QFETCH(QStringList, design);
        QFETCH(QString, filled);
        const Inputs in{rowsOf(rows), Task(task), Method(method), risk, required.section(u'\t', 0, 0),
                        required.section(u'\t', 1, 1)};
        const Solution s = solve(in);
        QCOMPARE(s.message, QString());
        QCOMPARE((QStringList{s.equation, s.nominal, s.upper, s.lower, s.tolerance, s.middle, s.largest, s.smallest}),
                 closing);
        QCOMPARE((QStringList{s.units, s.grade, s.check}), design);
        QCOMPARE(filledText(s), filled);
    }

    // Every message and the input that brings it; no result beside it.
    void messages_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("task");
        QTest::addColumn<QString>("required"); // ES, EI and the method's index, the worst case unless given
        QTest::addColumn<QString>("message");
        const QString bearing = u"А2\t20\tум\t\t0\t-0,12"_s;
        QTest::newRow("no links") << u"\n\t \t"_s << 0 << QString() << u"Цепь пуста: введите звенья, строку на звено."_s;
        QTest::newRow("no nominal") << u"А1\t\tув\th9"_s << 0 << QString() << u"Введите номинал звена А1."_s;
        QTest::newRow("nominal no number") << u"А1\t2x\tув\th9"_s << 0 << QString()
                                           << u"Номинал звена А1 не число: «2x»."_s;
        QTest::newRow("nominal below zero") << u"\t-5\tув\th9"_s << 0 << QString()
                                            << u"Номинал звена А1 меньше нуля: направление задаёт «Вид»."_s;
        QTest::newRow("nominal too fine") << u"А1\t5,0001\tув\th9"_s << 0 << QString()
                                          << u"Номинал звена А1 задан точнее 0,001 мм."_s;
        QTest::newRow("nominal too large") << u"А1\t100001\tув\t\t0\t-1"_s << 0 << QString()
                                           << u"Номинал звена А1 больше 100 000 мм."_s;
        QTest::newRow("no direction") << u"А1\t5\t\th9"_s << 0 << QString()
                                      << u"Укажите вид звена А1: увеличивающее или уменьшающее."_s;
        QTest::newRow("direction unknown")
            << u"А1\t5\tвверх\th9"_s << 0 << QString()
            << u"Вид звена А1 «вверх» не понять: увеличивающее (ув, +, 1) или уменьшающее (ум, −, -1)."_s;
        QTest::newRow("deviation no number") << u"А1\t5\tув\t\t0,1\tx"_s << 0 << QString()
                                             << u"EI звена А1 не число: «x»."_s;
        QTest::newRow("deviation too fine") << u"А1\t5\tув\t\t0,000001\t0"_s << 0 << QString()
                                            << u"ES звена А1 задан точнее 0,00001 мм."_s;
        QTest::newRow("law unknown")
            << u"А1\t5\tув\th9\t\t\tГаусса"_s << 0 << QString()
            << u"Закон звена А1 «Гаусса» не понять: нормальный, Симпсона или равной вероятности."_s;
        QTest::newRow("kind unknown")
            << u"А1\t5\tув\th9\t\t\t\tвал"_s << 0 << QString()
            << u"Тип звена А1 «вал» не понять: охватывающий (H), охватываемый (h) или прочий (js)."_s;
        QTest::newRow("adjusting unknown") << u"А1\t5\tув\th9\t\t\t\t\tможет"_s << 0 << QString()
                                           << u"Увязочное у звена А1 — «может»: пишите «да» или оставьте пустым."_s;
        QTest::newRow("required, one of two") << u"А1\t5\tув\th9"_s << 0 << u"0,1\t"_s
                                              << u"Введите и ИсхES, и ИсхEI, или оставьте оба пустыми."_s;
        QTest::newRow("required no number") << u"А1\t5\tув\th9"_s << 0 << u"0,1\tмного"_s
                                            << u"ИсхEI не число: «много»."_s;
        QTest::newRow("required ES below EI, checking")
            << u"А1\t5\tув\th9"_s << 0 << u"0\t0,1"_s
            << u"ИсхES меньше ИсхEI: верхнее отклонение не может быть ниже нижнего."_s;
        QTest::newRow("field unreadable") << u"А1\t5\tув\tw9"_s << 0 << QString()
                                          << u"Поле «w9» звена А1 не прочитать: пишите как h9, H11, js9, C11."_s;
        QTest::newRow("field at nominal 0")
            << u"А1\t0\tув\th9"_s << 0 << QString()
            << u"Поле h9 звена А1: поля допусков задаются для номиналов больше 0 и не больше 3150 мм."_s;
        QTest::newRow("field not defined there") << u"А1\t600\tув\ta11"_s << 0 << QString()
                                                 << u"Поле a11 звена А1 при номинале 600 мм стандарт не устанавливает."_s;
        QTest::newRow("field's letter up to 1 mm")
            << u"А1\t0,5\tув\ta11"_s << 0 << QString()
            << u"Поле a11 звена А1: для размеров до 1 мм стандарт его не применяет."_s;
        QTest::newRow("field's grade over 500 mm")
            << u"А1\t600\tув\th01"_s << 0 << QString()
            << u"Поле h01 звена А1: квалитеты 01 и 0 стандарт устанавливает только для размеров до 500 мм."_s;
        QTest::newRow("field's smallest size not above zero")
            << u"А1\t1,2\tув\td18"_s << 0 << QString()
            << u"Поле d18 звена А1 при номинале 1,2 мм не годится: наименьший предельный размер был бы не больше "
               u"нуля."_s;
        QTest::newRow("field's grade below 1 mm")
            << u"А1\t0,5\tув\th14"_s << 0 << QString()
            << u"Поле h14 звена А1: квалитеты с 14 по 18 для размеров менее 1 мм стандарт не применяет."_s;
        QTest::newRow("one deviation") << u"А1\t5\tув\t\t0,1"_s << 0 << QString()
                                       << u"У звена А1 задано одно отклонение: введите и ES, и EI."_s;
        QTest::newRow("neither field nor deviations, checking")
            << u"А1\t5\tув"_s << 0 << QString()
            << u"У звена А1 нет ни поля, ни отклонений: задайте поле (например, h9) или ES и EI."_s;
        QTest::newRow("ES below EI") << u"А1\t5\tув\t\t-0,1\t0,1"_s << 0 << QString()
                                     << u"У звена А1 ES меньше EI: верхнее отклонение не может быть ниже нижнего."_s;
        QTest::newRow("design without required") << gearbox << 1 << QString()
                                                 << u"Введите ИсхES и ИсхEI: предельные отклонения исходного звена, мм."_s;
        QTest::newRow("design, required ES not above EI")
            << gearbox << 1 << u"0,1\t0,1"_s
            << u"ИсхES должно быть больше ИсхEI: допуск исходного звена — их разность."_s;
        QTest::newRow("design, no adjusting link")
            << QString(gearbox).replace(u"\tда"_s, QString()) << 1 << u"0,5\t0"_s
            << u"Отметьте увязочное звено: «да» в столбце «Увязочное» — ему достанется то, что останется от допуска "
               u"исходного звена."_s;
        QTest::newRow("design, two adjusting links")
            << gearbox + u"\nА6\t3\tув\t\t\t\t\t\t+"_s << 1 << u"0,5\t0"_s
            << u"Увязочное звено должно быть одно, а отмечены А4, А6."_s;
        QTest::newRow("design, the known links exceed")
            << gearbox << 1 << u"0,2\t0"_s
            << u"Звенья с заданными отклонениями одни дают замыкающему звену допуск 0,24 мм — не меньше допуска "
               u"исходного звена 0,2 мм."_s;
        QTest::newRow("design, under grade 5")
            << gearbox << 1 << u"0,27\t0"_s
            << u"Допуск исходного звена мал для способа одного квалитета: a_c = 6 — меньше 7, числа единиц допуска "
               u"квалитета 5; задайте отклонения части звеньев или расширьте исходное звено."_s;
        QTest::newRow("design, a link beyond the IT table")
            << bearing + u"\nА3\t4000\tув\nА4\t5\tум\t\t\t\t\t\tда"_s << 1 << u"0,5\t0"_s
            << u"Звену А3 с номиналом 4000 мм квалитет не назначить: единица допуска есть для номиналов больше 0 и не "
               u"больше 3150 мм; задайте его поле или отклонения."_s;
        QTest::newRow("design, an adjusting link of nominal 0")
            << bearing + u"\nА3\t30\tув\nА4\t0\tум\t\t\t\t\t\tда"_s << 1 << u"0,5\t0"_s
            << u"Увязочному звену А4 с номиналом 0 мм не найти единицы допуска: она есть для номиналов больше 0 и не "
               u"больше 3150 мм; отметьте увязочным другое звено."_s;
        // 19 links of 2 mm and the adjusting one: a_c = 76 / (20 · 0,54215) = 7,009, grade 5,
        // whose IT of 4 µm (above 7 · 0,54215 = 3,8) leaves the adjusting link 76 − 19 · 4 = 0.
        QString small;
        for (int i = 1; i <= 19; ++i)
            small += u"Б%1\t2\tум\n"_s.arg(i);
        QTest::newRow("design, even grade 5 leaves nothing")
            << small + u"Б20\t2\tув\t\t\t\t\t\tда"_s << 1 << u"0,076\t0"_s
            << u"Допуск исходного звена мал: даже квалитет 5 не оставляет увязочному звену Б20 допуска; задайте "
               u"отклонения части звеньев или расширьте исходное звено."_s;
        // Probabilistic, every link known but the adjusting one: TΔ = 100,05 µm is taken
        // down to 100 µm, which А1's 100 µm alone fills.
        QTest::newRow("design, the known links leave the adjusting one nothing")
            << u"А1\t10\tув\t\t0\t-0,1\nА2\t5\tум\t\t\t\t\t\tда"_s << 1 << u"0,10005\t0\t1"_s
            << u"Звенья с заданными отклонениями не оставляют увязочному звену А2 допуска в пределах исходного "
               u"звена."_s;
    }
    void messages()
    {
        QFETCH(QString, rows);
        QFETCH(int, task);
        QFETCH(QString, required);
        QFETCH(QString, message);
        const Solution s = solve({rowsOf(rows), Task(task), Method(required.section(u'\t', 2, 2).toInt()), 0,
                                  required.section(u'\t', 0, 0), required.section(u'\t', 1, 1)});
        QCOMPARE(s.message, message);
        QVERIFY(s.equation.isEmpty() && s.tolerance.isEmpty() && s.upper.isEmpty() && s.grade.isEmpty());
        QCOMPARE(filledText(s), QString());
    }

    // The accepted abbreviations of the four columns of words, written out whole.
    void words_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const std::pair<const char *, QStringList> rows[] = {
            {"increasing", {u"ув"_s, u"Ув."_s, u"+"_s, u"1"_s, u"увеличивающее"_s}},
            {"decreasing", {u"ум"_s, u"−"_s, u"-"_s, u"-1"_s, u"уменьшающее"_s}},
        };
        for (const auto &[name, typed] : rows) {
            for (const QString &t : typed)
                QTest::newRow(qPrintable(u"%1 %2"_s.arg(QLatin1StringView(name), t))) << int(Direction) << t
                    << (QByteArray(name) == "increasing" ? u"увеличивающее"_s : u"уменьшающее"_s);
        }
        QTest::newRow("law normal") << int(Law) << u"норм."_s << u"нормальный"_s;
        QTest::newRow("law Simpson") << int(Law) << u"симп"_s << u"Симпсона"_s;
        QTest::newRow("law uniform") << int(Law) << u"равн"_s << u"равной вероятности"_s;
        QTest::newRow("law empty") << int(Law) << QString() << QString();
        QTest::newRow("kind H") << int(Kind) << u"H"_s << u"охватывающий"_s;
        QTest::newRow("kind h") << int(Kind) << u"h"_s << u"охватываемый"_s;
        QTest::newRow("kind js") << int(Kind) << u"js"_s << u"прочий"_s;
        QTest::newRow("kind word") << int(Kind) << u"Охватываемый"_s << u"охватываемый"_s;
        QTest::newRow("adjusting да") << int(Adjusting) << u"Да"_s << u"да"_s;
        QTest::newRow("adjusting +") << int(Adjusting) << u"+"_s << u"да"_s;
        QTest::newRow("adjusting 1") << int(Adjusting) << u"1"_s << u"да"_s;
        QTest::newRow("adjusting нет") << int(Adjusting) << u"нет"_s << QString();
        QTest::newRow("other text kept") << int(Direction) << u"вверх"_s << u"вверх"_s;
        QTest::newRow("a field kept") << int(Field) << u"h9"_s << u"h9"_s;
    }
    void words()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(normalised(Column(column), typed), kept);
    }

    // The text of a chain reads back as the same chain, with its settings; a file that
    // is no chain is refused with the reason.
    void textReadBack()
    {
        const Inputs in{rowsOf(gearbox), Task::Design, Method::Probabilistic, 2, u"0,5"_s, u"0"_s};
        const QString text = chainText(in, solve(in));
        QVERIFY2(text.startsWith(u"Обозначение\tНоминал, мм\tВид\tПоле\tES, мм\tEI, мм\tЗакон\tТип\tУвязочное\t"_s),
                 qPrintable(text));
        QVERIFY2(text.contains(u"\nА1\t120\tувеличивающее\t\t\t\t\tохватывающий\t\tH"_s), qPrintable(text));
        QVERIFY2(text.contains(u"\n\nЗадача\tпроектная — допуски составляющих по исходному звену\n"_s), qPrintable(text));
        QVERIFY2(text.contains(u"\nКвалитет\t"_s), qPrintable(text));
        const ReadText read = readText(text);
        QVERIFY(read.header);
        QCOMPARE(read.task, std::optional(Task::Design));
        QCOMPARE(read.method, std::optional(Method::Probabilistic));
        QCOMPARE(read.risk, std::optional(2));
        QCOMPARE(read.requiredUpper, std::optional(u"0,5"_s));
        const Inputs back{read.rows, *read.task, *read.method, *read.risk, *read.requiredUpper, *read.requiredLower};
        QCOMPARE(chainText(back, solve(back)), text);
        QCOMPARE(readFile(text).error, QString());
        QCOMPARE(readFile(u"\uFEFF"_s + QString(text).replace(u'\n', u"\r\n"_s)).chain.rows.size(), read.rows.size());
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        const QString header = u"Обозначение\tНоминал, мм\tВид\tПоле\tES, мм\tEI, мм\tЗакон\tТип\tУвязочное\n"_s;
        QTest::newRow("no header") << u"А1\t5\tув\th9\n"_s
                                   << u"это не цепь: первая строка цепи — заголовок таблицы звеньев («Обозначение», "
                                      u"«Номинал, мм» и далее через табуляцию)."_s;
        QTest::newRow("empty") << QString() << readFile(u"x"_s).error;
        QTest::newRow("no links") << header + u"\nЗадача\tпроектная — допуски составляющих по исходному звену\n"_s
                                  << u"в файле нет звеньев."_s;
        QTest::newRow("too many columns") << header + u"А1\t5\tув\th9\t\t\t\t\t\t\t\t\t\tлишнее\n"_s
                                          << u"строка 2: столбцов больше, чем в таблице звеньев."_s;
        QTest::newRow("a word not of its column") << header + u"А1\t5\tвверх\th9\n"_s
                                                  << u"строка 2: в столбце «Вид» «вверх» — не из его слов."_s;
        QTest::newRow("a method not of the list") << header + u"А1\t5\tув\th9\n\nМетод\tна глаз\n"_s
                                                  << u"строка 4: метод «на глаз» не из списка."_s;
    }
    void badFiles()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        const ReadFile file = readFile(text);
        QCOMPARE(file.error, error);
        QVERIFY(file.chain.rows.empty() || !error.isEmpty());
    }

    // Rows pasted from a spreadsheet: missing trailing columns empty, extra ones
    // dropped, no header, empty lines kept as rows that are no links.
    void pastedRows()
    {
        const ReadText read = readText(u"А1\t5\r\n\nА3\t7\tум\th9\t\t\t\t\t\tлишнее\n"_s);
        QVERIFY(!read.header);
        QCOMPARE(read.rows.size(), std::size_t(3));
        QCOMPARE(read.rows[0][Nominal], u"5"_s);
        QCOMPARE(read.rows[0][Adjusting], QString());
        QVERIFY(isEmptyRow(read.rows[1]));
        QCOMPARE(read.rows[2][Field], u"h9"_s);
        QVERIFY(!read.task);
    }
};

QTEST_GUILESS_MAIN(ChainTest)
#include "test_chain.moc"
