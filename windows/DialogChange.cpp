#include "windows/DialogChange.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "app/UserSettings.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "device/Worker.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/ProblemNotice.h"
#include "dialogs/QuestiondialogB.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/FirmwareImages.h"
#include "settings/FirmwareState.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/UpDateRepair.h"
#include "settings/FormSetting.h"
#include "settings/Match.h"
#include "settings/RePair.h"
#include "settings/UpDateWarning.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelStyle.h"
#include "windows/mytoolButtonEnter.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QThread>
#include <QTimer>
#include <QPointer>
#include <QToolButton>

DialogChange* DialogChange::chooserInstance = nullptr;
QString DialogChange::chooserPictureFolder;
int DialogChange::unidentifiedModelIndex = 0;
QString DialogChange::newVersionTipText;
DeviceAllInfo DialogChange::chooserPairingDevice;
bool DialogChange::chooserPairingSet = false;
std::function<bool(std::function<void()>)> DialogChange::afterPagesMade;
std::function<bool()> DialogChange::runWaitingClick;

namespace {

const QString kOption = QStringLiteral("Option");

constexpr int kTilesPerPage = 3;
constexpr int kConnectionClasses = 5;
constexpr int kSelectionPauseMs = 150;

// Row of the tile count table: 0 cable, 1..4 the 1, 2, 4 and 8 kHz
// receivers; -1 for a receiver kind no row counts.
int ConnectionClass(const DeviceAllInfo& device)
{
    if (device.wired)
        return 0;
    switch (device.connectionKind) {
    case ConnectionReceiver1K:
        return 1;
    case ConnectionReceiver2K:
        return 2;
    case ConnectionReceiver4K:
        return 3;
    case ConnectionReceiver8K:
        return 4;
    default:
        return -1;
    }
}

QString RateBadgePicture(ConnectionKind kind)
{
    switch (kind) {
    case ConnectionReceiver1K:
        return QStringLiteral("1KHz.png");
    case ConnectionReceiver2K:
        return QStringLiteral("2KHz.png");
    case ConnectionReceiver4K:
        return QStringLiteral("4KHz.png");
    case ConnectionReceiver8K:
    case ConnectionCable8K:
        return QStringLiteral("8KHz.png");
    default:
        return QString();
    }
}

QString TileStyle(const QString& picture)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(")
        + DialogChange::chooserPictureFolder + picture + QStringLiteral(");color: rgb(255, 255, 255);}");
}

QString MarkStyle(const QString& picture)
{
    // The tip of a mark is a label too: without its own rule it would show
    // the mark's picture.
    return QStringLiteral("QLabel{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(")
        + DialogChange::chooserPictureFolder + picture + QStringLiteral(");color: rgb(255, 255, 255);}")
        + ThemeColor::ToolTipStyle();
}

QString OnlineTilePicture()
{
    return QStringLiteral("OnLine") + QString::number(0) + QStringLiteral(".png");
}

QString OfflineTilePicture()
{
    return QStringLiteral("DisOnlin") + QString::number(0) + QStringLiteral(".png");
}

// Tile x positions on a page by the number of tiles it holds, and the marks'
// x positions beside them.
struct PageLayout {
    int tileX[kTilesPerPage];
    int markX[kTilesPerPage];
};

PageLayout LayoutFor(int tilesOnPage)
{
    if (tilesOnPage == 1)
        return {{305, 0, 0}, {530, 0, 0}};
    if (tilesOnPage == 2)
        return {{135, 445, 0}, {360, 665, 0}};
    return {{0, 300, 600}, {225, 525, 825}};
}

int NumberFromObjectName(const QObject* object)
{
    QString name = object->objectName();
    name.remove(QStringLiteral("btn"), Qt::CaseSensitive);
    return name.toInt();
}

} // namespace

DialogChange::DialogChange(QWidget* parent)
    : QWidget(parent)
{
    BuildForm();
    chooserInstance = this;
    chooserPictureFolder = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/DialogChange/");

    ApplyStyles();

    PanelStyle::InstallComboList(comboBox, 5);

    label_2->show();
    label_3->show();
    RightButton->hide();
    LeftButton->hide();

    PostMsg::Connect(SIGNAL(SigLanguageSameA(int)), this, SLOT(SlotSameLanguageA(int)));
    PostMsg::Connect(SIGNAL(SigUpDateButton(bool)), this, SLOT(SlotUpDateButton(bool)));
    PostMsg::Connect(SIGNAL(SigEnterKey()), this, SLOT(SlotEnterKey()));

    Repair->hide();
    SetRepairShown(!FirmwareState::UpdateFailInfo().isEmpty());

    unidentifiedModelIndex = ConfigSettings::Instance()->Value(kOption, QStringLiteral("DeviceTotal")).toInt();
    configurationNoticePending = ConfigSettings::Instance()->State() != ConfigSettings::FileState::Usable;

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);

    FindVer->hide();

    connect(MinButton, &QToolButton::clicked, this, &DialogChange::on_MinButton_clicked);
    connect(CloseButton, &QToolButton::clicked, this, &DialogChange::on_CloseButton_clicked);
    connect(LeftButton, &QToolButton::clicked, this, &DialogChange::on_LeftButton_clicked);
    connect(RightButton, &QToolButton::clicked, this, &DialogChange::on_RightButton_clicked);
    connect(comboBox, QOverload<int>::of(&QComboBox::activated), this, &DialogChange::on_comboBox_activated);
    connect(CloseButton_2, &QToolButton::clicked, this, &DialogChange::on_CloseButton_2_clicked);
    connect(NewHong, &QToolButton::clicked, this, &DialogChange::on_NewHong_clicked);
    connect(NoApear, &QCheckBox::clicked, this, &DialogChange::on_NoApear_clicked);

    DeviceDiscovery::onRepairStateRead = [](bool failedUpdateOnRecord) {
        if (chooserInstance)
            chooserInstance->SetRepairShown(failedUpdateOnRecord);
    };
    DeviceDiscovery::onDeviceListRebuilt = [] { BuildDeviceTiles(); };
    DeviceDiscovery::repairCheckWanted = [] {
        return repairDialog && repairDialog->isVisible() && !UpDateRepair::RepairRunning() && !upgradeRunning;
    };
    connect(Repair, &QPushButton::clicked, this, &DialogChange::on_Repair_clicked);
    StartUsbChanged(&DeviceDiscovery::OnUsbDevicesChanged, 600);
    if (WindowIsUp())
        ShowPendingNotices();
}

DialogChange::~DialogChange()
{
    if (chooserInstance == this) {
        chooserInstance = nullptr;
        DeviceDiscovery::onRepairStateRead = nullptr;
        DeviceDiscovery::onDeviceListRebuilt = nullptr;
        DeviceDiscovery::repairCheckWanted = nullptr;
    }
}

void DialogChange::BuildForm()
{
    setObjectName(QStringLiteral("DialogChange"));
    setFixedSize(1020, 700);

    frameChange = new QFrame(this);
    frameChange->setObjectName(QStringLiteral("frameChange"));
    frameChange->setGeometry(0, 0, 1020, 700);

    MinButton = new QToolButton(frameChange);
    MinButton->setObjectName(QStringLiteral("MinButton"));
    MinButton->setGeometry(940, 10, 20, 20);
    CloseButton = new QToolButton(frameChange);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(980, 10, 20, 20);

    comboBox = new MyConmboBox(frameChange);
    comboBox->setObjectName(QStringLiteral("comboBox"));
    comboBox->setGeometry(790, 10, 142, 26);

    Repair = new QPushButton(frameChange);
    Repair->setObjectName(QStringLiteral("Repair"));
    Repair->setGeometry(740, 8, 36, 33);

    QFont hintFont;
    hintFont.setPointSize(14);
    label_2 = new QLabel(frameChange);
    label_2->setObjectName(QStringLiteral("label_2"));
    label_2->setGeometry(0, 320, 1021, 121);
    label_2->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    label_2->setAlignment(Qt::AlignCenter);
    label_2->setWordWrap(true);
    label_2->setFont(hintFont);
    label_3 = new QLabel(frameChange);
    label_3->setObjectName(QStringLiteral("label_3"));
    label_3->setGeometry(0, 530, 1021, 121);
    label_3->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    label_3->setAlignment(Qt::AlignCenter);
    label_3->setWordWrap(true);
    label_3->setFont(hintFont);

    stackedWidget = new QStackedWidget(frameChange);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    stackedWidget->setGeometry(65, 200, 894, 360);

    LeftButton = new QToolButton(frameChange);
    LeftButton->setObjectName(QStringLiteral("LeftButton"));
    LeftButton->setGeometry(10, 360, 46, 46);
    RightButton = new QToolButton(frameChange);
    RightButton->setObjectName(QStringLiteral("RightButton"));
    RightButton->setGeometry(965, 360, 46, 46);

    FindVer = new QFrame(frameChange);
    FindVer->setObjectName(QStringLiteral("FindVer"));
    FindVer->setGeometry(350, 300, 300, 140);
    CloseButton_2 = new QToolButton(FindVer);
    CloseButton_2->setObjectName(QStringLiteral("CloseButton_2"));
    CloseButton_2->setGeometry(275, 5, 20, 20);
    NewHong = new QToolButton(FindVer);
    NewHong->setObjectName(QStringLiteral("NewHong"));
    NewHong->setGeometry(100, 90, 90, 24);
    FindVerlaebl = new QLabel(FindVer);
    FindVerlaebl->setObjectName(QStringLiteral("FindVerlaebl"));
    FindVerlaebl->setGeometry(0, 25, 300, 40);
    FindVerlaebl->setAlignment(Qt::AlignCenter);
    FindVerlaebl->setWordWrap(true);
    NoApear = new QCheckBox(FindVer);
    NoApear->setObjectName(QStringLiteral("NoApear"));
    NoApear->setGeometry(90, 65, 180, 20);

    // Keys go to the window's own handler (Space checks the firmware, Return
    // opens the repair dialog): the title bar and the arrows take no focus.
    for (QWidget* widget : std::initializer_list<QWidget*>{MinButton, CloseButton, comboBox, Repair, LeftButton, RightButton})
        widget->setFocusPolicy(Qt::NoFocus);

    RetranslateForm();
}

void DialogChange::RetranslateForm()
{
    setWindowTitle(QStringLiteral("Dialog"));
    comboBox->clear();
    comboBox->addItem(QStringLiteral("English"));
    // The hints and buttons take their texts from the language table only: a
    // Chinese placeholder would send Qt looking for a CJK font on any system.
}

void DialogChange::ApplyStyles()
{
    const QString folder = chooserPictureFolder;

    // The background is two flat colours, a bar across the top and the panel:
    // painted, not decoded from a window-sized picture.
    frameChange->setStyleSheet(QStringLiteral("#frameChange{border: none; border-top: 48px solid ")
                               + ThemeColor::Darker(QStringLiteral("ComboxBackGroundColor"), 150)
                               + QStringLiteral("; background-color: ")
                               + ThemeColor::Rgb(QStringLiteral("ComboxBackGroundColor")) + QStringLiteral(";}"));
    auto buttonStyle = [&folder](const QString& picture, const QString& hover, const QString& pressed) {
        return QStringLiteral("QToolButton{border:0px;background-image: url(") + folder + picture
            + QStringLiteral(");background-position:center;background-repeat:no-repeat;}QToolButton:hover{background-image: url(")
            + folder + hover + QStringLiteral(");}QToolButton:pressed{background-image: url(") + folder + pressed
            + QStringLiteral(");}");
    };
    CloseButton->setStyleSheet(buttonStyle(QStringLiteral("Close.png"), QStringLiteral("CloseHover.png"), QStringLiteral("CloseClick.png")));
    MinButton->setStyleSheet(buttonStyle(QStringLiteral("Min.png"), QStringLiteral("MinHover.png"), QStringLiteral("MinClick.png")));
    Repair->setStyleSheet(QStringLiteral("#Repair{border:0px;background-image: url(") + folder
                          + QStringLiteral("Repair.png);background-position:center;background-repeat:no-repeat;}"));
    RightButton->setStyleSheet(QStringLiteral("QToolButton{border-image: url(") + folder
                               + QStringLiteral("Right.png);}QToolButton:hover{border-image: url(") + folder
                               + QStringLiteral("RightClick.png);}"));
    LeftButton->setStyleSheet(QStringLiteral("QToolButton{border-image: url(") + folder
                              + QStringLiteral("Left.png);}QToolButton:hover{border-image: url(") + folder
                              + QStringLiteral("LeftClick.png);}"));
    PanelStyle::SetPanelComboFace(comboBox, folder);

    const QString warningFolder = NoticeFrame::PictureFolder();
    FindVer->setStyleSheet(NoticeFrame::BackgroundStyle(QStringLiteral("FindVer"), warningFolder));
    CloseButton_2->setStyleSheet(NoticeFrame::CloseButtonStyle(warningFolder));
    NewHong->setStyleSheet(NoticeFrame::ButtonStyle(warningFolder, QStringLiteral("Confirm.png"), QStringLiteral("ConfirmClick.png")));
    FindVerlaebl->setStyleSheet(NoticeFrame::LabelStyle());
    NoApear->setStyleSheet(NoticeFrame::CheckBoxStyle(warningFolder));
}

void DialogChange::SetRepairShown(bool shown)
{
    Repair->setVisible(shown);
    UpdateHint();
}

void DialogChange::UpdateHint()
{
    if (!configurationHintText.isEmpty())
        label_2->setText(configurationHintText);
    else if (duplicateFound)
        label_2->setText(duplicateHintText);
    else if (!Repair->isHidden())
        label_2->setText(repairHintText);
    else
        label_2->setText(connectHintText);
}

bool DialogChange::WindowIsUp() const
{
    return window()->isVisible();
}

void DialogChange::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (duplicateNoticePending || configurationNoticePending)
        QTimer::singleShot(0, this, &DialogChange::ShowPendingNotices);
}

void DialogChange::ShowPendingNotices()
{
    if (!WindowIsUp())
        return;
    if (configurationNoticePending) {
        configurationNoticePending = false;
        ShowConfigurationNotice();
    }
    if (duplicateNoticePending) {
        duplicateNoticePending = false;
        if (duplicateFound)
            ShowDuplicateNotice();
    }
}

void DialogChange::ShowDuplicateNotice()
{
    QuestiondialogB notice;
    NoticeFrame::PlaceOnCaller(&notice, this, 0, 0);
    notice.exec();
}

void DialogChange::ShowConfigurationNotice()
{
    ConfigSettings* config = ConfigSettings::Instance();
    const bool unreadable = config->State() == ConfigSettings::FileState::Unreadable;
    ProblemNotice notice;
    notice.SetText(QStringLiteral("home"), unreadable ? QStringLiteral("ConfigUnreadable") : QStringLiteral("ConfigNoModel"),
                   config->FilePath());
    NoticeFrame::PlaceOnCaller(&notice, this, 0, 0);
    notice.exec();
}

QString DialogChange::TileTooltip() const
{
    return offlineTipText + QStringLiteral("\n") + pairTipText;
}

void DialogChange::SlotAllLanguage(int index)
{
    auto text = [index](const char* section, const char* key) {
        return LanguageTables::Text(index, QString::fromLatin1(section), QString::fromLatin1(key));
    };
    label_3->setText(text("home", "ClickIn"));
    connectHintText = text("home", "PleaseEnter");
    duplicateHintText = text("home", "UnplugIdentical");
    switch (ConfigSettings::Instance()->State()) {
    case ConfigSettings::FileState::Unreadable:
        configurationHintText = text("home", "ConfigUnreadableHint");
        break;
    case ConfigSettings::FileState::NoModel:
        configurationHintText = text("home", "ConfigNoModelHint");
        break;
    case ConfigSettings::FileState::Usable:
        configurationHintText.clear();
        break;
    }
    offlineTipText = text("infoTips", "DialogOffline");
    pairTipText = text("home", "PairTips_z");
    repairHintText = text("home", "RepairDevice");
    UpdateHint();
    FindVerlaebl->setText(text("update", "UpgradeTips"));
    NewHong->setText(text("common", "OK"));
    NoApear->setText(text("home", "NoApear"));
    newVersionTipText = text("home", "NewVerTips");
    for (QLabel* mark : offlineMarks) {
        mark->setToolTip(TileTooltip());
        mark->setFont(NoApear->font());
    }
}

void DialogChange::SlotUpDateButton(bool IsHide)
{
    SetRepairShown(!IsHide);
}

void DialogChange::SlotSameLanguageA(int index)
{
    const bool blocked = comboBox->blockSignals(true);
    comboBox->setCurrentIndex(index);
    comboBox->blockSignals(blocked);
}

void DialogChange::on_comboBox_activated(int index)
{
    UserSettings::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QString::number(index));
    languageIndex = index;
    PostMsg::Instance()->EmitSigAllLanguage(index);
    PostMsg::Instance()->EmitSigLanguageSameB(index);
}

void DialogChange::on_Repair_clicked()
{
    // A tile clicked first wins, as with the pages made at start, when its
    // please-wait dialog stood in front of this button.
    if (runWaitingClick && runWaitingClick())
        return;
    if (!repairDialog) {
        repairDialog = new UpDateRepair;
        repairDialog->hide();
    }
    NoticeFrame::PlaceOnCaller(repairDialog, this, 0, 0);
    repairDialog->ResetToStart();
    repairDialog->setModal(true);
    PostMsg::Instance()->EmitSigRepairCheckUpdate();
    repairDialog->show();
}

void DialogChange::SlotEnterKey()
{
    if (FindVer->isVisible())
        FindVer->hide();
    else if (!Repair->isHidden())
        on_Repair_clicked();
}

void DialogChange::on_RightButton_clicked()
{
    label_2->hide();
    label_3->show();
    const int pages = stackedWidget->count();
    const int current = stackedWidget->currentIndex();
    if (current + 2 == pages) {
        LeftButton->show();
        RightButton->hide();
    }
    stackedWidget->setCurrentIndex(current + 1);
}

void DialogChange::on_LeftButton_clicked()
{
    label_2->hide();
    label_3->show();
    const int current = stackedWidget->currentIndex();
    if (current == 1) {
        LeftButton->hide();
        RightButton->show();
    }
    stackedWidget->setCurrentIndex(current - 1);
}

void DialogChange::on_MinButton_clicked()
{
    PostMsg::Instance()->EmitSigChangeSize(2);
}

void DialogChange::on_CloseButton_clicked()
{
    PostMsg::Instance()->EmitSigChangeSize(3);
}

void DialogChange::on_CloseButton_2_clicked()
{
    FindVer->hide();
}

void DialogChange::on_NewHong_clicked()
{
    FindVer->hide();
}

void DialogChange::on_NoApear_clicked(bool checked)
{
    UserSettings::Instance()->SetValue(QStringLiteral("FindNew"), QStringLiteral("IsShow"),
                                       checked ? QStringLiteral("1") : QStringLiteral("0"));
}

void DialogChange::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::LanguageChange)
        return;
    const bool blocked = comboBox->blockSignals(true);
    RetranslateForm();
    comboBox->setCurrentIndex(0);
    comboBox->blockSignals(blocked);
}

void DialogChange::ClearTiles()
{
    // The old tiles go with their pages, later: a tile whose click is still
    // waiting in a dialog must outlive this rebuild.
    tileButtons.clear();
    offlineMarks.clear();
    connectionMarks.clear();
    rateBadges.clear();
    for (int i = stackedWidget->count() - 1; i >= 0; --i) {
        QWidget* page = stackedWidget->widget(i);
        stackedWidget->removeWidget(page);
        page->hide();
        page->deleteLater();
    }
}

void DialogChange::BuildDeviceTiles()
{
    DialogChange* self = chooserInstance;
    if (!self)
        return;
    self->ClearTiles();

    QList<DeviceAllInfo>& found = DeviceDiscovery::foundDeviceList;
    QList<DeviceAllInfo>& copy = DeviceDiscovery::foundDeviceListCopy;
    if (found.isEmpty()) {
        self->duplicateFound = false;
        self->UpdateHint();
        self->label_2->show();
        self->label_3->hide();
        return;
    }

    // One column per configured model and one for the unidentified index, so
    // that any number of models fits.
    const int total = ConfigSettings::Instance()->Value(kOption, QStringLiteral("DeviceTotal")).toInt();
    const int columns = qMax(total, 0) + 1;
    self->deviceCountTable = QVector<QVector<int>>(kConnectionClasses, QVector<int>(columns, 0));
    for (int k = 0; k < found.size(); ++k) {
        const int row = ConnectionClass(found.at(k));
        const int column = found.at(k).modelIndex;
        if (row >= 0 && column >= 0 && column < columns)
            ++self->deviceCountTable[row][column];
        DeviceDiscovery::RefreshDeviceOnlineState(k);
    }

    self->duplicateFound = false;
    for (int i = 0; i < total; ++i) {
        bool crowded = false;
        if (i < kConnectionClasses) {
            for (int count : self->deviceCountTable.at(i))
                crowded = crowded || count > 1;
        }
        if (crowded) {
            self->duplicateFound = true;
            continue;
        }
        if (!self->duplicateFound && i < columns && self->deviceCountTable.at(0).at(i) == 1) {
            // The model is on its cable: its receiver entries are not shown.
            // Both lists lose them, so their entries stay index for index.
            for (int k = found.size() - 1; k >= 0; --k) {
                if (found.at(k).modelIndex == i && !found.at(k).wired) {
                    found.removeAt(k);
                    if (k < copy.size())
                        copy.removeAt(k);
                }
            }
        }
    }

    self->UpdateHint();
    if (self->duplicateFound) {
        self->label_2->show();
        self->label_3->hide();
        self->RightButton->hide();
        self->LeftButton->hide();
        if (self->WindowIsUp())
            self->ShowDuplicateNotice();
        else
            self->duplicateNoticePending = true;
        return;
    }

    self->label_2->hide();
    self->label_3->show();
    self->BuildTiles();

    const int count = found.size();
    self->RightButton->setVisible(count > kTilesPerPage);
    self->LeftButton->hide();

    const QList<QToolButton*> tiles = self->tileButtons;
    for (QToolButton* tile : tiles) {
        RefreshDeviceTile(NumberFromObjectName(tile));
        connect(tile, SIGNAL(clicked()), self, SLOT(slotButtonClicked()));
    }
}

void DialogChange::BuildTiles()
{
    const QList<DeviceAllInfo>& found = DeviceDiscovery::foundDeviceList;
    const int count = found.size();
    const QString tooltip = TileTooltip();
    QWidget* page = nullptr;
    PageLayout layout{};
    bool lonePage = false;

    for (int n = 0; n < count; ++n) {
        const int slot = n % kTilesPerPage;
        if (slot == 0) {
            page = new QWidget;
            const int onPage = qMin(kTilesPerPage, count - n);
            layout = LayoutFor(onPage);
            lonePage = onPage == 1;
        }
        const DeviceAllInfo& device = found.at(n);
        const QString number = QString::number(n);

        auto* tile = new mytoolButtonEnter(page);
        tile->setObjectName(QStringLiteral("btn") + number);
        tile->setFixedSize(284, 360);
        tile->setFocusPolicy(Qt::NoFocus);
        tile->move(layout.tileX[slot], 0);
        tile->setStyleSheet(TileStyle(device.modelIndex == unidentifiedModelIndex ? QStringLiteral("Unknow.png")
                                                                                  : OfflineTilePicture()));

        auto* offline = new QLabel(page);
        offline->setObjectName(QStringLiteral("label") + number);
        offline->setFixedSize(32, 32);
        offline->setFocusPolicy(Qt::NoFocus);
        offline->move(layout.markX[slot], 20);
        offline->setStyleSheet(MarkStyle(QStringLiteral("DisOnline.png")));
        offline->setToolTip(tooltip);
        offline->setFont(NoApear->font());
        offline->hide();

        auto* connection = new QLabel(page);
        connection->setObjectName(QStringLiteral("UsbWifi") + number);
        connection->setFixedSize(32, 32);
        connection->setFocusPolicy(Qt::NoFocus);
        connection->move(layout.markX[slot], 20);
        connection->setStyleSheet(MarkStyle(device.wired ? QStringLiteral("OnLineUsb.png") : QStringLiteral("OnLineWifi.png")));
        if (lonePage) {
            connection->setToolTip(tooltip);
            connection->setFont(NoApear->font());
        }
        connection->hide();

        const QString badgePicture = RateBadgePicture(device.connectionKind);
        if (!badgePicture.isEmpty()) {
            auto* badge = new QLabel(page);
            badge->setFixedSize(42, 26);
            badge->setFocusPolicy(Qt::NoFocus);
            badge->move(layout.tileX[slot] + 7, 10);
            badge->setStyleSheet(QStringLiteral("QLabel{background-image: url(") + chooserPictureFolder + badgePicture
                                 + QStringLiteral(");}"));
            rateBadges.append(badge);
        }

        tileButtons.append(tile);
        offlineMarks.append(offline);
        connectionMarks.append(connection);

        if (slot == kTilesPerPage - 1 || n == count - 1)
            stackedWidget->addWidget(page);
    }
    stackedWidget->setCurrentIndex(0);
}

void DialogChange::StyleTile(int n, const QString& picture)
{
    tileButtons.at(n)->setStyleSheet(TileStyle(picture));
}

bool DialogChange::RefreshDeviceTile(int n)
{
    QList<DeviceAllInfo>& found = DeviceDiscovery::foundDeviceList;
    QList<DeviceAllInfo>& copy = DeviceDiscovery::foundDeviceListCopy;
    if (found.isEmpty() || n < 0 || n >= found.size())
        return true;

    DeviceAllInfo device = found.at(n);
    unsigned char* status = DeviceDiscovery::chooserStatus;
    const QByteArray path = device.path.toLatin1();
    UsbFinderC_GetDeviceOnLineWithUsbAddress(path.constData(), status);
    DeviceDiscovery::IdentifyDeviceModel(device);
    device.online = status[6] == 1;
    device.addressBytes = {status[7], status[8], status[9]};
    found[n] = device;
    if (n < copy.size())
        copy[n] = device;

    DialogChange* self = chooserInstance;
    if (!self || n >= self->tileButtons.size())
        return true;
    if (device.modelIndex == unidentifiedModelIndex) {
        self->connectionMarks.at(n)->show();
        self->StyleTile(n, QStringLiteral("Unknow.png"));
    } else if (device.online) {
        self->connectionMarks.at(n)->show();
        self->offlineMarks.at(n)->hide();
        self->StyleTile(n, OnlineTilePicture());
    } else {
        self->StyleTile(n, OfflineTilePicture());
        self->offlineMarks.at(n)->show();
        self->connectionMarks.at(n)->hide();
    }
    return true;
}

int DialogChange::FoundIndexOf(const QString& path)
{
    const QList<DeviceAllInfo>& found = DeviceDiscovery::foundDeviceList;
    for (int k = 0; k < found.size(); ++k) {
        if (found.at(k).path == path)
            return k;
    }
    return -1;
}

void DialogChange::slotButtonClicked()
{
    // The click waits for the pages, the window answering meanwhile; a
    // second click while it waits adds nothing.
    if (afterPagesMade) {
        QPointer<QAbstractButton> clicked = qobject_cast<QAbstractButton*>(sender());
        if (afterPagesMade([clicked] {
                if (clicked)
                    clicked->click();
            }))
            return;
    }
    PostMsg* hub = PostMsg::Instance();
    hub->EmitSigIsUsb(false, true);
    hub->EmitSigSetver(6);
    const QObject* tile = sender();
    if (!tile)
        return;
    const int n = NumberFromObjectName(tile);
    hub->EmitSigMouseIndex(0);

    // The dialogs below run event loops in which a hot-plug call can rebuild
    // the found list and the tiles: the click works on the records as they
    // were when it came, and looks its device up again after every dialog.
    const QList<DeviceAllInfo> found = DeviceDiscovery::foundDeviceList;
    if (n < 0 || n >= found.size())
        return;
    const DeviceAllInfo device = found.at(n);

    if (found.size() == 2 && found.at(0).cid == found.at(1).cid && found.at(0).mid == found.at(1).mid) {
        auto online = [](const DeviceAllInfo& d) {
            const QByteArray path = d.path.toLocal8Bit();
            return UsbFinderC_GetDeviceOnLine(path.constData()) != 0;
        };
        const DeviceAllInfo& a = found.at(0);
        const DeviceAllInfo& b = found.at(1);
        const DeviceAllInfo* checked = nullptr;
        if (n == 0 && !online(a) && online(b))
            checked = &a;
        else if (n == 1 && online(a) && !online(b))
            checked = &b;
        if (checked) {
            if (CheckPairingAndFirmware(*checked) == CheckOutcome::Stop)
                return;
            if (FoundIndexOf(device.path) < 0)
                return;
        }
    }

    if (device.modelIndex == unidentifiedModelIndex && !device.wired) {
        if (CheckPairingAndFirmware(device) == CheckOutcome::Stop)
            return;
        if (FoundIndexOf(device.path) < 0)
            return;
    }
    if (device.modelIndex == unidentifiedModelIndex)
        return;
    SelectDevice(device);
}

void DialogChange::SelectDevice(const DeviceAllInfo& device)
{
    PostMsg* hub = PostMsg::Instance();
    hub->EmitSigSelectMouseInfo(device);
    const int kindCode = ReceiverKindCode(device.connectionKind);
    if (QDir(FirmwareFolder()).exists()) {
        const bool found = FindModelFirmware(211, device.deviceVersion, kindCode);
        receiverUpdateAvailable = found;
        hub->EmitSigLabelTextB(device.deviceVersion, found ? QStringLiteral("true") : QString());
    } else {
        hub->EmitSigLabelTextB(device.deviceVersion, QString());
    }
    hub->EmitSigChangeMainDialog(1);
    QThread::msleep(kSelectionPauseMs);
    // The device pages' hot-plug pass has run meanwhile: when it found the
    // device gone it went back to the chooser, and the click ends there.
    auto* stack = qobject_cast<QStackedWidget*>(parentWidget());
    if (stack && stack->currentWidget() == this)
        return;
    devicePageShown = 1;
    if (deviceWorker)
        deviceWorker->StartPass();
}

DialogChange::CheckOutcome DialogChange::CheckPairingAndFirmware(const DeviceAllInfo& device)
{
    ConfigSettings* config = ConfigSettings::Instance();
    const QString group = ConfigSettings::ModelGroup(device.modelIndex);
    const QString cidText = config->Value(kOption, QStringLiteral("CID"));
    const QString midText = config->Value(group, QStringLiteral("MID"));
    const QString storedVersion = FirmwareState::StoredMouseVersion(device.modelIndex);
    if (storedVersion.isEmpty()) {
        OpenPairingDialog(device);
        return CheckOutcome::Stop;
    }

    const int cid = cidText.toInt();
    const int mid = midText.toInt();
    const bool mouseImage = FindNewerFirmwareImage(210, storedVersion, config->Value(group, QStringLiteral("MM")), cid, mid);

    // A device on its cable names no receiver class, so no receiver image.
    bool receiverImage = false;
    const QString key = ReceiverImageKey(ReceiverKindCode(device.connectionKind));
    if (!key.isEmpty()) {
        const QString name = config->Value(group, key);
        if (key == QLatin1String("DM") || !name.isEmpty())
            receiverImage = FindFirmwareImage(211, device.deviceVersion, name, cid, mid);
    }

    if (mouseImage == receiverImage) {
        RePair question;
        NoticeFrame::PlaceOnCaller(&question, this, 0, 0);
        question.exec();
        if (question.confirmed)
            OpenPairingDialog(device);
        return CheckOutcome::Stop;
    }
    if (receiverImage)
        return CheckOutcome::Continue;

    UpDateWarning warning;
    warning.SetText(wiredModeText);
    NoticeFrame::PlaceOnCaller(&warning, this, -20, 0);
    warning.exec();
    return CheckOutcome::Stop;
}

void DialogChange::OpenPairingDialog(const DeviceAllInfo& device)
{
    chooserPairingDevice = device;
    chooserPairingSet = true;
    Match pairing;
    pairing.PreparePairing();
    NoticeFrame::PlaceOnCaller(&pairing, this, 0, 0);
    pairing.exec();
}
