#include "settings/FormSetting.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"

#include <QLabel>

QString wiredModeText;

FormSetting::FormSetting(QWidget* parent)
    : QWidget(parent)
{
    // The page's form lays the labels out; until then they only hold the texts.
    label_5 = new QLabel(this);
    label_5->setObjectName(QStringLiteral("label_5"));
    label_5->hide();
    label_7 = new QLabel(this);
    label_7->setObjectName(QStringLiteral("label_7"));
    label_7->hide();
    PostMsg::Connect(SIGNAL(SigSetver(int)), this, SLOT(SetVer(int)));
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

void FormSetting::SlotAllLanguage(int index)
{
    wiredModeText = LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("WiredMode"));
}

void FormSetting::SetVer(int index)
{
    PostMsg* hub = PostMsg::Instance();
    if (index == 0) {
        const DeviceAllInfo device = CurrentDevice::Info();
        QString receiverText;
        if (!device.online || !device.wired) {
            receiverText = device.deviceVersion;
        } else if (sessionDeviceList.size() == 2) {
            // The mouse on its cable: the receiver is the other device found.
            for (const DeviceAllInfo& other : sessionDeviceList) {
                if (!other.addressBytes.isEmpty() && !other.wired) {
                    receiverText = other.deviceVersion;
                    break;
                }
            }
        }
        const QString mouseText = device.mouseVersion;
        label_5->setText(receiverText);
        hub->EmitSigAddVer(1, receiverText);
        label_7->setText(mouseText);
        hub->EmitSigAddVer(0, mouseText);
    } else if (index == 6) {
        label_5->clear();
        label_7->clear();
        hub->EmitSigAddVer(1, QString());
        hub->EmitSigAddVer(0, QString());
    }
}
