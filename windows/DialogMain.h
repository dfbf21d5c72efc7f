#pragma once

#include "device/DeviceLinkState.h"
#include "macro/MacroRecording.h"
#include "windows/Dialog.h"

#include <QDialog>
#include <QPoint>
#include <QString>
#include <QSystemTrayIcon>

#include <atomic>
#include <functional>

class DialogChange;
class QAction;
class QFrame;
class QMenu;
class QStackedWidget;
class QTimer;


// The one top-level window: the device chooser and the device pages on one
// stack, the tray icon, the window's own dragging (it has no frame), and the
// offline notice.
class DialogMain : public QDialog {
    Q_OBJECT
public:
    // AfterFirstFrame shows the chooser before the device pages exist; they
    // are made in steps once it is painted, or at once when anything needs them.
    explicit DialogMain(QWidget* parent = nullptr, PageTiming timing = PageTiming::AtStart);
    ~DialogMain() override;

    void LoadLanguageFiles();
    // Scales every font of the window, pages made later included.
    void ScaleFonts(double factor);

    // Registry key whose "LanguageIndex" start-up moves into the per-user
    // settings.
    static QString LanguageIndexKey();

    // Whether the desktop has a system tray; tests put their own answer.
    static bool (*systemTrayAvailable)();

public slots:
    void SlotChangeMainDialog(int index);
    void SlotChangeSize(int index);
    void SlotMouseOffLine(int index);
    void on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason);
    void slotActionMain();
    void slotActionExitApp();
    void SlotAllLanguage(int index);
    // Bound to the hub's light-page signal, which nothing raises; there is
    // nothing for the window to do on it.
    void SlotUpPageLight();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void MoveRegistryLanguageIndex();
    void BuildNextPage();
    void BuildMissingPages();
    // Runs the tile click that waited for the pages, if it still waits.
    void RunWaitingClick();
    void GoToTray();
    void ShowFromTray(bool tellDevice);
    void ChooserFirmwareCheck();
    // Opens the pairing dialog over the window; chooserSet says whether the
    // chooser's pick (or, on the device pages, the current device) pairs.
    void RunPairingDialog(bool chooserSet);
    // Says once, in a notice over the window, that the per-user folder or a
    // file in it could not be written.
    void TellUserFolderProblem();

    QFrame* frame;
    QStackedWidget* stackedWidgetMain;
    Dialog* pages = nullptr;
    DialogChange* chooser = nullptr;
    QTimer* pageBuild = nullptr;
    // A tile click that came before the pages were made.
    std::function<void()> clickAfterPages;

    QSystemTrayIcon* trayIcon = nullptr;
    QMenu* trayMenu = nullptr;
    QAction* openAction = nullptr;
    QAction* exitAction = nullptr;
    QString openText;
    QString exitText;
    QString pictureFolder;

    QPoint pressGlobal;
    QPoint pressWindow;
    QPoint dragOffset;
    bool restoringFromTray = false;
    // Set while the close button's way runs: its wait lets events through.
    bool closing = false;
};
