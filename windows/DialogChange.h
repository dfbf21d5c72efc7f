#pragma once

#include "device/DeviceAllInfo.h"

#include <QList>
#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>

class MyConmboBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;

// The device chooser: the first page of the top-level window. It shows every
// connected mouse or receiver as a tile, three to a page, and a click on a
// tile makes that device the current one and opens the device pages.
class DialogChange : public QWidget {
    Q_OBJECT
public:
    explicit DialogChange(QWidget* parent = nullptr);
    ~DialogChange() override;

    // Rebuilds every tile from the found devices; the hot-plug callback calls
    // it after each re-enumeration.
    static void BuildDeviceTiles();
    // Re-reads found device n and restyles its tile.
    static bool RefreshDeviceTile(int n);

    // The one chooser.
    static DialogChange* chooserInstance;
    static QString chooserPictureFolder;
    // Option/DeviceTotal: the model index of a device no model matches.
    static int unidentifiedModelIndex;
    // Shown by the top-level window's firmware check.
    static QString newVersionTipText;
    // The device the chooser hands to the pairing dialog, and whether it did.
    static DeviceAllInfo chooserPairingDevice;
    static bool chooserPairingSet;
    // Set by the window while the device pages are still being made: takes a
    // tile click to run again once they are, and says whether it did.
    static std::function<bool(std::function<void()>)> afterPagesMade;
    // Set by the window: runs a tile click still waiting for the pages now,
    // and says whether one waited.
    static std::function<bool()> runWaitingClick;

public slots:
    void slotButtonClicked();

    void on_MinButton_clicked();
    void on_CloseButton_clicked();
    void on_LeftButton_clicked();
    void on_RightButton_clicked();
    void on_comboBox_activated(int index);
    void on_CloseButton_2_clicked();
    void on_NewHong_clicked();
    void on_NoApear_clicked(bool checked);

    void SlotSameLanguageA(int index);
    void SlotUpDateButton(bool IsHide);
    void SlotEnterKey();
    void SlotAllLanguage(int index);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class CheckOutcome { Stop, Continue };

    void BuildForm();
    void ApplyStyles();
    void RetranslateForm();
    void SetRepairShown(bool shown);
    // Opens the repair dialog over the chooser and runs its check.
    void on_Repair_clicked();
    void ClearTiles();
    void BuildTiles();
    void StyleTile(int n, const QString& picture);
    QString TileTooltip() const;
    CheckOutcome CheckPairingAndFirmware(const DeviceAllInfo& device);
    void OpenPairingDialog(const DeviceAllInfo& device);
    void SelectDevice(const DeviceAllInfo& device);
    // The hint line's text: what is wrong, or what to do.
    void UpdateHint();
    // A notice asked for before the window is on the screen waits for it;
    // shown earlier it would open at the screen's corner, under the window.
    bool WindowIsUp() const;
    void ShowPendingNotices();
    void ShowDuplicateNotice();
    void ShowConfigurationNotice();
    // Where a device of the click is now: its index in the found list by path,
    // -1 when a rebuild during a dialog took it away.
    static int FoundIndexOf(const QString& path);

    QFrame* frameChange;
    QToolButton* MinButton;
    QToolButton* CloseButton;
    MyConmboBox* comboBox;
    QPushButton* Repair;
    QLabel* label_2;
    QLabel* label_3;
    QStackedWidget* stackedWidget;
    QToolButton* LeftButton;
    QToolButton* RightButton;
    QFrame* FindVer;
    QToolButton* CloseButton_2;
    QToolButton* NewHong;
    QLabel* FindVerlaebl;
    QCheckBox* NoApear;

    QString connectHintText;
    QString duplicateHintText;
    QString configurationHintText;
    QString repairHintText;
    QString offlineTipText;
    QString pairTipText;

    // Entry n belongs to found device n.
    QList<QToolButton*> tileButtons;
    QList<QLabel*> offlineMarks;
    QList<QLabel*> connectionMarks;
    // In creation order: not every tile has one.
    QList<QLabel*> rateBadges;
    bool duplicateFound = false;
    bool duplicateNoticePending = false;
    bool configurationNoticePending = false;
    // Connection class by model index; one column per model and one for the
    // unidentified index.
    QVector<QVector<int>> deviceCountTable;
};
