#include "windows/DialogMain.h"

#include "app/AppPaths.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/UserSettings.h"

DialogMain::DialogMain(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DialogMain"));
    setWindowTitle(AppPaths::ApplicationName());
    resize(1200, 760);
    PostMsg::Instance();
    LoadLanguageFiles();
    languageIndex = UserSettings::Instance()->Value(QStringLiteral("Language"), QStringLiteral("Language")).toInt();
}

void DialogMain::LoadLanguageFiles()
{
    LanguageLoader::LoadLanguageFiles(AppPaths::ApplicationFolder());
}
