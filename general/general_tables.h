// SPDX-License-Identifier: MIT
// General tolerances: the limit deviations of GOST 30893.1-2002 (linear sizes, broken
// edges, angles; classes f, m, c, v), the tolerances of form and position of GOST
// 30893.2-2002 (classes H, K, L), and the grade form «H14, h14, ±IT14/2» from the IT
// table of the fits. No widgets here: the window reads its four inputs and shows what
// generalTexts() returns.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <limits>
#include <string_view>

namespace merilon::general {

// The classes of GOST 30893.1, in list order, and their letters.
inline constexpr std::array<std::u16string_view, 4> sizeClasses = {u"f — точный", u"m — средний", u"c — грубый",
                                                                   u"v — очень грубый"};
inline constexpr std::array<char16_t, 4> sizeClassLetters = {u'f', u'm', u'c', u'v'};
// The classes of GOST 30893.2, in list order.
inline constexpr std::array<std::u16string_view, 3> formClasses = {u"H", u"K", u"L"};
// The grades of the grade form.
constexpr int firstGrade = 12;
constexpr int lastGrade = 17;

// A row of a table: the sizes over the bound of the row before (the first row: from
// its own lower bound) up to and including `upTo`, in micrometres; the interval as the
// standard heads it; one cell per class. An empty cell is the standard's dash: no value.
template <std::size_t Classes>
struct Row
{
    std::u16string_view interval;
    int upTo;
    std::array<std::u16string_view, Classes> cells;
};
using SizeRow = Row<4>; // f, m, c, v
using FormRow = Row<3>; // H, K, L

// No upper bound: "св. 6", "св. 400".
constexpr int unbounded = std::numeric_limits<int>::max();
// GOST 30893.1 gives no deviations below 0,5 mm.
constexpr int smallestTabled = 500;

// The tables, each defined beside the lookups with its source.
extern const std::array<SizeRow, 8> linearRows;        // GOST 30893.1, table 1: linear sizes
extern const std::array<SizeRow, 3> edgeRows;          // table 2: broken edges
extern const std::array<SizeRow, 5> angleRows;         // table 3: angles
extern const std::array<FormRow, 6> straightnessRows;  // GOST 30893.2, table 1
extern const std::array<FormRow, 4> perpendicularityRows; // table 2
extern const std::array<FormRow, 4> symmetryRows;      // table 3
extern const std::array<std::u16string_view, 3> runOut; // table 4: H, K, L

// What a box shows where a table gives no value: below 0,5 mm the standard has the
// deviation written next to the size; a dash in the table, or a size past its last
// row, sets nothing.
inline constexpr std::u16string_view writtenAtSize = u"указывают у размера";
inline constexpr std::u16string_view notSet = u"не установлено";

// The cell of `rows` for a size in micrometres and a class, or the words in its place.
template <std::size_t Classes, std::size_t N>
std::u16string_view cellFor(const std::array<Row<Classes>, N> &rows, int micrometres, std::size_t column)
{
    if (column >= Classes)
        return notSet;
    for (const Row<Classes> &row : rows) {
        if (micrometres <= row.upTo)
            return row.cells[column].empty() ? notSet : row.cells[column];
    }
    return notSet;
}

// Sizes the window takes: over 0 up to 10 000 mm, at most three decimals.
constexpr int largestSize = 10'000'000;

// Which of the two ways to write the requirement the line shows: the classes of
// GOST 30893.1 and .2 («… — mK»), or the grade («H14, h14, ±IT14/2»).
enum class Designation { Classes, Grade };

// Everything the window shows, as text; on a bad size only `message` and the
// requirement line are set.
struct GeneralTexts
{
    QString message;
    QString linear, edge, angle;                            // GOST 30893.1
    QString straightness, perpendicularity, symmetry, runOut; // GOST 30893.2
    QString hole, shaft, other;                              // +IT, −IT, ±IT/2, mm
    QString requirement;
};

// `sizeClass` indexes sizeClasses, `formClass` formClasses (an index out of its list,
// as of a list with no item chosen, gives no text at all); `grade` is 12 … 17.
GeneralTexts generalTexts(QStringView size, int sizeClass, int formClass, int grade, Designation designation);

// The line for the drawing's technical requirements; none for a class out of its list.
QString requirementLine(int sizeClass, int formClass, int grade, Designation designation);

// The rules that go with the tables, each with its clause, one paragraph a line.
inline constexpr std::u16string_view notes =
    u"• Классы точности ГОСТ 30893.1: f — точный, m — средний, c — грубый, v — очень грубый; ГОСТ 30893.2: "
    u"H, K, L. Класс выбирают по обычной точности производства; где нужен меньший допуск или больший "
    u"экономичнее, его указывают у размера (ГОСТ 30893.1, раздел 3; ГОСТ 30893.2, раздел 4).\n\r"
    u"• Линейные размеры — наружные и внутренние размеры, уступы, диаметры, радиусы, расстояния; для "
    u"притуплённых кромок (наружный радиус, высота фаски) — своя таблица. Для размеров менее 0,5 мм "
    u"предельные отклонения указывают непосредственно у номинального размера (ГОСТ 30893.1, п. 4.1, "
    u"таблицы 1 и 2).\n\r"
    u"• Угол — по длине меньшей стороны угла; общий допуск угла ограничивает общую ориентацию линий, но не "
    u"отклонения их формы (ГОСТ 30893.1, п. 4.2, таблица 3).\n\r"
    u"• Прямолинейность — по длине линии; плоскостность — по большей стороне поверхности или по диаметру "
    u"круглой поверхности (ГОСТ 30893.2, п. 5.1.1, таблица 1).\n\r"
    u"• Перпендикулярность — базой служит большая из двух сторон угла, допуск — по длине меньшей "
    u"(ГОСТ 30893.2, п. 5.2.3, таблица 2).\n\r"
    u"• Симметричность — базой служит более длинный из двух элементов, допуск — по длине нормируемого "
    u"(ГОСТ 30893.2, п. 5.2.4, таблица 3).\n\r"
    u"• Биение — радиальное, торцовое и любой поверхности вращения, от длины не зависит; базой служат опорные "
    u"поверхности, если они указаны, иначе для радиального биения — более длинный элемент (ГОСТ 30893.2, "
    u"п. 5.2.6, таблица 4). Отклонение от соосности может достигать допуска радиального биения (п. 5.2.5).\n\r"
    u"• Круглость равна допуску диаметра, но не больше допуска радиального биения (п. 5.1.2). "
    u"Цилиндричность общими допусками не задаётся: её ограничивают круглость, прямолинейность и "
    u"параллельность (п. 5.1.3). Параллельность равна большему из допуска размера и допуска "
    u"прямолинейности или плоскостности, базой служит более длинный элемент (п. 5.2.2).\n\r"
    u"• Таблицы ГОСТ 30893.1 доходят до 4000 мм, ГОСТ 30893.2 — до 3000 мм; за их пределами и там, где в "
    u"таблице прочерк, значение не установлено.\n\r"
    u"• Квалитет: отверстия H (+IT), валы h (−IT), прочие размеры ±IT/2; допуски IT — по ГОСТ 25346, "
    u"для размеров до 3150 мм; квалитеты 14–18 для размеров менее 1 мм не применяются.\n\r"
    u"• Требование на чертеже: выбор класса записывает его классами точности (ГОСТ 30893.1, раздел 5; "
    u"ГОСТ 30893.2, раздел 6), выбор квалитета — квалитетом.";

// The list items.
QStringList sizeClassTexts();
QStringList formClassTexts();
QStringList gradeTexts();

} // namespace merilon::general
