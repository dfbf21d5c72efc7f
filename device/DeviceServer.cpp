#include "device/DeviceServer.h"

#include "device/DeviceReportHandler.h"
#include "device/ReportCallbackGate.h"
#include "platform/rozuri/ROZUri.h"

bool DeviceServer::Start(const QByteArray& path)
{
    ReportCallbackGate::Open();
    return UsbServerC_Start(path.constData(), path.constData(), &DeviceReportHandler::OnDeviceData) != 0;
}

void DeviceServer::Stop()
{
    // Shut first, so that a callback the library lets finish during its exit
    // returns at its next step instead of handling the rest of its report.
    ReportCallbackGate::Close();
    UsbServer_Exit();
}
