#include "app/ProgramMain.h"

#include "app/AppPaths.h"
#include "app/Startup.h"
#include "dialogs/ExeIsRun.h"
#include "platform/DisplayMetrics.h"
#include "platform/LocalTimeZone.h"
#include "platform/ModalAutoClose.h"
#include "platform/SingleInstance.h"
#include "windows/DialogMain.h"

#include <QApplication>
#include <QSharedMemory>

int RunProgram(int argc, char* argv[])
{
    LocalTimeZone::PinToSystemZone();
    CreateUserFolders();

    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, false);

    const QString scale = ScaleFactorText(DisplayMetrics::DesktopWidthPixels());
    if (!scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", scale.toLatin1());

    const QString dataFolder = AppPaths::UserDataFolder();
    RemoveOldFiles(dataFolder + QStringLiteral("/Log"));
    RemoveOldFiles(dataFolder + QStringLiteral("/Exception"));

    QApplication app(argc, argv);
    ModalAutoClose::InstallFromEnvironment();
    const double dpi = DisplayMetrics::LogicalDpi();

    // Never detached: the segment marks this instance until the process ends.
    static QSharedMemory* segment = nullptr;
    if (!segment)
        segment = new QSharedMemory(
            SingleInstance::Key(AppPaths::ApplicationName(), SingleInstance::CurrentUserId()));
    if (SingleInstance::AnotherInstanceRuns(segment)) {
        ExeIsRun notice;
        notice.exec();
        return 0;
    }

    DialogMain window(nullptr, PageTiming::AfterFirstFrame);
    const double factor = static_cast<double>(1.0f / static_cast<float>(dpi / 96.0));
    // At 96 DPI the pass would only set every widget's font to itself.
    if (factor != 1.0)
        window.ScaleFonts(factor);
    window.show();
    return app.exec();
}
