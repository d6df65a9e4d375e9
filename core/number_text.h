// SPDX-License-Identifier: MIT
// Numbers as the program shows them: the Russian way, whatever the machine's locale is;
// and the conventions of its constant texts.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>
#include <string_view>

namespace merilon {

// Shortest decimal form with up to 15 significant digits, a decimal comma, no group
// separator, no exponent, no plus sign: 0,25  -12,5  7550  0.
QString numberText(double value);

// Reads a number typed or shown the Russian way ("7", "2,5", "-12,5", " 8 ").
// Empty, partial or foreign texts ("", "1,", "1.5", "7a") give no number.
std::optional<double> parseNumber(QStringView text);

// A size typed in a box: a decimal number with a comma or a point, spaces around
// it, an optional sign ("25", " 25.4 ", "+0,5"), as whole thousandths, or as a whole
// number of `places` decimals ("-0,0065" at 5 places: 650, negative). None for a
// text that is no such number ("", "1,", "2 5", "1e2", ",", "1,2.3").
struct TypedDecimal
{
    qint64 thousandths = 0; // the first three decimals (`places` of them); 0 when `tooLong`
    bool negative = false;  // a minus before a digit that is not 0
    bool finer = false;     // a digit that is not 0 after the last of those decimals
    bool tooLong = false;   // more than 12 whole digits
};
std::optional<TypedDecimal> readTypedDecimal(QStringView text, int places = 3);

// The one reader of a whole number from a list's text ("7", " 16 ", "12,0"): the
// number that parseNumber() reads, when it is whole and lies in first … last.
std::optional<int> wholeNumber(QStringView text, int first, int last);

// A constant text of the tables as a QString.
inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The program's multi-line texts join their lines with LF, then CR.
inline constexpr std::u16string_view lineBreak = u"\n\r";
// Such a text with each LF CR pair as one LF, as Qt's text boxes and labels break lines.
QString withPlainLineBreaks(QString text);

// The items of a list: a text taken from each row of a table, in table order.
template <typename Rows, typename Text = std::identity>
QStringList listTexts(const Rows &rows, Text text = {})
{
    QStringList items;
    for (const auto &row : rows)
        items.append(toQString(std::invoke(text, row)));
    return items;
}

// The items of a list of whole numbers: "first" … "last".
QStringList numberTexts(int first, int last);

} // namespace merilon
