#pragma once

#include <QPainter>
#include <QPixmap>

// The viewer's program icon, drawn by the program: a framed landscape slide, in the
// coordinates of a 32 x 32 icon (the package's icons scale the same drawing).
void PaintViewerIcon(QPainter& painter);
// The 32 x 32 window icon.
QPixmap ViewerIcon();
