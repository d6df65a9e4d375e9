// SPDX-License-Identifier: MIT
#include "core/number_text.h"

#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>

namespace merilon {

namespace {
QString slowNumberText(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0
    // 'g' with 15 digits rounds to 15 significant digits and drops trailing zeros;
    // very large or small magnitudes come back with an exponent, which we spell out.
    QString text = QString::number(value, 'g', 15);
    if (text.contains(QLatin1Char('e'))) {
        const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        const int decimals = std::max(0, 14 - exponent);
        text = QString::number(value, 'f', decimals);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
    }
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

} // namespace

QString numberText(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return QStringLiteral("0");
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        char16_t digits[20];
        char16_t *p = digits + 20;
        qint64 n = static_cast<qint64>(std::fabs(value));
        do {
            *--p = char16_t(u'0' + n % 10);
            n /= 10;
        } while (n);
        if (value < 0)
            *--p = u'-';
        return QString(reinterpret_cast<const QChar *>(p), digits + 20 - p);
    }
    char buf[40];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec == std::errc()) {
        int digits = 0;
        bool exponent = false;
        bool leading = true;
        for (const char *p = buf; p != end; ++p) {
            if (*p == 'e') {
                exponent = true;
                break;
            }
            if (*p >= '0' && *p <= '9') {
                leading = leading && *p == '0';
                digits += leading ? 0 : 1;
            }
        }
        if (!exponent && digits <= 15) {
            QString text(end - buf, Qt::Uninitialized);
            QChar *out = text.data();
            for (const char *p = buf; p != end; ++p)
                *out++ = QLatin1Char(*p == '.' ? ',' : *p);
            return text;
        }
    }
    return slowNumberText(value);
}

QStringList numberTexts(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items.append(numberText(n));
    return items;
}

namespace {
std::optional<double> slowParseNumber(QStringView text)
{
    static const QRegularExpression shape(QStringLiteral("^[+-]?(\\d+(,\\d+)?|,\\d+)$"));
    const QString trimmed = text.trimmed().toString();
    if (!shape.match(trimmed).hasMatch())
        return std::nullopt;
    QString c = trimmed;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(c, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> parseNumber(QStringView text)
{
    const QStringView t = text.trimmed();
    char buf[64];
    if (t.isEmpty())
        return std::nullopt;
    if (t.size() >= qsizetype(sizeof buf))
        return slowParseNumber(text);
    qsizetype i = 0;
    int n = 0;
    if (t[0] == u'+' || t[0] == u'-') {
        if (t[0] == u'-')
            buf[n++] = '-';
        ++i;
    }
    int whole = 0, fraction = 0;
    bool comma = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9') {
            buf[n++] = char(c);
            (comma ? fraction : whole)++;
        } else if (c == u',' && !comma) {
            comma = true;
            buf[n++] = '.';
        } else {
            return std::nullopt;
        }
    }
    if (comma ? fraction == 0 : whole == 0)
        return std::nullopt;
    double v = 0;
    const auto [p, ec] = std::from_chars(buf, buf + n, v);
    if (ec != std::errc() || p != buf + n)
        return std::nullopt;
    return v;
}

} // namespace merilon
