// SPDX-License-Identifier: MIT
#include "app/number_text.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace merilon {

QString numberText(double value)
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

QStringList numberTexts(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items.append(numberText(n));
    return items;
}

std::optional<double> parseNumber(QStringView text)
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

} // namespace merilon
