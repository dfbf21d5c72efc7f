#include "PicturePainter.h"

#include "ShapeGlyphs.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>

namespace {

QPainterPath ShapePath(const PictureEntry& picture, const QRectF& box)
{
    QPainterPath path;
    if (picture.shape == "rect")
        path.addRect(box);
    else if (picture.shape == "round")
        path.addRoundedRect(box, picture.radius, picture.radius);
    else if (picture.shape == "circle")
        path.addEllipse(box);
    return path;
}

void PaintGlyph(QPainter* painter, const PictureEntry& picture)
{
    if (ShapeGlyphs::Paint(painter, picture))
        return;
    const double side = std::min(picture.size.width(), picture.size.height());
    const double half = side * picture.glyphScale / 2.0;
    const QPointF centre(picture.size.width() / 2.0, picture.size.height() / 2.0);
    const double stroke = picture.stroke > 0 ? picture.stroke : std::max(1.0, side / 10.0);
    painter->setPen(QPen(picture.glyphColor, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    if (picture.glyph == "close") {
        painter->drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
        painter->drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
    } else if (picture.glyph == "check") {
        QPainterPath tick;
        tick.moveTo(centre + QPointF(-half, 0.05 * half));
        tick.lineTo(centre + QPointF(-0.25 * half, 0.75 * half));
        tick.lineTo(centre + QPointF(half, -0.7 * half));
        painter->drawPath(tick);
    } else if (picture.glyph == "plus") {
        painter->drawLine(centre + QPointF(-half, 0), centre + QPointF(half, 0));
        painter->drawLine(centre + QPointF(0, -half), centre + QPointF(0, half));
    } else if (picture.glyph == "minus") {
        painter->drawLine(centre + QPointF(-half, 0), centre + QPointF(half, 0));
    }
}

// The hues from left to right, paler towards the top and darker towards the
// bottom, so that every colour has a place to be picked from.
void PaintSpectrum(QPainter* painter, const QPainterPath& path, const QSizeF& size)
{
    QLinearGradient hues(0, 0, size.width(), 0);
    for (int step = 0; step <= 6; ++step)
        hues.setColorAt(step / 6.0, QColor::fromHsv((step * 60) % 360, 255, 255));
    painter->fillPath(path, hues);
    QLinearGradient shade(0, 0, 0, size.height());
    shade.setColorAt(0.0, QColor(255, 255, 255, 200));
    shade.setColorAt(0.45, QColor(255, 255, 255, 0));
    shade.setColorAt(0.55, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 200));
    painter->fillPath(path, shade);
}

} // namespace

QImage PicturePainter::Paint(const PictureEntry& picture)
{
    QImage image(picture.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    if (picture.shape != "none") {
        // The border is drawn inside the picture: its line is centred on a
        // box inset by half its width.
        const double inset = picture.border.isValid() ? picture.borderWidth / 2.0 : 0.0;
        const QRectF box = QRectF(QPointF(0, 0), QSizeF(picture.size)).adjusted(inset, inset, -inset, -inset);
        const QPainterPath path = ShapePath(picture, box);
        if (picture.kind == "spectrum")
            PaintSpectrum(&painter, path, QSizeF(picture.size));
        else if (picture.fill.isValid())
            painter.fillPath(path, picture.fill);
        if (picture.headerHeight > 0) {
            painter.save();
            painter.setClipPath(path);
            painter.fillRect(QRectF(0, 0, picture.size.width(), picture.headerHeight), picture.headerFill);
            painter.restore();
        }
        if (picture.border.isValid()) {
            painter.setPen(QPen(picture.border, picture.borderWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(path);
        }
    }
    if (!picture.glyph.isEmpty())
        PaintGlyph(&painter, picture);
    if (!picture.text.isEmpty()) {
        QFont font;
        font.setPixelSize(picture.textPixels > 0 ? picture.textPixels : std::max(1, picture.size.height() / 2));
        painter.setFont(font);
        painter.setPen(picture.textColor);
        painter.drawText(QRect(QPoint(0, 0), picture.size), Qt::AlignCenter, picture.text);
    }
    painter.end();
    return image;
}

// A picture without a transparent pixel is stored without an alpha channel:
// the program's start, which waits on loading the pictures, then takes it as
// it is, without converting every pixel.
QByteArray PicturePainter::EncodePng(const QImage& image)
{
    bool opaque = true;
    for (int y = 0; opaque && y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255) {
                opaque = false;
                break;
            }
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    (opaque ? image.convertToFormat(QImage::Format_RGB32) : image).save(&buffer, "PNG");
    return bytes;
}
