#include "ShapeGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QtMath>

#include <algorithm>

namespace ShapeGlyphs {

namespace {

struct Box {
    QPointF centre;
    double half;   // half the glyph box side
    double stroke;
};

QBrush FillOf(const PictureEntry& picture)
{
    return picture.glyphFill.isValid() ? QBrush(picture.glyphFill) : QBrush(Qt::NoBrush);
}

QPointF At(const Box& b, double x, double y)
{
    return b.centre + QPointF(x * b.half, y * b.half);
}

void Mouse(QPainter* p, const PictureEntry& picture, const Box& b)
{
    // A body of width 1.25 and height 2 (in half-box units), round at the
    // top and a little fuller at the bottom, with the button split and a wheel.
    const double w = 0.62, h = 1.0;
    QPainterPath body;
    body.moveTo(At(b, 0, -h));
    body.cubicTo(At(b, w, -h), At(b, w, -0.35), At(b, w, 0.2));
    body.cubicTo(At(b, w, 0.8), At(b, 0.45, h), At(b, 0, h));
    body.cubicTo(At(b, -0.45, h), At(b, -w, 0.8), At(b, -w, 0.2));
    body.cubicTo(At(b, -w, -0.35), At(b, -w, -h), At(b, 0, -h));
    p->setBrush(FillOf(picture));
    p->drawPath(body);
    p->setBrush(Qt::NoBrush);
    p->drawLine(At(b, 0, -h), At(b, 0, -0.28));
    p->drawLine(At(b, -w, -0.2), At(b, w, -0.2));
    QRectF wheel(At(b, -0.08, -0.75), At(b, 0.08, -0.45));
    p->setBrush(picture.glyphColor);
    p->drawRoundedRect(wheel, 0.08 * b.half, 0.08 * b.half);
}

void Receiver(QPainter* p, const PictureEntry& picture, const Box& b)
{
    // A USB plug on top of a rounded body with a light.
    const QRectF plug(At(b, -0.3, -1.0), At(b, 0.3, -0.45));
    const QRectF body(At(b, -0.5, -0.45), At(b, 0.5, 1.0));
    p->setBrush(Qt::NoBrush);
    p->drawRect(plug);
    p->drawRect(QRectF(At(b, -0.17, -0.85), At(b, -0.05, -0.7)));
    p->drawRect(QRectF(At(b, 0.05, -0.85), At(b, 0.17, -0.7)));
    p->setBrush(FillOf(picture));
    p->drawRoundedRect(body, 0.18 * b.half, 0.18 * b.half);
    p->setBrush(picture.glyphColor);
    p->drawEllipse(At(b, 0, 0.55), 0.09 * b.half, 0.09 * b.half);
}

void Chevron(QPainter* p, const Box& b, bool left)
{
    const double s = left ? 1.0 : -1.0;
    QPainterPath path;
    path.moveTo(At(b, 0.35 * s, -0.8));
    path.lineTo(At(b, -0.35 * s, 0));
    path.lineTo(At(b, 0.35 * s, 0.8));
    p->drawPath(path);
}

void Back(QPainter* p, const Box& b)
{
    p->drawLine(At(b, -0.8, 0), At(b, 0.8, 0));
    QPainterPath head;
    head.moveTo(At(b, -0.2, -0.6));
    head.lineTo(At(b, -0.8, 0));
    head.lineTo(At(b, -0.2, 0.6));
    p->drawPath(head);
}

void Caret(QPainter* p, const PictureEntry& picture, const Box& b)
{
    QPainterPath path;
    path.moveTo(At(b, -0.8, -0.4));
    path.lineTo(At(b, 0.8, -0.4));
    path.lineTo(At(b, 0, 0.5));
    path.closeSubpath();
    p->setBrush(picture.glyphColor);
    p->drawPath(path);
}

void Battery(QPainter* p, const PictureEntry& picture)
{
    // Uses the whole picture: the body, then the terminal on the right.
    const double w = picture.size.width(), h = picture.size.height();
    const double pen = std::max(1.0, picture.stroke);
    const double terminal = std::max(2.0, w * 0.07);
    p->setPen(QPen(picture.glyphColor, pen));
    p->setBrush(Qt::NoBrush);
    p->drawRoundedRect(QRectF(pen / 2, pen / 2, w - terminal - pen, h - pen), 2, 2);
    p->setPen(Qt::NoPen);
    p->setBrush(picture.glyphColor);
    p->drawRect(QRectF(w - terminal, h * 0.3, terminal, h * 0.4));
}

void Bolt(QPainter* p, const PictureEntry& picture)
{
    // Uses the whole picture, so it fits the flat charging mark.
    const double w = picture.size.width(), h = picture.size.height();
    QPainterPath path;
    path.moveTo(w * 0.05, h * 0.55);
    path.lineTo(w * 0.55, h * 0.0);
    path.lineTo(w * 0.5, h * 0.42);
    path.lineTo(w * 0.95, h * 0.45);
    path.lineTo(w * 0.45, h * 1.0);
    path.lineTo(w * 0.5, h * 0.58);
    path.closeSubpath();
    p->setPen(Qt::NoPen);
    p->setBrush(picture.glyphColor);
    p->drawPath(path);
}

void Usb(QPainter* p, const PictureEntry& picture, const Box& b)
{
    p->drawLine(At(b, 0, -0.75), At(b, 0, 0.6));
    QPainterPath tip;
    tip.moveTo(At(b, -0.18, -0.6));
    tip.lineTo(At(b, 0, -0.9));
    tip.lineTo(At(b, 0.18, -0.6));
    tip.closeSubpath();
    p->setBrush(picture.glyphColor);
    p->drawPath(tip);
    p->drawEllipse(At(b, 0, 0.72), 0.15 * b.half, 0.15 * b.half);
    p->setBrush(Qt::NoBrush);
    QPainterPath left;
    left.moveTo(At(b, 0, 0.25));
    left.lineTo(At(b, -0.5, -0.05));
    left.lineTo(At(b, -0.5, -0.3));
    p->drawPath(left);
    QPainterPath right;
    right.moveTo(At(b, 0, 0.05));
    right.lineTo(At(b, 0.5, -0.2));
    right.lineTo(At(b, 0.5, -0.42));
    p->drawPath(right);
    p->setBrush(picture.glyphColor);
    p->drawEllipse(At(b, -0.5, -0.38), 0.12 * b.half, 0.12 * b.half);
    p->drawRect(QRectF(At(b, 0.4, -0.62), At(b, 0.6, -0.42)));
}

void Wifi(QPainter* p, const PictureEntry& picture, const Box& b)
{
    const QPointF base = At(b, 0, 0.65);
    for (double r : {0.45, 0.85, 1.25}) {
        const QRectF arc(base.x() - r * b.half, base.y() - r * b.half, 2 * r * b.half, 2 * r * b.half);
        p->drawArc(arc, 45 * 16, 90 * 16);
    }
    p->setBrush(picture.glyphColor);
    p->drawEllipse(base, 0.13 * b.half, 0.13 * b.half);
}

void House(QPainter* p, const Box& b)
{
    QPainterPath path;
    path.moveTo(At(b, -0.9, -0.05));
    path.lineTo(At(b, 0, -0.85));
    path.lineTo(At(b, 0.9, -0.05));
    p->drawPath(path);
    QPainterPath walls;
    walls.moveTo(At(b, -0.6, -0.25));
    walls.lineTo(At(b, -0.6, 0.8));
    walls.lineTo(At(b, 0.6, 0.8));
    walls.lineTo(At(b, 0.6, -0.25));
    p->drawPath(walls);
    p->drawLine(At(b, 0, 0.8), At(b, 0, 0.35));
}

void Crosshair(QPainter* p, const Box& b)
{
    p->drawEllipse(b.centre, 0.62 * b.half, 0.62 * b.half);
    p->drawLine(At(b, 0, -1), At(b, 0, -0.3));
    p->drawLine(At(b, 0, 0.3), At(b, 0, 1));
    p->drawLine(At(b, -1, 0), At(b, -0.3, 0));
    p->drawLine(At(b, 0.3, 0), At(b, 1, 0));
}

void Keyboard(QPainter* p, const PictureEntry& picture, const Box& b)
{
    p->drawRoundedRect(QRectF(At(b, -1, -0.6), At(b, 1, 0.6)), 0.15 * b.half, 0.15 * b.half);
    p->save();
    p->setPen(Qt::NoPen);
    p->setBrush(picture.glyphColor);
    const double k = 0.2 * b.half;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col)
            p->drawRect(QRectF(At(b, -0.72 + col * 0.42, -0.35 + row * 0.35), QSizeF(k, k * 0.9)));
    }
    p->drawRect(QRectF(At(b, -0.45, 0.32), At(b, 0.45, 0.44)));
    p->restore();
}

void Sun(QPainter* p, const PictureEntry& picture, const Box& b)
{
    p->setBrush(FillOf(picture));
    p->drawEllipse(b.centre, 0.42 * b.half, 0.42 * b.half);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p->drawLine(At(b, 0.62 * qCos(a), 0.62 * qSin(a)), At(b, 0.95 * qCos(a), 0.95 * qSin(a)));
    }
}

void Sliders(QPainter* p, const PictureEntry& picture, const Box& b)
{
    const double knob[3] = {-0.35, 0.4, -0.05};
    for (int i = 0; i < 3; ++i) {
        const double y = -0.6 + i * 0.6;
        p->drawLine(At(b, -0.9, y), At(b, 0.9, y));
        p->save();
        p->setBrush(picture.glyphColor);
        p->drawEllipse(At(b, knob[i], y), 0.17 * b.half, 0.17 * b.half);
        p->restore();
    }
}

void Gear(QPainter* p, const PictureEntry& picture, const Box& b)
{
    QPainterPath path;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = i * M_PI / teeth - M_PI / (teeth * 2.6);
        const double a1 = i * M_PI / teeth + M_PI / (teeth * 2.6);
        const double r = (i % 2 == 0) ? 0.95 : 0.7;
        const QPointF p0 = At(b, r * qCos(a0), r * qSin(a0));
        const QPointF p1 = At(b, r * qCos(a1), r * qSin(a1));
        if (i == 0)
            path.moveTo(p0);
        else
            path.lineTo(p0);
        path.lineTo(p1);
    }
    path.closeSubpath();
    p->setBrush(FillOf(picture));
    p->drawPath(path);
    p->setBrush(Qt::NoBrush);
    p->drawEllipse(b.centre, 0.3 * b.half, 0.3 * b.half);
}

void Info(QPainter* p, const PictureEntry& picture, const Box& b)
{
    p->drawEllipse(b.centre, 0.95 * b.half, 0.95 * b.half);
    p->drawLine(At(b, 0, -0.1), At(b, 0, 0.55));
    p->save();
    p->setPen(Qt::NoPen);
    p->setBrush(picture.glyphColor);
    p->drawEllipse(At(b, 0, -0.45), 0.12 * b.half, 0.12 * b.half);
    p->restore();
}

void Refresh(QPainter* p, const PictureEntry& picture, const Box& b)
{
    const QRectF circle(At(b, -0.75, -0.75), At(b, 0.75, 0.75));
    p->drawArc(circle, 60 * 16, 280 * 16);
    const double a = 60 * M_PI / 180;
    const QPointF end = At(b, 0.75 * qCos(a), -0.75 * qSin(a));
    QPainterPath head;
    head.moveTo(end + QPointF(0.35 * b.half, -0.05 * b.half));
    head.lineTo(end + QPointF(-0.05 * b.half, -0.35 * b.half));
    head.lineTo(end + QPointF(0.05 * b.half, 0.25 * b.half));
    head.closeSubpath();
    p->setBrush(picture.glyphColor);
    p->drawPath(head);
}

void Offline(QPainter* p, const Box& b)
{
    p->drawEllipse(b.centre, 0.9 * b.half, 0.9 * b.half);
    p->drawLine(At(b, -0.62, 0.62), At(b, 0.62, -0.62));
}

} // namespace

const QStringList& Names()
{
    static const QStringList names = {"mouse", "receiver", "chevronLeft", "chevronRight", "back", "caret",
                                      "battery", "bolt", "usb", "wifi", "house", "crosshair", "keyboard",
                                      "sun", "sliders", "gear", "info", "refresh", "offline"};
    return names;
}

bool Paint(QPainter* painter, const PictureEntry& picture)
{
    const QString& g = picture.glyph;
    if (!Names().contains(g))
        return false;
    const double side = std::min(picture.size.width(), picture.size.height());
    Box b;
    b.centre = QPointF(picture.size.width() / 2.0, picture.size.height() / 2.0);
    b.half = side * picture.glyphScale / 2.0;
    b.stroke = picture.stroke > 0 ? picture.stroke : std::max(1.0, side / 10.0);
    painter->save();
    painter->setPen(QPen(picture.glyphColor, b.stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    if (g == "mouse")
        Mouse(painter, picture, b);
    else if (g == "receiver")
        Receiver(painter, picture, b);
    else if (g == "chevronLeft" || g == "chevronRight")
        Chevron(painter, b, g == "chevronLeft");
    else if (g == "back")
        Back(painter, b);
    else if (g == "caret")
        Caret(painter, picture, b);
    else if (g == "battery")
        Battery(painter, picture);
    else if (g == "bolt")
        Bolt(painter, picture);
    else if (g == "usb")
        Usb(painter, picture, b);
    else if (g == "wifi")
        Wifi(painter, picture, b);
    else if (g == "house")
        House(painter, b);
    else if (g == "crosshair")
        Crosshair(painter, b);
    else if (g == "keyboard")
        Keyboard(painter, picture, b);
    else if (g == "sun")
        Sun(painter, picture, b);
    else if (g == "sliders")
        Sliders(painter, picture, b);
    else if (g == "gear")
        Gear(painter, picture, b);
    else if (g == "info")
        Info(painter, picture, b);
    else if (g == "refresh")
        Refresh(painter, picture, b);
    else if (g == "offline")
        Offline(painter, b);
    painter->restore();
    return true;
}

} // namespace ShapeGlyphs
