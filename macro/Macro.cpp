#include "macro/Macro.h"
#include "platform/files/FileReader.h"

#include "app/AppPaths.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "platform/files/FileWriter.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "dialogs/DeleteConfirm.h"
#include "dialogs/ExeIsRun.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/RememberedFileDialog.h"
#include "dialogs/SameMacro.h"
#include "macro/AddDelayTime.h"
#include "macro/KeyNameTable.h"
#include "macro/MacroBlockCodec.h"
#include "macro/MacroExportFile.h"
#include "macro/MacroFileNotice.h"
#include "macro/MacroForm.h"
#include "macro/MacroImportFail.h"
#include "macro/MacroName.h"
#include "macro/MacroPageStyle.h"
#include "macro/MacroRecording.h"
#include "macro/MacroTextFile.h"
#include "macro/QuestionDialog.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include "widgets/MyConmboBox.h"
#include "widgets/PanelStyle.h"

#include "dialogs/KeyNumberLimit.h"
#include "macro/KeyboardHook.h"
#include "macro/addKey.h"

Macro::Macro(QWidget* parent)
    : QWidget(parent)
    , form(new MacroForm(this))
{
    pictureFolder = MacroPageStyle::PictureFolder();
    macroFolder = AppPaths::UserDataFolder() + QStringLiteral("/usersetting/MacroPage");
    eventList = new MacroEventList(form->listWidgetKey, pictureFolder);

    PostMsg::Connect(SIGNAL(SigButtonToMacro(FlashDataMap, int)), this, SLOT(SlotButtonToMacro(FlashDataMap, int)));
    PostMsg::Connect(SIGNAL(SigMacroDownLoadData(QString, int)), this, SLOT(SlotMacroDownLoadData(QString, int)));

    // The form's layout polished the lists' scroll bars already; a sheet set
    // on a list not yet polished itself would never reach them.
    for (QListWidget* list : {form->listWidgetHong, form->listWidgetKey}) {
        list->ensurePolished();
        list->setStyleSheet(MacroPageStyle::ListStyle(pictureFolder));
    }

    LoadMacroList();
    SetUpRecording();

    delayModeGroup = new QButtonGroup(this);
    delayModeGroup->setExclusive(true);
    delayModeGroup->addButton(form->AutoInsertDelay);
    delayModeGroup->addButton(form->DefaultDelay);
    repeatModeGroup = new QButtonGroup(this);
    repeatModeGroup->setExclusive(true);
    repeatModeGroup->addButton(form->ReUntilLoose);
    repeatModeGroup->addButton(form->ReUntilClick);
    repeatModeGroup->addButton(form->ReNumber);
    repeatModeGroup->addButton(form->ReUntil);

    form->ChooseEvent->setStyleSheet(MacroPageStyle::ComboBoxStyle(pictureFolder));
    PanelStyle::InstallComboList(form->ChooseEvent, 5);
    form->StopRecord->hide();
    form->AutoInsertDelay->setChecked(true);

    buttonColorText = ThemeColor::Rgb(QStringLiteral("ButtonColor"));
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    connect(repeatModeGroup, &QButtonGroup::idToggled, this, &Macro::OnRepeatModeToggled);
#else
    connect(repeatModeGroup, QOverload<int, bool>::of(&QButtonGroup::buttonToggled), this, &Macro::OnRepeatModeToggled);
#endif
    SetSaveEnabled(false);

    const QString labelStyle = MacroPageStyle::LabelStyle();
    for (QLabel* label : {form->label, form->label_2, form->label_3, form->AutoInsertDelayLabel,
                          form->ReUntilLooseLabel, form->ReUntilClickLabel, form->ReUntilLabel})
        label->setStyleSheet(labelStyle);
    const QString checkBoxStyle = MacroPageStyle::CheckBoxStyle(pictureFolder);
    for (QCheckBox* box : {form->AutoInsertDelay, form->DefaultDelay, form->ReUntilLoose, form->ReUntilClick,
                           form->ReUntil, form->ReNumber})
        box->setStyleSheet(checkBoxStyle);
    const QString buttonStyle = MacroPageStyle::ToolButtonStyle(pictureFolder);
    for (QToolButton* button : {form->NewHong, form->DeleteHong, form->Amend, form->DeleteKey})
        button->setStyleSheet(buttonStyle);
    form->StartRecord->setStyleSheet(MacroPageStyle::StartRecordStyle(pictureFolder));
    form->StopRecord->setStyleSheet(MacroPageStyle::StopRecordStyle(pictureFolder));
    form->DelayTime->setStyleSheet(MacroPageStyle::SpinBoxStyle());
    form->NumberEdit->setStyleSheet(MacroPageStyle::SpinBoxStyle());

    connect(form->NewHong, &QToolButton::clicked, this, &Macro::on_NewHong_clicked);
    connect(form->DeleteHong, &QToolButton::clicked, this, &Macro::on_DeleteHong_clicked);
    connect(form->listWidgetHong, &QListWidget::clicked, this, &Macro::on_listWidgetHong_clicked);
    connect(form->listWidgetHong, &QListWidget::currentItemChanged, this, &Macro::OnCurrentMacroChanged);
    form->listWidgetHong->viewport()->installEventFilter(this);
    connect(form->listWidgetHong, &QListWidget::customContextMenuRequested, this,
            &Macro::on_listWidgetHong_customContextMenuRequested);
    connect(form->Save, &QToolButton::clicked, this, &Macro::on_Save_clicked);
    connect(form->NumberEdit, QOverload<int>::of(&QSpinBox::valueChanged), this, &Macro::on_NumberEdit_valueChanged);
    connect(form->NumberEdit, &QSpinBox::editingFinished, this, &Macro::on_NumberEdit_editingFinished);
    connect(form->ReUntilLoose, &QCheckBox::released, this, &Macro::on_ReUntilLoose_released);
    connect(form->ReUntilClick, &QCheckBox::released, this, &Macro::on_ReUntilClick_released);
    connect(form->ReNumber, &QCheckBox::released, this, &Macro::on_ReNumber_released);
    connect(form->AutoInsertDelay, &QCheckBox::released, this, &Macro::on_AutoInsertDelay_released);
    connect(form->ChooseEvent, QOverload<int>::of(&QComboBox::activated), this, &Macro::on_ChooseEvent_activated);
    connect(form->Amend, &QToolButton::clicked, this, &Macro::on_Amend_clicked);
    connect(form->DeleteKey, &QToolButton::clicked, this, &Macro::on_DeleteKey_clicked);
    connect(form->DelayTime, QOverload<int>::of(&QSpinBox::valueChanged), this, &Macro::on_DelayTime_valueChanged);
    connect(form->listWidgetKey, &QListWidget::itemChanged, this, &Macro::on_listWidgetKey_itemChanged);

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

Macro::~Macro()
{
    delete eventList;
    delete form;
}

// ---- Macro list --------------------------------------------------------------

void Macro::LoadMacroList()
{
    QDir folder(macroFolder);
    const QStringList files = folder.entryList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        // The rule the name checks use too: every name a macro can get is shown.
        const QString name = MacroName::ListedName(file);
        if (!name.isEmpty())
            form->listWidgetHong->addItem(name);
    }
}

bool Macro::HasSelectedMacro() const
{
    return form->listWidgetHong->currentItem() != nullptr;
}

QString Macro::SelectedMacroName() const
{
    const QListWidgetItem* entry = form->listWidgetHong->currentItem();
    return entry ? entry->text() : QString();
}

bool Macro::HasEntry(const QString& name) const
{
    for (int row = 0; row < form->listWidgetHong->count(); ++row) {
        if (form->listWidgetHong->item(row)->text() == name)
            return true;
    }
    return false;
}

QString Macro::MacroFilePath(const QString& name) const
{
    return macroFolder + QLatin1Char('/') + name + QStringLiteral(".ini");
}

void Macro::on_NewHong_clicked()
{
    CreateMewMacro();
}

void Macro::CreateMewMacro()
{
    if (macroRecording) {
        ShowStopRecordFirst();
        return;
    }
    QuestionDialog dialog;
    // Mode 0's text asks to choose a macro first; a new macro needs a name.
    dialog.SetPromptMode(1);
    RunCentred(&dialog);
    const QString name = dialog.macroName;
    if (name.isEmpty() || !MacroName::IsSafe(name))
        return;
    // A file of that name that the list does not show (a name the list
    // skips, or one made after start) is a macro too: never empty it.
    if (HasEntry(name) || QFileInfo::exists(MacroFilePath(name))) {
        ShowSameMacro();
        return;
    }
    {
        // The new macro is shown empty below, not loaded.
        const QSignalBlocker quiet(form->listWidgetHong);
        form->listWidgetHong->addItem(name);
        form->listWidgetHong->setCurrentRow(form->listWidgetHong->count() - 1);
    }
    CreateMacroFile();
    eventList->Clear();
    form->ReNumber->setChecked(true);
    form->NumberEdit->setValue(1);
}

void Macro::RenameMacro()
{
    if (HasSelectedMacro())
        RenameMacroOf(SelectedMacroName());
}

void Macro::RenameMacroOf(const QString& oldName)
{
    QuestionDialog dialog;
    dialog.SetPromptMode(1);
    RunCentred(&dialog);
    const QString newName = dialog.macroName;
    if (newName.isEmpty() || !MacroName::IsSafe(newName))
        return;
    if (HasEntry(newName)) {
        ShowSameMacro();
        return;
    }
    // The entry the user chose may have gone while the dialog was open.
    const QList<QListWidgetItem*> entries = form->listWidgetHong->findItems(oldName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (entries.isEmpty())
        return;
    // The name changes only with the file, so list, file and the button
    // page's bindings never disagree.
    const QString oldPath = MacroFilePath(oldName);
    const QString newPath = MacroFilePath(newName);
    QFile file(oldPath);
    if (!file.rename(newPath)) {
        MacroFileNotice notice(MacroFileNotice::Failure::Rename);
        if (!QFileInfo::exists(oldPath))
            notice.SetReasonKey(QStringLiteral("ReasonFileMissing"));
        else if (QFileInfo::exists(newPath))
            notice.SetReasonKey(QStringLiteral("ReasonFileExists"));
        else
            notice.SetSystemReason(file.errorString());
        RunCentred(&notice);
        return;
    }
    entries.first()->setText(newName);
    if (currentFilePath == oldPath)
        currentFilePath = newPath;
    PostMsg::Instance()->EmitSigMacroRename(oldName, newName);
}

void Macro::on_DeleteHong_clicked()
{
    DeleteMacro();
}

void Macro::DeleteMacro()
{
    if (macroRecording) {
        ShowStopRecordFirst();
        return;
    }
    if (HasSelectedMacro())
        DeleteMacroOf(SelectedMacroName());
}

void Macro::DeleteMacroOf(const QString& name)
{
    DeleteConfirm dialog;
    RunCentred(&dialog);
    if (!dialog.confirmed)
        return;
    const QList<QListWidgetItem*> entries = form->listWidgetHong->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (entries.isEmpty())
        return;
    QFile::remove(MacroFilePath(name));
    PostMsg::Instance()->EmitSigDeleteMacroButton(macroRowPrefix + name);
    // Another macro on show keeps its events, unsaved edits included.
    const bool shown = entries.first() == form->listWidgetHong->currentItem();
    const QSignalBlocker quiet(form->listWidgetHong);
    delete form->listWidgetHong->takeItem(form->listWidgetHong->row(entries.first()));
    if (shown) {
        eventList->Clear();
        form->listWidgetHong->setCurrentRow(-1);
    }
}

void Macro::on_listWidgetHong_clicked(const QModelIndex& index)
{
    Q_UNUSED(index);
    ShowCurrentMacro();
}

void Macro::OnCurrentMacroChanged(QListWidgetItem* current)
{
    // The page's own moves block the list's signals; this is the user's,
    // and the event list must show the entry Save will write.
    if (current)
        ShowCurrentMacro();
}

bool Macro::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == form->listWidgetHong->viewport()) {
        const QEvent::Type type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
             type == QEvent::MouseButtonDblClick) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Macro::ShowCurrentMacro()
{
    SetSaveEnabled(false);
    eventList->Clear();
    // Loading is not a change the user made.
    repeatModeGroup->blockSignals(true);
    form->NumberEdit->blockSignals(true);
    LoadMacroFile();
}

void Macro::on_listWidgetHong_customContextMenuRequested(const QPoint& pos)
{
    QMenu menu;
    const QFont font = form->listWidgetHong->font();
    auto add = [&](const QString& text, void (Macro::*slot)()) {
        QAction* action = menu.addAction(text);
        action->setFont(font);
        connect(action, &QAction::triggered, this, slot);
    };
    if (const QListWidgetItem* entry = form->listWidgetHong->itemAt(pos)) {
        // The macro under the click, which need not be the one on show.
        const QString name = entry->text();
        auto addFor = [&](const QString& text, void (Macro::*action)(const QString&)) {
            QAction* item = menu.addAction(text);
            item->setFont(font);
            connect(item, &QAction::triggered, this, [this, action, name] { (this->*action)(name); });
        };
        addFor(exportMenuText, &Macro::ExportMacroOf);
        addFor(renameMenuText, &Macro::RenameMacroOf);
        addFor(deleteMenuText, &Macro::DeleteMacroOf);
    } else {
        add(newMacroMenuText, &Macro::CreateMewMacro);
        add(importMenuText, &Macro::InPortMacro);
    }
    menu.exec(QCursor::pos());
}

// ---- Macro files -------------------------------------------------------------

void Macro::TruncateMacroFile(const QString& path)
{
    MacroTextFile::Truncate(path);
}

void Macro::CreateMacroFile()
{
    if (HasSelectedMacro())
        TruncateMacroFile(MacroFilePath(SelectedMacroName()));
}

void Macro::WriteMacroFile(const QString& modeText)
{
    if (!HasSelectedMacro())
        return;
    const QString path = MacroFilePath(SelectedMacroName());
    if (!QFileInfo(path).isFile())
        return;
    MacroTextFile::Replace(path, MacroTextFile::Content(modeText, eventList->Events()));
    currentFilePath = path;
}

void Macro::AppendMacroEvents(const QString& macroName)
{
    AppendMacroEvents(macroName, eventList->Events());
}

void Macro::AppendMacroEvents(const QString& macroName, const QList<MacroEvent>& events)
{
    const QString path = MacroFilePath(macroName);
    MacroTextFile::Append(path, MacroTextFile::EventLines(events, MacroTextFile::AppendedLineEnd));
    currentFilePath = path;
}

bool Macro::ReadMacroFile(const QString& name, MacroTextFile::Parsed* parsed, QString* reason) const
{
    // A FIFO or a folder in the file's place must not block the page, nor a
    // huge file fill memory: a macro file is a few kilobytes of text.
    const FileReader::Result file = FileReader::Read(MacroFilePath(name), MacroTextFile::kMaxFileBytes);
    if (!file.ok()) {
        if (reason)
            *reason = file.status == FileReader::Status::Unreadable ? file.reason : QStringLiteral("not a macro file");
        return false;
    }
    *parsed = MacroTextFile::Parse(file.bytes);
    return true;
}

void Macro::LoadMacroFile()
{
    if (HasSelectedMacro()) {
        eventList->Clear();
        currentFilePath = MacroFilePath(SelectedMacroName());
        MacroTextFile::Parsed parsed;
        if (ReadMacroFile(SelectedMacroName(), &parsed)) {
            if (parsed.hasModeLine)
                SelectRepeatMode(parsed.repeatMode);
            for (const MacroEvent& event : parsed.events)
                eventList->Append(event);
        }
    }
    repeatModeGroup->blockSignals(false);
    form->NumberEdit->blockSignals(false);
}

int Macro::RepeatMode() const
{
    if (form->ReUntilLoose->isChecked())
        return 254;
    if (form->ReUntilClick->isChecked())
        return 255;
    if (form->ReUntil->isChecked())
        return 253;
    return form->NumberEdit->value();
}

void Macro::SelectRepeatMode(int mode)
{
    switch (mode) {
    case 254:
        form->ReUntilLoose->setChecked(true);
        break;
    case 255:
        form->ReUntilClick->setChecked(true);
        break;
    case 253:
        form->ReUntil->setChecked(true);
        break;
    default:
        form->ReNumber->setChecked(true);
        form->NumberEdit->setValue(mode >= 1 && mode <= 250 ? mode : 1);
        break;
    }
}

void Macro::on_Save_clicked()
{
    if (macroRecording) {
        ShowStopRecordFirst();
        return;
    }
    SetSaveEnabled(false);
    if (!HasSelectedMacro())
        return;
    // Everything is taken before the file is touched, and the file is
    // replaced in one go: no other macro's events can end up in it.
    const QString name = SelectedMacroName();
    const QString path = MacroFilePath(name);
    const QByteArray content = MacroTextFile::Content(QString::number(RepeatMode()), eventList->Events());
    QString reason;
    if (!MacroTextFile::Replace(path, content, &reason)) {
        // Nothing was saved: keep what is to be saved, and the way to retry.
        SetSaveEnabled(true);
        ShowFileFailure(MacroFileNotice::Failure::Save, reason);
        return;
    }
    currentFilePath = path;
    if (eventsChanged) {
        PostMsg::Instance()->EmitSigUpDataMacro(name, 0);
        eventsChanged = false;
    }
    if (repeatSettingsChanged) {
        PostMsg::Instance()->EmitSigUpDataMacro(name, 1);
        repeatSettingsChanged = false;
    }
}

void Macro::ExPortMacro()
{
    if (HasSelectedMacro())
        ExportMacroOf(SelectedMacroName());
}

void Macro::ExportMacroOf(const QString& name)
{
    // The macro the user chose, taken before the dialog lets anything change
    // it: the one on show as it is shown, any other as saved.
    MacroExportFile::Content content;
    content.name = name;
    QList<MacroEvent> events;
    if (name == SelectedMacroName()) {
        content.modeText = QString::number(RepeatMode());
        events = eventList->Events();
    } else {
        MacroTextFile::Parsed parsed;
        QString reason;
        if (!ReadMacroFile(name, &parsed, &reason)) {
            MacroFileNotice notice(MacroFileNotice::Failure::Export);
            if (!QFileInfo::exists(MacroFilePath(name)))
                notice.SetReasonKey(QStringLiteral("ReasonFileMissing"));
            else
                notice.SetSystemReason(reason);
            RunCentred(&notice);
            return;
        }
        content.modeText = QString::number(parsed.repeatMode);
        events = parsed.events;
    }
    for (const MacroEvent& event : events)
        content.items.append({event, eventList->IconFor(event)});

    // The import lists only ".ini" files.
    const QString path = RememberedFileDialog::SaveFile(this, QStringLiteral("FileSave"), QStringLiteral("File(*.ini)"),
                                                        QStringLiteral("ini"));
    if (path.isEmpty())
        return;
    QString reason;
    if (!FileWriter::Replace(path, MacroExportFile::Write(content), &reason))
        ShowFileFailure(MacroFileNotice::Failure::Export, reason);
}

void Macro::InPortMacro()
{
    const QString path = RememberedFileDialog::OpenFile(this, QStringLiteral("SelectFile"), QStringLiteral("File(*.ini)"));
    if (path.isEmpty())
        return;
    // A FIFO, a device or a file larger than any export is not ours.
    const FileReader::Result file = FileReader::Read(path, MacroExportFile::MaxFileBytes);
    if (!file.ok()) {
        ShowImportFail();
        return;
    }
    const QByteArray& bytes = file.bytes;

    // The whole file is checked before the list or the folder change.
    MacroExportFile::Content content;
    const MacroExportFile::ReadStatus status = MacroExportFile::Read(bytes, &content);
    if (status == MacroExportFile::ReadStatus::HeaderUnreadable) {
        ShowImportFail();
        return;
    }
    if (HasEntry(content.name)) {
        // Placed as if the notice were 300 x 110.
        SameMacro notice;
        const QPoint origin = mapToGlobal(QPoint(0, 0));
        notice.move(origin.x() + (width() - 300) / 2 - 100, origin.y() + (height() - 110) / 2 - 50);
        notice.exec();
        return;
    }
    if (status != MacroExportFile::ReadStatus::Ok) {
        ShowImportFail();
        return;
    }
    const QString macroPath = MacroFilePath(content.name);
    if (QFileInfo::exists(macroPath)) {
        ShowSameMacro();
        return;
    }
    QList<MacroEvent> events;
    for (const MacroExportFile::Item& item : content.items)
        events.append(item.event);
    QString reason;
    if (!MacroTextFile::Replace(macroPath, MacroTextFile::Content(content.modeText, events), &reason)) {
        ShowFileFailure(MacroFileNotice::Failure::Save, reason);
        return;
    }
    currentFilePath = macroPath;

    {
        // Shown from the file's content below, not loaded.
        const QSignalBlocker quiet(form->listWidgetHong);
        form->listWidgetHong->addItem(content.name);
        form->listWidgetHong->setCurrentRow(form->listWidgetHong->count() - 1);
    }
    eventList->Clear();
    for (const MacroExportFile::Item& item : content.items)
        eventList->Append(item.event);
    // Show the repeat mode the macro was imported with; it is no change of the user's.
    const QSignalBlocker blockGroup(repeatModeGroup);
    const QSignalBlocker blockCount(form->NumberEdit);
    SelectRepeatMode(content.modeText.toInt());
}

// ---- Macro blocks of the mouse ---------------------------------------------------

void Macro::SlotMacroDownLoadData(QString MacroName, int index)
{
    const QString name = MacroName.remove(QChar(0));
    if (!deviceSendEnabled || !DeviceSettingSetters::IsButtonIndex(index))
        return;
    // The save that asked for this came a while ago: the user may have picked
    // another macro since, so a macro not shown is sent as its file holds it.
    QList<MacroEvent> events;
    if (HasSelectedMacro() && name == SelectedMacroName()) {
        events = eventList->Events();
    } else {
        // Only a macro of the list names a file of the macro folder.
        MacroTextFile::Parsed parsed;
        if (!HasEntry(name) || !ReadMacroFile(name, &parsed))
            return;
        events = parsed.events;
    }
    // The button page chose the button's function; only its block changes.
    const ButtonFunctionHeader header = CurrentFlashMapLock::Snapshot().buttons[index];
    const MacroBlock block = MacroBlockCodec::Encode(name, events);
    DeviceSettingSetters::SetButtonMacro(index, header, block);
}

void Macro::SlotButtonToMacro(const FlashDataMap& DataMap, int KeyNumer)
{
    if (!DeviceSettingSetters::IsButtonIndex(KeyNumer))
        return;
    const MacroBlock& block = DataMap.macroBlocks[KeyNumer];
    // The name becomes a file name: the mouse's bytes are not trusted.
    const QString name = MacroBlockCodec::NameOf(block);
    if (name.isEmpty())
        return;
    // The page places its entries itself; nothing is loaded here.
    const QSignalBlocker quiet(form->listWidgetHong);
    if (!HasEntry(name)) {
        const int current = form->listWidgetHong->currentRow();
        form->listWidgetHong->insertItem(current >= 0 ? current + 1 : form->listWidgetHong->count(), name);
    }
    // The button page has just written the file's mode line.
    AppendMacroEvents(name, MacroBlockCodec::Decode(block));
    // A recording in progress keeps its macro and what it has recorded.
    if (!macroRecording) {
        eventList->Clear();
        form->listWidgetHong->setCurrentRow(-1);
    }
    PostMsg::Instance()->EmitSigAddMacroButton();
}

// ---- Event list editing ------------------------------------------------------

void Macro::AppendKeyItem(const QString& name, bool press)
{
    if (HasSelectedMacro())
        eventList->AppendKey(name, press);
}

void Macro::AppendDelayItem(double milliseconds)
{
    if (HasSelectedMacro())
        eventList->AppendDelay(milliseconds);
}

void Macro::InsertKeyWithDelay(const QString& name, bool press)
{
    eventList->InsertKeyWithDelay(name, press);
}

void Macro::InsertMouseClick(const QString& name)
{
    eventList->InsertMouseClick(name);
}

void Macro::SetAdjacentDelay(double milliseconds)
{
    eventList->SetAdjacentDelay(milliseconds);
}

void Macro::on_ChooseEvent_activated(int index)
{
    switch (index) {
    case 1:
    case 2: {
        QString name;
        if (!AskKeyName(&name) || !HasSelectedMacro())
            return;
        InsertKeyWithDelay(name, index == 1);
        MarkEventsChanged();
        return;
    }
    case 3: {
        int delay = 0;
        if (!AskDelay(&delay) || !HasSelectedMacro() || eventList->CurrentRow() < 0)
            return;
        MarkEventsChanged();
        SetAdjacentDelay(delay);
        return;
    }
    case 4:
    case 5:
    case 6:
    case 7:
    case 8: {
        // Entries left, right, middle, forward, back; the names are kept by bit.
        static const int nameIndex[] = {0, 1, 2, 4, 3};
        if (!HasSelectedMacro())
            return;
        InsertMouseClick(MouseButtonNames[nameIndex[index - 4]]);
        MarkEventsChanged();
        return;
    }
    default:
        return;
    }
}

void Macro::on_Amend_clicked()
{
    if (macroRecording) {
        ShowStopRecordFirst();
        return;
    }
    const int row = eventList->CurrentRow();
    QListWidgetItem* item = form->listWidgetKey->item(row);
    if (!item)
        return;
    if (MacroEventList::IsDelayText(item->text())) {
        int delay = 0;
        if (!AskDelay(&delay) || form->listWidgetKey->item(row) != item)
            return;
        item->setText(QString::number(delay) + QStringLiteral("ms"));
    } else {
        QString name;
        if (!AskKeyName(&name) || form->listWidgetKey->item(row) != item)
            return;
        // The item stays a press or a release; its partner keeps its name.
        item->setText(name);
    }
    SetSaveEnabled(true);
}

void Macro::on_DeleteKey_clicked()
{
    if (macroRecording) {
        ShowStopRecordFirst();
        return;
    }
    if (!HasSelectedMacro())
        return;
    if (eventList->DeleteCurrent())
        MarkEventsChanged();
}

void Macro::on_DelayTime_valueChanged(int value)
{
    // The device keeps a pause in 16 bits.
    if (value > 65534)
        form->DelayTime->setValue(65535);
}

void Macro::on_listWidgetKey_itemChanged(QListWidgetItem* item)
{
    Q_UNUSED(item);
    eventsChanged = true;
}

bool Macro::AskKeyName(QString* name)
{
    addKey dialog;
    NoticeFrame::PlaceOnCaller(&dialog, this, -50, -70);
    const int result = dialog.exec();
    if (result != QDialog::Accepted || !dialog.confirmed)
        return false;
    *name = dialog.keyName;
    return true;
}

bool Macro::AskDelay(int* milliseconds)
{
    AddDelayTime dialog;
    NoticeFrame::PlaceOnCaller(&dialog, this, -50, -70);
    dialog.exec();
    if (!dialog.confirmed)
        return false;
    *milliseconds = dialog.delay;
    return true;
}

// ---- Repeat settings, Save button ----------------------------------------------

void Macro::OnRepeatModeToggled(int id, bool checked)
{
    Q_UNUSED(id);
    Q_UNUSED(checked);
    repeatSettingsChanged = true;
    SetSaveEnabled(true);
}

void Macro::on_NumberEdit_valueChanged(int value)
{
    Q_UNUSED(value);
    repeatSettingsChanged = true;
    SetSaveEnabled(true);
}

void Macro::on_NumberEdit_editingFinished() {}
void Macro::on_ReUntilLoose_released() {}
void Macro::on_ReUntilClick_released() {}
void Macro::on_ReNumber_released() {}
void Macro::on_AutoInsertDelay_released() {}

void Macro::SetSaveEnabled(bool enabled)
{
    form->Save->setEnabled(enabled);
    form->Save->setStyleSheet(enabled ? MacroPageStyle::SaveEnabledStyle(pictureFolder, buttonColorText)
                                      : MacroPageStyle::SaveGreyStyle(pictureFolder));
}

void Macro::MarkEventsChanged()
{
    eventsChanged = true;
    SetSaveEnabled(true);
}

// ---- Dialogs -----------------------------------------------------------------

void Macro::RunCentred(QDialog* dialog)
{
    NoticeFrame::PlaceOnCaller(dialog, this, -100, -50);
    dialog->exec();
}

void Macro::ShowStopRecordFirst()
{
    ExeIsRun dialog;
    dialog.SetStopRecordFirstText();
    RunCentred(&dialog);
}

void Macro::ShowSameMacro()
{
    SameMacro dialog;
    RunCentred(&dialog);
}

void Macro::ShowFileFailure(MacroFileNotice::Failure failure, const QString& reason)
{
    MacroFileNotice notice(failure);
    notice.SetSystemReason(reason);
    RunCentred(&notice);
}

void Macro::ShowImportFail()
{
    MacroImportFail dialog;
    RunCentred(&dialog);
}

// ---- Recording ---------------------------------------------------------------

namespace {

// A device macro block holds this many events.
constexpr int kMaxRecordedKeys = 70;

} // namespace

void Macro::SetUpRecording()
{
    recordHook = std::make_unique<KeyboardHook>(KeyboardHookInstance::Recording);
    connect(form->StartRecord, &QPushButton::clicked, this, &Macro::on_StartRecord_clicked);
    connect(form->StopRecord, &QPushButton::clicked, this, &Macro::on_StopRecord_clicked);
    PostMsg::Connect(SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));
}

void Macro::SetRecordLocked(bool locked)
{
    for (QCheckBox* box : {form->AutoInsertDelay, form->DefaultDelay, form->ReUntilLoose, form->ReUntilClick,
                           form->ReUntil, form->ReNumber})
        box->setEnabled(!locked);
}

void Macro::ShowRecordButton(bool start)
{
    form->StopRecord->setVisible(!start);
    form->StartRecord->setVisible(start);
}

void Macro::on_StartRecord_clicked()
{
    if (!HasSelectedMacro()) {
        ExeIsRun dialog;
        dialog.SetSelectMacroFirstText();
        RunCentred(&dialog);
        return;
    }
    SetRecordLocked(true);
    PostMsg::Instance()->EmitSigStartRecord(0);
    recordedKeyCount = 0;
    form->ChooseEvent->setEnabled(false);
    eventsChanged = true;
    recordHook->InstallKeyboardHook();
    recordHook->SetCallback([this](int keyCode, bool down, bool repeat) { UpdateCapslockTip(keyCode, down, repeat); });
    ShowRecordButton(false);
    macroRecording = true;
    skipNextDelay = true;
    // A recording replaces the macro's events.
    eventList->Clear();
    form->DelayTime->setEnabled(false);
    form->NumberEdit->setEnabled(false);
    form->listWidgetHong->setEnabled(false);
    lastRecordedKey = -1;
    heldKeys.Clear();
}

void Macro::UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu)
{
    Q_UNUSED(aotu);
    if (!macroRecording) {
        recordTimer.restart();
        return;
    }
    // A held key repeats its press: only the first one counts, whichever
    // keys went down or up in between.
    if (!heldKeys.Take(keyCode, downOrUp))
        return;
    lastRecordedKey = downOrUp ? keyCode : 0;

    if (skipNextDelay) {
        recordTimer.restart();
        skipNextDelay = false;
    } else {
        const double delay = form->AutoInsertDelay->isChecked() ? double(qMax<qint64>(0, recordTimer.elapsed()))
                                                                : double(form->DelayTime->value());
        AppendDelayItem(delay);
        recordTimer.restart();
    }

    QString name;
    if (!KeyNameTable::VirtualKeyToKeyName(keyCode, &name)) {
        // The pause just added runs up to the next key, which then adds none:
        // keys and pauses keep alternating.
        skipNextDelay = true;
        return;
    }
    ++recordedKeyCount;
    AppendKeyItem(name, downOrUp);

    if (recordedKeyCount >= kMaxRecordedKeys) {
        macroRecording = false;
        recordedKeyCount = 0;
        recordHook->RemoveKeyboardHook();
        // The page keeps its recording look until the user stops.
        KeyNumberLimit notice;
        RunCentred(&notice);
    }
}

void Macro::on_StopRecord_clicked()
{
    SetRecordLocked(false);
    PostMsg::Instance()->EmitSigStartRecord(1);
    recordHook->RemoveKeyboardHook();
    recordedKeyCount = 0;
    ShowRecordButton(true);
    form->DelayTime->setEnabled(true);
    form->NumberEdit->setEnabled(true);
    form->listWidgetHong->setEnabled(true);
    macroRecording = false;
    form->ChooseEvent->setEnabled(true);
    SetSaveEnabled(true);
    lastRecordedKey = -1;
    heldKeys.Clear();
}

void Macro::SlotSetMacroPage()
{
    PostMsg::Instance()->EmitSigStartRecord(1);
    recordHook->RemoveKeyboardHook();
    ShowRecordButton(true);
    form->DelayTime->setEnabled(true);
    form->NumberEdit->setEnabled(true);
    form->listWidgetHong->setEnabled(true);
    SetRecordLocked(false);
    form->ChooseEvent->setEnabled(true);
    macroRecording = false;
    lastRecordedKey = -1;
    heldKeys.Clear();
    SetSaveEnabled(false);
}

// ---- Language, keys, mouse ---------------------------------------------------

void Macro::SlotAllLanguage(int index)
{
    auto text = [index](const char* key) {
        return LanguageTables::Text(index, QStringLiteral("macro"), QLatin1String(key));
    };
    auto option = [index](const char* key) {
        return LanguageTables::Option(index, QStringLiteral("InsertEventOptions"), QLatin1String(key));
    };
    form->label->setText(text("MacroList"));
    form->label_2->setText(text("KeyList"));
    form->NewHong->setToolTip(index == 5 ? text("NewMacro") : QString());
    form->NewHong->setText(text("NewMacro"));
    form->DeleteHong->setText(text("Delete"));
    form->Amend->setText(text("Modify"));
    form->DeleteKey->setText(text("Delete"));
    form->StartRecord->setText(text("StartRecord"));
    form->StopRecord->setText(text("StopRecord"));
    form->AutoInsertDelayLabel->setText(text("AutoDelay"));
    form->DefaultDelay->setText(text("DefaultDelay"));
    form->ReUntilLooseLabel->setText(text("UntilThisReleased"));
    form->ReUntilClickLabel->setText(text("UntilAnyPressed"));
    form->ReUntilLabel->setText(text("UntilThisPressed"));
    form->ReNumber->setText(text("CycleTimes"));
    form->label_3->setText(text("InsertEvent"));
    form->ChooseEvent->setItemText(1, option("0"));
    form->ChooseEvent->setItemText(2, option("1"));
    form->ChooseEvent->setItemText(3, text("Delay"));
    // Names by bit: left, right, middle, back, forward.
    MouseButtonNames[0] = option("2");
    MouseButtonNames[1] = option("3");
    MouseButtonNames[2] = option("4");
    MouseButtonNames[3] = option("6");
    MouseButtonNames[4] = option("5");
    form->ChooseEvent->setItemText(4, option("2"));
    form->ChooseEvent->setItemText(5, option("3"));
    form->ChooseEvent->setItemText(6, option("4"));
    form->ChooseEvent->setItemText(7, option("5"));
    form->ChooseEvent->setItemText(8, option("6"));
    form->Save->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("Save")));
    macroRowPrefix = text("MacroSeond");
    exportMenuText = text("MacroExport");
    renameMenuText = text("Rename");
    deleteMenuText = text("Delete");
    newMacroMenuText = text("NewMacro");
    importMenuText = text("MacroImport");
}

void Macro::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        const int chosen = form->ChooseEvent->currentIndex();
        const int delay = form->DelayTime->value();
        const int count = form->NumberEdit->value();
        const QSignalBlocker blockChoose(form->ChooseEvent);
        const QSignalBlocker blockDelay(form->DelayTime);
        const QSignalBlocker blockCount(form->NumberEdit);
        form->RetranslateUi();
        form->ChooseEvent->setCurrentIndex(chosen);
        form->DelayTime->setValue(delay);
        form->NumberEdit->setValue(count);
    }
    QWidget::changeEvent(event);
}

void Macro::keyPressEvent(QKeyEvent* event)
{
    // Not passed on: the enclosing windows would close or change page.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Macro::mousePressEvent(QMouseEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const QRect delayRect(form->DelayTime->mapTo(this, QPoint(0, 0)), form->DelayTime->size());
        const QRect countRect(form->NumberEdit->mapTo(this, QPoint(0, 0)), form->NumberEdit->size());
        if (!delayRect.contains(event->pos()) && !countRect.contains(event->pos())) {
            form->DelayTime->clearFocus();
            form->NumberEdit->clearFocus();
            setFocus(Qt::MouseFocusReason);
        }
    }
    QWidget::mousePressEvent(event);
}
