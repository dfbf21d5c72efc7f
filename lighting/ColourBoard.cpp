#include "lighting/ColourBoard.h"

#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "lighting/LightColorPresets.h"
#include "platform/ScreenGrab.h"
#include "platform/rozuri/ROZUri.h"

#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QSpinBox>

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

void ColourBoard::StepChannel(QSpinBox* box, int step)
{
    if (ButtonsMayAct())
        box->setValue(box->value() + step);
}

void ColourBoard::ApplyPreset(QSpinBox* red, QSpinBox* green, QSpinBox* blue, int preset)
{
    if (!ButtonsMayAct())
        return;
    red->setValue(kLightColorPresets[preset].red);
    green->setValue(kLightColorPresets[preset].green);
    blue->setValue(kLightColorPresets[preset].blue);
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

bool ColourBoard::HandlePress(const Controls& controls, QMouseEvent* event, QColor* picked)
{
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    const QPoint at = event->pos();
    bool onChannel = false;
    for (QSpinBox* box : controls.channels)
        onChannel = onChannel || box->geometry().contains(at);
    if (!onChannel) {
        for (QSpinBox* box : controls.channels)
            box->clearFocus();
        controls.editor->setFocus(Qt::OtherFocusReason);
    }
    for (QSpinBox* box : controls.valueBoxes) {
        if (!box->geometry().contains(at)) {
            box->clearFocus();
            controls.editor->setFocus(Qt::OtherFocusReason);
        }
    }
    if (!controls.board->geometry().contains(at) || !ButtonsMayAct())
        return false;
    // A screen that cannot be read leaves the colour as it was.
    if (!PickCursorColour(picked))
        return false;
    controls.channels[0]->setValue(picked->red());
    controls.channels[1]->setValue(picked->green());
    controls.channels[2]->setValue(picked->blue());
    return true;
}
