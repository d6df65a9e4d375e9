// SPDX-License-Identifier: MIT
#include "unspecified/unspecified_tables.h"

#include "core/number_text.h"

#include <span>

namespace merilon::unspecified {

// Unspecified tolerances of form and position (GOST 25069-81), in millimetres.
// Every value is a term of the preferred-number series 0,025 … 10; each row stands one
// term of the series above the row before it. Each row: interval, {12, 13 - 14,
// 15 - 16, 17}.

// Perpendicularity; rows: the length intervals.
const std::array<Row, 16> perpendicularityRows = {{
    {u"до 10", {0.06, 0.1, 0.16, 0.25}},
    {u"свыше 10 до 16", {0.08, 0.12, 0.2, 0.3}},
    {u"свыше 16 до 25", {0.1, 0.16, 0.25, 0.4}},
    {u"свыше 25 до 40", {0.12, 0.2, 0.3, 0.5}},
    {u"свыше 40 до 63", {0.16, 0.25, 0.4, 0.6}},
    {u"свыше 63 до 100", {0.2, 0.3, 0.5, 0.8}},
    {u"свыше 100 до 160", {0.25, 0.4, 0.6, 1}},
    {u"свыше 160 до 250", {0.3, 0.5, 0.8, 1.2}},
    {u"свыше 250 до 400", {0.4, 0.6, 1, 1.6}},
    {u"свыше 400 до 630", {0.5, 0.8, 1.2, 2}},
    {u"свыше 630 до 1000", {0.6, 1, 1.6, 2.5}},
    {u"свыше 1000 до 1600", {0.8, 1.2, 2, 3}},
    {u"свыше 1600 до 2500", {1, 1.6, 2.5, 4}},
    {u"свыше 2500 до 4000", {1.2, 2, 3, 5}},
    {u"свыше 4000 до 6300", {1.6, 2.5, 4, 6}},
    {u"свыше 6300 до 10000", {2, 3, 5, 8}},
}};

// Face run-out; rows: the length intervals.
const std::array<Row, 16> faceRunOutRows = {{
    {u"до 10", {0.025, 0.04, 0.1, 0.16}},
    {u"свыше 10 до 16", {0.03, 0.05, 0.12, 0.2}},
    {u"свыше 16 до 25", {0.04, 0.06, 0.16, 0.25}},
    {u"свыше 25 до 40", {0.05, 0.08, 0.2, 0.3}},
    {u"свыше 40 до 63", {0.06, 0.1, 0.25, 0.4}},
    {u"свыше 63 до 100", {0.08, 0.12, 0.3, 0.5}},
    {u"свыше 100 до 160", {0.1, 0.16, 0.4, 0.6}},
    {u"свыше 160 до 250", {0.12, 0.2, 0.5, 0.8}},
    {u"свыше 250 до 400", {0.16, 0.25, 0.6, 1}},
    {u"свыше 400 до 630", {0.2, 0.3, 0.8, 1.2}},
    {u"свыше 630 до 1000", {0.25, 0.4, 1, 1.6}},
    {u"свыше 1000 до 1600", {0.3, 0.5, 1.2, 2}},
    {u"свыше 1600 до 2500", {0.4, 0.6, 1.6, 2.5}},
    {u"свыше 2500 до 4000", {0.5, 0.8, 2, 3}},
    {u"свыше 4000 до 6300", {0.6, 1, 2.5, 4}},
    {u"свыше 6300 до 10000", {0.8, 1.2, 3, 5}},
}};

// Symmetry, intersection of axes, radial run-out and coaxiality (diametral values);
// rows: the diameter intervals.
const std::array<Row, 12> axisRows = {{
    {u"до 3", {0.2, 0.3, 0.5, 0.8}},
    {u"свыше 3 до 10", {0.25, 0.4, 0.6, 1}},
    {u"свыше 10 до 18", {0.3, 0.5, 0.8, 1.2}},
    {u"свыше 18 до 30", {0.4, 0.6, 1, 1.6}},
    {u"свыше 30 до 50", {0.5, 0.8, 1.2, 2}},
    {u"свыше 50 до 120", {0.6, 1, 1.6, 2.5}},
    {u"свыше 120 до 250", {0.8, 1.2, 2, 3}},
    {u"свыше 250 до 400", {1, 1.6, 2.5, 4}},
    {u"свыше 400 до 630", {1.2, 2, 3, 5}},
    {u"свыше 630 до 1000", {1.6, 2.5, 4, 6}},
    {u"свыше 1000 до 1600", {2, 3, 5, 8}},
    {u"свыше 1600 до 2500", {2.5, 4, 6, 10}},
}};

namespace {

// The paragraphs of the notes of each table group, each whole. The first paragraph
// of group 3 ends with a space, as it always has.
constexpr std::array<std::u16string_view, 2> perpendicularityNotes = {
    u"1. За базу, к которой относится допуск перпендикулярности, принимается поверхность "
    u"(или ось поверхности), образующая большую сторону прямого угла, а при одинаковых "
    u"размерах сторон угла - поверхность, имеющую меньшую шероховатость.",
    u"2. Если с короткой стороной угла связано несколько координирующих размеров разной "
    u"точности, то неуказанный допуск перпендикулярности выбирается по более точному квалитету.",
};
constexpr std::array<std::u16string_view, 2> faceRunOutNotes = {
    u"1. Если с данным торцом связано несколько осевых размеров разной точности, то "
    u"неуказанный допуск торцевого биения выбирается по более точному квалитету.",
    u"2. За базу, к которой относится неуказанный допуск торцевого биения, принимается ось "
    u"поверхности, имеющей большую длину, при одинаковых длинах - поверхности с допуском "
    u"диаметра по более точному квалитету, при одинаковых квалитетах - поверхности с "
    u"большим диаметром.",
};
constexpr std::array<std::u16string_view, 2> symmetryNotes = {
    u"1. Допуски симметричности приведены в диаметральном выражении. ",
    u"2. За базу, к которой относится допуск, принимается ось (плоскость симметрии) "
    u"поверхности, имеющей большую длину, при одинаковых длинах - элемента, имеющего "
    u"допуск размера по более точному квалитету, при одинаковых квалитетах - элемента с "
    u"большим размером.",
};
constexpr std::array<std::u16string_view, 3> axisNotes = {
    u"1. Допуски соосности и пересечения осей приведены в диаметральном выражении.",
    u"2. Под определяющем допуском размера понимается допуск размера рассматриваемого или "
    u"базового элемента по более грубому квалитету или классу точности.",
    u"3. За базу, к которой относится допуск, принимается ось поверхности, имеющей большую "
    u"длину, при одинаковых длинах - элемента, имеющего допуск размера по более точному "
    u"квалитету, при одинаковых квалитетах - элемента с большим размером.",
};

// Paragraphs are joined by the program's line break, LF and then CR.
QString joinParagraphs(std::span<const std::u16string_view> paragraphs)
{
    QString text;
    for (const std::u16string_view paragraph : paragraphs) {
        if (!text.isEmpty())
            text += toQString(lineBreak);
        text += toQString(paragraph);
    }
    return text;
}

std::span<const Row> rowsOf(Table table)
{
    switch (table) {
    case Table::Perpendicularity:
        return perpendicularityRows;
    case Table::FaceRunOut:
        return faceRunOutRows;
    case Table::Symmetry:
    case Table::Axes:
        return axisRows;
    }
    return {};
}

} // namespace

QStringList kindTexts()
{
    return listTexts(kinds, &Kind::name);
}

QStringList accuracyGroupTexts()
{
    return listTexts(accuracyGroups);
}

std::optional<Kind> kindOf(QStringView text)
{
    for (const Kind &kind : kinds) {
        if (text == QStringView(kind.name))
            return kind;
    }
    return std::nullopt;
}

QString notes(Table table)
{
    static const std::array<QString, 4> cached = {joinParagraphs(perpendicularityNotes), joinParagraphs(faceRunOutNotes),
                                                  joinParagraphs(symmetryNotes), joinParagraphs(axisNotes)};
    return cached[std::size_t(table) - 1];
}

std::optional<double> value(Table table, QStringView interval, QStringView accuracyGroup)
{
    for (const Row &row : rowsOf(table)) {
        if (interval != QStringView(row.interval))
            continue;
        for (std::size_t column = 0; column < accuracyGroups.size(); ++column) {
            if (accuracyGroup == QStringView(accuracyGroups[column]))
                return row.mm[column];
        }
    }
    return std::nullopt;
}

std::optional<QString> valueText(Table table, QStringView interval, QStringView accuracyGroup)
{
    const std::optional<double> mm = value(table, interval, accuracyGroup);
    if (!mm)
        return std::nullopt;
    return numberText(*mm);
}

} // namespace merilon::unspecified
