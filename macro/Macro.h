#pragma once

#include "device/FlashDataMap.h"
#include "macro/MacroEventList.h"
#include "macro/MacroFileNotice.h"
#include "macro/MacroTextFile.h"
#include "platform/ElapsedTimer.h"
#include "platform/HeldKeys.h"

#include <QModelIndex>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <memory>

class KeyboardHook;
class MacroForm;
class QButtonGroup;
class QDialog;
class QListWidgetItem;

// The macro page: the user's macros (one text file each in the macro folder)
// on the left, the selected macro's event list in the middle, the insert,
// delay and repeat controls and Save on the right. It creates, renames,
// deletes, edits, saves, exports and imports macros, and tells the button
// page through the hub when a macro was deleted, renamed or saved. It also
// moves macros between its list and the mouse's macro blocks.
class Macro : public QWidget {
    Q_OBJECT
public:
    explicit Macro(QWidget* parent = nullptr);
    ~Macro() override;

    // Event list builders, for recording and the device transfer. The
    // Append builders do nothing while no macro is selected.
    void AppendKeyItem(const QString& name, bool press);
    void AppendDelayItem(double milliseconds);
    void InsertKeyWithDelay(const QString& name, bool press);
    void InsertMouseClick(const QString& name);
    void SetAdjacentDelay(double milliseconds);

    // Macro files.
    QString MacroFilePath(const QString& name) const;
    // Creates or empties a file.
    void TruncateMacroFile(const QString& path);
    // The same for the file of the selected macro.
    void CreateMacroFile();
    // Replaces the selected macro's file with the mode text and the event
    // list; nothing when no macro is selected or its file does not exist.
    void WriteMacroFile(const QString& modeText);
    // Appends the event list's lines (LF ends, no mode line) to an existing file.
    void AppendMacroEvents(const QString& macroName);
    void AppendMacroEvents(const QString& macroName, const QList<MacroEvent>& events);
    // Fills the event list and the repeat controls from the selected macro's file.
    void LoadMacroFile();

    // 254, 255, 253, or the repeat count, by the selected repeat box.
    int RepeatMode() const;

    QString macroFolder;
    QString pictureFolder;
    QString currentFilePath;
    bool eventsChanged = false;
    bool repeatSettingsChanged = false;
    QString buttonColorText;
    QString macroRowPrefix;

public slots:
    void SlotAllLanguage(int index);
    void CreateMewMacro();
    void RenameMacro();
    void DeleteMacro();
    void ExPortMacro();
    void InPortMacro();
    // The selected macro, sent as the macro block of one button.
    void SlotMacroDownLoadData(QString MacroName, int index);
    // One button's macro block of a record read from the mouse, kept as a
    // macro of the list.
    void SlotButtonToMacro(const FlashDataMap& DataMap, int KeyNumer);

private slots:
    void on_NewHong_clicked();
    void on_DeleteHong_clicked();
    void on_listWidgetHong_clicked(const QModelIndex& index);
    void on_listWidgetHong_customContextMenuRequested(const QPoint& pos);
    void on_Save_clicked();
    void on_NumberEdit_valueChanged(int value);
    void on_NumberEdit_editingFinished();
    void on_ReUntilLoose_released();
    void on_ReUntilClick_released();
    void on_ReNumber_released();
    void on_AutoInsertDelay_released();
    void on_ChooseEvent_activated(int index);
    void on_Amend_clicked();
    void on_DeleteKey_clicked();
    void on_DelayTime_valueChanged(int value);
    void on_listWidgetKey_itemChanged(QListWidgetItem* item);
    void OnRepeatModeToggled(int id, bool checked);
    // The user moved the macro list's current entry (by keyboard or mouse).
    void OnCurrentMacroChanged(QListWidgetItem* current);

protected:
    // Keeps a right click on the macro list from moving its current entry.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void LoadMacroList();
    void ApplyStyles();
    bool HasSelectedMacro() const;
    QString SelectedMacroName() const;
    bool HasEntry(const QString& name) const;
    // Shows the current entry's macro: its events and repeat mode.
    void ShowCurrentMacro();
    // The actions of the context menu, on the macro it was opened on.
    void ExportMacroOf(const QString& name);
    void RenameMacroOf(const QString& name);
    void DeleteMacroOf(const QString& name);
    // A macro's file as saved; false when it cannot be read.
    bool ReadMacroFile(const QString& name, MacroTextFile::Parsed* parsed, QString* reason = nullptr) const;
    void SelectRepeatMode(int mode);
    void SetSaveEnabled(bool enabled);
    void MarkEventsChanged();
    // Centres a notice on the page, shifted 100 left and 50 up, and runs it.
    void RunCentred(QDialog* dialog);
    void ShowStopRecordFirst();
    void ShowSameMacro();
    void ShowImportFail();
    // A file the page wrote or renamed that the system refused, and why.
    void ShowFileFailure(MacroFileNotice::Failure failure, const QString& reason);
    // The key and delay input dialogs that the insert box and the change
    // button open; false when the user gave no value (the key dialog is
    // not there yet).
    bool AskKeyName(QString* name);
    bool AskDelay(int* milliseconds);

    MacroForm* form;
    MacroEventList* eventList;
    QButtonGroup* delayModeGroup = nullptr;
    QButtonGroup* repeatModeGroup = nullptr;
    QString exportMenuText;
    QString renameMenuText;
    QString deleteMenuText;
    QString newMacroMenuText;
    QString importMenuText;

    // ---- Recording ----
public slots:
    // The device pages are left: any recording ends, its events stay listed.
    void SlotSetMacroPage();
    // The recording hook's callback: one key press or release.
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu);

private slots:
    void on_StartRecord_clicked();
    void on_StopRecord_clicked();

private:
    void SetUpRecording();
    // The delay and repeat mode boxes, which a recording locks.
    void SetRecordLocked(bool locked);
    void ShowRecordButton(bool start);

    std::unique_ptr<KeyboardHook> recordHook;
    // Virtual key of the last key taken; -1 when a recording starts or ends.
    int lastRecordedKey = 0;
    // Time since the previous key event.
    ElapsedTimer recordTimer;
    // The next key gets no delay before it.
    bool skipNextDelay = false;
    // Key items the running recording added, up to the block's 70 events.
    int recordedKeyCount = 0;
    // Keys down during the recording: their auto-repeats are no presses.
    HeldKeys heldKeys;
};
