#pragma once

#include <QPixmap>

// The tool bar's 16 x 15 button pictures, drawn by the program: an open folder, a printer
// and a question mark. A null pixmap for other ids.
QPixmap ToolButtonPicture(int id);
