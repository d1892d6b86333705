#pragma once

#include <QIcon>
#include <QPixmap>

namespace setup::gui {

// The installer's own application icon.
QIcon SetupIcon();

// The drive chooser's pictures, 16 by 16.
enum class TreePicture { ClosedFolder = 0, OpenFolder = 1, DownArrow = 2, HardDrive = 3 };
QPixmap TreePicturePixmap(TreePicture picture);

}  // namespace setup::gui
