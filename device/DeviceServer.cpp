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
    UsbServer_Exit();
    ReportCallbackGate::Close();
}
