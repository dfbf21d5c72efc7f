#pragma once

#include "PictureManifest.h"

#include <QByteArray>
#include <QImage>

// Paints one manifest picture: its shape with fill and border, an optional
// header strip, an optional glyph and an optional centred text.
class PicturePainter {
public:
    static QImage Paint(const PictureEntry& picture);
    static QByteArray EncodePng(const QImage& image);
};
