#include "buttons/Buttoninterface.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "buttons/ButtonAssignmentMirror.h"
#include "buttons/ButtonPageForm.h"
#include "buttons/ButtonFunctionType.h"
#include "buttons/ConsumerKeyTable.h"
#include "buttons/DeviceButtonIndex.h"
#include "buttons/DpiLockCoding.h"
#include "buttons/KeyBlockCodec.h"
#include "buttons/MacroFolder.h"
#include "buttons/ProfileExportFile.h"
#include "dialogs/KeyedNotice.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/RememberedFileDialog.h"
#include "settings/FactoryReset.h"
#include "settings/UpDataParam.h"
#include "dialogs/MakeMacro.h"
#include "macro/FireKey.h"
#include "macro/GroupKey.h"
#include "macro/MacroName.h"
#include "macro/WaitProcessingEvents.h"
#include "dialogs/LeftButtonOnly.h"
#include "macro/MacroBlockCodec.h"
#include "macro/MacroTextFile.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceReportHandler.h"
#include "device/DeviceSettingSetters.h"
#include "device/Worker.h"
#include "platform/DisplayMetrics.h"
#include "platform/rozuri/ROZUri.h"
#include "sensor/DebounceTime.h"
#include "sensor/SensorCapabilityHeader.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MyToolButton.h"
#include "widgets/PanelStyle.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QDialog>
#include <QVBoxLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QtDebug>

#include <cstring>

namespace {

constexpr int kStackedIdlePage = 0;
constexpr int kCategoryDebouncePage = 4;
// The profile dialogs and notices open centred over the page, then this
// much to the left and up.
constexpr int kProfileDialogOffsetX = -75;
constexpr int kProfileDialogOffsetY = -65;
// The page compares presses with the function area as if it lay this much
// higher: the lower band starts about there.
constexpr int kLowerBandShift = 340;

QString Url(const QString& folder, const char* file)
{
    return QStringLiteral("url(") + folder + QLatin1String(file) + QLatin1Char(')');
}

} // namespace

Buttoninterface::Buttoninterface(QWidget* parent)
    : QWidget(parent)
{
    form = new ButtonPageForm;
    // The form's Chinese default texts come last: every style set below lays
    // the buttons out again, and laying out Chinese makes Qt look for a CJK
    // font even where the language table replaces the texts right after.
    form->BuildUi(this);

    // Rows and hotspots beyond the sixth button stay hidden whatever the model.
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             form->Number6, form->Number7, form->Number8, form->Number9, form->Number10, form->Number11,
             form->Number12, form->label_16, form->label_17, form->label_18, form->label_19, form->label_20,
             form->label_21, form->Button7, form->Button8, form->Button9, form->Button10, form->Button11,
             form->Button12})
        hidden->hide();
    PlaceSixthRow();

    PostMsg::Connect(SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));

    pictureFolder = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/Buttoninterface/");
    mainPageFolder = AppPaths::UserDataFolder() + QStringLiteral("//usersetting/MainPage");
    if (!QDir(mainPageFolder).exists())
        QDir().mkpath(mainPageFolder);

    rowButtonGroup = new QButtonGroup(this);
    chooserButtonGroup = new QButtonGroup(this);
    optionButtonGroup = new QButtonGroup(this);
    hotspotButtonGroup = new QButtonGroup(this);
    rowButtonGroup->setObjectName(QStringLiteral("rowButtonGroup"));
    chooserButtonGroup->setObjectName(QStringLiteral("chooserButtonGroup"));
    optionButtonGroup->setObjectName(QStringLiteral("optionButtonGroup"));
    hotspotButtonGroup->setObjectName(QStringLiteral("hotspotButtonGroup"));
    for (QButtonGroup* group : {rowButtonGroup, chooserButtonGroup, optionButtonGroup, hotspotButtonGroup})
        group->setExclusive(true);
    InitButtonGroups();

    ButtonFunctionSender::PageHooks hooks;
    hooks.uncheckFunctionButtons = [this] { UncheckFunctionButtons(); };
    hooks.returnToIdleView = [this] { ReturnToIdleView(); };
    hooks.storeRowAssignment = [this](int index, int type, int code, int extra) {
        StoreRowAssignment(index, type, code, extra);
    };
    functionSender.reset(new ButtonFunctionSender(this, hooks));

    buttonColorList = ConfigSettings::Instance()->ListValue(QStringLiteral("Option"), QStringLiteral("ButtonColor"));
    buttonColor = ThemeColor::Components(QStringLiteral("ButtonColor"));

    BuildMacroList();

    // Profile switching and the lights category are not offered.
    form->DPI_3->hide();
    form->DPI_9->hide();

    ApplyStyleSheets();
    BuildSensorDefineTable();

    PostMsg::Connect(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotUpDataButtonUIButton(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this, SLOT(SlotUpDataButtonUIB(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigFormReset()), this, SLOT(SlotFormResetButton()));
    PostMsg::Connect(SIGNAL(SigUpDataConfigUI(int, int, bool)), this, SLOT(SlotUpDataConfigUI(int, int, bool)));
    PostMsg::Connect(SIGNAL(SigAddMacroButton()), this, SLOT(SlotAddMacroButton()));
    PostMsg::Connect(SIGNAL(SigDeleteMacroButton(QString)), this, SLOT(SlotDeleteMacroButton(QString)));
    PostMsg::Connect(SIGNAL(SigMacroRename(QString, QString)), this, SLOT(SlotMacroRename(QString, QString)));
    PostMsg::Connect(SIGNAL(SigUpDataMacro(QString, int)), this, SLOT(SlotUpDataMacro(QString, int)));

    deviceWorker = new Worker(this);

    form->stackedWidget->setCurrentWidget(form->page);
    form->stackedWidget_2->setCurrentWidget(form->page_9);

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));

    // The lower band and its boxes draw no frames of their own.
    form->groupBox->setStyleSheet(QStringLiteral("#groupBox{border: 0;background-image:") +
                                  Url(pictureFolder, "TiltleBack.png") + QStringLiteral(";}"));
    form->groupBox_4->setStyleSheet(QStringLiteral("#groupBox_4 {border: 0;}"));
    form->groupBox_2->setStyleSheet(QStringLiteral("#groupBox_2 {border: 0;}"));
    for (QScrollArea* area : {form->scrollArea_4, form->scrollArea_3, form->scrollArea_7, form->scrollArea_8,
                              form->scrollArea_10, form->scrollArea_6, form->scrollArea_9, form->scrollArea_12})
        area->setStyleSheet(QLatin1Char('#') + area->objectName() + QStringLiteral("{border: 0;}"));

    form->retranslateUi(this);
}

Buttoninterface::~Buttoninterface()
{
    // The pages stop listening first, so the events that release a pass
    // blocked in a device-data signal reach no half-destroyed page.
    PostMsg::Instance()->disconnect(this);
    Worker* worker = deviceWorker;
    if (worker) {
        worker->Stop();
        // A pass may be waiting for the GUI thread in a blocking signal:
        // keep the event loop going while waiting, and never for ever.
        QElapsedTimer waited;
        waited.start();
        while (!worker->wait(10)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (waited.elapsed() > kWorkerStopBoundMs)
                break;
        }
        if (worker->isRunning()) {
            qWarning("The device worker did not stop in time; it is left running.");
        } else {
            delete worker;
        }
    }
    StopUsbChanged();
    delete form;
    form = nullptr;
}

void Buttoninterface::PlaceSixthRow()
{
    // The form leaves the sixth row, which stays shown, below the list's
    // contents where no scrolling reaches it: it follows the fifth row at
    // the same spacing, and the contents grow to hold it with the same
    // margin as above the first row.
    const int step = form->TopMusic->y() - form->StartPause->y();
    form->label_13->move(form->label_13->x(), form->label_12->y() + step);
    form->BackMusic->move(form->BackMusic->x(), form->TopMusic->y() + step);
    QWidget* contents = form->scrollAreaWidgetContents_11;
    const int height = form->BackMusic->geometry().bottom() + 1 + form->FireKey->y();
    contents->setFixedSize(contents->width(), height);
}

void Buttoninterface::InitButtonGroups()
{
    ButtonPageForm* f = form;
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             f->FireKey, f->RightKey, f->BackKey, f->StartPause, f->TopMusic, f->BackMusic, f->Button7, f->Button8,
             f->Button9, f->Button10, f->Button11, f->Button12})
        rowButtonGroup->addButton(button);
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             f->LeftKey_3, f->RightKey_3, f->MidKey, f->BackKey_2, f->ForWardKey, f->DPI_2, f->DPI_3, f->DPI_4,
             f->DPI_5, f->DPI_6, f->DPI_7, f->DPI_8, f->DPI_9, f->DPI_10, f->DPI_11, f->DPI_12, f->DPI_13})
        chooserButtonGroup->addButton(button);
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             f->Player, f->StartPause_2, f->BackMusic_2, f->TopMusic_2, f->Mute, f->VolumeUp, f->VolumeDown,
             f->VolumeDown_3, f->VolumeDown_4, f->VolumeDown_5, f->VolumeDown_6, f->VolumeDown_7, f->VolumeDown_8,
             f->VolumeDown_9, f->VolumeDown_10, f->VolumeDown_11, f->VolumeDown_12, f->VolumeDown_13})
        optionButtonGroup->addButton(button);
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             f->Number1, f->Number2, f->Number3, f->Number4, f->Number5, f->Number6, f->Number7, f->Number8,
             f->Number9, f->Number10, f->Number11, f->Number12})
        hotspotButtonGroup->addButton(button);
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             f->VolumeUp_4, f->VolumeUp_5, f->VolumeUp_6, f->VolumeUp_7, f->VolumeUp_11, f->VolumeUp_12,
             f->VolumeUp_13, f->VolumeUp_15, f->VolumeUp_16, f->VolumeUp_18, f->VolumeUp_19, f->VolumeUp_20,
             f->VolumeUp_21, f->VolumeUp_22, f->VolumeUp_23, f->VolumeUp_24, f->VolumeDown_2, f->VolumeUp_2,
             f->VolumeUp_10, f->VolumeUp_8, f->VolumeUp_9, f->VolumeUp_14, f->VolumeDown_14})
        optionButtonGroup->addButton(button);
}

void Buttoninterface::ApplyStyleSheets()
{
    const QString& pf = pictureFolder;
    const QString text = QStringLiteral("color:rgb(") + buttonColor + QStringLiteral(");");
    const QString centred = QStringLiteral("background-position:center;background-repeat:no-repeat;");

    // Option pages, their scroll contents and the row list.
    for (QWidget* contents : {form->scrollAreaWidgetContents_3, form->scrollAreaWidgetContents_4,
                              form->scrollAreaWidgetContents_6, form->scrollAreaWidgetContents_8,
                              form->scrollAreaWidgetContents_9, form->scrollAreaWidgetContents_12,
                              form->scrollAreaWidgetContents_10})
        contents->setStyleSheet(QStringLiteral("background-color:transparent;border:none;"));
    const QString optionStyle = QStringLiteral("QToolButton{") + text + QStringLiteral("border-image:") +
        Url(pf, "CMenuTitle.png") + QStringLiteral(";}QToolButton:checked{") + text + QStringLiteral("border-image:") +
        Url(pf, "CMenuTitleChecked.png") + QStringLiteral(";}");
    for (QWidget* optionPage : {form->page_3, form->page_9, form->page_4, form->page_6, form->page_7, form->page_10,
                                form->page_8}) {
        // A sheet set on a page that was never shown is not passed on to its
        // buttons, which the form's layouts have polished already: the hidden
        // category pages kept plain black text and a white scroll bar.
        optionPage->ensurePolished();
        optionPage->setStyleSheet(optionStyle);
    }
    form->scrollAreaWidgetContents_11->setStyleSheet(
        QStringLiteral("#scrollAreaWidgetContents_11{background-color:transparent;border:none;}"
                       "QToolButton{border:none;") + centred + QStringLiteral("background-image:") +
        Url(pf, "AMenuTitle.png") + QLatin1Char(';') + text + QStringLiteral("}QToolButton:checked{background-image:") +
        Url(pf, "AMenuTitleChecked.png") + QStringLiteral(";}QToolButton:unchecked{background-image:") +
        Url(pf, "AMenuTitle.png") + QStringLiteral(";}QLabel{color:rgb(0, 0, 0);border:none;") + centred +
        QStringLiteral("background-image:") + Url(pf, "LabelNumber.png") + QStringLiteral(";}"));

    form->scrollArea_11->setFrameShape(QFrame::NoFrame);
    form->groupBox_4->setStyleSheet(QStringLiteral("QGroupBox{border:none;}"));
    form->groupBox_2->setStyleSheet(QStringLiteral("QGroupBox{border:none;}"));

    // The profile combo and its popup list.
    PanelStyle::SetPanelComboFace(form->ProjectChoose, pf);
    PanelStyle::InstallComboList(form->ProjectChoose, form->ProjectChoose->maxVisibleItems());

    form->label_3->setStyleSheet(QStringLiteral("QLabel{color:rgb(") +
                                 ThemeColor::Components(QStringLiteral("LabelColor")) + QStringLiteral(");}"));

    // Import and export, the hotspots, the function chooser, the profile icon.
    const QString resetStyle = QStringLiteral("QToolButton{border:none;") + centred + text +
        QStringLiteral("border-image:") + Url(pf, "Reset.png") + QStringLiteral(";}QToolButton:hover{border-image:") +
        Url(pf, "ResetHover.png") + QStringLiteral(";}QToolButton:pressed{border-image:") + Url(pf, "ResetClick.png") +
        QStringLiteral(";}");
    form->ImportData->setStyleSheet(resetStyle);
    form->OutputData->setStyleSheet(resetStyle);
    const QString hotspotStyle = QStringLiteral("QToolButton{color:rgb(0, 0, 0);border:none;") + centred +
        QStringLiteral("background-image:") + Url(pf, "NumberOrigin.png") +
        QStringLiteral(";}QToolButton:hover{background-image:") + Url(pf, "NumberHover.png") +
        QStringLiteral(";}QToolButton:pressed{padding-left:0px;background-image:") + Url(pf, "NumberClick.png") +
        QStringLiteral(";}");
    for (QAbstractButton* hotspot : hotspotButtonGroup->buttons())
        hotspot->setStyleSheet(hotspotStyle);
    auto chooserStyle = [&](const char* picture, const char* checkedPicture) {
        return QStringLiteral("QToolButton{border:none;color:rgb(255,255,255);") + centred +
            QStringLiteral("background-image:") + Url(pf, picture) +
            QStringLiteral(";}QToolButton:checked{color:rgb(255,255,255);background-image:") +
            Url(pf, checkedPicture) + QStringLiteral(";}");
    };
    const QString directStyle = chooserStyle("BMenuTitle.png", "BMenuTitleChecked.png");
    for (QToolButton* button : {form->LeftKey_3, form->RightKey_3, form->MidKey, form->BackKey_2, form->ForWardKey,
                                form->DPI_2, form->DPI_3, static_cast<QToolButton*>(form->DPI_6),
                                static_cast<QToolButton*>(form->DPI_8), form->DPI_5})
        button->setStyleSheet(directStyle);
    const QString categoryStyle = chooserStyle("BMenuTitleB.png", "BMenuTitleCheckedB.png");
    for (QToolButton* button : {form->DPI_13, form->DPI_11, form->DPI_10, form->DPI_9, form->DPI_7, form->DPI_12,
                                form->DPI_4})
        button->setStyleSheet(categoryStyle);
    form->label->setStyleSheet(QStringLiteral("#label{border:none;color:rgb(255,255,255);") + centred +
                               QStringLiteral("background-image:") + Url(pf, "Config.png") + QStringLiteral(";}"));
}

void Buttoninterface::BuildSensorDefineTable()
{
    SensorDefineTable table;
    SensorCapabilityHeader::Parse(SensorCapabilityHeader::DefaultPath(), &table, nullptr);
    sensorDefineNames = table.sensorDefineNames;
    sensorDefineValues = table.sensorDefineValues;
}

void Buttoninterface::ReturnToIdleView()
{
    form->stackedWidget->setCurrentWidget(form->page);
    form->scrollArea_11->verticalScrollBar()->setStyleSheet(QStringLiteral("QScrollBar {width:10px;}"));
    form->stackedWidget_2->setCurrentWidget(form->page_9);
}

void Buttoninterface::WaitWithEvents(int milliseconds)
{
    WaitProcessingEvents(milliseconds);
}

void Buttoninterface::UncheckGroup(QButtonGroup* group)
{
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

void Buttoninterface::mousePressEvent(QMouseEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress || event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->pos();
    const QPoint shifted(p.x(), p.y() - kLowerBandShift);
    auto inside = [](QWidget* widget, const QPoint& point) { return widget->geometry().contains(point); };
    auto uncheckRowsAndIdle = [this] {
        UncheckGroup(rowButtonGroup);
        ReturnToIdleView();
    };

    int s1 = form->stackedWidget->currentIndex();
    int s2 = form->stackedWidget_2->currentIndex();
    if (s1 != kStackedIdlePage && s2 != kCategoryDebouncePage) {
        if (!inside(form->groupBox, p))
            ReturnToIdleView();
    } else if (s1 != kStackedIdlePage && s2 == kCategoryDebouncePage) {
        if (!inside(form->scrollArea_11, p) && !inside(form->stackedWidget, shifted))
            ReturnToIdleView();
    }

    s1 = form->stackedWidget->currentIndex();
    s2 = form->stackedWidget_2->currentIndex();
    if (s1 == kStackedIdlePage && s2 == kCategoryDebouncePage) {
        if (!inside(form->scrollArea_11, p) || inside(form->stackedWidget, shifted))
            uncheckRowsAndIdle();
    } else if (s1 != kStackedIdlePage && s2 == kCategoryDebouncePage) {
        if (!inside(form->groupBox, p))
            uncheckRowsAndIdle();
    } else if (s1 != kStackedIdlePage && s2 != kCategoryDebouncePage) {
        if (!inside(form->scrollArea_11, p) && !inside(form->stackedWidget, p) && !inside(form->stackedWidget_2, p))
            uncheckRowsAndIdle();
    }

    bool otherHotspot = false;
    for (QToolButton* hotspot : {form->Number2, form->Number3, form->Number4, form->Number5, form->Number6})
        otherHotspot = otherHotspot || inside(hotspot, p);
    if (!inside(form->Number1, p) || otherHotspot)
        UncheckGroup(hotspotButtonGroup);

    if (inside(form->widget, p))
        uncheckRowsAndIdle();
}

void Buttoninterface::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::LanguageChange)
        return;
    const int index = form->ProjectChoose->currentIndex();
    form->ProjectChoose->blockSignals(true);
    form->retranslateUi(this);
    form->ProjectChoose->setCurrentIndex(index);
    form->ProjectChoose->blockSignals(false);
}

int Buttoninterface::KeyNumberOfCurrentModel()
{
    const QString group = ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex);
    bool ok = false;
    const int count = ConfigSettings::Instance()->Value(group, QStringLiteral("KeyNumber")).toInt(&ok, 10);
    if (!ok || count < 0)
        return 0;
    // The record holds sixteen button headers; a larger count reads no further.
    return qMin(count, 16);
}

void Buttoninterface::RebuildMirror(const FlashDataMap& record, int count)
{
    types.clear();
    codes.clear();
    extras.clear();
    for (int b = 0; b < count && b < 16; ++b) {
        types.append(record.buttons[b].type);
        codes.append(record.buttons[b].code);
        extras.append(record.buttons[b].extra);
    }
}

void Buttoninterface::SlotAllLanguage(int index)
{
    // Fonts of the function chooser; from the second pass on they follow the
    // screen's DPI, as the window's fonts were scaled at start.
    QFont font(QString::fromUtf8("微软雅黑"), index == 4 ? 7 : 9);
    if (languageAppliedOnce) {
        double dpi = DisplayMetrics::LogicalDpi();
        if (dpi <= 0)
            dpi = 96;
        font.setPointSizeF(font.pointSizeF() / (dpi / 96.0));
    }
    for (QAbstractButton* button : chooserButtonGroup->buttons())
        button->setFont(font);
    languageAppliedOnce = 1;

    auto keyText = [index](const char* key) {
        return LanguageTables::Text(index, QStringLiteral("key"), QLatin1String(key));
    };
    auto label = [index](const char* value, int k) {
        return LanguageTables::OptionTexts(index, QStringLiteral("KeyOptions"), QLatin1String(value)).value(k);
    };
    form->ImportData->setToolTip(index == 5 ? keyText("Import") : QString());
    form->ImportData->setText(keyText("Import"));
    form->OutputData->setToolTip(index == 5 ? keyText("Export") : QString());
    form->OutputData->setText(keyText("Export"));

    const struct {
        QAbstractButton* control;
        const char* value;
        int label;
    } labelled[] = {
        {form->FireKey, "0x0100", 3},    {form->RightKey, "0x0200", 3},    {form->BackKey, "0x0400", 0},
        {form->StartPause, "0x1000", 0}, {form->TopMusic, "0x0800", 0},    {form->BackMusic, "0x0100", 0},
        {form->Button9, "0x0100", 0},    {form->Button10, "0x0100", 0},    {form->Button11, "0x0100", 0},
        {form->Button12, "0x0100", 0},   {form->VolumeUp_8, "0x0100", 0},  {form->LeftKey_3, "0x0100", 3},
        {form->RightKey_3, "0x0200", 3}, {form->MidKey, "0x0400", 0},      {form->BackKey_2, "0x0800", 0},
        {form->ForWardKey, "0x1000", 0}, {form->VolumeUp_2, "0x0100", 2},  {form->VolumeDown_2, "0x0200", 2},
        {form->VolumeUp_14, "0x0100", 1}, {form->VolumeDown_14, "0x0200", 1},
        {form->DPI_2, "7", 0},           {form->DPI_3, "9", 0},            {form->DPI_6, "4", 0},
        {form->DPI_8, "5", 0},           {form->DPI_5, "10", 0},           {form->DPI_13, "B", 0},
        {form->DPI_11, "3", 0},          {form->DPI_10, "6", 0},           {form->DPI_9, "11", 0},
        {form->DPI_7, "2", 0},           {form->DPI_12, "1005", 0},        {form->DPI_4, "12", 0},
        {form->VolumeUp_4, "13", 0},     {form->VolumeUp_5, "14", 0},      {form->VolumeUp_6, "15", 0},
        {form->VolumeUp_7, "16", 0},
        // The media keys by their consumer usage.
        {form->Player, "0x0183", 0},     {form->StartPause_2, "0x00CD", 0}, {form->BackMusic_2, "0x00B5", 0},
        {form->TopMusic_2, "0x00B6", 0}, {form->Mute, "0x00B7", 0},         {form->VolumeUp, "0x00E2", 0},
        {form->VolumeDown, "0x00E9", 0}, {form->VolumeDown_4, "0x00EA", 0}, {form->VolumeDown_5, "0x018A", 0},
        {form->VolumeDown_6, "0x0192", 0}, {form->VolumeDown_3, "0x0194", 0}, {form->VolumeDown_8, "0x0223", 0},
        {form->VolumeDown_9, "0x0221", 0}, {form->VolumeDown_7, "0x0225", 0}, {form->VolumeDown_10, "0x0224", 0},
        {form->VolumeDown_12, "0x0226", 0}, {form->VolumeDown_13, "0x0227", 0}, {form->VolumeDown_11, "0x022A", 0},
    };
    for (const auto& entry : labelled)
        entry.control->setText(label(entry.value, entry.label));
    form->Button7->setText(QStringLiteral("DPI+"));
    form->Button8->setText(QStringLiteral("DPI-"));

    form->label_3->setText(keyText("DebounceTime"));
    macroRowPrefix = LanguageTables::Text(index, QStringLiteral("macro"), QStringLiteral("MacroSeond"));
    profileNamePrefix = LanguageTables::OptionTexts(index, QStringLiteral("ProfileOptions"), QStringLiteral("0")).value(0);
    profileNamePrefix.remove(QLatin1Char('1'));
    for (int i = 0; i < 16; ++i)
        form->DebunceButton->SetItemUnit(i, QStringLiteral("ms"));

    // Redisplay in the new language, from the device when it answered last,
    // else from its cache; without a cache nothing is redisplayed.
    FlashDataMap cached{};
    if (DeviceCacheFile::ReadFlashCache(DeviceCacheFile::SelectionCacheName(), &cached)) {
        const int count = KeyNumberOfCurrentModel();
        const FlashDataMap record = lastOnline ? CurrentFlashMapLock::Snapshot() : cached;
        ShowRecord(record, count);

        MyConmboBox* combo = form->ProjectChoose;
        const int items = combo->count();
        const int current = combo->currentIndex();
        combo->blockSignals(true);
        combo->clear();
        for (int i = 0; i < items; ++i)
            combo->addItem(profileNamePrefix + QString::number(i + 1));
        combo->setCurrentIndex(current);
        combo->blockSignals(false);
    }
    PostMsg::Instance()->EmitSigAddConfig(form->ProjectChoose->currentText());
}

void Buttoninterface::on_MultiMedia_clicked()
{
    form->stackedWidget_2->setCurrentWidget(form->page_3);
}

void Buttoninterface::on_RightKey_2_clicked()
{
    form->stackedWidget_2->setCurrentWidget(form->page_4);
}

void Buttoninterface::on_LeftKey_clicked()
{
    form->stackedWidget_2->setCurrentWidget(form->page_4);
}

void Buttoninterface::on_Advance_clicked()
{
    form->stackedWidget_2->setCurrentWidget(form->page_4);
}

void Buttoninterface::on_Back_clicked()
{
    form->stackedWidget_2->setCurrentWidget(form->page_4);
}

void Buttoninterface::on_DPI_clicked()
{
    form->stackedWidget_2->setCurrentWidget(form->page_4);
}

void Buttoninterface::on_stackedWidget_currentChanged(int index)
{
    // The function area overlaps the row list: keep the shown one on top.
    if (index != kStackedIdlePage)
        form->stackedWidget->raise();
    else
        form->scrollArea_11->raise();
}

void Buttoninterface::on_stackedWidget_2_currentChanged(int)
{
}

void Buttoninterface::on_checkBox_clicked()
{
}

void Buttoninterface::on_DPI_4_clicked(bool)
{
}

void Buttoninterface::SlotUpDataButtonUIButton(FlashDataMap DataMap)
{
    buttonPageReady = false;
    buttonPageFilling = true;
    PostMsg::Instance()->EmitSigLightToFrom(DataMap.sleepTime * 10);
    sensorName = ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex),
                                                   QStringLiteral("Sensor"));
    ShowRecord(DataMap, KeyNumberOfCurrentModel());
    form->DebunceButton->SetDebounceIndex(DataMap.debounceTime);
    buttonPageReady = true;
    buttonPageFilling = false;
}

void Buttoninterface::SlotUpDataButtonUIB(FlashDataMap DataMap)
{
    buttonPageFilling = true;
    sensorName = ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex),
                                                   QStringLiteral("Sensor"));
    PostMsg::Instance()->EmitSigLightToFrom(DataMap.sleepTime * 10);
    ShowRecord(DataMap, KeyNumberOfCurrentModel());
    form->DebunceButton->SetDebounceIndex(DataMap.debounceTime);
    buttonPageFilling = false;
}

void Buttoninterface::SlotFormResetButton()
{
    buttonPageFilling = true;
    form->stackedWidget->setCurrentWidget(form->page);
    form->stackedWidget_2->setCurrentWidget(form->page_9);
    // Left, right, middle, back, forward, DPI cycle, up and down, report
    // rate twice, rapid fire every 10 ms and one button off.
    types = {1, 1, 1, 1, 1, 2, 2, 2, 7, 7, 4, 0};
    codes = {1, 2, 4, 8, 16, 1, 2, 3, 0, 0, 10, 0};
    extras.clear();
    form->DebunceButton->SetDebounceIndex(8);
    PostMsg::Instance()->EmitSigLightToFrom(60);
    buttonPageFilling = false;
}

void Buttoninterface::SlotUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable)
{
    // Following the mouse's report switches no profile: the combo's own
    // signals stay blocked while it is rebuilt and its current item set.
    MyConmboBox* combo = form->ProjectChoose;
    combo->blockSignals(true);
    combo->clear();
    if (ToTalItem > 0) {
        for (int i = 0; i < ToTalItem; ++i)
            combo->addItem(profileNamePrefix + QString::number(i + 1));
    } else if (ToTalItem == 0) {
        combo->addItem(profileNamePrefix + QStringLiteral("1"));
    }
    combo->blockSignals(false);
    combo->setEnabled(ItemEnable);
    if (ToTalItem > 0) {
        // A profile byte beyond the list leaves the first profile current
        // rather than none.
        combo->blockSignals(true);
        combo->setCurrentIndex(SelectIndex >= 0 && SelectIndex < ToTalItem ? SelectIndex : 0);
        combo->blockSignals(false);
    }
    PostMsg::Instance()->EmitSigAddConfig(combo->currentText());
}

QAbstractButton* Buttoninterface::RowControl(int button) const
{
    QAbstractButton* const rows[DeviceButtonIndex::RowCount] = {
        form->FireKey,  form->RightKey, form->BackKey, form->TopMusic, form->StartPause, form->BackMusic,
        form->Button7,  form->Button8,  form->Button9, form->Button10, form->Button11,   form->Button12};
    return button >= 0 && button < DeviceButtonIndex::RowCount ? rows[button] : nullptr;
}

void Buttoninterface::ShowRecord(const FlashDataMap& record, int count)
{
    RebuildMirror(record, count);
    for (int b = 0; b < count && b < types.size(); ++b)
        ShowRowAssignment(b, types[b], codes[b], extras[b], record);
}

QString Buttoninterface::KeySequenceText(const KeyBlock& block) const
{
    // Half the events are presses; a count byte beyond the block's six
    // events reads no further than the block.
    const int presses = qMin<int>(block.eventCount / 2, 6);
    QStringList names;
    for (int k = 0; k < presses; ++k)
        names << KeyBlockCodec::UsageToKeyName(block.events[k].usage[0], block.events[k].kind);
    return names.join(QLatin1Char('+'));
}

void Buttoninterface::ShowRowAssignment(int button, int type, int code, int extra, const FlashDataMap& record)
{
    QAbstractButton* row = RowControl(button);
    if (!row)
        return;
    auto pick = [code](std::initializer_list<std::pair<int, QAbstractButton*>> table) -> QAbstractButton* {
        for (const auto& entry : table)
            if (entry.first == code)
                return entry.second;
        return nullptr;
    };
    QAbstractButton* source = nullptr;
    switch (type) {
    case FunctionDisabled: source = form->DPI_5; break;
    case FunctionMouseButton:
        source = pick({{1, form->LeftKey_3}, {2, form->RightKey_3}, {4, form->MidKey}, {8, form->BackKey_2},
                       {16, form->ForWardKey}});
        break;
    case FunctionDpiStep: source = pick({{1, form->VolumeUp_8}, {2, form->VolumeUp_9}, {3, form->VolumeUp_10}}); break;
    case FunctionTilt: source = pick({{1, form->VolumeUp_2}, {2, form->VolumeDown_2}}); break;
    case FunctionFireKey: source = form->DPI_6; break;
    case FunctionKeySequence: {
        const KeyBlock& block = record.keyBlocks[button];
        if (block.events[0].kind == 2) {
            const ConsumerKeyTable::Row* media = ConsumerKeyTable::RowOfCode(block.events[0].usage[0]);
            if (QAbstractButton* mediaButton = media ? findChild<QAbstractButton*>(media->mediaButton) : nullptr)
                row->setText(mediaButton->text());
        } else {
            row->setText(KeySequenceText(block));
        }
        return;
    }
    case FunctionMacro: {
        // The mouse's bytes name a file: only a safe name is used.
        const QString name = MacroBlockCodec::NameOf(record.macroBlocks[button]);
        row->setText(macroRowPrefix + name);
        WriteMacroHeader(name, QString::number(extra));
        PostMsg::Instance()->EmitSigButtonToMacro(record, button);
        return;
    }
    case FunctionReportRate: source = form->DPI_2; break;
    case FunctionLights:
        source = pick({{0, form->VolumeUp_4}, {1, form->VolumeUp_5}, {3, form->VolumeUp_6}, {4, form->VolumeUp_7}});
        break;
    case FunctionProfile: source = form->DPI_3; break;
    case FunctionDpiLock:
        row->setText(form->DPI_4->text() + QLatin1Char('-') + QString::number(SensorCodeToDpi(code)));
        return;
    case FunctionScroll: source = pick({{1, form->VolumeUp_14}, {2, form->VolumeDown_14}}); break;
    default: break;
    }
    if (source)
        row->setText(source->text());
}

void Buttoninterface::WriteMacroHeader(const QString& name, const QString& text)
{
    MacroFolder::WriteHeader(name, text);
}

QString Buttoninterface::ReadMacroHeader(const QString& name) const
{
    return MacroFolder::ReadHeader(name);
}

int Buttoninterface::SensorCodeToDpi(int code) const
{
    return DpiLockCoding::SensorCodeToDpi(code, sensorName, SensorDefines());
}

// ---- Row selection ------------------------------------------------------------

void Buttoninterface::ScrollList(QScrollArea* area, int position)
{
    area->verticalScrollBar()->setSliderPosition(position);
}

void Buttoninterface::SelectRow(QAbstractButton* row, int index, const char* scrollBarStyle)
{
    // The last row that left-clicks keeps its function.
    const QString leftClick = form->LeftKey_3->text();
    int leftClickRows = 0;
    for (int b = 0; b < DeviceButtonIndex::RowCount; ++b)
        leftClickRows += RowControl(b)->text() == leftClick ? 1 : 0;
    if (row->text() == leftClick && leftClickRows == 1) {
        form->stackedWidget->setCurrentWidget(form->page);
        form->stackedWidget_2->setCurrentWidget(form->page_9);
        UncheckGroup(rowButtonGroup);
        LeftButtonOnly notice;
        const QPoint origin = mapToGlobal(QPoint(0, 0));
        notice.move(origin.x() + (width() - notice.width()) / 2 - 50,
                    origin.y() + (height() - notice.height()) / 2 - 70);
        notice.exec();
        return;
    }
    form->scrollArea_11->verticalScrollBar()->setStyleSheet(QLatin1String(scrollBarStyle));
    ShowAssignmentOnChooser(index);
}

void Buttoninterface::ShowAssignmentOnChooser(int index)
{
    // A row the mirror does not reach yet shows the idle chooser state.
    if (index < 0 || index >= types.size() || index >= codes.size()) {
        ScrollList(form->scrollArea_4, 0);
        return;
    }
    const int t = types[index];
    const int c = codes[index];
    if (t < 0 || t > FunctionScroll) {
        ScrollList(form->scrollArea_10, 0);
        ScrollList(form->scrollArea_4, 0);
        return;
    }
    auto pick = [c](std::initializer_list<std::pair<int, QAbstractButton*>> table) -> QAbstractButton* {
        for (const auto& entry : table)
            if (entry.first == c)
                return entry.second;
        return nullptr;
    };
    QWidget* optionPage = form->page_9;
    QAbstractButton* category = nullptr;
    QAbstractButton* function = nullptr;
    int n = 0;
    int d = 0;
    int p = -1;
    switch (t) {
    case FunctionDisabled: category = form->DPI_5; n = 9; break;
    case FunctionMouseButton: {
        category = pick({{1, form->LeftKey_3}, {2, form->RightKey_3}, {4, form->MidKey}, {8, form->BackKey_2},
                         {16, form->ForWardKey}});
        const int places[] = {1, 2, 4, 8, 16};
        for (int i = 0; i < 5; ++i)
            if (places[i] == c)
                n = i;
        break;
    }
    case FunctionDpiStep:
        optionPage = form->page_7;
        category = form->DPI_7;
        function = pick({{1, form->VolumeUp_8}, {2, form->VolumeUp_9}, {3, form->VolumeUp_10}});
        n = 13;
        break;
    case FunctionTilt:
        optionPage = form->page_4;
        category = form->DPI_11;
        function = pick({{1, form->VolumeUp_2}, {2, form->VolumeDown_2}});
        n = 10;
        break;
    case FunctionFireKey: category = form->DPI_6; n = 7; break;
    case FunctionKeySequence: {
        const KeyEvent& first = CurrentFlashMapLock::Snapshot().keyBlocks[index].events[0];
        const ConsumerKeyTable::Row* media = first.kind == 2 ? ConsumerKeyTable::RowOfCode(first.usage[0]) : nullptr;
        if (media) {
            optionPage = form->page_3;
            category = form->DPI_12;
            function = findChild<QAbstractButton*>(media->mediaButton);
            p = static_cast<int>(media - ConsumerKeyTable::Rows().constData());
            n = 16;
        } else {
            category = form->DPI_8;
            n = 8;
        }
        break;
    }
    case FunctionMacro: {
        optionPage = form->page_5;
        category = form->DPI_10;
        n = 15;
        QString rowText = RowControl(index)->text();
        rowText.remove(QChar(0));
        for (int k = 0; k < macroButtonList.size(); ++k) {
            if (macroRowPrefix + macroButtonList[k]->text() == rowText) {
                macroButtonList[k]->setChecked(true);
                ScrollList(form->scrollArea_7, 15 * (k + 1));
            }
        }
        break;
    }
    case FunctionReportRate: category = form->DPI_2; n = 5; break;
    case FunctionLights:
        optionPage = form->page_6;
        category = form->DPI_9;
        function = pick({{0, form->VolumeUp_4}, {1, form->VolumeUp_5}, {3, form->VolumeUp_6}, {4, form->VolumeUp_7}});
        n = 12;
        break;
    case FunctionProfile: category = form->DPI_3; n = 6; break;
    case FunctionDpiLock: {
        optionPage = form->page_8;
        category = form->DPI_4;
        n = 15;
        const int dpi = SensorCodeToDpi(c);
        const QVector<DpiLockCoding::Row>& rows = DpiLockCoding::Rows();
        for (int i = 0; i < rows.size(); ++i) {
            if (rows[i].dpi == dpi) {
                function = findChild<QAbstractButton*>(rows[i].dpiButton);
                d = i;
            }
        }
        break;
    }
    case FunctionScroll:
        optionPage = form->page_10;
        category = form->DPI_13;
        function = pick({{1, form->VolumeUp_14}, {2, form->VolumeDown_14}});
        n = 10;
        break;
    default: break;
    }
    form->stackedWidget->setCurrentWidget(form->page_2);
    form->stackedWidget_2->setCurrentWidget(optionPage);
    if (category)
        category->setChecked(true);
    if (function)
        function->setChecked(true);
    if (t == FunctionKeySequence)
        ScrollList(form->scrollArea_3, 15 * qMax(p, 0));
    else
        ScrollList(form->scrollArea_10, 15 * d);
    ScrollList(form->scrollArea_4, 15 * n);
}

void Buttoninterface::on_FireKey_clicked() { SelectRow(form->FireKey, 0, "QScrollBar {width:10px;}"); }
void Buttoninterface::on_RightKey_clicked() { SelectRow(form->RightKey, 1, "QScrollBar {width:0px;}"); }
void Buttoninterface::on_BackKey_clicked() { SelectRow(form->BackKey, 2, "QScrollBar {width:0px;}"); }
void Buttoninterface::on_StartPause_clicked() { SelectRow(form->StartPause, 4, "QScrollBar {width:0px;}"); }
void Buttoninterface::on_TopMusic_clicked() { SelectRow(form->TopMusic, 3, "QScrollBar {width:0px;}"); }
void Buttoninterface::on_BackMusic_clicked() { SelectRow(form->BackMusic, 5, "QScrollBar {width:0px;}"); }
void Buttoninterface::on_Button7_clicked() { SelectRow(form->Button7, 6, "QScrollBar {width:10px;}"); }
void Buttoninterface::on_Button8_clicked() { SelectRow(form->Button8, 7, "QScrollBar {width:10px;}"); }
void Buttoninterface::on_Button9_clicked() { SelectRow(form->Button9, 8, "QScrollBar {width:10px;}"); }
void Buttoninterface::on_Button10_clicked() { SelectRow(form->Button10, 9, "QScrollBar {width:10px;}"); }
void Buttoninterface::on_Button11_clicked() { SelectRow(form->Button11, 10, "QScrollBar {width:10px;}"); }
void Buttoninterface::on_Button12_clicked() { SelectRow(form->Button12, 11, "QScrollBar {width:10px;}"); }

void Buttoninterface::SelectRowAtHotspot(int k)
{
    // The offline notice comes first; the row is checked either way.
    DeviceSettingSetters::IsDeviceOnline();
    QAbstractButton* const rows[DeviceButtonIndex::RowCount] = {
        form->FireKey, form->RightKey, form->BackKey, form->StartPause, form->TopMusic,   form->BackMusic,
        form->Button7, form->Button8,  form->Button9, form->Button10,   form->Button11, form->Button12};
    rows[k - 1]->setChecked(true);
    ScrollList(form->scrollArea_11, 20 * (k - 1));
}

void Buttoninterface::on_Number1_clicked() { SelectRowAtHotspot(1); }
void Buttoninterface::on_Number2_clicked() { SelectRowAtHotspot(2); }
void Buttoninterface::on_Number3_clicked() { SelectRowAtHotspot(3); }
void Buttoninterface::on_Number4_clicked() { SelectRowAtHotspot(4); }
void Buttoninterface::on_Number5_clicked() { SelectRowAtHotspot(5); }
void Buttoninterface::on_Number6_clicked() { SelectRowAtHotspot(6); }
void Buttoninterface::on_Number7_clicked() { SelectRowAtHotspot(7); }
void Buttoninterface::on_Number8_clicked() { SelectRowAtHotspot(8); }
void Buttoninterface::on_Number9_clicked() { SelectRowAtHotspot(9); }
void Buttoninterface::on_Number10_clicked() { SelectRowAtHotspot(10); }
void Buttoninterface::on_Number11_clicked() { SelectRowAtHotspot(11); }
void Buttoninterface::on_Number12_clicked() { SelectRowAtHotspot(12); }

void Buttoninterface::on_DPI_11_clicked() { form->stackedWidget_2->setCurrentWidget(form->page_4); }
void Buttoninterface::on_DPI_12_clicked() { form->stackedWidget_2->setCurrentWidget(form->page_3); }
void Buttoninterface::on_DPI_13_clicked() { form->stackedWidget_2->setCurrentWidget(form->page_10); }
void Buttoninterface::on_DPI_4_clicked() { form->stackedWidget_2->setCurrentWidget(form->page_8); }
void Buttoninterface::on_DPI_7_clicked() { form->stackedWidget_2->setCurrentWidget(form->page_7); }
void Buttoninterface::on_DPI_9_clicked() { form->stackedWidget_2->setCurrentWidget(form->page_6); }

void Buttoninterface::SlotMouseIndex(int index)
{
    PanelStyle::ApplySheet(
        form->widget,
        QStringLiteral("#widget{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(") +
            pictureFolder + QStringLiteral("mouse") + QString::number(index) + QStringLiteral(".png);}"));
}

void Buttoninterface::PrepareMousePicture(int index)
{
    // Polished, the sheet decodes its picture now; the sheet set again later
    // finds it in the pixmap cache.
    SlotMouseIndex(index);
    form->widget->ensurePolished();
}

void Buttoninterface::on_ProjectChoose_currentIndexChanged(int)
{
}

void Buttoninterface::on_OutputData_clicked()
{
    const QString path = RememberedFileDialog::SaveFile(this, QStringLiteral("FileSave"), QStringLiteral("File(*.bin)"),
                                                        QStringLiteral("bin"));
    if (path.isEmpty())
        return;
    // The record as the page holds it now, online or not.
    ExportProfile(path, CurrentFlashMapLock::Snapshot());
}

void Buttoninterface::ExportProfile(const QString& path, const FlashDataMap& record)
{
    const QString sensor = ConfigSettings::Instance()->Value(
        ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex), QStringLiteral("Sensor"));
    if (ProfileExportFile::Write(path, sensor, record))
        return;
    KeyedNotice notice(QStringLiteral("key"), QStringLiteral("DialogExportFail"));
    NoticeFrame::PlaceOnCaller(&notice, this, kProfileDialogOffsetX, kProfileDialogOffsetY);
    notice.exec();
}

void Buttoninterface::on_ImportData_clicked()
{
    const QByteArray devicePath = CurrentDevice::Path();
    if (!UsbFinderC_GetDeviceOnLine(devicePath.constData())) {
        PostMsg::Instance()->EmitSigMouseOffLineo(0);
        return;
    }
    // The import's own please-wait dialog stands alone: a pass of the
    // worker meanwhile opens none.
    noWaitDialog = 1;
    const QString file = RememberedFileDialog::OpenFile(this, QStringLiteral("SelectFile"), QStringLiteral("File(*.bin)"));
    if (!file.isEmpty()) {
        UpDataParam apply;
        apply.StartTimer();
        apply.importMode = true;
        apply.profilePath = file;
        NoticeFrame::PlaceOnCaller(&apply, this, kProfileDialogOffsetX, kProfileDialogOffsetY);
        apply.exec();
    }
    noWaitDialog = 0;
}

void Buttoninterface::on_ProjectChoose_activated(int index)
{
    MyConmboBox* combo = form->ProjectChoose;
    const QByteArray path = CurrentDevice::Path();
    // The mouse answers with its configuration and fresh data, which the
    // pages then follow. One that stopped answering in between stays on its
    // profile, and so does the combo.
    if ((UsbFinderC_GetDeviceOnLine(path.constData()) || buttonPageFilling)
        && UsbServer_SetCurrentConfig(index & 0xFF)) {
        PostMsg::Instance()->EmitSigAddConfig(combo->currentText());
        return;
    }
    combo->setCurrentIndex(combo->PressedIndex());
    if (!buttonPageFilling)
        PostMsg::Instance()->EmitSigMouseOffLineo(0);
}

void Buttoninterface::on_Reset_clicked()
{
    RunFactoryReset(this);
}

void Buttoninterface::on_pushButton_clicked()
{
    dongleRgb->bytes[0] = 1;
    const QByteArray path = CurrentDevice::Path();
    UsbFinderC_Set4KDongleRGB(path.constData(), dongleRgb->bytes);
}

void Buttoninterface::UncheckFunctionButtons()
{
    // Every option page's button and the macro list's: the scroll buttons
    // too, so no stale check mark stays behind.
    UncheckGroup(optionButtonGroup);
}

void Buttoninterface::StoreRowAssignment(int index, int type, int code, int extra)
{
    ButtonAssignmentMirror(types, codes, extras).Store(index, type, code, extra);
}

QList<int> Buttoninterface::MirrorEntry(int index) const
{
    QList<int> entry;
    for (const QList<int>* list : {&types, &codes, &extras})
        entry.append(index >= 0 && index < list->size() ? list->at(index) : -1);
    return entry;
}

int Buttoninterface::DpiToSensorCode(int dpi) const
{
    return DpiLockCoding::DpiToSensorCode(dpi, sensorName, SensorDefines());
}

void Buttoninterface::AssignMediaKey(int button, int code)
{
    functionSender->AssignMediaKey(button, code);
}

void Buttoninterface::SendDpiLock(bool checked, const QString& dpiButton, int dpi)
{
    if (!checked)
        return;
    // The code is worked out before the rows are looked at.
    functionSender->SendDpiLock(checked, dpiButton, DpiToSensorCode(dpi));
}

void Buttoninterface::on_LeftKey_3_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("LeftKey_3"));
}

void Buttoninterface::on_RightKey_3_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("RightKey_3"));
}

void Buttoninterface::on_MidKey_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("MidKey"));
}

void Buttoninterface::on_BackKey_2_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("BackKey_2"));
}

void Buttoninterface::on_ForWardKey_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("ForWardKey"));
}

void Buttoninterface::on_DPI_2_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("DPI_2"));
}

void Buttoninterface::on_DPI_3_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("DPI_3"));
}

void Buttoninterface::on_DPI_5_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("DPI_5"));
}

void Buttoninterface::on_VolumeUp_2_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeUp_2"));
}

void Buttoninterface::on_VolumeDown_2_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeDown_2"));
}

void Buttoninterface::on_VolumeUp_4_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeUp_4"));
}

void Buttoninterface::on_VolumeUp_5_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeUp_5"));
}

void Buttoninterface::on_VolumeUp_6_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeUp_6"));
}

void Buttoninterface::on_VolumeUp_7_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeUp_7"));
}

void Buttoninterface::on_VolumeUp_8_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeUp_8"));
}

void Buttoninterface::on_VolumeUp_9_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeUp_9"));
}

void Buttoninterface::on_VolumeUp_10_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeUp_10"));
}

void Buttoninterface::on_Player_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("Player"));
}

void Buttoninterface::on_StartPause_2_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("StartPause_2"));
}

void Buttoninterface::on_BackMusic_2_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("BackMusic_2"));
}

void Buttoninterface::on_TopMusic_2_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("TopMusic_2"));
}

void Buttoninterface::on_Mute_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("Mute"));
}

void Buttoninterface::on_VolumeUp_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeUp"));
}

void Buttoninterface::on_VolumeDown_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown"));
}

void Buttoninterface::on_VolumeDown_4_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_4"));
}

void Buttoninterface::on_VolumeDown_5_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_5"));
}

void Buttoninterface::on_VolumeDown_6_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_6"));
}

void Buttoninterface::on_VolumeDown_3_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_3"));
}

void Buttoninterface::on_VolumeDown_8_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_8"));
}

void Buttoninterface::on_VolumeDown_9_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_9"));
}

void Buttoninterface::on_VolumeDown_7_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_7"));
}

void Buttoninterface::on_VolumeDown_10_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_10"));
}

void Buttoninterface::on_VolumeDown_12_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_12"));
}

void Buttoninterface::on_VolumeDown_13_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_13"));
}

void Buttoninterface::on_VolumeDown_11_clicked(bool checked)
{
    functionSender->SendMediaKey(checked, QStringLiteral("VolumeDown_11"));
}

void Buttoninterface::on_VolumeUp_11_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_11"), 100);
}

void Buttoninterface::on_VolumeUp_12_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_12"), 200);
}

void Buttoninterface::on_VolumeUp_13_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_13"), 300);
}

void Buttoninterface::on_VolumeUp_16_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_16"), 400);
}

void Buttoninterface::on_VolumeUp_15_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_15"), 500);
}

void Buttoninterface::on_VolumeUp_19_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_19"), 600);
}

void Buttoninterface::on_VolumeUp_20_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_20"), 700);
}

void Buttoninterface::on_VolumeUp_22_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_22"), 800);
}

void Buttoninterface::on_VolumeUp_18_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_18"), 900);
}

void Buttoninterface::on_VolumeUp_24_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_24"), 1000);
}

void Buttoninterface::on_VolumeUp_23_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_23"), 1100);
}

void Buttoninterface::on_VolumeUp_21_clicked(bool checked)
{
    SendDpiLock(checked, QStringLiteral("VolumeUp_21"), 1200);
}

void Buttoninterface::on_VolumeUp_14_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeUp_14"));
}

void Buttoninterface::on_VolumeDown_14_clicked(bool checked)
{
    functionSender->SendSingleCode(checked, QStringLiteral("VolumeDown_14"));
}

// ---- Key combinations and rapid fire -------------------------------------------

void Buttoninterface::PlaceDialog(QWidget* dialog) const
{
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    dialog->move(origin.x() + (width() - dialog->width()) / 2 - 50, origin.y() + (height() - dialog->height()) / 2 - 70);
}

void Buttoninterface::ShowChooserView()
{
    form->stackedWidget->setCurrentWidget(form->page_2);
    form->scrollArea_11->verticalScrollBar()->setStyleSheet(QStringLiteral("QScrollBar {width:10px;}"));
    form->stackedWidget_2->setCurrentWidget(form->page_9);
}

void Buttoninterface::on_DPI_8_clicked()
{
    QString text;
    {
        GroupKey dialog;
        PlaceDialog(&dialog);
        dialog.exec();
        if (!dialog.confirmed)
            return;
        text = dialog.keyText;
    }
    form->stackedWidget_2->setCurrentWidget(form->page_9);
    // The row is looked for only now: the dialog's loop may have changed it.
    functionSender->SendKeyCombination(text, [this] { ShowChooserView(); });
}

void Buttoninterface::AssignKeyCombination(int button, const QString& text)
{
    form->stackedWidget_2->setCurrentWidget(form->page_9);
    UncheckFunctionButtons();
    functionSender->AssignKeyCombination(button, text);
    ShowChooserView();
}

void Buttoninterface::on_DPI_6_clicked(bool checked)
{
    if (!checked)
        return;
    functionSender->SendFireKey(fireKeyInterval, fireKeyCount);
}

void Buttoninterface::on_DPI_6_clicked()
{
    const QByteArray path = CurrentDevice::Path();
    if (!UsbFinderC_GetDeviceOnLine(path.constData()) && !buttonPageFilling) {
        form->stackedWidget->setCurrentWidget(form->page);
        form->stackedWidget_2->setCurrentWidget(form->page_9);
        return;
    }
    // A button that has rapid fire already opens with its own values; the
    // mirror may hold no entry for it (the factory defaults have no counts).
    int interval = 10;
    int count = 3;
    int b = -1;
    QAbstractButton* row = DeviceButtonIndex::CheckedRow(this, &b);
    if (row && row->text() == form->DPI_6->text()) {
        const QList<int> entry = MirrorEntry(b);
        if (entry.at(1) >= 0)
            interval = entry.at(1);
        if (entry.at(2) >= 0)
            count = entry.at(2);
    }
    FireKey dialog;
    dialog.SetTime(interval);
    dialog.SetCount(count);
    PlaceDialog(&dialog);
    dialog.exec();
    if (!dialog.confirmed)
        return;
    fireKeyInterval = dialog.interval;
    fireKeyCount = dialog.count;
    on_DPI_6_clicked(true);
}

// ---- Macro list and macro binding ------------------------------------------------

void Buttoninterface::BuildMacroList()
{
    macroListLayout = new QVBoxLayout;
    macroListLayout->setSizeConstraint(QLayout::SetFixedSize);
    macroListWidget = new QWidget;
    macroListWidget->setObjectName(QStringLiteral("macroListWidget"));
    macroListWidget->setMinimumSize(205, 220);
    macroListWidget->setMaximumSize(205, 220);
    macroListWidget->setStyleSheet(QStringLiteral("background-color:transparent;border:none;"));
    macroListWidget->setLayout(macroListLayout);
    // The list takes the place of the form's empty contents, which go.
    form->scrollArea_7->setWidget(macroListWidget);
    form->scrollAreaWidgetContents_7 = nullptr;
    form->verticalLayout_6 = nullptr;
    AddMacroButtons(QFont(QString::fromUtf8("微软雅黑"), 9));
}

void Buttoninterface::AddMacroButtons(const QFont& font)
{
    const QString style = QStringLiteral("QToolButton{color: rgb(") + buttonColor + QStringLiteral(";);border-image: url(") +
        pictureFolder + QStringLiteral("CMenuTitle.png);}QToolButton:hover{background-image: none;}"
                                       "QToolButton:checked{border-image: url(") +
        pictureFolder + QStringLiteral("CMenuTitleChecked.png);}");
    const QStringList names = MacroFolder::ListedNames();
    for (const QString& name : names) {
        auto* button = new QToolButton(macroListWidget);
        button->setText(name);
        button->setStyleSheet(style);
        button->setFont(font);
        button->setMinimumSize(174, 22);
        button->setCheckable(true);
        macroListLayout->addWidget(button);
        optionButtonGroup->addButton(button);
        macroButtonList.append(button);
        connect(button, SIGNAL(clicked(bool)), this, SLOT(slotButtonClicked(bool)));
    }
    // A short list keeps its buttons at the top.
    if (!names.isEmpty() && names.size() < 7) {
        for (int i = names.size(); i < 7; ++i) {
            auto* filler = new QToolButton(macroListWidget);
            filler->setStyleSheet(style);
            filler->setFont(font);
            filler->setEnabled(false);
            filler->setMinimumSize(174, 23);
            filler->setCheckable(true);
            filler->hide();
            macroListLayout->addWidget(filler);
            macroButtonList.append(filler);
        }
    }
}

void Buttoninterface::SlotAddMacroButton()
{
    for (QToolButton* button : qAsConst(macroButtonList)) {
        macroListLayout->removeWidget(button);
        optionButtonGroup->removeButton(button);
        button->disconnect(this);
        button->hide();
        // The button whose click is being handled must outlive that click.
        if (macroClicksRunning > 0)
            retiredMacroButtons.append(button);
        else
            button->deleteLater();
    }
    macroButtonList.clear();
    double dpi = DisplayMetrics::LogicalDpi();
    if (dpi <= 0)
        dpi = 96;
    QFont font(QString::fromUtf8("微软雅黑"));
    font.setPointSizeF(9 / (dpi / 96.0));
    AddMacroButtons(font);
}

void Buttoninterface::on_DPI_10_clicked()
{
    if (!macroButtonList.isEmpty()) {
        form->stackedWidget_2->setCurrentWidget(form->page_5);
        return;
    }
    form->stackedWidget_2->setCurrentWidget(form->page_9);
    MakeMacro notice;
    PlaceDialog(&notice);
    notice.exec();
}

bool Buttoninterface::RowShowsMacro(int b, const QString& name) const
{
    QAbstractButton* row = RowControl(b);
    if (!row)
        return false;
    QString text = row->text();
    text.remove(QChar(0));
    if (text != macroRowPrefix + name)
        return false;
    // A key row may show the same word; only a button that holds a macro follows it.
    return MirrorEntry(b).at(0) == FunctionMacro || CurrentFlashMapLock::Snapshot().buttons[b].type == FunctionMacro;
}

void Buttoninterface::SlotDeleteMacroButton(QString MacroName)
{
    MacroName.remove(QChar(0));
    struct Fallback {
        const char* button;
        const char* sender;
    };
    // By mouse button: what each falls back to when its macro is gone.
    static const Fallback fallbacks[DeviceButtonIndex::RowCount] = {
        {"LeftKey_3", "on_LeftKey_3_clicked"}, {"RightKey_3", "on_RightKey_3_clicked"},
        {"MidKey", "on_MidKey_clicked"},       {"BackKey_2", "on_BackKey_2_clicked"},
        {"ForWardKey", "on_ForWardKey_clicked"}, {"VolumeUp_8", "on_VolumeUp_8_clicked"},
        {"VolumeUp_9", "on_VolumeUp_9_clicked"}, {"VolumeUp_10", "on_VolumeUp_10_clicked"},
        {"DPI_2", "on_DPI_2_clicked"},         {"DPI_2", "on_DPI_2_clicked"},
        {"DPI_6", "on_DPI_6_clicked"},         {"DPI_5", "on_DPI_5_clicked"},
    };
    const QString group = ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex);
    QStringList keyParams[6];
    for (int i = 0; i < 6; ++i)
        keyParams[i] = ConfigSettings::Instance()->ListValue(group, QStringLiteral("KeyParam%1").arg(i + 1));

    // The texts are taken before any row changes.
    QStringList texts;
    for (const DeviceButtonIndex::Row& row : DeviceButtonIndex::Rows()) {
        QString text = RowControl(row.index)->text();
        texts << text.remove(QChar(0));
    }
    // The key blocks cleared below reach the mouse only with the last send.
    QList<QPair<int, KeyBlock>> cleared;
    for (int r = 0; r < DeviceButtonIndex::Rows().size(); ++r) {
        if (texts.at(r) != MacroName)
            continue;
        const int k = DeviceButtonIndex::Rows().at(r).index;
        QPointer<QAbstractButton> row = RowControl(k);
        auto* fallbackButton = findChild<QAbstractButton*>(QLatin1String(fallbacks[k].button));
        row->setChecked(true);
        if (fallbackButton)
            fallbackButton->setChecked(true);
        ButtonFunctionHeader headerBefore;
        {
            CurrentFlashMapLock lock;
            headerBefore = lock.Map().buttons[k];
        }

        // The configuration may name a media key or a key combination; one
        // the mouse cannot play gives the row its default instead.
        bool configured = false;
        const QStringList items = k < 6 ? keyParams[k] : QStringList();
        if (!items.isEmpty() && items.first() == QLatin1String("0x05")) {
            if (items.size() == 3) {
                bool ok = false;
                QString code = items.at(2).trimmed();
                if (code.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
                    code = code.mid(2);
                const int value = code.toInt(&ok, 16);
                if (ok && ConsumerKeyTable::RowOfCode(value)) {
                    AssignMediaKey(k, value);
                    configured = true;
                }
            } else if (items.size() == 4 && KeyBlockCodec::IsPlayableCombination(items.at(3))) {
                AssignKeyCombination(k, items.at(3));
                configured = true;
            }
        }
        if (!configured)
            QMetaObject::invokeMethod(this, fallbacks[k].sender, Qt::DirectConnection, Q_ARG(bool, true));
        CurrentFlashMapLock lock;
        const ButtonFunctionHeader& header = lock.Map().buttons[k];
        // A write that went through took the blocks cleared before it along.
        if (header.type != headerBefore.type || header.code != headerBefore.code
            || header.extra != headerBefore.extra)
            cleared.clear();
        if (!configured) {
            cleared.append(qMakePair(k, lock.Map().keyBlocks[k]));
            std::memset(&lock.Map().keyBlocks[k], 0, sizeof(KeyBlock));
        }
    }
    UncheckGroup(rowButtonGroup);
    ReturnToIdleView();
    if (!DeviceSettingSetters::SendProtocolRecord()) {
        // The mouse still holds those blocks; so does the record.
        CurrentFlashMapLock lock;
        for (const QPair<int, KeyBlock>& block : cleared)
            lock.Map().keyBlocks[block.first] = block.second;
    }
}

void Buttoninterface::SlotMacroRename(QString MacroName, QString NewName)
{
    MacroName.remove(QChar(0));
    NewName.remove(QChar(0));
    for (const DeviceButtonIndex::Row& entry : DeviceButtonIndex::Rows()) {
        const int k = entry.index;
        if (!RowShowsMacro(k, MacroName))
            continue;
        const FlashDataMap record = CurrentFlashMapLock::Snapshot();
        const ButtonFunctionHeader header = record.buttons[k];
        MacroBlock block = record.macroBlocks[k];
        const QByteArray name = MacroName::LocalBytes(MacroName::CutToBytes(NewName, sizeof(block.name)));
        std::memset(block.name, 0, sizeof(block.name));
        std::memcpy(block.name, name.constData(), static_cast<size_t>(name.size()));
        block.nameLength = static_cast<uint8_t>(name.size());
        // A row the mouse did not take keeps the name the mouse holds.
        if (DeviceSettingSetters::SetButtonMacro(k, header, block))
            RowControl(k)->setText(macroRowPrefix + NewName);
    }
}

void Buttoninterface::SlotUpDataMacro(QString MacroName, int index)
{
    MacroName.remove(QChar(0));
    if (index == 0) {
        // The macro page sends the block itself, from its event list.
        QPointer<Buttoninterface> self(this);
        WaitWithEvents(1500);
        if (!self)
            return;
        for (const DeviceButtonIndex::Row& entry : DeviceButtonIndex::Rows()) {
            if (RowShowsMacro(entry.index, MacroName))
                PostMsg::Instance()->EmitSigMacroDownLoadData(MacroName, entry.index);
        }
    } else if (index == 1) {
        bool ok = false;
        const int mode = ReadMacroHeader(MacroName).toInt(&ok, 10);
        for (const DeviceButtonIndex::Row& entry : DeviceButtonIndex::Rows()) {
            if (!RowShowsMacro(entry.index, MacroName))
                continue;
            const FlashDataMap record = CurrentFlashMapLock::Snapshot();
            ButtonFunctionHeader header = record.buttons[entry.index];
            header.extra = static_cast<uint8_t>((ok ? mode : 0) & 0xFF);
            DeviceSettingSetters::SetButtonMacro(entry.index, header, record.macroBlocks[entry.index]);
        }
    }
}

void Buttoninterface::slotButtonClicked(bool checked)
{
    auto* button = qobject_cast<QAbstractButton*>(sender());
    if (!checked || !button)
        return;
    // Everything the send needs is taken now: the list may be rebuilt while
    // the offline notice runs.
    const QString name = button->text();
    ++macroClicksRunning;
    int k = -1;
    QPointer<QAbstractButton> row = DeviceButtonIndex::CheckedRow(this, &k);
    if (row && deviceSendEnabled) {
        bool loaded = false;
        const MacroBlock block = MacroFolder::LoadBlock(name, &loaded);
        if (loaded) {
            bool ok = false;
            const int mode = ReadMacroHeader(name).toInt(&ok, 10);
            const int extra = (ok ? mode : 0) & 0xFF;
            const ButtonFunctionHeader header{FunctionMacro, static_cast<uint8_t>(k), static_cast<uint8_t>(extra)};
            if (DeviceSettingSetters::SetButtonMacro(k, header, block) && row) {
                row->setText(macroRowPrefix + name);
                StoreRowAssignment(k, FunctionMacro, k, extra);
            }
        }
    }
    ReturnToIdleView();
    if (--macroClicksRunning == 0) {
        for (QToolButton* retired : qAsConst(retiredMacroButtons))
            retired->deleteLater();
        retiredMacroButtons.clear();
    }
}
