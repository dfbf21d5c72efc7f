#include "platform/DisplayMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>

#include <cstdlib>
#include <dlfcn.h>

namespace {

bool EnvironmentNumber(const char* name, double* value)
{
    const QByteArray text = qgetenv(name);
    if (text.isEmpty())
        return false;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok)
        return false;
    *value = number;
    return true;
}

// Xlib is loaded at run time: no application object exists yet, and the
// program must still start where there is no X server or no Xlib at all.
// The connection is never closed: when the last client of a server leaves,
// the server resets, and Qt's own connection, made a moment later, would
// wait for that reset.
int XDesktopWidth()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return 0;
    void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (!lib)
        return 0;
    using OpenDisplay = void* (*)(const char*);
    using DefaultScreen = int (*)(void*);
    using DisplayWidth = int (*)(void*, int);
    auto open = reinterpret_cast<OpenDisplay>(dlsym(lib, "XOpenDisplay"));
    auto screen = reinterpret_cast<DefaultScreen>(dlsym(lib, "XDefaultScreen"));
    auto width = reinterpret_cast<DisplayWidth>(dlsym(lib, "XDisplayWidth"));
    if (!open || !screen || !width) {
        dlclose(lib);
        return 0;
    }
    static void* display = nullptr;
    if (!display)
        display = open(nullptr);
    if (!display) {
        dlclose(lib);
        return 0;
    }
    return width(display, screen(display));
}

} // namespace

int DisplayMetrics::DesktopWidthPixels()
{
    double width = 0;
    if (EnvironmentNumber("NK_DESKTOP_WIDTH", &width))
        return static_cast<int>(width);
    return XDesktopWidth();
}

double DisplayMetrics::LogicalDpi()
{
    double dpi = 0;
    if (EnvironmentNumber("NK_SCREEN_DPI", &dpi) && dpi > 0)
        return dpi;
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* screen = app->primaryScreen()) {
            const double value = screen->logicalDotsPerInchX();
            if (value > 0)
                return value;
        }
    }
    return 96.0;
}
