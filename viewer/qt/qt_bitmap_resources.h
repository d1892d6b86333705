#pragma once

#include "viewer/qt/face_guard.h"
#include "viewer/document/dib_tools.h"

// The program's bitmaps from its Qt resources (":/bitmaps/<number>.bmp"), handed out as
// packed pictures: the BMP file without its 14-byte file header.
class QtBitmapResources final : public BitmapResources {
public:
    QtBitmapResources();
    imagelib::HeapBlock Load(int number) const override;
};
