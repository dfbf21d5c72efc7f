#include "windows/DialogMain.h"

#include "app/AppPaths.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/UserSettings.h"
#include "device/DeviceDiscovery.h"
#include "platform/rozuri/ROZUri.h"

DialogMain::DialogMain(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DialogMain"));
    setWindowTitle(AppPaths::ApplicationName());
    resize(1200, 760);
    PostMsg::Instance();
    LoadLanguageFiles();
    languageIndex = UserSettings::Instance()->Value(QStringLiteral("Language"), QStringLiteral("Language")).toInt();
    // Stands in for the device chooser until it exists: follow the
    // connected mice.
    StartUsbChanged(&DeviceDiscovery::OnUsbDevicesChanged, 600);
}

DialogMain::~DialogMain()
{
    StopUsbChanged();
}

void DialogMain::LoadLanguageFiles()
{
    LanguageLoader::LoadLanguageFiles(AppPaths::ApplicationFolder());
}
