#pragma once

#include <QPixmap>

// The viewer's 32 x 32 program icon, drawn by the program: a framed landscape slide.
QPixmap ViewerIcon();
