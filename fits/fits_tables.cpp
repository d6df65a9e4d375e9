// SPDX-License-Identifier: MIT
#include "fits/fits_tables.h"

#include "core/number_text.h"
#include "fits/fit.h"

#include <unordered_map>

namespace merilon::fits {

// Fundamental deviations of shafts of ISO 286-2 (GOST 25347-82), in micrometres, over
// the finer intervals of the fundamental deviations. In the ei columns "t", "v" and
// "y" an empty cell {} marks a size for which the standard defines no such field. The
// "k" column holds the values of grades 4 to 7; other grades have ei = 0 for "k".
// The standard tolerances of these rows are those of toleranceRows below.
// Each row: interval, its bounds in mm, {es of a … g}, {ei of k, m, n, p, r, s, t, u,
// v, x, y, z}.
const std::array<SizeRow, 25> sizeRows = {{
    {u"от 1 до 3", 1, 3, {-270, -140, -60, -20, -14, -6, -2}, {0, 2, 4, 6, 10, 14, {}, 18, {}, 20, {}, 26}},
    {u"св. 3 до 6", 3, 6, {-270, -140, -70, -30, -20, -10, -4}, {1, 4, 8, 12, 15, 19, {}, 23, {}, 28, {}, 35}},
    {u"св. 6 до 10", 6, 10, {-280, -150, -80, -40, -25, -13, -5}, {1, 6, 10, 15, 19, 23, {}, 28, {}, 34, {}, 42}},
    {u"св. 10 до 14", 10, 14, {-290, -150, -95, -50, -32, -16, -6}, {1, 7, 12, 18, 23, 28, {}, 33, {}, 40, {}, 50}},
    {u"св. 14 до 18", 14, 18, {-290, -150, -95, -50, -32, -16, -6}, {1, 7, 12, 18, 23, 28, {}, 33, 39, 45, {}, 60}},
    {u"св. 18 до 24", 18, 24, {-300, -160, -110, -65, -40, -20, -7}, {2, 8, 15, 22, 28, 35, {}, 41, 47, 54, 63, 73}},
    {u"св. 24 до 30", 24, 30, {-300, -160, -110, -65, -40, -20, -7}, {2, 8, 15, 22, 28, 35, 41, 48, 55, 64, 75, 88}},
    {u"св. 30 до 40", 30, 40, {-310, -170, -120, -80, -50, -25, -9}, {2, 9, 17, 26, 34, 43, 48, 60, 68, 80, 94, 112}},
    {u"св. 40 до 50", 40, 50, {-320, -180, -130, -80, -50, -25, -9}, {2, 9, 17, 26, 34, 43, 54, 70, 81, 97, 114, 136}},
    {u"св. 50 до 65", 50, 65, {-340, -190, -140, -100, -60, -30, -10}, {2, 11, 20, 32, 41, 53, 66, 87, 102, 122, 144, 172}},
    {u"св. 65 до 80", 65, 80, {-360, -200, -150, -100, -60, -30, -10}, {2, 11, 20, 32, 43, 59, 75, 102, 120, 146, 174, 210}},
    {u"св. 80 до 100", 80, 100, {-380, -220, -170, -120, -72, -36, -12}, {3, 13, 23, 37, 51, 71, 91, 124, 146, 178, 214, 258}},
    {u"св. 100 до 120", 100, 120, {-410, -240, -180, -120, -72, -36, -12}, {3, 13, 23, 37, 54, 79, 104, 144, 172, 210, 254, 310}},
    {u"св. 120 до 140", 120, 140, {-460, -260, -200, -145, -85, -43, -14}, {3, 15, 27, 43, 63, 92, 122, 170, 202, 248, 300, 365}},
    {u"св. 140 до 160", 140, 160, {-520, -280, -210, -145, -85, -43, -14}, {3, 15, 27, 43, 65, 100, 134, 190, 228, 280, 340, 415}},
    {u"св. 160 до 180", 160, 180, {-580, -310, -230, -145, -85, -43, -14}, {3, 15, 27, 43, 68, 108, 146, 210, 252, 310, 380, 465}},
    {u"св. 180 до 200", 180, 200, {-660, -340, -240, -170, -100, -50, -15}, {4, 17, 31, 50, 77, 122, 166, 236, 284, 350, 425, 520}},
    {u"св. 200 до 225", 200, 225, {-740, -380, -260, -170, -100, -50, -15}, {4, 17, 31, 50, 80, 130, 180, 258, 310, 385, 470, 575}},
    {u"св. 225 до 250", 225, 250, {-820, -420, -280, -170, -100, -50, -15}, {4, 17, 31, 50, 84, 140, 196, 284, 340, 425, 520, 640}},
    {u"св. 250 до 280", 250, 280, {-920, -480, -300, -190, -110, -56, -17}, {4, 20, 34, 56, 94, 158, 218, 315, 385, 475, 580, 710}},
    {u"св. 280 до 315", 280, 315, {-1050, -540, -330, -190, -110, -56, -17}, {4, 20, 34, 56, 98, 170, 240, 350, 425, 525, 650, 790}},
    {u"св. 315 до 355", 315, 355, {-1200, -600, -360, -210, -125, -62, -18}, {4, 21, 37, 62, 108, 190, 268, 390, 475, 590, 730, 900}},
    {u"св. 355 до 400", 355, 400, {-1350, -680, -400, -210, -125, -62, -18}, {4, 21, 37, 62, 114, 208, 294, 435, 530, 660, 820, 1000}},
    {u"св. 400 до 450", 400, 450, {-1500, -760, -440, -230, -135, -68, -20}, {5, 23, 40, 68, 126, 232, 330, 490, 595, 740, 920, 1100}},
    {u"св. 450 до 500", 450, 500, {-1650, -840, -480, -230, -135, -68, -20}, {5, 23, 40, 68, 132, 252, 360, 540, 660, 820, 1000, 1250}},
}};

// ISO 286-1:2010 Table 1 (GOST 25346-89 Table 1), micrometres: IT01, IT0, IT1 … IT18.
// Over 500 mm IT01 and IT0 are not defined ({}). Some Russian reprints print other IT4
// and IT5 above 800 mm; these are the values of ISO 286-1:2010.
const std::array<ToleranceRow, 21> toleranceRows = {{
    {0, 3, {0.3, 0.5, 0.8, 1.2, 2, 3, 4, 6, 10, 14, 25, 40, 60, 100, 140, 250, 400, 600, 1000, 1400}},
    {3, 6, {0.4, 0.6, 1, 1.5, 2.5, 4, 5, 8, 12, 18, 30, 48, 75, 120, 180, 300, 480, 750, 1200, 1800}},
    {6, 10, {0.4, 0.6, 1, 1.5, 2.5, 4, 6, 9, 15, 22, 36, 58, 90, 150, 220, 360, 580, 900, 1500, 2200}},
    {10, 18, {0.5, 0.8, 1.2, 2, 3, 5, 8, 11, 18, 27, 43, 70, 110, 180, 270, 430, 700, 1100, 1800, 2700}},
    {18, 30, {0.6, 1, 1.5, 2.5, 4, 6, 9, 13, 21, 33, 52, 84, 130, 210, 330, 520, 840, 1300, 2100, 3300}},
    {30, 50, {0.6, 1, 1.5, 2.5, 4, 7, 11, 16, 25, 39, 62, 100, 160, 250, 390, 620, 1000, 1600, 2500, 3900}},
    {50, 80, {0.8, 1.2, 2, 3, 5, 8, 13, 19, 30, 46, 74, 120, 190, 300, 460, 740, 1200, 1900, 3000, 4600}},
    {80, 120, {1, 1.5, 2.5, 4, 6, 10, 15, 22, 35, 54, 87, 140, 220, 350, 540, 870, 1400, 2200, 3500, 5400}},
    {120, 180, {1.2, 2, 3.5, 5, 8, 12, 18, 25, 40, 63, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300}},
    {180, 250, {2, 3, 4.5, 7, 10, 14, 20, 29, 46, 72, 115, 185, 290, 460, 720, 1150, 1850, 2900, 4600, 7200}},
    {250, 315, {2.5, 4, 6, 8, 12, 16, 23, 32, 52, 81, 130, 210, 320, 520, 810, 1300, 2100, 3200, 5200, 8100}},
    {315, 400, {3, 5, 7, 9, 13, 18, 25, 36, 57, 89, 140, 230, 360, 570, 890, 1400, 2300, 3600, 5700, 8900}},
    {400, 500, {4, 6, 8, 10, 15, 20, 27, 40, 63, 97, 155, 250, 400, 630, 970, 1550, 2500, 4000, 6300, 9700}},
    {500, 630, {std::nullopt, std::nullopt, 9, 11, 16, 22, 32, 44, 70, 110, 175, 280, 440, 700, 1100, 1750, 2800, 4400, 7000, 11000}},
    {630, 800, {std::nullopt, std::nullopt, 10, 13, 18, 25, 36, 50, 80, 125, 200, 320, 500, 800, 1250, 2000, 3200, 5000, 8000, 12500}},
    {800, 1000, {std::nullopt, std::nullopt, 11, 15, 21, 28, 40, 56, 90, 140, 230, 360, 560, 900, 1400, 2300, 3600, 5600, 9000, 14000}},
    {1000, 1250, {std::nullopt, std::nullopt, 13, 18, 24, 33, 47, 66, 105, 165, 260, 420, 660, 1050, 1650, 2600, 4200, 6600, 10500, 16500}},
    {1250, 1600, {std::nullopt, std::nullopt, 15, 21, 29, 39, 55, 78, 125, 195, 310, 500, 780, 1250, 1950, 3100, 5000, 7800, 12500, 19500}},
    {1600, 2000, {std::nullopt, std::nullopt, 18, 25, 35, 46, 65, 92, 150, 230, 370, 600, 920, 1500, 2300, 3700, 6000, 9200, 15000, 23000}},
    {2000, 2500, {std::nullopt, std::nullopt, 22, 30, 41, 55, 78, 110, 175, 280, 440, 700, 1100, 1750, 2800, 4400, 7000, 11000, 17500, 28000}},
    {2500, 3150, {std::nullopt, std::nullopt, 26, 36, 50, 68, 96, 135, 210, 330, 540, 860, 1350, 2100, 3300, 5400, 8600, 13500, 21000, 33000}},
}};

// ISO 286-1:2010 Tables 2 and 3 over 500 mm (GOST 25346-89 Tables 2 and 3), micrometres:
// es of d, e, f, g from the main intervals, ei of m, n, p from the main intervals and of
// r, s, t, u from the sub-intervals. The letters a, b, c, v, x, y, z have no values here.
const std::array<LargeSizeRow, 16> largeSizeRows = {{
    {500, 560, {-260, -145, -76, -22}, {26, 44, 78, 150, 280, 400, 600}},
    {560, 630, {-260, -145, -76, -22}, {26, 44, 78, 155, 310, 450, 660}},
    {630, 710, {-290, -160, -80, -24}, {30, 50, 88, 175, 340, 500, 740}},
    {710, 800, {-290, -160, -80, -24}, {30, 50, 88, 185, 380, 560, 840}},
    {800, 900, {-320, -170, -86, -26}, {34, 56, 100, 210, 430, 620, 940}},
    {900, 1000, {-320, -170, -86, -26}, {34, 56, 100, 220, 470, 680, 1050}},
    {1000, 1120, {-350, -195, -98, -28}, {40, 66, 120, 250, 520, 780, 1150}},
    {1120, 1250, {-350, -195, -98, -28}, {40, 66, 120, 260, 580, 840, 1300}},
    {1250, 1400, {-390, -220, -110, -30}, {48, 78, 140, 300, 640, 960, 1450}},
    {1400, 1600, {-390, -220, -110, -30}, {48, 78, 140, 330, 720, 1050, 1600}},
    {1600, 1800, {-430, -240, -120, -32}, {58, 92, 170, 370, 820, 1200, 1850}},
    {1800, 2000, {-430, -240, -120, -32}, {58, 92, 170, 400, 920, 1350, 2000}},
    {2000, 2240, {-480, -260, -130, -34}, {68, 110, 195, 440, 1000, 1500, 2300}},
    {2240, 2500, {-480, -260, -130, -34}, {68, 110, 195, 460, 1100, 1650, 2500}},
    {2500, 2800, {-520, -290, -145, -38}, {76, 135, 240, 550, 1250, 1900, 2900}},
    {2800, 3150, {-520, -290, -145, -38}, {76, 135, 240, 580, 1400, 2100, 3200}},
}};

namespace {

// Letters of each grade after the basic hole, "h" and "js".
struct GradeLetters
{
    int grade;
    std::u16string_view letters; // space-separated
};
constexpr std::array<GradeLetters, gradeCount> gradeLetters = {{
    {5, u"e f g k m n p r s u"},
    {6, u"d e f g k m n p r s t u v"},
    {7, u"d e f g k m n p r s t u v x z"},
    {8, u"c d e f s t u v x z"},
    {9, u"a b c d e f"},
    {10, u"d"},
    {11, u"a b c d"},
    {12, u"b"},
    {13, u""},
    {14, u""},
    {15, u""},
    {16, u""},
    {17, u""},
}};

Deviations shown(Hundredths upper, Hundredths lower, Prompt prompt = Prompt::None)
{
    return {false, micrometreText(upper), micrometreText(lower), prompt};
}

Deviations cleared(Prompt prompt)
{
    return {false, QString(), QString(), prompt};
}

} // namespace

QString micrometreText(Hundredths count)
{
    return numberText(inMicrometres(count));
}

QString gradeName(int grade)
{
    return grade == finestGrade ? QStringLiteral("01") : QString::number(grade);
}

QStringList sizeTexts()
{
    return listTexts(sizeRows, &SizeRow::text);
}

QStringList gradeTexts()
{
    return numberTexts(firstGrade, lastGrade);
}

namespace {
QStringList buildLetters(int grade)
{
    for (const GradeLetters &entry : gradeLetters) {
        if (entry.grade != grade)
            continue;
        QStringList letters = {toQString(basicHole), QStringLiteral("h"), QStringLiteral("js")};
        letters += toQString(entry.letters).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        return letters;
    }
    return {};
}
} // namespace

QStringList lettersForGrade(int grade)
{
    // Built once: a grade choice asks for its list every time.
    static const std::array<QStringList, gradeCount> lists = [] {
        std::array<QStringList, gradeCount> built;
        for (int g = firstGrade; g <= lastGrade; ++g)
            built[static_cast<std::size_t>(g - firstGrade)] = buildLetters(g);
        return built;
    }();
    if (grade < firstGrade || grade > lastGrade)
        return {};
    return lists[static_cast<std::size_t>(grade - firstGrade)];
}

const SizeRow *findSize(QStringView size)
{
    static const std::unordered_map<std::u16string_view, const SizeRow *> rows = [] {
        std::unordered_map<std::u16string_view, const SizeRow *> byText;
        for (const SizeRow &row : sizeRows)
            byText.emplace(row.text, &row);
        return byText;
    }();
    const auto found = rows.find(std::u16string_view(size.utf16(), static_cast<std::size_t>(size.size())));
    return found == rows.end() ? nullptr : found->second;
}

std::optional<int> gradeOf(QStringView text)
{
    return wholeNumber(text, firstGrade, lastGrade);
}

std::optional<int> standardTolerance(QStringView size, int grade)
{
    const SizeRow *row = findSize(size);
    if (!row || grade < firstGrade || grade > lastGrade)
        return std::nullopt;
    // IT5 … IT17 are whole micrometres.
    return static_cast<int>(*toleranceAt(row->upTo * 1000, grade) / 100);
}

QString promptText(Prompt prompt)
{
    switch (prompt) {
    case Prompt::ChooseSize:
        return QStringLiteral("какие номинальные размеры Вас интересует?");
    case Prompt::ChooseGrade:
        return QStringLiteral("какой допуск Вы хотели бы посмотреть?");
    case Prompt::ChooseField:
        return QStringLiteral("уточните поле допуска");
    case Prompt::None:
        break;
    }
    return QString();
}

Deviations deviations(QStringView size, QStringView grade, QStringView letter)
{
    // Without a size there is no tolerance and no deviation: every field shows 0.
    const SizeRow *row = findSize(size);
    if (!row)
        return letter.isEmpty() ? cleared(Prompt::ChooseSize) : shown(0, 0, Prompt::ChooseSize);

    const std::optional<int> g = gradeOf(grade);
    if (!g)
        return {true, QString(), QString(), Prompt::ChooseGrade};
    // The basic hole is the hole field H; every other letter is a shaft's.
    const std::optional<Limits> limits =
        letter == QStringView(basicHole) ? holeLimits(*row, *g, u"H") : shaftLimits(*row, *g, letter);
    if (limits)
        return shown(limits->upper, limits->lower);
    // An empty letter, a text that is no tolerance field, or a field the standard lacks.
    return cleared(Prompt::ChooseField);
}

} // namespace merilon::fits
