#include "sensor/Advanced.h"

#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "sensor/AdvancedPanelForm.h"
#include "sensor/AngleMove.h"
#include "sensor/KFPS20.h"
#include "sensor/LongMode.h"
#include "sensor/StopCloseTime.h"
#include "widgets/CurvePlotWidget.h"
#include "widgets/PanelStyle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

struct TipPlaces {
    QPoint sleep;
    QPoint kfps;
    QPoint angle;
    QPoint dpi;
};

// Where the tip icons sit after the titles of each language.
bool TipPlacesOf(int language, TipPlaces* places)
{
    switch (language) {
    case 0:
        *places = {{225, 53}, {300, 6}, {230, 6}, {280, 54}};
        return true;
    case 1:
    case 2:
        *places = {{165, 53}, {200, 6}, {170, 6}, {230, 54}};
        return true;
    case 3:
        *places = {{225, 53}, {320, 6}, {230, 6}, {285, 54}};
        return true;
    case 4:
    case 5:
        *places = {{225, 53}, {300, 6}, {220, 6}, {200, 54}};
        return true;
    case 6:
        *places = {{225, 53}, {300, 6}, {220, 6}, {290, 54}};
        return true;
    case 7:
        *places = {{205, 53}, {290, 6}, {200, 6}, {290, 54}};
        return true;
    default:
        return false;
    }
}

// The angle tip's x beside its title, which sits higher with the long-range
// panel hidden; -1 for a language without a place.
int AngleTipX(int language, bool longModeShown)
{
    switch (language) {
    case 0:
        return 230;
    case 1:
    case 2:
        return longModeShown ? 230 : 170;
    case 3:
        return 280;
    case 4:
    case 5:
    case 6:
        return 220;
    case 7:
        return 200;
    default:
        return -1;
    }
}

// Record byte 8 to the sleep-time entry; -1 for a code the list lacks.
int SleepIndexOfCode(int code)
{
    for (int i = 0; i < 8; ++i)
        if (StopCloseTime::CodeOfIndex(i) == code)
            return i;
    return -1;
}

QWidget* NewTabPage(QTabWidget* tabs, const char* name, const QString& title)
{
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    tabs->addTab(page, title);
    return page;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

} // namespace

Advanced::Advanced(QWidget* parent)
    : QWidget(parent)
{
    BuildForm();
    for (CurvePlotWidget* plot : plots)
        plot->setDragEnabled(false);
    FrameAngle->hide();
    modeGroup = new QButtonGroup(this);
    modeGroup->setExclusive(true);
    for (QCheckBox* box : modeBoxes)
        modeGroup->addButton(box);
    AdvancedTab->setCurrentIndex(0);
    ModeTab->setCurrentIndex(0);
    modeBoxes[0]->setChecked(true);
    verticalScrollBar->hide();
    FrameLongMode->hide();
    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Advanced"));
    labelColor = ThemeColor::Rgb(QStringLiteral("LabelColor"));
    ApplyStyles();
    AdvancedTab->tabBar()->hide();
    ModeTab->tabBar()->hide();

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    PostMsg::Connect(SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()));
    PostMsg::Connect(SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotUpDataSenSorUISensor(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this, SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigForm()), this, SLOT(SlotForm()));
    PostMsg::Connect(SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    PostMsg::Connect(SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRangeMode(bool)));
    PostMsg::Connect(SIGNAL(Sig20KOpen(bool)), this, SLOT(Slot20KOpen(bool)));
    PostMsg::Connect(SIGNAL(SigtVis(int)), this, SLOT(SetPos(int)));
    SlotAllLanguage(languageIndex);

    setModeLabelColor(false);
    for (QCheckBox* box : modeBoxes)
        box->setEnabled(false);
}

Advanced::~Advanced() = default;

void Advanced::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("Advanced"));
    setWindowTitle(QStringLiteral("Form"));
    resize(883, 630);

    AdvancedTab = new QTabWidget(this);
    AdvancedTab->setObjectName(QStringLiteral("AdvancedTab"));
    AdvancedTab->setGeometry(0, 0, 860, 630);
    tab = NewTabPage(AdvancedTab, "tab", QStringLiteral("Tab 1"));
    tab_2 = NewTabPage(AdvancedTab, "tab_2", QStringLiteral("Tab 2"));
    tab_3 = NewTabPage(AdvancedTab, "tab_3", QStringLiteral("Tab 3"));

    AdvancedPanelForm::NewTitleMarker(tab, "TitleButton", QRect(40, 57, 16, 10));
    label = AdvancedPanelForm::NewLabel(tab, "label", QRect(68, 50, 151, 21));
    Error = AdvancedPanelForm::NewTipIcon(tab, "Error", QRect(175, 53, 16, 16), QString());
    frameClose = new StopCloseTime(tab);
    frameClose->setObjectName(QStringLiteral("frameClose"));
    frameClose->setGeometry(68, 85, 145, 35);
    FrameFPS = new KFPS20(tab);
    FrameFPS->setObjectName(QStringLiteral("FrameFPS"));
    FrameFPS->setGeometry(0, 160, 460, 59);
    FrameLongMode = new LongMode(tab);
    FrameLongMode->setObjectName(QStringLiteral("FrameLongMode"));
    FrameLongMode->setGeometry(0, 263, 809, 97);
    FrameAngle = new AngleMove(tab);
    FrameAngle->setObjectName(QStringLiteral("FrameAngle"));
    FrameAngle->setGeometry(0, 366, 504, 235);

    AdvancedPanelForm::NewTitleMarker(tab_2, "TitleButton_5", QRect(40, 57, 16, 10));
    checkBox_2 = NewCheckBox(tab_2, "checkBox_2", QRect(70, 54, 16, 16));
    label_2 = AdvancedPanelForm::NewLabel(tab_2, "label_2", QRect(100, 50, 171, 21));
    Error_4 = AdvancedPanelForm::NewTipIcon(tab_2, "Error_4", QRect(230, 53, 16, 16), QString());
    label_4 = AdvancedPanelForm::NewLabel(tab_2, "label_4", QRect(100, 90, 101, 21));
    const char* boxNames[4] = {"checkBox_3", "checkBox_4", "checkBox_5", "checkBox_6"};
    const char* labelNames[4] = {"label_8", "label_9", "label_10", "label_11"};
    for (int i = 0; i < 4; ++i) {
        modeBoxes[i] = NewCheckBox(tab_2, boxNames[i], QRect(210 + 130 * i, 95, 12, 12));
        modeLabels[i] = AdvancedPanelForm::NewLabel(tab_2, labelNames[i], QRect(230 + 130 * i, 90, 101, 21));
    }
    ModeTab = new QTabWidget(tab_2);
    ModeTab->setObjectName(QStringLiteral("ModeTab"));
    ModeTab->setGeometry(30, 120, 741, 471);
    const char* pageNames[4] = {"tab_4", "tab_5", "tab_6", "tab_7"};
    const char* plotNames[4] = {"PicA", "PicB", "PicC", "PicD"};
    for (int i = 0; i < 4; ++i) {
        QWidget* page = NewTabPage(ModeTab, pageNames[i], QStringLiteral("Tab %1").arg(i + 1));
        plots[i] = new CurvePlotWidget(page);
        plots[i]->setObjectName(QLatin1String(plotNames[i]));
        plots[i]->setGeometry(0, 10, 721, 381);
    }

    verticalScrollBar = new QScrollBar(Qt::Vertical, this);
    verticalScrollBar->setObjectName(QStringLiteral("verticalScrollBar"));
    verticalScrollBar->setGeometry(860, 179, 14, 281);
    verticalScrollBar->setRange(1, 2);
    verticalScrollBar->setPageStep(1);

    QMetaObject::connectSlotsByName(this);
    AdvancedTab->setCurrentIndex(0);
    ModeTab->setCurrentIndex(0);
}

void Advanced::ApplyStyles()
{
    for (const char* name : {"TitleButton", "TitleButton_5"}) {
        auto* marker = findChild<QToolButton*>(QLatin1String(name));
        marker->setStyleSheet(PanelStyle::TitleMarkerStyle(marker->objectName(), pictureDir));
    }
    const QString pane = QStringLiteral("QTabWidget::pane{border: 0px solid #AAAAAA; background: transparent;}");
    AdvancedTab->setStyleSheet(pane);
    ModeTab->setStyleSheet(pane);
    for (QLabel* text : {label, label_2, label_4})
        text->setStyleSheet(PanelStyle::LabelStyle());
    checkBox_2->setStyleSheet(QStringLiteral("QCheckBox{color: ") + labelColor
                              + QStringLiteral(";}QCheckBox::indicator:checked{image: ")
                              + PanelStyle::Url(pictureDir, "CheckBoxChecked.png")
                              + QStringLiteral(";}QCheckBox::indicator:unchecked{image: ")
                              + PanelStyle::Url(pictureDir, "CheckBox.png") + QStringLiteral(";}"));
    for (QCheckBox* box : modeBoxes)
        box->setStyleSheet(QStringLiteral("QCheckBox{color: ") + labelColor
                           + QStringLiteral(";}QCheckBox::indicator:checked{image: ")
                           + PanelStyle::Url(pictureDir, "LODCheck.png")
                           + QStringLiteral(";}QCheckBox::indicator:unchecked{image: ")
                           + PanelStyle::Url(pictureDir, "LOD.png") + QStringLiteral(";}"));
    for (QLabel* tip : {Error, Error_4})
        tip->setStyleSheet(QStringLiteral("QLabel{border-image: ") + PanelStyle::Url(pictureDir, "Tips.png")
                           + QStringLiteral(";}"));
    const QString page = QStringLiteral(
        "QScrollBar:vertical{width: 13px; background: rgb(30,30,30); margin: 2px 0px 2px 0px;}"
        "QScrollBar::handle:vertical{background: rgb(117,117,117); border-radius: 3px; min-height: 30px; "
        "margin: 0px 2px 0px 2px;}"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical{height: 25px; background: rgb(30,30,30);}"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical, QScrollBar::up-arrow:vertical, "
        "QScrollBar::down-arrow:vertical{background: transparent; border: 0px;}");
    // The panels' frames carry no border of their own on the page.
    const QString frames = QStringLiteral("#frameClose, #FrameFPS, #FrameLongMode, #FrameAngle{border: 0px;}");
    for (QWidget* p : {tab, tab_2, tab_3})
        p->setStyleSheet(page + frames);
    verticalScrollBar->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical{width: 12px; background: #3f3f3f; border-radius: 6px; border: 0px; margin: 0px;}"
        "QScrollBar::handle:vertical{background: #5B5B5B; border-radius: 5px; min-height: 20px;}"
        "QScrollBar::handle:vertical:hover{background: #666666;}"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical{height: 0px;}"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical{background: transparent;}"));
}

void Advanced::setModeLabelColor(bool on)
{
    for (QLabel* text : modeLabels)
        text->setStyleSheet(on ? PanelStyle::LabelStyle() : QStringLiteral("QLabel{color: rgb(115,115,115);}"));
}

bool Advanced::ModelOffersLongMode() const
{
    const QStringList list = ConfigSettings::Instance()->ListValue(
        ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex), QStringLiteral("Adveanced"));
    // A model without the key offers nothing rather than reading past the list.
    return !list.isEmpty() && list.at(0).trimmed() != QStringLiteral("-1");
}

void Advanced::ShowLongModeByModel()
{
    longModeShown = ModelOffersLongMode() && !CurrentDevice::Info().wired;
    FrameLongMode->setVisible(longModeShown);
    PostMsg::Instance()->EmitSigtVis(0);
}

void Advanced::SetPos(int)
{
    FrameFPS->hide();
    const int x = AngleTipX(languageIndex, longModeShown);
    if (x >= 0)
        FrameAngle->moveTipIcon(x, 6);
    if (longModeShown) {
        FrameLongMode->show();
        FrameAngle->hide();
        FrameLongMode->move(0, 160);
        FrameAngle->move(0, 263);
    } else {
        FrameLongMode->hide();
        FrameAngle->hide();
        FrameAngle->move(0, 160);
    }
}

void Advanced::SlotForm()
{
    ShowLongModeByModel();
}

void Advanced::SlotFormB()
{
    ShowLongModeByModel();
}

void Advanced::SlotLongRangeMode(bool Select)
{
    if (ModelOffersLongMode()) {
        FrameLongMode->show();
        FrameLongMode->setModeChecked(Select);
        longModeShown = true;
    }
    PostMsg::Instance()->EmitSigtVis(0);
}

void Advanced::Slot20KOpen(bool Open)
{
    FrameFPS->hide();
    if (!Open)
        FrameFPS->setSwitchChecked(false);
}

void Advanced::SlotUpDataSenSorUISensor(FlashDataMap DataMap)
{
    FrameAngle->setSliderEnabled(true);
    Fill(DataMap);
}

void Advanced::SlotUpDataSenSorUIB(FlashDataMap DataMap)
{
    Fill(DataMap);
}

void Advanced::Fill(const FlashDataMap& DataMap)
{
    const int angle = DataMap.angle;
    FrameAngle->setPictureAngle(angle);
    FrameAngle->setAngleValue(angle);
    lastSensorAngle = angle;
    FrameAngle->setAngleText(QString::number(angle) + QStringLiteral("°"));
    const int sleepIndex = SleepIndexOfCode(DataMap.sleepTime);
    if (sleepIndex >= 0)
        frameClose->SetSleepIndex(sleepIndex);
    FrameFPS->hide();
    FrameFPS->setSwitchChecked(DataMap.kfps20 == 1);
    PostMsg::Instance()->EmitSigtVis(0);
}

void Advanced::SlotFormReset()
{
    frameClose->SetSleepIndex(2);
    FrameLongMode->hide();
    // With no device the panel stays hidden at the next layout pass too.
    longModeShown = false;
    FrameFPS->setSwitchChecked(false);
    FrameAngle->setAngleValue(0);
    lastSensorAngle = 0;
    FrameAngle->setAngleText(QStringLiteral("0°"));
}

void Advanced::SlotAllLanguage(int index)
{
    TipPlaces places;
    if (TipPlacesOf(index, &places)) {
        Error->move(places.sleep);
        FrameFPS->moveTipIcon(places.kfps.x(), places.kfps.y());
        FrameAngle->moveTipIcon(places.angle.x(), places.angle.y());
        Error_4->move(places.dpi);
    }
    const QString section = QStringLiteral("AdvancedSettings");
    curveAxisTitleX = LanguageTables::Text(index, section, QStringLiteral("dpiModeTipsX"));
    curveAxisTitleY = LanguageTables::Text(index, section, QStringLiteral("dpiModeTipsY"));
    label_2->setText(LanguageTables::Text(index, section, QStringLiteral("dpiSensitivityTitle")));
    Error_4->setToolTip(LanguageTables::Text(index, section, QStringLiteral("dpiSensitivityTips"))
                            .replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    label_4->setText(LanguageTables::Text(index, section, QStringLiteral("dpiModeTitle")));
    const char* modeKeys[4] = {"1", "2", "3", "0"};
    for (int i = 0; i < 4; ++i)
        modeLabels[i]->setText(
            LanguageTables::Option(index, QStringLiteral("dpiModeOptions"), QLatin1String(modeKeys[i])));
    const char* sleepKeys[8] = {"1", "3", "6", "12", "18", "30", "60", "90"};
    for (int i = 0; i < 8; ++i)
        frameClose->SetItemText(
            i, LanguageTables::Option(index, QStringLiteral("PerformanceOptions"), QLatin1String(sleepKeys[i])));
    label->setText(LanguageTables::Text(index, section, QStringLiteral("SleepTime")));
    Error->setToolTip(LanguageTables::Text(index, section, QStringLiteral("SleepTimeTips")));
}

void Advanced::on_verticalScrollBar_valueChanged(int value)
{
    if (value == 1)
        AdvancedTab->setCurrentIndex(0);
    else if (value == 2)
        AdvancedTab->setCurrentIndex(1);
}

void Advanced::ShowModePage(int page, bool checked)
{
    if (checked)
        ModeTab->setCurrentIndex(page);
}

void Advanced::on_checkBox_3_clicked(bool checked)
{
    ShowModePage(0, checked);
}

void Advanced::on_checkBox_4_clicked(bool checked)
{
    ShowModePage(1, checked);
}

void Advanced::on_checkBox_5_clicked(bool checked)
{
    ShowModePage(2, checked);
}

void Advanced::on_checkBox_6_clicked(bool checked)
{
    ShowModePage(3, checked);
}

void Advanced::on_checkBox_2_clicked(bool checked)
{
    for (QCheckBox* box : modeBoxes)
        box->setEnabled(checked);
    setModeLabelColor(checked);
}

void Advanced::wheelEvent(QWheelEvent*)
{
}
