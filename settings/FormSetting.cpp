#include "settings/FormSetting.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "app/UserSettings.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceReportHandler.h"
#include "device/Worker.h"
#include "dialogs/KeyedNotice.h"
#include "dialogs/NoticeFrame.h"
#include "platform/AutoStartEntry.h"
#include "platform/DesktopLauncher.h"
#include "platform/DisplayMetrics.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/FactoryReset.h"
#include "settings/Match.h"
#include "settings/FirmwareUpdateController.h"
#include "settings/UpDateRepair.h"
#include "settings/UpDateWarning.h"
#include "widgets/MyButton.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelStyle.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>

QString wiredModeText;

namespace {

constexpr int kHotPlugSettleMs = 600;
constexpr int kPairingOffsetX = -70;
constexpr int kPairingOffsetY = -30;

const QString kYahei = QStringLiteral("微软雅黑");

QFont Font(const QString& family, int points)
{
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPointSize(points);
    return font;
}

// Where the version values and the update controls go for a language, so
// they follow the length of the translated captions.
struct LanguageLayout {
    QPoint receiverVersion;
    QPoint mouseVersion;
    QPoint updateButton;
    QPoint receiverMarker;
};

LanguageLayout LayoutFor(int index)
{
    switch (index) {
    case 0:
        return {{215, 155}, {215, 185}, {280, 170}, {460, 160}};
    case 1:
    case 2:
    case 5:
        return {{150, 155}, {150, 185}, {280, 170}, {460, 160}};
    case 3:
        return {{350, 155}, {350, 185}, {430, 170}, {530, 160}};
    case 4:
        return {{280, 155}, {280, 185}, {330, 170}, {460, 160}};
    default:
        return {{235, 155}, {235, 185}, {285, 155}, {460, 160}};
    }
}

} // namespace

struct FormSetting::Form {
    QFrame* FrameSetting = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* scrollAreaWidgetContents = nullptr;
    QToolButton* TitleButton_2 = nullptr;
    QLabel* label_2 = nullptr;
    MyConmboBox* comboBox = nullptr;
    QLabel* label = nullptr;
    QFrame* line = nullptr;
    QToolButton* TitleButton_3 = nullptr;
    QLabel* label_3 = nullptr;
    QLabel* label_4 = nullptr;
    QLabel* label_5 = nullptr;
    QLabel* label_6 = nullptr;
    QLabel* label_7 = nullptr;
    QToolButton* toolButton_2 = nullptr;
    QToolButton* toolButton_3 = nullptr;
    QToolButton* Receive_2 = nullptr;
    QTextEdit* NewLabel = nullptr;
    QFrame* line_2 = nullptr;
    QToolButton* TitleButton_4 = nullptr;
    QLabel* label_8 = nullptr;
    QPushButton* pushButton_2 = nullptr;
    QFrame* line_3 = nullptr;
    QToolButton* TitleButton_8 = nullptr;
    QLabel* label_12 = nullptr;
    QToolButton* Reset = nullptr;
    QToolButton* TitleButton_5 = nullptr;
    QLabel* label_9 = nullptr;
    QFrame* line_4 = nullptr;
    QCheckBox* checkBox = nullptr;
    QLabel* label_10 = nullptr;
    QToolButton* toolButton = nullptr;
    MyButton* pushButton = nullptr;
    MyButton* pushButton_3 = nullptr;
    QPushButton* pushButton_4 = nullptr;
    QFrame* line_5 = nullptr;
};

FormSetting::FormSetting(QWidget* parent)
    : QWidget(parent)
    , form(new Form)
{
    BuildForm();
    form->NewLabel->hide();
    form->Receive_2->hide();

    PostMsg::Connect(SIGNAL(SigLanguageSameB(int)), this, SLOT(SlotLanguageSameB(int)));
    PostMsg::Connect(SIGNAL(SigSetNewVer()), this, SLOT(SetVerText()));
    PostMsg::Connect(SIGNAL(SigLightToFrom(int)), this, SLOT(SlotLightToFrom(int)));
    PostMsg::Connect(SIGNAL(SigRGBValue(DongleRGB*)), this, SLOT(SlotRGBValue(DongleRGB*)));
    PostMsg::Connect(SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRangeMode(bool)));
    PostMsg::Connect(SIGNAL(SigForm()), this, SLOT(SlotForm()));
    PostMsg::Connect(SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    PostMsg::Connect(SIGNAL(SigSetver(int)), this, SLOT(SetVer(int)));
    PostMsg::Connect(SIGNAL(SigFormReset()), this, SLOT(SlotFormResetForm()));
    connect(form->scrollArea->verticalScrollBar(), SIGNAL(valueChanged(int)), this, SLOT(SlotScroolChange(int)));

    pageDir = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/FormSetting/");
    warningDialog = new UpDateWarning;
    if (!repairDialog) {
        repairDialog = new UpDateRepair;
        repairDialog->hide();
    }
    updateController = new FirmwareUpdateController(
        {this, form->label_5, form->label_7, form->toolButton_2, form->toolButton_3, form->Receive_2, warningDialog},
        repairDialog, this);
    connect(form->Receive_2, &QToolButton::clicked, this, &FormSetting::on_Receive_2_clicked);
    ApplyStyles();
    updateController->SetPageDir(pageDir, buttonColour);
    form->toolButton_2->hide();
    form->toolButton_3->hide();

    PanelStyle::InstallComboList(form->comboBox, 5);

    versionLabelHome = form->label->pos();
    const bool autoStart
        = UserSettings::Instance()->Value(QStringLiteral("AutoStart"), QStringLiteral("Enable")).toInt() == 1;
    form->checkBox->setChecked(autoStart);

    connect(form->comboBox, QOverload<int>::of(&QComboBox::activated), this, &FormSetting::on_comboBox_activated);
    connect(form->checkBox, &QCheckBox::clicked, this, &FormSetting::on_checkBox_clicked);
    connect(form->pushButton, &QPushButton::clicked, this, &FormSetting::on_pushButton_clicked);
    connect(form->pushButton_2, &QPushButton::clicked, this, &FormSetting::on_pushButton_2_clicked);
    connect(form->pushButton_3, &QPushButton::clicked, this, &FormSetting::on_pushButton_3_clicked);
    connect(form->Reset, &QToolButton::clicked, this, &FormSetting::on_Reset_clicked);

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

FormSetting::~FormSetting()
{
    delete warningDialog;
    delete form;
}

void FormSetting::BuildForm()
{
    setObjectName(QStringLiteral("FormSetting"));
    resize(883, 630);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setWindowTitle(QStringLiteral("Form"));

    Form& f = *form;
    f.FrameSetting = new QFrame(this);
    f.FrameSetting->setObjectName(QStringLiteral("FrameSetting"));
    f.FrameSetting->setGeometry(0, 0, 883, 630);
    f.FrameSetting->setFrameShape(QFrame::StyledPanel);
    f.FrameSetting->setFrameShadow(QFrame::Raised);

    f.scrollArea = new QScrollArea(f.FrameSetting);
    f.scrollArea->setObjectName(QStringLiteral("scrollArea"));
    f.scrollArea->setGeometry(0, 0, 880, 630);
    f.scrollArea->setFixedSize(880, 630);
    f.scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    f.scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    f.scrollArea->setWidgetResizable(true);
    f.scrollArea->setFrameShape(QFrame::NoFrame);

    f.scrollAreaWidgetContents = new QWidget;
    f.scrollAreaWidgetContents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    f.scrollAreaWidgetContents->setGeometry(0, 0, 880, 630);
    f.scrollAreaWidgetContents->setMinimumSize(880, 630);
    f.scrollAreaWidgetContents->setMaximumSize(881, 630);
    f.scrollAreaWidgetContents->setStyleSheet(
        QStringLiteral("#scrollAreaWidgetContents{background:transparent;border:0px;}"));
    f.scrollArea->setStyleSheet(QStringLiteral("QScrollArea{background:transparent;}"));
    f.scrollArea->viewport()->setAutoFillBackground(false);
    QWidget* content = f.scrollAreaWidgetContents;

    auto titleMark = [content](const char* name, int y) {
        auto* mark = new QToolButton(content);
        mark->setObjectName(QString::fromLatin1(name));
        mark->setEnabled(false);
        mark->setGeometry(40, y, 16, 10);
        mark->setFixedSize(16, 10);
        mark->setFocusPolicy(Qt::NoFocus);
        mark->setAutoRaise(true);
        return mark;
    };
    auto label = [content](const char* name, const QRect& geometry) {
        auto* l = new QLabel(content);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(geometry);
        l->setFont(Font(QString(), 11));
        return l;
    };
    auto line = [content](const char* name, int y) {
        auto* l = new QFrame(content);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(40, y, 781, 1);
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Sunken);
        l->setStyleSheet(QStringLiteral("background-color: rgb(53, 53, 53);"));
        return l;
    };
    auto marker = [content](const char* name, int y) {
        auto* b = new QToolButton(content);
        b->setObjectName(QString::fromLatin1(name));
        b->setEnabled(false);
        b->setGeometry(460, y, 14, 14);
        b->setFixedSize(14, 14);
        b->setFont(Font(QStringLiteral("Arial"), 11));
        b->setAutoRaise(true);
        return b;
    };

    f.TitleButton_2 = titleMark("TitleButton_2", 20);
    f.label_2 = label("label_2", QRect(70, 13, 131, 21));
    f.label_2->setFont(Font(kYahei, 11));
    f.comboBox = new MyConmboBox(content);
    f.comboBox->setObjectName(QStringLiteral("comboBox"));
    f.comboBox->setGeometry(40, 50, 142, 30);
    f.comboBox->setFixedSize(142, 30);
    f.comboBox->setFont(Font(kYahei, 10));
    f.comboBox->setFocusPolicy(Qt::NoFocus);
    f.comboBox->setMaxVisibleItems(5);
    f.comboBox->addItem(QStringLiteral("English"));
    f.label = label("label", QRect(600, 20, 251, 20));
    f.label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f.line = line("line", 95);

    f.TitleButton_3 = titleMark("TitleButton_3", 120);
    f.label_3 = label("label_3", QRect(70, 113, 261, 21));
    f.label_4 = label("label_4", QRect(40, 155, 231, 21));
    f.label_5 = label("label_5", QRect(230, 155, 51, 21));
    f.label_6 = label("label_6", QRect(40, 185, 231, 20));
    f.label_7 = label("label_7", QRect(230, 185, 51, 21));
    f.toolButton_2 = marker("toolButton_2", 160);
    f.toolButton_3 = marker("toolButton_3", 190);
    f.Receive_2 = new QToolButton(content);
    f.Receive_2->setObjectName(QStringLiteral("Receive_2"));
    f.Receive_2->setGeometry(230, 170, 128, 26);
    f.Receive_2->setFixedSize(128, 26);
    f.Receive_2->setFont(Font(kYahei, 10));
    f.Receive_2->setFocusPolicy(Qt::NoFocus);
    f.Receive_2->setAutoRaise(true);
    f.NewLabel = new QTextEdit(content);
    f.NewLabel->setObjectName(QStringLiteral("NewLabel"));
    f.NewLabel->setGeometry(37, 213, 821, 37);
    f.NewLabel->setEnabled(false);
    f.NewLabel->setReadOnly(true);
    f.NewLabel->setFont(Font(QString(), 9));
    f.NewLabel->setStyleSheet(QStringLiteral("QTextEdit{color: rgb(255, 106, 0);background:transparent;border:0px;}"));
    f.NewLabel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    f.NewLabel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    f.line_2 = line("line_2", 250);

    f.TitleButton_4 = titleMark("TitleButton_4", 260);
    f.label_8 = label("label_8", QRect(70, 253, 341, 21));
    f.pushButton_2 = new QPushButton(content);
    f.pushButton_2->setObjectName(QStringLiteral("pushButton_2"));
    f.pushButton_2->setGeometry(40, 290, 112, 26);
    f.pushButton_2->setFixedSize(112, 26);
    f.pushButton_2->setFocusPolicy(Qt::NoFocus);
    f.line_3 = line("line_3", 325);

    f.TitleButton_8 = titleMark("TitleButton_8", 335);
    f.label_12 = label("label_12", QRect(70, 328, 301, 21));
    f.Reset = new QToolButton(content);
    f.Reset->setObjectName(QStringLiteral("Reset"));
    f.Reset->setGeometry(40, 370, 112, 26);
    f.Reset->setFixedSize(112, 26);
    f.Reset->setFont(Font(kYahei, 10));
    f.Reset->setFocusPolicy(Qt::NoFocus);
    f.Reset->setAutoRaise(true);

    f.TitleButton_5 = titleMark("TitleButton_5", 430);
    f.label_9 = label("label_9", QRect(70, 423, 301, 21));
    f.line_4 = line("line_4", 455);
    f.checkBox = new QCheckBox(content);
    f.checkBox->setObjectName(QStringLiteral("checkBox"));
    f.checkBox->setGeometry(40, 460, 21, 17);
    f.checkBox->setMinimumHeight(17);
    f.checkBox->setFocusPolicy(Qt::NoFocus);
    f.label_10 = label("label_10", QRect(70, 460, 351, 16));
    f.toolButton = new QToolButton(content);
    f.toolButton->setObjectName(QStringLiteral("toolButton"));
    f.toolButton->setGeometry(40, 500, 14, 20);
    f.toolButton->setFocusPolicy(Qt::NoFocus);
    QFont underlined = Font(QString(), 11);
    underlined.setUnderline(true);
    f.pushButton = new MyButton(content);
    f.pushButton->setObjectName(QStringLiteral("pushButton"));
    f.pushButton->setGeometry(60, 500, 291, 21);
    f.pushButton->setFont(underlined);
    f.pushButton->setFocusPolicy(Qt::NoFocus);
    QFont italic = Font(QString(), 11);
    italic.setItalic(true);
    f.pushButton_3 = new MyButton(content);
    f.pushButton_3->setObjectName(QStringLiteral("pushButton_3"));
    f.pushButton_3->setGeometry(610, 540, 251, 23);
    f.pushButton_3->setFont(italic);
    f.pushButton_3->setFocusPolicy(Qt::NoFocus);
    f.pushButton_4 = new QPushButton(content);
    f.pushButton_4->setObjectName(QStringLiteral("pushButton_4"));
    f.pushButton_4->setGeometry(490, 570, 371, 23);
    f.pushButton_4->setFont(Font(QString(), 11));
    f.pushButton_4->setFocusPolicy(Qt::NoFocus);
    f.line_5 = line("line_5", 705);

    f.scrollArea->setWidget(f.scrollAreaWidgetContents);
}

void FormSetting::ApplyStyles()
{
    Form& f = *form;
    const QString labelColour = ThemeColor::Rgb(QStringLiteral("LabelColor"));
    buttonColour = ThemeColor::Rgb(QStringLiteral("ButtonColor"));

    const QString labelStyle = QStringLiteral("QLabel{color:") + labelColour + QStringLiteral(";}");
    for (QLabel* l : {f.label, f.label_2, f.label_3, f.label_4, f.label_5, f.label_6, f.label_7, f.label_8, f.label_9,
                      f.label_10})
        l->setStyleSheet(labelStyle);
    f.label_12->setStyleSheet(QStringLiteral("QLabel{color:rgb(255,255,255);}"));

    const QString pictureButton = QStringLiteral("{border:0px;background-image:url(") + pageDir
        + QStringLiteral("PariButton.png);background-position:center;background-repeat:no-repeat;color:") + buttonColour
        + QStringLiteral(";}");
    f.pushButton_2->setStyleSheet(QStringLiteral("QPushButton") + pictureButton);
    f.Reset->setStyleSheet(QStringLiteral("QToolButton") + pictureButton);

    const QString link = QStringLiteral("QPushButton{background:transparent;border:0px;color:") + labelColour
        + QStringLiteral(";padding-right:1px;text-align:%1;}");
    f.pushButton->setStyleSheet(link.arg(QStringLiteral("left")));
    f.pushButton_3->setStyleSheet(link.arg(QStringLiteral("right")));
    f.pushButton_4->setStyleSheet(link.arg(QStringLiteral("right")));

    const QString title = QStringLiteral("QToolButton{border-image:url(") + pageDir + QStringLiteral("Title.png);}");
    for (QToolButton* mark : {f.TitleButton_2, f.TitleButton_3, f.TitleButton_4, f.TitleButton_5, f.TitleButton_8})
        mark->setStyleSheet(title);
    f.toolButton->setStyleSheet(QStringLiteral("QToolButton{border-image:url(") + pageDir
                                + QStringLiteral("Mouse.png);}"));

    PanelStyle::SetPanelComboFace(f.comboBox, pageDir);

    f.checkBox->setStyleSheet(QStringLiteral("QCheckBox{color:rgb(255,255,255);}QCheckBox::indicator:unchecked{image:url(")
                              + pageDir + QStringLiteral("CheckBox.png);}QCheckBox::indicator:checked{image:url(") + pageDir
                              + QStringLiteral("CheckBoxChecked.png);}"));

    const QString markerStyle = QStringLiteral("QToolButton{border:0px;background-image:url(") + pageDir
        + QStringLiteral("Picture.png);background-position:center;background-repeat:no-repeat;color:rgb(255,106,0);}");
    f.toolButton_2->setStyleSheet(markerStyle);
    f.toolButton_3->setStyleSheet(markerStyle);

    f.FrameSetting->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical{width:13px;background:rgb(30,30,30);}"
        "QScrollBar::handle:vertical{background:rgb(117,117,117);border-radius:3px;min-height:30px;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:25px;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"));
}

QString FormSetting::MouseSettingsCommand()
{
    return ConfigSettings::Instance()->Value(QStringLiteral("Option"), QStringLiteral("MouseSettingsCommand"));
}

void FormSetting::SlotAllLanguage(int index)
{
    Form& f = *form;
    QFont updateFont = Font(kYahei, 10);
    if (languageSeen) {
        // Later switches set a fresh font, which the window's one-time
        // scaling never saw.
        updateFont.setPointSizeF(10.0 * 96.0 / DisplayMetrics::LogicalDpi());
    }
    f.Receive_2->setFont(updateFont);
    languageSeen = true;

    const LanguageLayout layout = LayoutFor(index);
    f.label_5->move(layout.receiverVersion);
    f.Receive_2->move(layout.updateButton);
    f.toolButton_2->move(layout.receiverMarker);
    f.label_7->move(layout.mouseVersion);
    f.toolButton_3->move(460, 190);

    const QStringList maker = LanguageTables::MakerEntries();
    const bool chinese = index == 1 || index == 2;
    f.pushButton_4->setText(maker.value(chinese ? 1 : 0));
    f.pushButton_3->setText(maker.value(chinese ? 2 : 3));

    auto text = [index](const char* section, const char* key) {
        return LanguageTables::Text(index, QString::fromLatin1(section), QString::fromLatin1(key));
    };
    f.label->setText(text("home", "Version") + ProgramVersion());
    f.label_2->setText(text("Settings", "Language"));
    f.label_3->setText(text("Settings", "DeviceInfo"));
    f.label_4->setText(text("Settings", "DongleVersion"));
    f.label_6->setText(text("Settings", "MouseVersion"));
    f.label_8->setText(text("pair", "PairTool"));
    f.pushButton_2->setText(text("pair", "Pair"));
    f.Receive_2->setText(text("update", "Upgrade"));
    f.label_9->setText(text("home", "Others"));
    f.label_10->setText(text("home", "AutoOpen"));
    f.Reset->setText(text("Settings", "Restore"));
    f.pushButton->setText(text("home", "WindowSet"));
    f.NewLabel->setText(text("home", "LabelTip"));
    f.label_12->setText(text("Settings", "Restore"));

    upgradeText = text("update", "Upgrade");
    noDeviceText = text("home", "NoDevice");
    sameDeviceText = text("home", "SameDevice");
    newVersionText = LanguageTables::Text(LanguageTables::Side::Keyboard, index, QStringLiteral("update"),
                                          QStringLiteral("newTips"));
    noReceiverText = text("home", "NoRecieve");
    noUsbText = text("home", "NoUSB");
    errorText = text("home", "Error");
    multiMouseText = text("home", "MultiMouse");
    multiReceiverText = text("home", "MultiDongle");
    wiredModeText = text("home", "WiredMode");
    if (updateController)
        updateController->SetTexts({noDeviceText, sameDeviceText, newVersionText, upgradeText, noReceiverText,
                                    noUsbText, errorText, multiReceiverText, multiMouseText});
}

void FormSetting::SlotLanguageSameB(int index)
{
    const QSignalBlocker blocker(form->comboBox);
    form->comboBox->setCurrentIndex(index);
}

void FormSetting::SetVerText()
{
    form->Receive_2->setText(newVersionText);
}

void FormSetting::SlotScroolChange(int index)
{
    form->label->move(versionLabelHome.x(), versionLabelHome.y() + index + 10);
}

// The device link's news that this page takes no part in; the blocking
// senders still wait until these have run.
void FormSetting::SlotLightToFrom(int) {}
void FormSetting::SlotRGBValue(DongleRGB*) {}
void FormSetting::SlotLongRangeMode(bool) {}
void FormSetting::SlotForm() {}
void FormSetting::SlotFormB() {}
void FormSetting::SlotFormResetForm() {}

void FormSetting::SetVer(int index)
{
    updateController->SetVer(index);
}

void FormSetting::on_Receive_2_clicked()
{
    updateController->UpdatePrompt();
}

void FormSetting::on_comboBox_activated(int index)
{
    UserSettings::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QString::number(index));
    languageIndex = index;
    PostMsg* hub = PostMsg::Instance();
    hub->EmitSigAllLanguage(index);
    hub->EmitSigLanguageSameA(index);
}

// The per-user setting is written first and the autostart entry second; a
// failure of either puts the other back, so the box, the setting and the
// entry keep telling the same story.
void FormSetting::on_checkBox_clicked(bool checked)
{
    UserSettings* settings = UserSettings::Instance();
    const QString group = QStringLiteral("AutoStart");
    const QString key = QStringLiteral("Enable");
    const QString name = QCoreApplication::applicationName();
    const auto fail = [&]() {
        const QSignalBlocker blocker(form->checkBox);
        form->checkBox->setChecked(!checked);
        ShowNotice(QStringLiteral("home"), QStringLiteral("AutoOpenFail"));
    };
    if (!settings->SetValue(group, key, checked ? QStringLiteral("1") : QStringLiteral("0"))) {
        fail();
        return;
    }
    const bool done = checked ? AutoStartEntry::Write(name, QCoreApplication::applicationFilePath())
                              : AutoStartEntry::Remove(name);
    if (!done) {
        settings->SetValue(group, key, checked ? QStringLiteral("0") : QStringLiteral("1"));
        fail();
    }
}

void FormSetting::on_pushButton_clicked()
{
    const QString command = MouseSettingsCommand();
    if (command.trimmed().isEmpty()) {
        ShowNotice(QStringLiteral("home"), QStringLiteral("NoWindowSet"));
        return;
    }
    if (!DesktopLauncher::StartDetached(command))
        ShowNotice(QStringLiteral("home"), QStringLiteral("WindowSetFail"));
}

void FormSetting::on_pushButton_2_clicked()
{
    Match pairing;
    pairing.PreparePairing();
    NoticeFrame::PlaceOnCaller(&pairing, this, kPairingOffsetX, kPairingOffsetY);
    pairing.exec();
    // The pages went back to the chooser while the dialog was open: the
    // chooser keeps its own hot-plug watch and no device server is wanted.
    if (devicePageShown != 1)
        return;
    StartUsbChanged(&Worker::OnSessionUsbChanged, kHotPlugSettleMs);
    const QByteArray path = CurrentDevice::Path();
    UsbServerC_Start(path.constData(), path.constData(), &DeviceReportHandler::OnDeviceData);
}

void FormSetting::on_pushButton_3_clicked()
{
    DesktopLauncher::OpenUrl(form->pushButton_3->text());
}

void FormSetting::on_Reset_clicked()
{
    RunFactoryReset(this);
}

void FormSetting::ShowNotice(const QString& section, const QString& key)
{
    KeyedNotice notice(section, key);
    NoticeFrame::PlaceOnCaller(&notice, this, 0, 0);
    notice.exec();
}

void FormSetting::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}
