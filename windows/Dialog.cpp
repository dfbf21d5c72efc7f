#include "windows/Dialog.h"
#include "app/TraceLog.h"

#include "app/AppPaths.h"
#include "app/CrashDumpHandler.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "app/ThemeColor.h"
#include "buttons/Buttoninterface.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceServer.h"
#include "dialogs/NoticeFrame.h"
#include "lighting/LampLight.h"
#include "macro/Macro.h"
#include "platform/rozuri/ROZUri.h"
#include "sensor/Advanced.h"
#include "sensor/Sensor.h"
#include "settings/FormSetting.h"
#include "settings/UpDataParam.h"
#include "widgets/PanelStyle.h"
#include "windows/PreVier.h"
#include "macro/WaitProcessingEvents.h"

#include <QButtonGroup>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtDebug>

namespace {

// The steps of the page build, in the order the pages were always made: the
// hub calls their slots in the order they connected.
constexpr int kPageSteps = 9;
// The step that puts the pages on the stack and gives the late receivers
// the language.
constexpr int kFinishStep = 7;

QToolButton* NewToolButton(QWidget* parent, const QString& name, const QRect& geometry, bool checkable)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    return button;
}

QFrame* NewLine(QWidget* parent, const QString& name, int x)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setGeometry(x, 65, 3, 21);
    line->setFrameShape(QFrame::VLine);
    line->setStyleSheet(QStringLiteral("QFrame{color: rgb(75, 75, 75); background-color: rgb(75, 75, 75); border: none;}"));
    return line;
}

} // namespace

Dialog::Dialog(QWidget* parent, PageTiming timing)
    : QWidget(parent)
{
    BuildForm();
    pictureFolder = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/Dialog/");

    // The top bar's styles first and the pages made inside the stack: a
    // style sheet set above them, or a move into the stack, would polish
    // every page again.
    ApplyStyles();
    qCDebug(traceLog, "Start");
    label->hide();
    SetButton->hide();

    navigation = new QButtonGroup(this);
    navigation->setExclusive(true);
    for (QToolButton* button : {PreButton, AdvancedButton, ButtonMain, MacroButton, LightsButton, SensorButton,
                                FormSettingButton})
        navigation->addButton(button);
    connect(MinButton, SIGNAL(clicked()), this, SLOT(WindowMin()));
    PreButton->setChecked(true);
    setFixedSize(1020, 700);

    crashHandler = new CrashDumpHandler;
    crashHandler->InstallCrashHandler();

    label_3->hide();

    connect(CloseButton, &QToolButton::clicked, this, &Dialog::on_CloseButton_clicked);
    connect(UpArrow, &QToolButton::clicked, this, &Dialog::on_UpArrow_clicked);
    connect(PreButton, &QToolButton::clicked, this, &Dialog::on_PreButton_clicked);
    connect(ButtonMain, &QToolButton::clicked, this, &Dialog::on_ButtonMain_clicked);
    connect(SensorButton, &QToolButton::clicked, this, &Dialog::on_SensorButton_clicked);
    connect(MacroButton, &QToolButton::clicked, this, &Dialog::on_MacroButton_clicked);
    connect(LightsButton, &QToolButton::clicked, this, &Dialog::on_LightsButton_clicked);
    connect(AdvancedButton, &QToolButton::clicked, this, &Dialog::on_Advanced_clicked);
    connect(FormSettingButton, &QToolButton::clicked, this, &Dialog::on_FormSetting_clicked);

    if (timing == PageTiming::AtStart) {
        BuildMissingPages();
    } else {
        // The language signals go out before these pages exist.
        lateReceivers = true;
    }
}

bool Dialog::PagesComplete() const
{
    return pagesMade == kPageSteps;
}

QWidget* Dialog::PageStack() const
{
    return stackedWidgetDialog;
}

void Dialog::ScaleWhenComplete(double factor)
{
    lateFontScale = factor;
}

void Dialog::BuildMissingPages()
{
    while (!buildingPage && BuildNextPage()) {
    }
}

bool Dialog::BuildNextPage()
{
    // A page being made may raise hub signals: the pages after it do not
    // exist for them yet, as when all are made at start.
    if (buildingPage)
        return false;
    const QScopedValueRollback<bool> building(buildingPage, true);
    // Only what the build itself connects missed the language signals: the
    // chooser, the window and anything opened between two steps did not.
    const bool collect = lateReceivers && pagesMade <= kFinishStep;
    if (collect)
        PostMsg::CollectLateReceivers(true);
    switch (pagesMade) {
    case 0:
        preVier = new PreVier(stackedWidgetDialog);
        break;
    case 1:
        advanced = new Advanced(stackedWidgetDialog);
        break;
    case 2:
        buttonPage = new Buttoninterface(stackedWidgetDialog);
        break;
    case 3:
        lampLight = new LampLight(stackedWidgetDialog);
        break;
    case 4:
        macro = new Macro(stackedWidgetDialog);
        break;
    case 5:
        sensor = new Sensor(stackedWidgetDialog);
        break;
    case 6:
        formSetting = new FormSetting(stackedWidgetDialog);
        break;
    case kFinishStep:
        FinishPages();
        break;
    case 8:
        // A tile click shows the first mouse on these two pages at once.
        preVier->PrepareMousePicture(0);
        buttonPage->PrepareMousePicture(0);
        break;
    default:
        return false;
    }
    if (collect)
        PostMsg::CollectLateReceivers(false);
    ++pagesMade;
    return true;
}

void Dialog::FinishPages()
{
    stackedWidgetDialog->addWidget(preVier);
    stackedWidgetDialog->addWidget(buttonPage);
    stackedWidgetDialog->addWidget(sensor);
    stackedWidgetDialog->addWidget(macro);
    stackedWidgetDialog->addWidget(lampLight);
    stackedWidgetDialog->addWidget(advanced);
    stackedWidgetDialog->addWidget(formSetting);
    pleaseWait = new UpDataParam(nullptr);
    stackedWidgetDialog->setCurrentWidget(preVier);

    // After the pages, as always: the hub calls the top bar's slots last.
    PostMsg::Connect(SIGNAL(SigSecondPageChange()), this, SLOT(SlotSecondDialog()));
    PostMsg::Connect(SIGNAL(SigIsUsb(bool, bool)), this, SLOT(SlotIsUsb(bool, bool)));
    PostMsg::Connect(SIGNAL(SigUpDataParam(int)), this, SLOT(SlotUpDataParam(int)));
    PostMsg::Connect(SIGNAL(SigStartRecord(int)), this, SLOT(SlotStartRecord(int)));
    PostMsg::Connect(SIGNAL(SigBattery(bool, int, bool)), this, SLOT(SlotBattery(bool, int, bool)));
    // Until the chosen mouse reports, the top bar claims no battery; a mouse
    // the link finds silent is shown offline until it answers again.
    PostMsg::Connect(SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this, SLOT(SlotSelectMouseInfo(DeviceAllInfo)));
    PostMsg::Connect(SIGNAL(SigForm()), this, SLOT(SlotForm()));
    PostMsg::Connect(SIGNAL(SigFormReset()), this, SLOT(SlotForm()));
    PostMsg::Connect(SIGNAL(SigMouseOffLineo(int)), this, SLOT(SlotMouseOffLine(int)));
    connect(stackedWidgetDialog, &QStackedWidget::currentChanged, this, &Dialog::on_stackedWidgetDialog_currentChanged);
    if (lateReceivers)
        PostMsg::EndLateReceivers();
    // After the language, as the window's own pass comes after it at start.
    if (lateFontScale != 1.0)
        ScaleWindowFonts(stackedWidgetDialog, lateFontScale);
}

Dialog::~Dialog()
{
    PostMsg::Instance()->disconnect(this);
    // The button page goes last: its destructor waits for the worker, whose
    // pass may still be filling the other pages.
    delete preVier;
    delete advanced;
    delete lampLight;
    delete macro;
    delete sensor;
    delete formSetting;
    delete buttonPage;
    delete pleaseWait;
    delete crashHandler;
    // A build cut short leaves no late receivers in the hub.
    if (lateReceivers && !PagesComplete())
        PostMsg::EndLateReceivers();
}

void Dialog::BuildForm()
{
    setObjectName(QStringLiteral("Dialog"));
    resize(1020, 700);
    setMinimumSize(1020, 700);
    setMaximumSize(1020, 721);

    frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(0, 0, 1020, 700);
    frame->setFrameShape(QFrame::StyledPanel);

    frame_2 = new QFrame(frame);
    frame_2->setObjectName(QStringLiteral("frame_2"));
    frame_2->setGeometry(0, 0, 1020, 111);

    PreButton = NewToolButton(frame_2, QStringLiteral("PreButton"), QRect(248, 60, 30, 30), true);
    ButtonMain = NewToolButton(frame_2, QStringLiteral("ButtonMain"), QRect(323, 60, 30, 30), true);
    SensorButton = NewToolButton(frame_2, QStringLiteral("SensorButton"), QRect(396, 60, 30, 30), true);
    MacroButton = NewToolButton(frame_2, QStringLiteral("MacroButton"), QRect(470, 60, 30, 30), true);
    LightsButton = NewToolButton(frame_2, QStringLiteral("LightsButton"), QRect(545, 60, 30, 30), true);
    AdvancedButton = NewToolButton(frame_2, QStringLiteral("Advanced"), QRect(620, 60, 30, 30), true);
    FormSettingButton = NewToolButton(frame_2, QStringLiteral("FormSetting"), QRect(690, 60, 30, 30), true);

    const QStringList lineNames = {QStringLiteral("line"), QStringLiteral("line_2"), QStringLiteral("line_3"),
                                   QStringLiteral("line_4"), QStringLiteral("line_5"), QStringLiteral("line_6"),
                                   QStringLiteral("line_9"), QStringLiteral("line_8")};
    const int lineX[] = {225, 301, 374, 447, 520, 593, 666, 739};
    for (int i = 0; i < lineNames.size(); ++i)
        NewLine(frame_2, lineNames.at(i), lineX[i]);

    label_4 = new QLabel(frame_2);
    label_4->setObjectName(QStringLiteral("label_4"));
    label_4->setGeometry(865, 53, 32, 32);

    QFont batteryFont;
    batteryFont.setFamily(QStringLiteral("微软雅黑"));
    batteryFont.setPointSize(10);
    label_2 = new QLabel(frame_2);
    label_2->setObjectName(QStringLiteral("label_2"));
    label_2->setGeometry(908, 61, 41, 16);
    label_2->setFont(batteryFont);
    label_2->setAlignment(Qt::AlignCenter);
    label_2->setText(QStringLiteral("100%"));

    BatteryButtonC = new QLabel(frame_2);
    BatteryButtonC->setObjectName(QStringLiteral("BatteryButtonC"));
    BatteryButtonC->setGeometry(957, 60, 43, 20);

    progressBar = new QProgressBar(frame_2);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setGeometry(958, 61, 38, 18);
    progressBar->setValue(100);
    progressBar->setTextVisible(false);

    label = new QLabel(frame_2);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(968, 67, 17, 7);

    MinButton = NewToolButton(frame_2, QStringLiteral("MinButton"), QRect(940, 20, 20, 20), false);
    CloseButton = NewToolButton(frame_2, QStringLiteral("CloseButton"), QRect(980, 20, 20, 20), false);
    SetButton = NewToolButton(frame_2, QStringLiteral("SetButton"), QRect(900, 10, 22, 22), false);

    QFont titleFont;
    titleFont.setFamily(QStringLiteral("Arial"));
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    label_3 = new QLabel(frame_2);
    label_3->setObjectName(QStringLiteral("label_3"));
    label_3->setGeometry(240, 10, 171, 51);
    label_3->setFont(titleFont);
    label_3->setStyleSheet(QStringLiteral("color: rgb(192, 255, 0);"));

    frame_3 = new QFrame(frame);
    frame_3->setObjectName(QStringLiteral("frame_3"));
    frame_3->setGeometry(-10, 106, 144, 581);
    UpArrow = NewToolButton(frame_3, QStringLiteral("UpArrow"), QRect(60, 30, 34, 30), false);

    frame_4 = new QFrame(frame);
    frame_4->setObjectName(QStringLiteral("frame_4"));
    frame_4->setGeometry(140, 90, 881, 615);
    frame_4->setFrameShape(QFrame::StyledPanel);
    // The page area has no edge of its own on the dark ground.
    frame_4->setStyleSheet(QStringLiteral("#frame_4{border:0px;}"));
    auto* verticalLayout_4 = new QVBoxLayout(frame_4);
    verticalLayout_4->setObjectName(QStringLiteral("verticalLayout_4"));
    verticalLayout_4->setContentsMargins(0, 0, 0, 0);
    verticalLayout_4->setSpacing(0);
    stackedWidgetDialog = new QStackedWidget(frame_4);
    stackedWidgetDialog->setObjectName(QStringLiteral("stackedWidgetDialog"));
    stackedWidgetDialog->setMaximumSize(883, 605);
    verticalLayout_4->addWidget(stackedWidgetDialog);

    // The top bar sits above the page area.
    frame_2->raise();
}

void Dialog::ApplyStyles()
{
    auto navigationStyle = [this](const QString& picture, const QString& hover, const QString& checked) {
        return QStringLiteral("QToolButton{border: 0px;background-position:center;background-repeat:no-repeat;background-image: url(")
            + pictureFolder + picture + QStringLiteral(");}QToolButton:hover{background-image:  url(") + pictureFolder
            + hover + QStringLiteral(");}QToolButton:checked{background-image: url(") + pictureFolder + checked
            + QStringLiteral(");}");
    };
    auto plainStyle = [this](const QString& picture, const QString& hover, const QString& pressed) {
        return QStringLiteral("QToolButton{border:0px;background-image: url(") + pictureFolder + picture
            + QStringLiteral(");background-position:center;background-repeat:no-repeat;}QToolButton:hover{background-image: url(")
            + pictureFolder + hover + QStringLiteral(");}QToolButton:pressed{background-image: url(") + pictureFolder
            + pressed + QStringLiteral(");}");
    };

    PreButton->setStyleSheet(navigationStyle(QStringLiteral("Pre.png"), QStringLiteral("PreHover.png"), QStringLiteral("PreHover.png")));
    ButtonMain->setStyleSheet(navigationStyle(QStringLiteral("Home.png"), QStringLiteral("HomeHover.png"), QStringLiteral("HomeChecked.png")));
    SensorButton->setStyleSheet(navigationStyle(QStringLiteral("Sensor.png"), QStringLiteral("SensorHover.png"), QStringLiteral("SensorChecked.png")));
    MacroButton->setStyleSheet(navigationStyle(QStringLiteral("Macro.png"), QStringLiteral("MacroHover.png"), QStringLiteral("MacroChecked.png")));
    LightsButton->setStyleSheet(navigationStyle(QStringLiteral("Light.png"), QStringLiteral("LightHover.png"), QStringLiteral("LightChecked.png")));
    AdvancedButton->setStyleSheet(navigationStyle(QStringLiteral("Advance.png"), QStringLiteral("AdvanceHover.png"), QStringLiteral("AdvanceHover.png")));
    FormSettingButton->setStyleSheet(navigationStyle(QStringLiteral("Setting.png"), QStringLiteral("SettingHover.png"), QStringLiteral("SettingClick.png")));

    MinButton->setStyleSheet(plainStyle(QStringLiteral("Min.png"), QStringLiteral("MinHover.png"), QStringLiteral("MinClick.png")));
    CloseButton->setStyleSheet(plainStyle(QStringLiteral("Close.png"), QStringLiteral("CloseHover.png"), QStringLiteral("CloseClick.png")));
    SetButton->setStyleSheet(plainStyle(QStringLiteral("Setting.png"), QStringLiteral("SettingHover.png"), QStringLiteral("SettingClick.png")));
    UpArrow->setStyleSheet(plainStyle(QStringLiteral("PageChange.png"), QStringLiteral("PageChangeHover.png"), QStringLiteral("PageChangeClick.png")));

    SetTopBarPicture(QStringLiteral("BackGround2.png"));
    label->setStyleSheet(QStringLiteral("#label{border-image: url(") + pictureFolder + QStringLiteral("Charg.png);}"));
    BatteryButtonC->setStyleSheet(QStringLiteral("QLabel{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(")
                                  + pictureFolder + QStringLiteral("Battery.png);}"));
    label_2->setStyleSheet(QStringLiteral("QLabel{color: ") + ThemeColor::Rgb(QStringLiteral("LabelColor")) + QStringLiteral(";}"));
    SlotBattery(false, 100, true);
    label->hide();
}

void Dialog::SetTopBarPicture(const QString& picture)
{
    // The page area under the top bar is dark, so the light texts of the
    // pages stay readable. Set once: a style sheet on the frame repolishes
    // every page below it.
    if (frame->styleSheet().isEmpty())
        frame->setStyleSheet(QStringLiteral("#frame{border:0px;background-color: ")
                             + ThemeColor::Rgb(QStringLiteral("ComboxBackGroundColor")) + QStringLiteral(";}"));
    // The top bar's own sheet: only its few buttons are polished again.
    const QString bar = QStringLiteral("#frame_2{border-image: url(") + pictureFolder + picture + QStringLiteral(");}");
    if (frame_2->styleSheet() != bar)
        frame_2->setStyleSheet(bar);
}

void Dialog::WriteDeviceCache()
{
    DeviceCacheFile::WriteFlashCache(DeviceCacheFile::DumpCacheName(), CurrentFlashMapLock::Snapshot());
}

void Dialog::WindowMin()
{
    PostMsg::Instance()->EmitSigChangeSize(0);
}

void Dialog::on_CloseButton_clicked()
{
    WriteDeviceCache();
    PostMsg::Instance()->EmitSigChangeSize(1);
}

void Dialog::on_UpArrow_clicked()
{
    UsbServer_SetPCDriverStatus(0);
    WriteDeviceCache();
    PreButton->setChecked(true);
    WaitProcessingEvents(100);
    DeviceServer::Stop();
    PostMsg::Instance()->EmitSigChangeMainDialog(0);
    PostMsg::Instance()->EmitSigSetMacroPage();
}

void Dialog::on_PreButton_clicked()
{
    stackedWidgetDialog->setCurrentWidget(preVier);
}

void Dialog::on_ButtonMain_clicked()
{
    stackedWidgetDialog->setCurrentWidget(buttonPage);
    PostMsg::Instance()->EmitSigAddMacroButton();
}

void Dialog::on_SensorButton_clicked()
{
    stackedWidgetDialog->setCurrentWidget(sensor);
}

void Dialog::on_MacroButton_clicked()
{
    stackedWidgetDialog->setCurrentWidget(macro);
}

void Dialog::on_LightsButton_clicked()
{
    stackedWidgetDialog->setCurrentWidget(lampLight);
}

void Dialog::on_Advanced_clicked()
{
    PostMsg::Instance()->EmitSigtVis(0);
    stackedWidgetDialog->setCurrentWidget(advanced);
}

void Dialog::on_FormSetting_clicked()
{
    stackedWidgetDialog->setCurrentWidget(formSetting);
}

void Dialog::on_stackedWidgetDialog_currentChanged(int index)
{
    if (index == 0) {
        SetTopBarPicture(QStringLiteral("BackGround2.png"));
    } else {
        SetTopBarPicture(QStringLiteral("BackGround.png"));
        UpArrow->show();
    }
}

void Dialog::SlotSecondDialog()
{
    PreButton->setChecked(true);
    stackedWidgetDialog->setCurrentWidget(preVier);
}

void Dialog::SlotIsUsb(bool Usb, bool IsVs)
{
    Q_UNUSED(IsVs);
    ShowConnectionPicture(Usb ? QStringLiteral("OnLineUsb.png") : QStringLiteral("OnLineWifi.png"), QString());
}

void Dialog::ShowConnectionPicture(const QString& picture, const QString& toolTip)
{
    // The tip is a label too: without its own rule it would wear the picture.
    PanelStyle::ApplySheet(label_4, QStringLiteral("QLabel{border-image: url(") + pictureFolder + picture
                                        + QStringLiteral(");}")
                                        + (toolTip.isEmpty() ? QString() : ThemeColor::ToolTipStyle()));
    label_4->setToolTip(toolTip);
}

void Dialog::SlotUpDataParam(int index)
{
    pleaseWait->StartTimer();
    qCDebug(traceLog, "q");
    if (index == 1)
        pleaseWait->resetWaitMode = true;
    qCDebug(traceLog, "w");
    NoticeFrame::PlaceOnCaller(pleaseWait, this, 0, -20);
    qCDebug(traceLog, "t1");
    pleaseWait->exec();
}

void Dialog::SlotStartRecord(int index)
{
    if (index != 0 && index != 1)
        return;
    for (QToolButton* button : {PreButton, ButtonMain, SensorButton, MacroButton, LightsButton, AdvancedButton,
                                FormSettingButton})
        button->setEnabled(index == 1);
}

void Dialog::SlotBattery(bool IsCharg, int Number, bool IsText)
{
    label->setVisible(IsCharg);
    progressBar->setValue(Number);
    label_2->setText(IsText ? QString::number(Number) + QStringLiteral("%") : QString::number(Number));
    const QString fill = Number <= 15 ? QStringLiteral("rgb(152, 43, 34)") : QStringLiteral("rgb(0, 255, 153)");
    progressBar->setStyleSheet(QStringLiteral("#progressBar{border: none;background-color: transparent;}#progressBar::chunk {background-color: ")
                               + fill + QStringLiteral(";}"));
}

void Dialog::ShowBatteryUnknown()
{
    label->hide();
    progressBar->setValue(0);
    label_2->setText(QStringLiteral("\u2014"));
}

void Dialog::ShowOffline()
{
    ShowBatteryUnknown();
    ShowConnectionPicture(QStringLiteral("DisOnline.png"),
                          LanguageTables::Text(languageIndex, QStringLiteral("infoTips"), QStringLiteral("DialogOffline")));
}

void Dialog::SlotSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    Q_UNUSED(SelectInfo);
    ShowBatteryUnknown();
}

void Dialog::SlotForm()
{
    // The pages were filled from the saved copy, or reset: the link found
    // the mouse silent. A full read comes with the mouse's own state.
    if (!CurrentDevice::Info().online)
        ShowOffline();
}

void Dialog::SlotMouseOffLine(int index)
{
    Q_UNUSED(index);
    ShowOffline();
}

void Dialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QWidget::keyPressEvent(event);
}
