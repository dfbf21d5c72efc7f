#include "windows/DialogMain.h"
#include "app/TraceLog.h"
#include "widgets/PictureFile.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "app/ThemeColor.h"
#include "app/UserFolderProblem.h"
#include "app/UserSettings.h"
#include "device/CurrentDevice.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceReportHandler.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceServer.h"
#include "device/Worker.h"
#include "dialogs/ContainReset.h"
#include "dialogs/MouseOffLine.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/ProblemNotice.h"
#include "platform/RegistryStore.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/FirmwareImages.h"
#include "settings/FirmwareState.h"
#include "settings/FormSetting.h"
#include "settings/Match.h"
#include "settings/UpDateRepair.h"
#include "settings/UpDateWarning.h"
#include "windows/ApplicationStyle.h"
#include "windows/ToolTipPlacement.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "macro/WaitProcessingEvents.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QThread>
#include <QTimer>
#include <QWindowStateChangeEvent>
#include <QtDebug>

#include <cstdio>
#include <cstdlib>
#include <utility>


namespace {

constexpr int kHotPlugSettleMs = 600;
constexpr int kBackToChooserPauseMs = 100;
constexpr int kCloseWaitMs = 200;

} // namespace

bool (*DialogMain::systemTrayAvailable)() = &QSystemTrayIcon::isSystemTrayAvailable;

DialogMain::DialogMain(QWidget* parent, PageTiming timing)
    : QDialog(parent)
{
    PostMsg::Instance();
    // Writes that fail are said once, when the window is up.
    RegistryStore::SetWriteFailureHandler(&UserFolderProblem::Report);
    UserFolderProblem::SetListener(this, [this] { TellUserFolderProblem(); });
    // Every tool tip of the program in the theme's colours, and the rules
    // every combo box shares, parsed once; before any widget is polished.
    qApp->setStyleSheet(ApplicationStyle::Sheet());
    new ToolTipPlacement(this);
    setObjectName(QStringLiteral("DialogMain"));
    // Before any child: new window flags re-create the window and polish
    // every widget inside it again.
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    resize(1020, 700);
    setWindowTitle(AppPaths::ApplicationName());
    frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(0, 0, 1020, 700);
    frame->setFixedSize(1020, 700);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    stackedWidgetMain = new QStackedWidget(frame);
    stackedWidgetMain->setObjectName(QStringLiteral("stackedWidgetMain"));
    stackedWidgetMain->setGeometry(0, 0, 1020, 700);
    stackedWidgetMain->setFixedSize(1020, 700);
    stackedWidgetMain->setStyleSheet(QString());
    LoadLanguageFiles();

    MoveRegistryLanguageIndex();
    // Every page takes its texts by this index while it is built.
    languageIndex = UserSettings::Instance()->Value(QStringLiteral("Language"), QStringLiteral("Language")).toInt();

    pictureFolder = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/Dialog/");

    // Made inside the stack they live in: a widget moved under a styled
    // parent has its whole subtree polished again.
    pages = new Dialog(stackedWidgetMain, timing);
    chooser = new DialogChange(stackedWidgetMain);
    stackedWidgetMain->addWidget(chooser);
    stackedWidgetMain->addWidget(pages);
    stackedWidgetMain->setCurrentWidget(chooser);

    setFixedSize(size());

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    PostMsg::Connect(SIGNAL(SigChangeMainDialog(int)), this, SLOT(SlotChangeMainDialog(int)));
    PostMsg::Connect(SIGNAL(SigChangeSize(int)), this, SLOT(SlotChangeSize(int)));
    PostMsg::Connect(SIGNAL(SigMouseOffLineo(int)), this, SLOT(SlotMouseOffLine(int)));
    PostMsg::Connect(SIGNAL(SigUpPageLight()), this, SLOT(SlotUpPageLight()));

    trayIcon = new QSystemTrayIcon;
    trayIcon->setIcon(QIcon(QPixmap::fromImage(PictureFile::Read(pictureFolder + QStringLiteral("Logo.png")))));
    trayIcon->setToolTip(AppPaths::ApplicationName());
    trayIcon->hide();

    PostMsg* hub = PostMsg::Instance();
    hub->EmitSigLanguageSameA(languageIndex);
    hub->EmitSigLanguageSameB(languageIndex);
    hub->EmitSigAllLanguage(languageIndex);

    if (!pages->PagesComplete()) {
        // One page per turn of the event loop, so the chooser keeps
        // answering; anything raised on the hub first makes them all.
        pageBuild = new QTimer(this);
        pageBuild->setInterval(0);
        connect(pageBuild, &QTimer::timeout, this, &DialogMain::BuildNextPage);
        DialogChange::afterPagesMade = [this](std::function<void()> click) {
            if (!clickAfterPages)
                clickAfterPages = std::move(click);
            if (!pages->PagesComplete() && !pageBuild->isActive())
                pageBuild->start();
            return true;
        };
        DialogChange::runWaitingClick = [this] {
            if (!clickAfterPages)
                return false;
            BuildMissingPages();
            RunWaitingClick();
            return true;
        };
        qApp->installEventFilter(this);
        PostMsg::SetBeforeRaise([this] { BuildMissingPages(); });
    }
}

void DialogMain::ScaleFonts(double factor)
{
    // The page stack keeps its font unscaled until the pages exist, so that
    // they start from the fonts they would have had at start.
    QWidget* stack = pages->PageStack();
    const QFont unscaled = stack->font();
    ScaleWindowFonts(this, factor);
    if (!pages->PagesComplete()) {
        stack->setFont(unscaled);
        pages->ScaleWhenComplete(factor);
    }
}

void DialogMain::BuildNextPage()
{
    pages->BuildNextPage();
    if (pages->PagesComplete())
        BuildMissingPages();
}

void DialogMain::BuildMissingPages()
{
    pages->BuildMissingPages();
    if (!pages->PagesComplete())
        return;
    if (pageBuild)
        pageBuild->stop();
    PostMsg::SetBeforeRaise(nullptr);
    // The pages may have been made for a hub signal: the waiting click runs
    // after it has returned, never inside it. Until then a second click
    // still adds nothing.
    if (clickAfterPages)
        QMetaObject::invokeMethod(this, [this] { RunWaitingClick(); }, Qt::QueuedConnection);
    else
        DialogChange::afterPagesMade = nullptr;
}

void DialogMain::RunWaitingClick()
{
    if (!pages->PagesComplete())
        return;
    DialogChange::afterPagesMade = nullptr;
    if (clickAfterPages)
        std::exchange(clickAfterPages, nullptr)();
}

bool DialogMain::eventFilter(QObject* watched, QEvent* event)
{
    // Started from the window's first paint: the timer's first step runs
    // after the frame is on the screen.
    if (event->type() == QEvent::Paint && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this) {
        qApp->removeEventFilter(this);
        if (!pages->PagesComplete())
            pageBuild->start();
    }
    return QDialog::eventFilter(watched, event);
}

DialogMain::~DialogMain()
{
    UserFolderProblem::SetListener(nullptr, nullptr);
    PostMsg::SetBeforeRaise(nullptr);
    DialogChange::afterPagesMade = nullptr;
    DialogChange::runWaitingClick = nullptr;
    qApp->removeEventFilter(this);
    PostMsg::Instance()->disconnect(this);
    delete chooser;
    delete pages;
    delete trayIcon;
}

void DialogMain::LoadLanguageFiles()
{
    LanguageLoader::LoadLanguageFiles(AppPaths::ApplicationFolder());
}

QString DialogMain::LanguageIndexKey()
{
    const QString name = AppPaths::ApplicationName();
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + name + QLatin1Char('\\') + name + QLatin1Char('\\') + name;
}

void DialogMain::MoveRegistryLanguageIndex()
{
    RegistryStore& registry = RegistryStore::Instance();
    const QString key = LanguageIndexKey();
    const int index = registry.Value(key, QStringLiteral("LanguageIndex")).toInt();
    if (index != 0)
        UserSettings::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QString::number(index));
    registry.Remove(key, QStringLiteral("LanguageIndex"));
}

void DialogMain::SlotChangeMainDialog(int index)
{
    deviceSendEnabled = true;
    if (index == 0) {
        PostMsg::Instance()->EmitSigSecondPageChange();
        devicePageShown = 0;
        PostMsg::Instance()->EmitSigMainPageChange();
        DeviceServer::Stop();
        QThread::msleep(kBackToChooserPauseMs);
        stackedWidgetMain->setCurrentWidget(chooser);
        StartUsbChanged(&DeviceDiscovery::OnUsbDevicesChanged, kHotPlugSettleMs);
    } else if (index == 1) {
        stackedWidgetMain->setCurrentWidget(pages);
        StartUsbChanged(&Worker::OnSessionUsbChanged, kHotPlugSettleMs);
    }
}

void DialogMain::SlotChangeSize(int index)
{
    // A tile click still waiting for the pages is dropped: the window closes
    // or goes away at once, with nothing started on the device.
    if (index >= 0 && index <= 3)
        clickAfterPages = nullptr;
    // Without a tray the window only minimises and the program stays in
    // reach: the mouse is not told that the tool is gone.
    if ((index == 0 && systemTrayAvailable()) || index == 1)
        UsbServer_SetPCDriverStatus(0);
    if (index == 0 || index == 2) {
        GoToTray();
    } else if (index == 1 || index == 3) {
        // A cache the close could not write is said before the window goes.
        TellUserFolderProblem();
        qCDebug(traceLog, "close");
        closing = true;
        StopUsbChanged();
        WaitProcessingEvents(kCloseWaitMs);
        DeviceServer::Stop();
        close();
        closing = false;
    }
}

void DialogMain::GoToTray()
{
    // The menu and its actions are made afresh each time; the old ones go.
    delete trayMenu;
    delete openAction;
    delete exitAction;
    openAction = new QAction(openText, this);
    connect(openAction, &QAction::triggered, this, &DialogMain::slotActionMain);
    exitAction = new QAction(exitText, this);
    connect(exitAction, &QAction::triggered, this, &DialogMain::slotActionExitApp);
    trayMenu = new QMenu(this);
    trayMenu->addAction(openAction);
    trayMenu->addSeparator();
    trayMenu->addAction(exitAction);
    trayIcon->setContextMenu(trayMenu);
    connect(trayIcon, &QSystemTrayIcon::activated, this, &DialogMain::on_activatedSysTrayIcon, Qt::UniqueConnection);

    if (systemTrayAvailable()) {
        hide();
        trayIcon->show();
    } else {
        // Without a tray a hidden window could not be reached again: it is
        // minimised instead.
        showMinimized();
    }
}

void DialogMain::ShowFromTray(bool tellDevice)
{
    restoringFromTray = true;
    showNormal();
    restoringFromTray = false;
    activateWindow();
    if (tellDevice && stackedWidgetMain->currentWidget() == pages)
        UsbServer_SetPCDriverStatus(1);
    trayIcon->hide();
}

void DialogMain::on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context:
        if (trayMenu)
            trayMenu->popup(QCursor::pos());
        break;
    case QSystemTrayIcon::DoubleClick:
        ShowFromTray(false);
        break;
    case QSystemTrayIcon::Trigger:
        ShowFromTray(true);
        break;
    default:
        break;
    }
}

void DialogMain::slotActionMain()
{
    on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
}

void DialogMain::slotActionExitApp()
{
    // The process ends at once, without closing the device link; what the
    // settings and registry stores hold is on disk first.
    UserSettings::Instance()->Sync();
    RegistryStore::Instance().Sync();
    std::fflush(nullptr);
    std::_Exit(0);
}

void DialogMain::SlotUpPageLight()
{
}

void DialogMain::SlotAllLanguage(int index)
{
    openText = LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("OpenMain"));
    exitText = LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("Exit"));
}

void DialogMain::SlotMouseOffLine(int index)
{
    offlineNoticeMode = index;
    MouseOffLine notice;
    NoticeFrame::PlaceOnCaller(&notice, this, 0, -20);
    offlineWait = 1;
    restartRequest = 1;
    notice.exec();
}

void DialogMain::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || restoringFromTray)
        return;
    // Restored from the task bar (there was no tray to go to): as from the tray.
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized)
        && stackedWidgetMain->currentWidget() == pages)
        UsbServer_SetPCDriverStatus(1);
}

void DialogMain::closeEvent(QCloseEvent* event)
{
    if (!event->spontaneous()) {
        QDialog::closeEvent(event);
        return;
    }
    // The window system's close (Alt+F4, the task bar) takes the close
    // button's way: the cache written, the mouse told, the link shut down.
    // It runs once this event is done: inside it the window cannot close.
    event->ignore();
    if (closing)
        return;
    closing = true;
    QMetaObject::invokeMethod(this, [this] {
        if (stackedWidgetMain->currentWidget() == pages)
            pages->on_CloseButton_clicked();
        else
            chooser->on_CloseButton_clicked();
        closing = false;
    }, Qt::QueuedConnection);
}

void DialogMain::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &DialogMain::TellUserFolderProblem);
}

void DialogMain::TellUserFolderProblem()
{
    if (!isVisible())
        return;
    const QString path = UserFolderProblem::TakeUntold();
    if (path.isEmpty())
        return;
    ProblemNotice notice;
    notice.SetText(QStringLiteral("home"), QStringLiteral("UserFolderUnwritable"), path);
    NoticeFrame::PlaceOnCaller(&notice, this, 0, 0);
    notice.exec();
}

void DialogMain::mousePressEvent(QMouseEvent* event)
{
    pressGlobal = event->globalPos();
    pressWindow = pos();
    dragOffset = pressGlobal - pressWindow;
}

void DialogMain::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event);
    dragOffset = QPoint(0, 0);
}

void DialogMain::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::LeftButton && !isMaximized() && dragOffset != QPoint(0, 0))
        move(event->globalPos() - dragOffset);
}

void DialogMain::keyPressEvent(QKeyEvent* event)
{
    if (macroRecording) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F12:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A tile click that came first is done first, as with the pages
        // made at start.
        BuildMissingPages();
        RunWaitingClick();
        PostMsg::Instance()->EmitSigEnterKey();
        return;
    case Qt::Key_Space:
        // On the device pages Space pairs the current device; on the
        // chooser it checks the firmware first, with the settings page's
        // texts.
        BuildMissingPages();
        RunWaitingClick();
        if (stackedWidgetMain->currentWidget() == chooser)
            ChooserFirmwareCheck();
        else
            RunPairingDialog(true);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void DialogMain::ChooserFirmwareCheck()
{
    const QList<DeviceAllInfo> found = DeviceDiscovery::foundDeviceList;
    if (found.size() != 1 || found.first().wired)
        return;
    const DeviceAllInfo device = found.first();
    ConfigSettings* config = ConfigSettings::Instance();
    const QString group = ConfigSettings::ModelGroup(device.modelIndex);
    const int cid = config->Value(QStringLiteral("Option"), QStringLiteral("CID")).toInt();
    const int mid = config->Value(group, QStringLiteral("MID")).toInt();

    const QString storedVersion = FirmwareState::StoredMouseVersion(device.modelIndex);
    if (storedVersion.isEmpty()) {
        RunPairingDialog(false);
        return;
    }
    const bool mouseNewer = FindNewerFirmwareImage(210, storedVersion, config->Value(group, QStringLiteral("MM")), cid, mid);

    const QString key = ReceiverImageKey(ReceiverKindCode(device.connectionKind));
    const QString name = config->Value(group, key);
    bool receiverFound = false;
    if (key == QLatin1String("DM") || !name.isEmpty())
        receiverFound = FindFirmwareImage(211, device.deviceVersion, name, cid, mid);

    // A receiver image alone is installed at once, when the user agrees; a
    // mouse image alone needs the mouse on its cable; both or neither lead to
    // the pairing dialog.
    if (receiverFound && !mouseNewer) {
        ContainReset question;
        question.SetQuestionText(DialogChange::newVersionTipText);
        NoticeFrame::PlaceOnCaller(&question, this, -20, 0);
        question.exec();
        if (!question.confirmed)
            return;
        UpDateRepair update;
        NoticeFrame::PlaceOnCaller(&update, this, 0, 0);
        update.StartDirectUpdate(0);
        update.exec();
    } else if (!receiverFound && mouseNewer) {
        UpDateWarning warning;
        warning.SetText(wiredModeText);
        NoticeFrame::PlaceOnCaller(&warning, this, -20, 0);
        warning.exec();
    } else {
        RunPairingDialog(false);
    }
}

void DialogMain::RunPairingDialog(bool chooserSet)
{
    const bool fromPages = stackedWidgetMain->currentWidget() == pages;
    Match pairing;
    DialogChange::chooserPairingSet = chooserSet;
    pairing.PreparePairing();
    NoticeFrame::PlaceOnCaller(&pairing, this, 0, 0);
    pairing.exec();
    if (fromPages) {
        // The pages may have gone while the dialog was open (the receiver was
        // pulled out): the chooser then keeps its own watch and no server.
        if (stackedWidgetMain->currentWidget() != pages || devicePageShown != 1)
            return;
        // The dialog's close button handed the hot-plug watch to the chooser.
        StartUsbChanged(&Worker::OnSessionUsbChanged, kHotPlugSettleMs);
    }
    const QByteArray path = CurrentDevice::Path();
    UsbServerC_Start(path.constData(), path.constData(), &DeviceReportHandler::OnDeviceData);
}
