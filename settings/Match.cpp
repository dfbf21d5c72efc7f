#include "settings/Match.h"
#include "app/TraceLog.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/RoundedWindowShape.h"
#include "dialogs/ScaleWidgetFonts.h"
#include "platform/rozuri/ROZUri.h"
#include "windows/DialogChange.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtDebug>

namespace {

constexpr int kHotPlugSettleMs = 600;
constexpr int kPollMs = 1000;
constexpr int kRefreshMs = 100;
constexpr int kAnimationMs = 500;
constexpr int kFinderCapacity = 5;
constexpr int kPairStatusEvent = 6;
constexpr unsigned char kStatusFailed = 2;
constexpr unsigned char kStatusPaired = 3;

// Shared with the report callback, which runs on a library thread.
std::atomic<int> pairState{Match::Ready};
std::atomic<bool> pairingActive{false};
// This dialog took devicePageShown from 1 to 0 and owes it back.
std::atomic<bool> devicePagePaused{false};
int textAnimStep = 0;
QString pairButtonColour;
QString pairPictureDir;

const char kFormTips[] =
    "<p>按住鼠标左键、中键和右键 3 秒，直到配对指示灯快速闪烁；"
    "将鼠标靠近接收器，然后点击开始配对或按空格键。</p>";

// Gives devicePageShown back when this dialog still owes it; safe from any thread.
void GiveBackDevicePage()
{
    if (devicePagePaused.exchange(false))
        devicePageShown = 1;
}

} // namespace

Match::Match(QWidget* parent)
    : QDialog(parent)
    , form(new Form)
{
    BuildForm();
    ScaleWidgetFonts(this, ScreenFontFactor());
    pairPictureDir = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/Setting/");
    setWindowFlags(NoticeFrame::WindowFlags());
    setFixedSize(size());

    // The rounded background (radius 8): see-through corners, and where the
    // desktop composes no windows, corners that are not part of the window.
    new RoundedWindowShape(this, form->MatchA, 8);
    const QString labelColour = ThemeColor::Rgb(QStringLiteral("LabelColor"));
    form->textEdit->setStyleSheet(QStringLiteral("QTextEdit{border:transparent;background:transparent;color:")
                                  + labelColour + QStringLiteral(";}"));
    form->label->setStyleSheet(QStringLiteral("QLabel{color:") + labelColour + QStringLiteral(";}"));
    form->label->hide();

    pairButtonColour = ThemeColor::Rgb(QStringLiteral("ButtonColor"));
    StyleMatchButton(pairButtonColour, QStringLiteral("Pair.png"));
    const QString picture = QStringLiteral("background-position:center;background-repeat:no-repeat;border:0px;");
    form->toolButton_2->setStyleSheet(QStringLiteral("QToolButton{") + picture + QStringLiteral("background-image:url(")
                                      + pairPictureDir + QStringLiteral("Picture.png);color:rgb(255,255,255);}"));
    form->CloseButton->setStyleSheet(
        QStringLiteral("QToolButton{") + picture + QStringLiteral("background-image:url(") + pairPictureDir
        + QStringLiteral("CloseSecondPage.png);}QToolButton:hover{background-image:url(") + pairPictureDir
        + QStringLiteral("CloseSecondPageHover.png);}QToolButton:pressed{background-image:url(") + pairPictureDir
        + QStringLiteral("CloseSecondPageClick.png);}"));
    form->MatchA->setStyleSheet(QStringLiteral("#MatchA{") + picture + QStringLiteral("background-image:url(")
                                + pairPictureDir + QStringLiteral("BackSecondPage.png);}"));

    currentPathCopy = CurrentDevice::Info().path;

    usbTimer = new QTimer(this);
    pairTimer = new QTimer(this);
    textTimer = new QTimer(this);
    connect(pairTimer, SIGNAL(timeout()), this, SLOT(onPairTimeupDestroy()));
    connect(usbTimer, SIGNAL(timeout()), this, SLOT(onUSBTimeupDestroy()));
    connect(textTimer, SIGNAL(timeout()), this, SLOT(onTextTimeupDestroy()));
    pairTimer->setInterval(kPollMs);
    usbTimer->setInterval(kRefreshMs);
    textTimer->setInterval(kAnimationMs);
    timeoutTimer = new QTimer(this);
    timeoutTimer->setSingleShot(true);
    timeoutTimer->setInterval(kPairTimeoutMs);
    connect(timeoutTimer, &QTimer::timeout, this, &Match::onPairTimeout);

    PostMsg::Connect(SIGNAL(SigTimerStop()), this, SLOT(SlotStopTimer()));
    PostMsg::Connect(SIGNAL(SigButtonEnable(int)), this, SLOT(SlotButtonenable(int)));
    connect(form->CloseButton, SIGNAL(clicked()), this, SLOT(WindowClosedSet()));
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    // Leaving the device pages while the dialog is open ends what it owes them.
    PostMsg::Connect(SIGNAL(SigChangeMainDialog(int)), this, SLOT(SlotChangeMainDialog(int)));
    SlotAllLanguage(languageIndex);

    form->label->hide();
    form->textEdit->hide();
}

Match::~Match()
{
    // A dialog destroyed while still open owes the same as one that closes.
    pairingActive = false;
    GiveBackDevicePage();
    delete form;
}

void Match::BuildForm()
{
    setObjectName(QStringLiteral("Match"));
    resize(458, 242);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setMinimumSize(458, 242);
    setMaximumSize(458, 242);

    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(11);
    QFont yahei11(QStringLiteral("微软雅黑"));
    yahei11.setPointSize(11);

    form->MatchA = new QFrame(this);
    form->MatchA->setObjectName(QStringLiteral("MatchA"));
    form->MatchA->setGeometry(0, 0, 458, 242);
    form->MatchA->setFixedSize(458, 242);
    form->MatchA->setFrameShape(QFrame::StyledPanel);
    form->MatchA->setFrameShadow(QFrame::Raised);

    form->toolButton_2 = new QToolButton(form->MatchA);
    form->toolButton_2->setObjectName(QStringLiteral("toolButton_2"));
    form->toolButton_2->setEnabled(false);
    form->toolButton_2->setGeometry(80, 50, 14, 14);
    form->toolButton_2->setFixedSize(14, 14);
    form->toolButton_2->setFont(arial);
    form->toolButton_2->setFocusPolicy(Qt::NoFocus);
    form->toolButton_2->setAutoRaise(true);

    form->CloseButton = new QToolButton(form->MatchA);
    form->CloseButton->setObjectName(QStringLiteral("CloseButton"));
    form->CloseButton->setGeometry(435, 20, 14, 14);
    QSizePolicy closePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    closePolicy.setHorizontalStretch(14);
    closePolicy.setVerticalStretch(14);
    form->CloseButton->setSizePolicy(closePolicy);
    form->CloseButton->setMinimumSize(14, 14);
    form->CloseButton->setMaximumSize(14, 14);
    form->CloseButton->setFocusPolicy(Qt::NoFocus);
    form->CloseButton->setIconSize(QSize(30, 30));
    form->CloseButton->setAutoRaise(true);

    form->MatchButton = new QPushButton(form->MatchA);
    form->MatchButton->setObjectName(QStringLiteral("MatchButton"));
    form->MatchButton->setGeometry(150, 195, 154, 32);
    form->MatchButton->setFixedSize(154, 32);
    form->MatchButton->setFont(yahei11);
    form->MatchButton->setFocusPolicy(Qt::TabFocus);
    connect(form->MatchButton, &QPushButton::clicked, this, &Match::on_MatchButton_clicked);

    form->textEdit = new QTextEdit(form->MatchA);
    form->textEdit->setObjectName(QStringLiteral("textEdit"));
    form->textEdit->setEnabled(false);
    form->textEdit->setReadOnly(true);
    form->textEdit->setGeometry(105, 40, 271, 151);
    form->textEdit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    QFont normal = yahei11;
    normal.setBold(false);
    normal.setItalic(false);
    form->textEdit->setFont(normal);
    form->textEdit->setFocusPolicy(Qt::NoFocus);
    form->textEdit->setLineWrapMode(QTextEdit::WidgetWidth);
    form->textEdit->setLineWrapColumnOrWidth(0);

    form->label = new QLabel(form->MatchA);
    form->label->setObjectName(QStringLiteral("label"));
    form->label->setGeometry(105, 50, 241, 16);
    QFont yahei10(QStringLiteral("微软雅黑"));
    yahei10.setPointSize(10);
    form->label->setFont(yahei10);

    form->toolButton_3 = new QToolButton(form->MatchA);
    form->toolButton_3->setObjectName(QStringLiteral("toolButton_3"));
    form->toolButton_3->setEnabled(false);
    form->toolButton_3->setGeometry(80, 180, 18, 18);
    form->toolButton_3->setFixedSize(18, 18);
    form->toolButton_3->setFont(arial);
    form->toolButton_3->setFocusPolicy(Qt::NoFocus);
    form->toolButton_3->setAutoRaise(true);

    RetranslateForm();
}

void Match::RetranslateForm()
{
    setWindowTitle(QStringLiteral("Dialog"));
    SetButtonText(QStringLiteral("开始配对"));
    form->label->setText(QStringLiteral("无线模式下,才能进入配对"));
    form->textEdit->setHtml(QString::fromUtf8(kFormTips));
}

// A button's text change replaces its shortcut with the text's mnemonic:
// Space is given back each time.
void Match::SetButtonText(const QString& text)
{
    form->MatchButton->setText(text);
    if (spaceShortcut)
        form->MatchButton->setShortcut(QKeySequence(Qt::Key_Space));
}

void Match::StyleMatchButton(const QString& colour, const QString& picture)
{
    const QString style = QStringLiteral("QPushButton{border:0px;color:") + colour
        + QStringLiteral(";background-image:url(") + pairPictureDir + picture
        + QStringLiteral(");background-position:center;background-repeat:no-repeat;}");
    // The 100 ms refresh restyles often: only a change is applied.
    if (style != matchButtonStyle) {
        matchButtonStyle = style;
        form->MatchButton->setStyleSheet(style);
    }
}

void Match::PreparePairing()
{
    spaceShortcut = true;
    form->MatchButton->setShortcut(QKeySequence(Qt::Key_Space));
    textAnimStep = 0;
    pairState = Ready;
    form->MatchButton->setEnabled(true);
    StyleMatchButton(pairButtonColour, QStringLiteral("Pair.png"));
    SetButtonText(startPairText);

    DeviceAllInfo device;
    if (devicePageShown == 1) {
        device = CurrentDevice::Info();
        device.path = currentPathCopy;
    } else if (DialogChange::chooserPairingSet) {
        device = DialogChange::chooserPairingDevice;
    } else if (!DeviceDiscovery::foundDeviceList.isEmpty()) {
        device = DeviceDiscovery::foundDeviceList.first();
    }
    pairDevicePath = device.path;
    pairVid = device.vidText;
    pairPid = device.pidText;
    pairWired = device.wired;

    pairCid = static_cast<quint8>(
        ConfigSettings::Instance()->Value(QStringLiteral("Option"), QStringLiteral("CID")).toInt() & 0xFF);
    usbTimer->start(kRefreshMs);
    // The button looks ready at once, so it must be: no 100 ms in which a
    // click would be ignored.
    onUSBTimeupDestroy();
}

void Match::on_MatchButton_clicked()
{
    if (pairState == Paired || !canPair)
        return;
    pairState = Pairing;
    textTimer->start();
    SetButtonText(pairingText);
    StyleMatchButton(pairButtonColour, QStringLiteral("Pair.png"));
    RestartPairing();
}

void Match::RestartPairing()
{
    if (devicePageShown == 1) {
        devicePageShown = 0;
        devicePagePaused = true;
    }
    pairingActive = false;
    StartPairing();
}

void Match::StartPairing()
{
    qCDebug(traceLog, "Enter");
    pairingActive = true;
    pairTimer->start();
    timeoutTimer->start();
    const QByteArray path = pairDevicePath.toUtf8();
    UsbServerC_Start(path.constData(), path.constData(), &Match::OnPairStatus);
    UsbServer_EnterDonglePairOnlyCid(pairCid);
}

void Match::OnPairStatus(const unsigned char* header, int headerLength, const unsigned char* payload,
                         int payloadLength)
{
    qCDebug(traceLog, "in2");
    const int event = header && headerLength >= 2 ? header[1] : 0;
    qCDebug(traceLog) << event;
    // A status report without its status byte says nothing.
    if (event != kPairStatusEvent || !payload || payloadLength < 1)
        return;
    PostMsg* hub = PostMsg::Instance();
    if (payload[0] == kStatusFailed) {
        hub->EmitSigTimerStop();
        pairingActive = false;
        qCDebug(traceLog, "fail");
        pairState = Failed;
        hub->EmitSigButtonEnable(0);
    } else if (payload[0] == kStatusPaired) {
        hub->EmitSigTimerStop();
        pairingActive = false;
        qCDebug(traceLog, "success");
        pairState = Paired;
        hub->EmitSigButtonEnable(1);
    } else {
        return;
    }
    GiveBackDevicePage();
}

int Match::CurrentPairState()
{
    return pairState;
}

bool Match::PairingOutstanding()
{
    return pairingActive;
}

void Match::onPairTimeupDestroy()
{
    UsbServer_ReadDonglePairStatus();
    int count = kFinderCapacity;
    const QByteArray vid = pairVid.toLatin1();
    const QByteArray pid = pairPid.toLatin1();
    const char* const* paths = UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.constData(), pid.constData(), &count);
    bool found = false;
    for (int i = 0; paths && i < count; ++i) {
        if (paths[i] && QString::fromLatin1(paths[i]) == pairDevicePath) {
            found = true;
            break;
        }
    }
    if ((count == 0 || !found) && pairingActive)
        FailAttempt();
}

void Match::onPairTimeout()
{
    if (pairingActive)
        FailAttempt();
}

void Match::FailAttempt()
{
    pairTimer->stop();
    textTimer->stop();
    timeoutTimer->stop();
    pairingActive = false;
    pairState = Failed;
    SetButtonText(pairFailText);
    StyleMatchButton(pairButtonColour, QStringLiteral("PairFail.png"));
    // The attempt is over: the device pages may work again.
    GiveBackDevicePage();
}

void Match::SetPairTimeout(int ms)
{
    timeoutTimer->setInterval(ms);
}

void Match::onTextTimeupDestroy()
{
    switch (textAnimStep) {
    case 0:
        SetButtonText(pairingText);
        textAnimStep = 1;
        break;
    case 1:
        SetButtonText(pairingText + QStringLiteral("."));
        textAnimStep = 2;
        break;
    case 2:
        SetButtonText(pairingText + QStringLiteral(".."));
        textAnimStep = 3;
        break;
    case 3:
        SetButtonText(pairingText + QStringLiteral("..."));
        textAnimStep = 4;
        break;
    case 4:
        SetButtonText(pairingText);
        textAnimStep = 1;
        break;
    default:
        ++textAnimStep;
        break;
    }
}

void Match::onUSBTimeupDestroy()
{
    if (!pairingActive) {
        canPair = !pairWired;
        form->label->setVisible(pairWired);
        form->textEdit->setVisible(!pairWired);
    }
    form->MatchButton->setEnabled(canPair);
    if (!canPair)
        StyleMatchButton(QStringLiteral("rgb(0,0,0)"), QStringLiteral("Pair.png"));
}

// The time-out keeps running: it acts only on an attempt still outstanding,
// and a late stop from an earlier attempt must not leave a new one unbounded.
void Match::SlotStopTimer()
{
    pairTimer->stop();
    textTimer->stop();
}

void Match::SlotButtonenable(int index)
{
    if (index == 1) {
        SetButtonText(pairSuccessText);
        StyleMatchButton(pairButtonColour, QStringLiteral("PairSuccess.png"));
        form->MatchButton->setEnabled(false);
    } else if (index == 0) {
        SetButtonText(pairFailText);
        StyleMatchButton(pairButtonColour, QStringLiteral("PairFail.png"));
    }
}

void Match::SlotAllLanguage(int index)
{
    const QString pair = QStringLiteral("pair");
    form->label->setText(LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("NoPair")));
    form->textEdit->setText(LanguageTables::Text(index, pair, QStringLiteral("DialogPairTips")));
    startPairText = LanguageTables::Text(index, pair, QStringLiteral("StartPair"));
    SetButtonText(startPairText);
    pairingText = LanguageTables::Text(index, pair, QStringLiteral("Pairing"));
    pairFailText = LanguageTables::Text(index, pair, QStringLiteral("PairFail"));
    pairSuccessText = LanguageTables::Text(index, pair, QStringLiteral("PairSuccess"));
}

void Match::SlotChangeMainDialog(int index)
{
    if (index == 0)
        devicePagePaused = false;
}

void Match::StopTimers()
{
    pairTimer->stop();
    usbTimer->stop();
    textTimer->stop();
    timeoutTimer->stop();
}

void Match::WindowClosedSet()
{
    if (pairingActive)
        return;
    StartUsbChanged(&DeviceDiscovery::OnUsbDevicesChanged, kHotPlugSettleMs);
    StopTimers();
    close();
}

// Every way out (the close button, Escape) ends an attempt that is still
// running: the next dialog must start free, and the device pages get back
// what this dialog took from them.
void Match::done(int result)
{
    StopTimers();
    pairingActive = false;
    GiveBackDevicePage();
    QDialog::done(result);
}

void Match::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateForm();
    QDialog::changeEvent(event);
}
