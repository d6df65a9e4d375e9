// SPDX-License-Identifier: MIT
// The tiled background of the main window, the angle window and the About window.
#pragma once

#include "ui/window_description.h"

#include <QRect>
#include <QWidget>

class QLabel;

namespace merilon::ui {

// A window whose background is the pixmap of its hidden picture holder `Picture1`,
// drawn at the holder's size over the whole window in rows from the top, each row
// from the left, clipped at the window's edge.
class TiledWindow : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

protected:
    // Adds the hidden picture holder of the tiles.
    void addTileSource(const QString &resource, const Twips &twips);
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_tileSource = nullptr; // Picture1
};

} // namespace merilon::ui
