#include "platform/ScreenGrab.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cmath>

namespace {

ScreenGrab::GrabFunction& grabFunction()
{
    static ScreenGrab::GrabFunction grab;
    return grab;
}

std::function<QPoint()>& cursorFunction()
{
    static std::function<QPoint()> cursor;
    return cursor;
}

QImage GrabScreen(const QPoint& at, int width, int height)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    return screen->grabWindow(0, at.x(), at.y(), width, height).toImage();
}

} // namespace

double ScreenGrab::DesktopScale()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1.0;
    const double ratio = screen->devicePixelRatio();
    return ratio > 0 ? ratio : 1.0;
}

QPoint ScreenGrab::ScaledCursorPosition()
{
    const QPoint logical = cursorFunction() ? cursorFunction()() : QCursor::pos();
    const double scale = DesktopScale();
    return QPoint(static_cast<int>(std::trunc(logical.x() * scale)), static_cast<int>(std::trunc(logical.y() * scale)));
}

bool ScreenGrab::PixelAt(const QPoint& at, QColor* colour)
{
    const QImage image = grabFunction() ? grabFunction()(at, 2, 2) : GrabScreen(at, 2, 2);
    if (image.isNull() || !image.valid(0, 0))
        return false;
    if (colour)
        *colour = image.pixelColor(0, 0);
    return true;
}

void ScreenGrab::SetGrabFunction(const GrabFunction& grab)
{
    grabFunction() = grab;
}

void ScreenGrab::SetCursorFunction(const std::function<QPoint()>& cursor)
{
    cursorFunction() = cursor;
}
