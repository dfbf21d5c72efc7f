#include "platform/ScreenGrab.h"

#include "platform/DisplayMetrics.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopWidget>
#include <QPixmap>
#include <QScreen>

#include <cmath>

namespace {

struct TestDesktop {
    bool active = false;
    QImage picture;
    QPoint cursor;
    double scale = 1.0;
    ScreenGrab::GrabFunction grab;
    std::function<QPoint()> cursorFunction;
};

TestDesktop& Test()
{
    static TestDesktop test;
    return test;
}

QPoint& LastOrigin()
{
    static QPoint origin;
    return origin;
}

} // namespace

double ScreenGrab::HorizontalScale()
{
    if (Test().active)
        return Test().scale;
    QScreen* screen = QGuiApplication::primaryScreen();
    const int logical = screen ? screen->virtualGeometry().width() : 0;
    const int physical = DisplayMetrics::DesktopWidthPixels();
    if (logical <= 0 || physical <= 0)
        return 1.0;
    return static_cast<double>(physical) / logical;
}

QPoint ScreenGrab::CursorPosition()
{
    if (Test().active)
        return Test().cursor;
    if (Test().cursorFunction)
        return Test().cursorFunction();
    return QCursor::pos();
}

QPoint ScreenGrab::ScaledCursorPosition()
{
    const QPoint logical = CursorPosition();
    const double scale = HorizontalScale();
    return QPoint(static_cast<int>(std::trunc(logical.x() * scale)), static_cast<int>(std::trunc(logical.y() * scale)));
}

QImage ScreenGrab::Grab(int x, int y, int width, int height)
{
    LastOrigin() = QPoint(x, y);
    if (Test().active) {
        const QRect area(x, y, width, height);
        if (Test().picture.isNull() || !Test().picture.rect().contains(area))
            return QImage();
        return Test().picture.copy(area);
    }
    if (Test().grab)
        return Test().grab(QPoint(x, y), width, height);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    return screen->grabWindow(QApplication::desktop()->winId(), x, y, width, height).toImage();
}

bool ScreenGrab::PixelAt(const QPoint& at, QColor* colour)
{
    const QImage image = Grab(at.x(), at.y(), 2, 2);
    if (image.isNull() || !image.valid(0, 0))
        return false;
    if (colour)
        *colour = image.pixelColor(0, 0);
    return true;
}

void ScreenGrab::SetDesktopForTest(const QImage& desktop, const QPoint& cursor, double scale)
{
    Test().active = true;
    Test().picture = desktop;
    Test().cursor = cursor;
    Test().scale = scale;
}

void ScreenGrab::SetGrabFunction(const GrabFunction& grab)
{
    Test().grab = grab;
}

void ScreenGrab::SetCursorFunction(const std::function<QPoint()>& cursor)
{
    Test().cursorFunction = cursor;
}

void ScreenGrab::ClearTest()
{
    Test() = TestDesktop();
}

QPoint ScreenGrab::LastGrabOrigin()
{
    return LastOrigin();
}
