#include "settings/InputPicA.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/DeviceDiscovery.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/ClockSyncPacket.h"
#include "settings/PictureImportForm.h"

#include <QButtonGroup>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int kHotPlugSettleMs = 600;
constexpr int kFinderCapacity = 5;
constexpr int kScreenInterface = 1;
constexpr int kScreenDevice = 8;

QStringList screenDevicePaths;

std::function<QDateTime()>& clockSource()
{
    static std::function<QDateTime()> source;
    return source;
}

// The screen mice come from the maker of the configured models.
QString ScreenVendorId()
{
    return ConfigSettings::Instance()->ListValue(QStringLiteral("Option"), QStringLiteral("VID")).value(0);
}

} // namespace

InputPicA::InputPicA(QWidget* parent)
    : QDialog(parent)
    , form(new PictureImportForm(this, QStringLiteral("InputPicA"), PictureImportForm::Arrangement::A))
{
    screenPictureDir = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/ScreeInfo/");
    pictureGroup = form->MakePictureGroup();
    form->ApplyStyle(screenPictureDir);
    connect(form->CloseButton, &QToolButton::clicked, this, &InputPicA::on_CloseButton_clicked);
    connect(form->Input, &QToolButton::clicked, this, &InputPicA::on_Input_clicked);
    clockTimer = new QTimer(this);
    clockTimer->setInterval(kTickMs);
    connect(clockTimer, &QTimer::timeout, this, &InputPicA::onEraseChipTimeTimer);
}

InputPicA::~InputPicA()
{
    delete form;
}

void InputPicA::SlotAllLanguage(int)
{
}

void InputPicA::on_Input_clicked()
{
}

void InputPicA::on_CloseButton_clicked()
{
    PostMsg::Instance()->EmitSigButtonCheck();
    close();
}

void InputPicA::StartClockSync(bool start)
{
    if (!start)
        return;
    clockTicks = 0;
    clockTimer->start();
    StartUsbChanged(&InputPicA::OnScreenDevicesChanged, kHotPlugSettleMs);
}

void InputPicA::OnScreenDevicesChanged()
{
    FindScreenDevices();
}

int InputPicA::FindScreenDevices()
{
    screenDevicePaths.clear();
    const QByteArray vid = ScreenVendorId().toLatin1();
    for (const QString& pidText : DeviceDiscovery::ConfiguredProductIds()) {
        const QByteArray pid = pidText.toLatin1();
        int count = kFinderCapacity;
        const char* const* paths = UsbFinderC_FindHidDevicesByDeviceId(vid.constData(), pid.constData(),
                                                                       kScreenInterface, kScreenDevice, &count);
        for (int i = 0; paths && i < count; ++i) {
            if (paths[i])
                screenDevicePaths.append(QString::fromLatin1(paths[i]));
        }
    }
    return screenDevicePaths.size();
}

QStringList InputPicA::ScreenDevicePaths()
{
    return screenDevicePaths;
}

void InputPicA::SetClockSource(const std::function<QDateTime()>& source)
{
    clockSource() = source;
}

QDateTime InputPicA::Now()
{
    return clockSource() ? clockSource()() : QDateTime::currentDateTime();
}

void InputPicA::onEraseChipTimeTimer()
{
    if (++clockTicks < kTicksPerSend)
        return;
    clockTicks = 0;
    if (screenDevicePaths.isEmpty())
        return;
    const QByteArray path = screenDevicePaths.first().toLatin1();
    if (!UsbFinderC_OpenDevice(path.constData()))
        return;
    ExchangePacket(ClockSyncPacket::Build(Now()));
}

QByteArray InputPicA::ExchangePacket(QByteArray packet)
{
    if (packet.size() != packetLength)
        return QByteArray();
    ClockSyncPacket::PutChecksum(&packet);
    for (int transfer = 0; transfer < kTransfers; ++transfer) {
        QByteArray reply(packetLength, '\0');
        UsbFinderC_ReadWriteDeviceData(reinterpret_cast<const unsigned char*>(packet.constData()),
                                       reinterpret_cast<unsigned char*>(reply.data()),
                                       static_cast<unsigned char>(packetLength));
        if (ClockSyncPacket::IsEcho(packet, reply))
            return reply;
    }
    return QByteArray();
}
