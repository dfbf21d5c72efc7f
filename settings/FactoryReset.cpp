#include "settings/FactoryReset.h"

#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/Worker.h"
#include "dialogs/ContainReset.h"
#include "dialogs/NoticeFrame.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/UpDataParam.h"

namespace {

constexpr int kDialogOffsetX = -75;
constexpr int kDialogOffsetY = -65;

} // namespace

void RunFactoryReset(QWidget* caller)
{
    const QByteArray path = CurrentDevice::Path();
    if (!UsbFinderC_GetDeviceOnLine(path.constData())) {
        PostMsg::Instance()->EmitSigMouseOffLineo(0);
        return;
    }
    ContainReset question;
    NoticeFrame::PlaceOnCaller(&question, caller, kDialogOffsetX, kDialogOffsetY);
    question.exec();
    if (!question.confirmed)
        return;

    // The reset opens its own please-wait dialog, and no offline poll may
    // restart the worker while the mouse resets.
    noWaitDialog = 1;
    if (deviceWorker)
        deviceWorker->StopCheckTimer();
    // A mouse that stops answering now keeps its settings: the pages keep
    // showing them, and no reset wait may fill them from the cache instead.
    bool reset = UsbServer_SetBatteryOptimizeEnable(0) != 0;
    if (reset) {
        CurrentFlashMapLock lock;
        reset = ProtocolDataUpdate(lock.Bytes()) != 0;
    }
    reset = reset && UsbServer_SetClearSetting() != 0;
    if (!reset) {
        noWaitDialog = 0;
        if (deviceWorker)
            deviceWorker->StartCheckTimer();
        PostMsg::Instance()->EmitSigMouseOffLineo(0);
        return;
    }

    UpDataParam wait;
    wait.StartTimer();
    wait.resetWaitMode = true;
    workerRunFlag = 1;
    if (deviceWorker)
        deviceWorker->start();
    NoticeFrame::PlaceOnCaller(&wait, caller, kDialogOffsetX, kDialogOffsetY);
    wait.exec();

    noWaitDialog = 0;
    if (deviceWorker)
        deviceWorker->StartCheckTimer();
}
