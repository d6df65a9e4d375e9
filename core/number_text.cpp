// SPDX-License-Identifier: MIT
#include "core/number_text.h"

#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace merilon {

QString numberText(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0
    char buf[400]; // the largest double has 309 whole digits
    // The shortest form that reads back as the same double, never with an exponent;
    // past 15 significant digits, rounded to 15 and its trailing zeros dropped.
    std::to_chars_result written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    char *end = written.ptr;
    int digits = 0;
    bool leading = true;
    for (const char *p = buf; p != end; ++p) {
        if (*p >= '0' && *p <= '9') {
            leading = leading && *p == '0';
            digits += leading ? 0 : 1;
        }
    }
    if (digits > 15) {
        const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, std::max(0, 14 - exponent));
        end = written.ptr;
        if (std::find(static_cast<const char *>(buf), static_cast<const char *>(end), '.') != end) {
            while (end[-1] == '0')
                --end;
            if (end[-1] == '.')
                --end;
        }
    }
    if (written.ec != std::errc())
        return QString();
    QString text(end - buf, Qt::Uninitialized);
    QChar *out = text.data();
    for (const char *p = buf; p != end; ++p)
        *out++ = QLatin1Char(*p == '.' ? ',' : *p);
    return text;
}

QString withPlainLineBreaks(QString text)
{
    return text.replace(toQString(lineBreak), QStringLiteral("\n"));
}

QStringList numberTexts(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items.append(numberText(n));
    return items;
}

std::optional<TypedDecimal> readTypedDecimal(QStringView text, int places)
{
    const auto digitsOnly = [](QStringView digits) {
        return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    QStringView t = text.trimmed();
    bool minus = false;
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+')) {
        minus = t.front() == u'-';
        t = t.mid(1);
    }
    const qsizetype separator = std::max(t.indexOf(u','), t.indexOf(u'.'));
    QStringView whole = separator < 0 ? t : t.left(separator);
    QStringView fraction = separator < 0 ? QStringView() : t.mid(separator + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || (separator >= 0 && fraction.isEmpty()) || !digitsOnly(whole)
        || !digitsOnly(fraction))
        return std::nullopt;
    while (!whole.isEmpty() && whole.front() == u'0')
        whole = whole.mid(1);
    while (!fraction.isEmpty() && fraction.back() == u'0')
        fraction.chop(1);
    TypedDecimal d;
    d.negative = minus && (!whole.isEmpty() || !fraction.isEmpty());
    d.finer = fraction.size() > places;
    d.tooLong = whole.size() > 12;
    if (d.tooLong)
        return d;
    for (const QChar c : whole)
        d.thousandths = d.thousandths * 10 + (c.unicode() - u'0');
    for (qsizetype i = 0; i < places; ++i)
        d.thousandths = d.thousandths * 10 + (i < fraction.size() ? fraction[i].unicode() - u'0' : 0);
    return d;
}

std::optional<double> parseNumber(QStringView text)
{
    const QStringView t = text.trimmed();
    QVarLengthArray<char, 64> buf;
    qsizetype i = 0;
    if (!t.isEmpty() && (t[0] == u'+' || t[0] == u'-')) {
        if (t[0] == u'-')
            buf.append('-');
        ++i;
    }
    int whole = 0, fraction = 0;
    bool comma = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9') {
            buf.append(char(c));
            (comma ? fraction : whole)++;
        } else if (c == u',' && !comma) {
            comma = true;
            buf.append('.');
        } else {
            return std::nullopt;
        }
    }
    if (comma ? fraction == 0 : whole == 0)
        return std::nullopt;
    double v = 0;
    const auto [p, ec] = std::from_chars(buf.data(), buf.data() + buf.size(), v);
    if (ec != std::errc() || p != buf.data() + buf.size())
        return std::nullopt;
    return v;
}

std::optional<int> wholeNumber(QStringView text, int first, int last)
{
    const std::optional<double> number = parseNumber(text);
    if (!number || *number != std::floor(*number) || *number < first || *number > last)
        return std::nullopt;
    return static_cast<int>(*number);
}

} // namespace merilon
