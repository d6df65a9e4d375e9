// SPDX-License-Identifier: MIT
#include "fits/fit_scheme.h"

#include "ui/controls.h"

#include <QPainter>
#include <algorithm>

namespace merilon {

namespace {

constexpr QColor holeFill(200, 220, 255);
constexpr int tick = 4; // half the length of the ticks that end a dimension line

// Columns of the picture, in pixels from its left edge: the signs of the zero line,
// the hole's deviations, the hole, the first dimension, the shaft, the shaft's
// deviations, the second dimension.
constexpr int holeLabelsRight = 60;
constexpr int holeLeft = 64;
constexpr int zoneWidth = 70;
constexpr int innerLine = holeLeft + zoneWidth + 10;
constexpr int shaftLeft = innerLine + 52;
constexpr int shaftLabelsLeft = shaftLeft + zoneWidth + 4;
constexpr int outerLine = shaftLabelsLeft + 44;

// One dimension: a figure of the fit between an edge of the hole and one of the shaft.
struct Dimension
{
    const char *name;
    fits::Hundredths value;
    fits::Hundredths holeEdge;
    fits::Hundredths shaftEdge;
};

} // namespace

FitScheme::FitScheme(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FitScheme::setFit(const fits::FitTexts &texts)
{
    m_fit = texts.fit;
    m_holeField = texts.holeField;
    m_shaftField = texts.shaftField;
    setAccessibleDescription(m_fit ? texts.words : QStringLiteral("посадка не задана"));
    update();
}

void FitScheme::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_fit)
        return;
    const fits::Fit &fit = *m_fit;

    const QFont numbers = ui::font(8, false);
    const QFont names = ui::windowFont();
    const int lineHeight = QFontMetrics(numbers).height();
    // The scale: every edge and the zero line between a top and a bottom margin that
    // leave room for the captions above and below the zones and for the legend.
    const int top = QFontMetrics(names).height() + 6;
    const int bottom = height() - lineHeight * 2 - 8;
    const fits::Hundredths high = std::max({fits::Hundredths(0), fit.hole.upper, fit.shaft.upper});
    const fits::Hundredths low = std::min({fits::Hundredths(0), fit.hole.lower, fit.shaft.lower});
    auto y = [&](fits::Hundredths edge) {
        return top + static_cast<int>(std::lround(double(high - edge) / double(high - low) * (bottom - top)));
    };
    const int zero = y(0);

    // The zero line with its signs.
    p.setFont(numbers);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawLine(4, zero, width() - 5, zero);
    p.drawText(QRect(2, zero - lineHeight, 12, lineHeight), Qt::AlignCenter, QStringLiteral("+"));
    p.drawText(QRect(2, zero + 1, 12, lineHeight), Qt::AlignCenter, QStringLiteral("−"));

    // The zones, each at least two pixels high, with their fields above them and their
    // deviations beside their edges: the upper above it, the lower below it.
    auto zone = [&](const fits::Limits &limits, int left, const QColor &fill, const QColor &edge,
                    const QString &field, int labelsLeft, Qt::Alignment align) {
        const int upper = y(limits.upper);
        const int lower = std::max(y(limits.lower), upper + 2);
        p.fillRect(QRect(left, upper, zoneWidth, lower - upper), fill);
        p.setPen(edge);
        p.drawRect(QRect(left, upper, zoneWidth - 1, lower - upper - 1));
        p.setFont(names);
        p.drawText(QRect(left - 10, upper - top, zoneWidth + 20, top - 1), Qt::AlignHCenter | Qt::AlignBottom, field);
        p.setFont(numbers);
        p.drawText(QRect(labelsLeft, upper - lineHeight, 46, lineHeight), align | Qt::AlignBottom,
                   fits::signedText(limits.upper));
        p.drawText(QRect(labelsLeft, lower, 46, lineHeight), align | Qt::AlignTop, fits::signedText(limits.lower));
    };
    zone(fit.hole, holeLeft, holeFill, ui::colour::navy, m_holeField, holeLabelsRight - 46,
         Qt::AlignRight);
    zone(fit.shaft, shaftLeft, ui::colour::lightGreen, ui::colour::green, m_shaftField, shaftLabelsLeft,
         Qt::AlignLeft);

    // The two figures of the fit: the one between facing edges between the zones,
    // the other on the right, each from an edge of the hole to an edge of the shaft.
    Dimension inner{};
    Dimension outer{};
    switch (fit.kind) {
    case fits::FitKind::Clearance:
        inner = {"Smin", fit.minClearance, fit.hole.lower, fit.shaft.upper};
        outer = {"Smax", fit.maxClearance, fit.hole.upper, fit.shaft.lower};
        break;
    case fits::FitKind::Transition:
        inner = {"Nmax", fit.maxInterference, fit.hole.lower, fit.shaft.upper};
        outer = {"Smax", fit.maxClearance, fit.hole.upper, fit.shaft.lower};
        break;
    case fits::FitKind::Interference:
        inner = {"Nmin", fit.minInterference, fit.hole.upper, fit.shaft.lower};
        outer = {"Nmax", fit.maxInterference, fit.hole.lower, fit.shaft.upper};
        break;
    }
    QPen extension(ui::colour::maroon, 0, Qt::DotLine);
    const QPen dimension(ui::colour::maroon, 0);
    auto draw = [&](const Dimension &d, int x, int shaftSide) {
        const int a = y(d.holeEdge);
        const int b = y(d.shaftEdge);
        p.setPen(extension);
        p.drawLine(holeLeft + zoneWidth, a, x + tick, a);
        p.drawLine(shaftSide, b, x + (x > shaftSide ? tick : -tick), b);
        p.setPen(dimension);
        p.drawLine(x, a, x, b);
        p.drawLine(x - tick, a, x + tick, a);
        p.drawLine(x - tick, b, x + tick, b);
        // The name beside the middle of the line; a figure too short for it (down to
        // zero) has its name below it, or above it at the foot of the picture, clear
        // of its lines and of the captions above the zones.
        int nameTop = (a + b) / 2 - lineHeight / 2;
        if (b - a < lineHeight + 2 && a - b < lineHeight + 2)
            nameTop = std::max(a, b) + 2 <= bottom ? std::max(a, b) + 2 : std::min(a, b) - 2 - lineHeight;
        // Nor across the zero line.
        if (nameTop <= zero && zero < nameTop + lineHeight)
            nameTop = zero + 2 <= bottom ? zero + 2 : zero - 2 - lineHeight;
        nameTop = std::clamp(nameTop, top, bottom);
        p.drawText(QRect(x + tick + 1, nameTop, 48, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromLatin1(d.name));
    };
    draw(inner, innerLine, shaftLeft);
    draw(outer, outerLine, shaftLeft + zoneWidth);

    // The legend: both figures in micrometres.
    p.setPen(ui::colour::maroon);
    p.drawText(QRect(4, height() - lineHeight - 5, width() - 8, lineHeight), Qt::AlignCenter,
               QStringLiteral("%1 = %2 мкм,  %3 = %4 мкм")
                   .arg(QString::fromLatin1(outer.name), fits::micrometreText(outer.value),
                        QString::fromLatin1(inner.name), fits::micrometreText(inner.value)));
}

} // namespace merilon
