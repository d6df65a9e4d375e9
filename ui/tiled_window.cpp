// SPDX-License-Identifier: MIT
#include "ui/tiled_window.h"

#include "ui/controls.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

namespace merilon::ui {

void TiledWindow::addTileSource(const QString &resource, const Twips &twips)
{
    m_tileSource = new QLabel(this);
    m_tileSource->setObjectName(QStringLiteral("Picture1"));
    m_tileSource->setPixmap(resourcePicture(resource));
    m_tileSource->setGeometry(pixelsOf(twips));
    m_tileSource->hide();
}

void TiledWindow::paintEvent(QPaintEvent *)
{
    if (!m_tileSource)
        return;
    const QPixmap tile = m_tileSource->pixmap();
    const int w = m_tileSource->width();
    const int h = m_tileSource->height();
    if (tile.isNull() || w <= 0 || h <= 0)
        return;
    // The outer size bounds the loops; what lies past the client edge is clipped.
    const QSize outer = frameGeometry().size().expandedTo(size());
    QPainter painter(this);
    const QPixmap sized = tile.size() == QSize(w, h) ? tile : tile.scaled(w, h);
    // Bands of at most 64 rows: Qt's raster engine hands any taller blit to its
    // thread pool in pieces, which costs more than it saves at this size.
    for (int y = 0; y < outer.height(); y += 64)
        painter.drawTiledPixmap(QRect(0, y, outer.width(), std::min(64, outer.height() - y)), sized, QPoint(0, y % h));
}

} // namespace merilon::ui
