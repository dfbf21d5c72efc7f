#include "settings/FirmwareState.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "device/CurrentDevice.h"
#include "platform/RegistryStore.h"
#include "settings/FirmwareImages.h"

#include <QStringList>

namespace {

const QString& FailInfoName()
{
    static const QString name = QStringLiteral("UpdateFailInfo");
    return name;
}

} // namespace

QString FirmwareState::UpdateFailInfo()
{
    return RegistryStore::Instance().Value(AppPaths::FirmwareStateKey(), FailInfoName());
}

bool FirmwareState::ReadFailRecord(FailRecord* record)
{
    const QStringList parts = UpdateFailInfo().split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (parts.size() != 4)
        return false;
    if (record) {
        record->target = parts.at(0).toInt();
        record->kindText = parts.at(1);
        record->kindCode = parts.at(1).toInt();
        record->cid = parts.at(2).toInt();
        record->mid = parts.at(3).toInt();
    }
    return true;
}

void FirmwareState::WriteFailRecord(int target, int kindCode, int cid, int mid)
{
    const QString text = QStringLiteral("%1,%2,%3,%4").arg(target).arg(kindCode).arg(cid).arg(mid);
    RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), FailInfoName(), text);
}

void FirmwareState::RemoveFailRecord()
{
    RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), FailInfoName());
}

QString FirmwareState::MouseVersionValueName(int modelIndex)
{
    ConfigSettings* config = ConfigSettings::Instance();
    return QStringLiteral("MouseVer") + config->Value(QStringLiteral("Option"), QStringLiteral("CID"))
        + config->Value(ConfigSettings::ModelGroup(modelIndex), QStringLiteral("MID"));
}

QString FirmwareState::StoredMouseVersion()
{
    return StoredMouseVersion(CurrentDevice::Info().modelIndex);
}

QString FirmwareState::StoredMouseVersion(int modelIndex)
{
    return RegistryStore::Instance().Value(AppPaths::FirmwareStateKey(), MouseVersionValueName(modelIndex));
}

void FirmwareState::StoreMouseVersion(const QString& version)
{
    StoreMouseVersion(CurrentDevice::Info().modelIndex, version);
}

void FirmwareState::StoreMouseVersion(int modelIndex, const QString& version)
{
    RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), MouseVersionValueName(modelIndex), version);
}
