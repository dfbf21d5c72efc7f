#include "app/CrashDumpHandler.h"

#include "app/AppPaths.h"
#include "platform/CrashDumpWriter.h"

CrashDumpHandler::CrashDumpHandler() = default;

void CrashDumpHandler::InstallCrashHandler()
{
    CrashDumpWriter::Install(AppPaths::UserDataFolder() + QStringLiteral("/Exception"));
}
