#pragma once

#include "PictureManifest.h"

#include <QStringList>

class QPainter;

// The pictorial glyphs: device silhouettes, arrows, navigation symbols and
// status marks, drawn in glyphColor (outlines) and glyphFill (closed shapes).
namespace ShapeGlyphs {

const QStringList& Names();
// False when the glyph is not one of Names().
bool Paint(QPainter* painter, const PictureEntry& picture);

} // namespace ShapeGlyphs
