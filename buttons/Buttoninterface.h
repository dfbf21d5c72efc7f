#pragma once

#include "buttons/ButtonFunctionSender.h"
#include "device/FlashDataMap.h"
#include "sensor/SensorDefineTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <memory>

class ButtonPageForm;
class QAbstractButton;
class QButtonGroup;
class QScrollArea;
class QToolButton;
class QFont;
class QVBoxLayout;

// The button-assignment page: one row per mouse button, the function chooser,
// one page per function category, the macro list, the debounce panel, the
// mouse picture with its hotspots and the profile combo. It creates the one
// device worker and stops it again.
//
// The form connects every on_<object>_<signal> slot by name in declaration
// order, so slots are declared in the order in which they must run when one
// signal reaches two of them (on_DPI_6_clicked(bool) before on_DPI_6_clicked(),
// on_DPI_4_clicked() before on_DPI_4_clicked(bool)).
class Buttoninterface : public QWidget {
    Q_OBJECT
public:
    explicit Buttoninterface(QWidget* parent = nullptr);
    ~Buttoninterface() override;

    // How long the destructor keeps the event loop going for a pass that is
    // still running before it gives up on it.
    static constexpr int kWorkerStopBoundMs = 10000;

    // Closes the function chooser: the idle page in the function area, the
    // debounce panel in the category area, the row list on top.
    void ReturnToIdleView();

    // Returns after the given milliseconds, running the GUI thread's events
    // meanwhile: a saved macro is sent again only after this pause.
    void WaitWithEvents(int milliseconds);

    // Gives a mouse button (0 to 11) the media key of a code without a click
    // and without changing the view; a code of no media key changes nothing.
    void AssignMediaKey(int button, int code);

    // Gives a mouse button (0 to 11) a key combination without a dialog, then
    // shows the function chooser; a button outside 0 to 11 gets nothing.
    void AssignKeyCombination(int button, const QString& text);

    // Writes a profile file of the record for the current model; a file
    // that cannot be written is said in a notice and any earlier file stays.
    void ExportProfile(const QString& path, const FlashDataMap& record);

    // The sensor's code of a DPI value for the DPI-lock function.
    int DpiToSensorCode(int dpi) const;

    // The DPI a stored DPI-lock code stands for under the current sensor.
    int SensorCodeToDpi(int code) const;

    // Sets the text of mouse button b's row from its header and the record
    // it came from; a function the page cannot name leaves the text as is.
    void ShowRowAssignment(int button, int type, int code, int extra, const FlashDataMap& record);

    // What the page last saw for a mouse button: type, code and extra, -1
    // where the mirror holds no entry.
    QList<int> MirrorEntry(int index) const;

    // The form's controls, for the page's own code and its tests.
    ButtonPageForm* Form() const { return form; }
    // driver_sensor.h's constants as the page read them.
    const QStringList& SensorDefineNames() const { return sensorDefineNames; }
    const QVector<qint32>& SensorDefineValues() const { return sensorDefineValues; }
    SensorDefineTable SensorDefines() const { return {sensorDefineNames, sensorDefineValues}; }
    // The page's copy of the buttons' assignments (type, code, extra).
    const QList<int>& MirrorTypes() const { return types; }
    const QList<int>& MirrorCodes() const { return codes; }
    const QList<int>& MirrorExtras() const { return extras; }

public slots:
    void SlotAllLanguage(int index);
    // Slots that no object of the form names: nothing triggers them.
    void on_MultiMedia_clicked();
    void on_RightKey_2_clicked();
    void on_LeftKey_clicked();
    void on_Advance_clicked();
    void on_Back_clicked();
    void on_DPI_clicked();
    void on_stackedWidget_currentChanged(int index);
    void on_stackedWidget_2_currentChanged(int index);
    void on_checkBox_clicked();
    // The category buttons that only open their option page.
    void on_DPI_11_clicked();
    void on_DPI_12_clicked();
    void on_DPI_13_clicked();
    void on_DPI_4_clicked();
    void on_DPI_7_clicked();
    void on_DPI_9_clicked();
    void on_DPI_4_clicked(bool checked);
    void SlotUpDataButtonUIButton(FlashDataMap DataMap);
    void SlotUpDataButtonUIB(FlashDataMap DataMap);
    void SlotFormResetButton();
    void SlotUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable);

    // Row selectors: show the row's current function on the chooser.
    void on_FireKey_clicked();
    void on_RightKey_clicked();
    void on_BackKey_clicked();
    void on_StartPause_clicked();
    void on_TopMusic_clicked();
    void on_BackMusic_clicked();
    void on_Button7_clicked();
    void on_Button8_clicked();
    void on_Button9_clicked();
    void on_Button10_clicked();
    void on_Button11_clicked();
    void on_Button12_clicked();
    // Hotspots on the mouse picture: check a row without opening anything.
    void on_Number1_clicked();
    void on_Number2_clicked();
    void on_Number3_clicked();
    void on_Number4_clicked();
    void on_Number5_clicked();
    void on_Number6_clicked();
    void on_Number7_clicked();
    void on_Number8_clicked();
    void on_Number9_clicked();
    void on_Number10_clicked();
    void on_Number11_clicked();
    void on_Number12_clicked();
    void SlotMouseIndex(int index);
    // Shows that mouse ahead, its picture decoded, while the page is hidden.
    void PrepareMousePicture(int index);
    void on_ProjectChoose_currentIndexChanged(int index);
    void on_pushButton_clicked();

    // Profiles: the whole record to a file and back, the mouse's stored
    // profile from the combo, and the factory reset (no control of the page
    // starts it; the settings page runs the same reset).
    void on_OutputData_clicked();
    void on_ImportData_clicked();
    void on_ProjectChoose_activated(int index);
    void on_Reset_clicked();

    // The function senders: each gives the checked row's mouse button its
    // button's function (the chooser's, an option page's, a media key, a DPI
    // lock) when the click reports the button checked.
    void on_LeftKey_3_clicked(bool checked);
    void on_RightKey_3_clicked(bool checked);
    void on_MidKey_clicked(bool checked);
    void on_BackKey_2_clicked(bool checked);
    void on_ForWardKey_clicked(bool checked);
    void on_DPI_2_clicked(bool checked);
    void on_DPI_3_clicked(bool checked);
    void on_DPI_5_clicked(bool checked);
    void on_VolumeUp_2_clicked(bool checked);
    void on_VolumeDown_2_clicked(bool checked);
    void on_VolumeUp_4_clicked(bool checked);
    void on_VolumeUp_5_clicked(bool checked);
    void on_VolumeUp_6_clicked(bool checked);
    void on_VolumeUp_7_clicked(bool checked);
    void on_VolumeUp_8_clicked(bool checked);
    void on_VolumeUp_9_clicked(bool checked);
    void on_VolumeUp_10_clicked(bool checked);
    void on_Player_clicked(bool checked);
    void on_StartPause_2_clicked(bool checked);
    void on_BackMusic_2_clicked(bool checked);
    void on_TopMusic_2_clicked(bool checked);
    void on_Mute_clicked(bool checked);
    void on_VolumeUp_clicked(bool checked);
    void on_VolumeDown_clicked(bool checked);
    void on_VolumeDown_4_clicked(bool checked);
    void on_VolumeDown_5_clicked(bool checked);
    void on_VolumeDown_6_clicked(bool checked);
    void on_VolumeDown_3_clicked(bool checked);
    void on_VolumeDown_8_clicked(bool checked);
    void on_VolumeDown_9_clicked(bool checked);
    void on_VolumeDown_7_clicked(bool checked);
    void on_VolumeDown_10_clicked(bool checked);
    void on_VolumeDown_12_clicked(bool checked);
    void on_VolumeDown_13_clicked(bool checked);
    void on_VolumeDown_11_clicked(bool checked);
    void on_VolumeUp_11_clicked(bool checked);
    void on_VolumeUp_12_clicked(bool checked);
    void on_VolumeUp_13_clicked(bool checked);
    void on_VolumeUp_16_clicked(bool checked);
    void on_VolumeUp_15_clicked(bool checked);
    void on_VolumeUp_19_clicked(bool checked);
    void on_VolumeUp_20_clicked(bool checked);
    void on_VolumeUp_22_clicked(bool checked);
    void on_VolumeUp_18_clicked(bool checked);
    void on_VolumeUp_24_clicked(bool checked);
    void on_VolumeUp_23_clicked(bool checked);
    void on_VolumeUp_21_clicked(bool checked);
    void on_VolumeUp_14_clicked(bool checked);
    void on_VolumeDown_14_clicked(bool checked);

    // Rapid fire: the sender runs first on every click of DPI_6 (it sends
    // only on a double click, with the last confirmed values), then the
    // dialog slot asks for new values and sends them.
    void on_DPI_6_clicked(bool checked);
    void on_DPI_6_clicked();
    // Key combination: asks for the keys, then sends them.
    void on_DPI_8_clicked();

    // The macro list: the macro category, the list's rebuild and the macro
    // page's news about a macro (deleted, renamed, saved).
    void on_DPI_10_clicked();
    void SlotAddMacroButton();
    void SlotDeleteMacroButton(QString MacroName);
    void SlotMacroRename(QString MacroName, QString NewName);
    void SlotUpDataMacro(QString MacroName, int index);
    // A macro list button: binds its macro to the checked row's button.
    void slotButtonClicked(bool checked);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Clears the check marks of the option pages' function buttons.
    void UncheckFunctionButtons();
    // Keeps what a sender gave a mouse button in the page's mirror.
    void StoreRowAssignment(int index, int type, int code, int extra);
    void SendDpiLock(bool checked, const QString& dpiButton, int dpi);

    // The row control of a mouse button; null outside 0 to 11.
    QAbstractButton* RowControl(int button) const;
    // Fills the mirror and the rows from a record, as the refreshes and the
    // language switch do.
    void ShowRecord(const FlashDataMap& record, int count);
    QString KeySequenceText(const KeyBlock& block) const;
    // Rewrites a macro's file so that it holds only its header line.
    void WriteMacroHeader(const QString& name, const QString& text);
    // The first token of a macro file's header line; "0" when there is none.
    QString ReadMacroHeader(const QString& name) const;

    void BuildMacroList();
    // One button per macro file, then the hidden fillers of a short list.
    void AddMacroButtons(const QFont& font);
    // Whether mouse button b's row shows the macro of this name: its text is
    // the macro-row prefix and the name, and the button holds a macro.
    bool RowShowsMacro(int b, const QString& name) const;
    // Where the page's input dialogs and notices open.
    void PlaceDialog(QWidget* dialog) const;
    // The function chooser with the debounce panel, after a key combination.
    void ShowChooserView();
    void SelectRow(QAbstractButton* row, int index, const char* scrollBarStyle);
    void ShowAssignmentOnChooser(int index);
    void SelectRowAtHotspot(int k);
    void ScrollList(QScrollArea* area, int position);

    void InitButtonGroups();
    // Brings the sixth row into the row list's reach.
    void PlaceSixthRow();
    void BuildSensorDefineTable();
    void ApplyStyleSheets();
    // Unchecks every button of an exclusive group.
    static void UncheckGroup(QButtonGroup* group);
    // Config.ini Drive<n>/KeyNumber of the current model, within the record's
    // sixteen button headers.
    static int KeyNumberOfCurrentModel();
    // Fills types, codes and extras from the first count button headers.
    void RebuildMirror(const FlashDataMap& record, int count);

    ButtonPageForm* form = nullptr;
    QVBoxLayout* macroListLayout = nullptr;
    QList<QToolButton*> macroButtonList;
    // Macro buttons a rebuild took out while a macro button's click was
    // being handled: deleted once that click is done.
    QList<QToolButton*> retiredMacroButtons;
    int macroClicksRunning = 0;
    QButtonGroup* rowButtonGroup = nullptr;
    QButtonGroup* chooserButtonGroup = nullptr;
    QButtonGroup* optionButtonGroup = nullptr;
    QButtonGroup* hotspotButtonGroup = nullptr;
    QString mainPageFolder;
    // The page's copy of every button's type, code and extra.
    QList<int> types;
    QList<int> codes;
    QList<int> extras;
    QString sensorName;
    // driver_sensor.h's constants in file order, one value per name.
    QStringList sensorDefineNames;
    QVector<qint32> sensorDefineValues;
    // The fire-key dialog's own defaults until the user confirms other values.
    int fireKeyInterval = 10;
    int fireKeyCount = 3;
    QStringList buttonColorList;
    QString buttonColor;
    QWidget* macroListWidget = nullptr;
    QString pictureFolder;
    QString macroRowPrefix;
    QString profileNamePrefix;
    int languageAppliedOnce = 0;
    std::unique_ptr<ButtonFunctionSender> functionSender;
};
