#include "lighting/ColourBoard.h"

#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "platform/ScreenGrab.h"
#include "platform/rozuri/ROZUri.h"

#include <QColor>
#include <QImage>

bool ColourBoard::ButtonsMayAct()
{
    if (!deviceSendEnabled)
        return true;
    const QByteArray path = CurrentDevice::Path();
    if (UsbFinderC_GetDeviceOnLine(path.constData()) != 0)
        return true;
    if (lightPageFilling)
        return true;
    PostMsg::Instance()->EmitSigMouseOffLineo(0);
    return false;
}

bool ColourBoard::PickCursorColour(QColor* colour)
{
    const double scale = ScreenGrab::HorizontalScale();
    const QPoint cursor = ScreenGrab::CursorPosition();
    const int x = static_cast<int>(cursor.x() * scale);
    const int y = static_cast<int>(cursor.y() * scale);
    const QImage grab = ScreenGrab::Grab(x, y, 2, 2);
    if (grab.isNull() || !grab.valid(0, 0))
        return false;
    *colour = grab.pixelColor(0, 0);
    return true;
}
