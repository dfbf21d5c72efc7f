#include "settings/UpDataParam.h"
#include "platform/files/FileReader.h"

#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "buttons/ProfileExportFile.h"
#include "macro/WaitProcessingEvents.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "dialogs/DismissGuard.h"
#include "dialogs/InportFail.h"
#include "dialogs/NoticeFrame.h"
#include "dialogs/RoundedWindowShape.h"
#include "dialogs/ScaleWidgetFonts.h"
#include "platform/rozuri/ROZUri.h"

#include <QByteArray>
#include <QDataStream>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QSizePolicy>
#include <QTimer>

#include <cstring>

namespace {

constexpr int kOpenDelayMs = 2500;
constexpr int kStepMs = 500;
constexpr int kWaitSteps = 12;
constexpr int kResetPauseMs = 2000;
constexpr int kApplySteps = 5;

constexpr int kTagLength = ProfileExportFile::kTagLength;
constexpr int kSensorNameLength = ProfileExportFile::kSensorNameLength;
constexpr int kRecordLength = ProfileExportFile::kRecordLength;

bool PagesReady()
{
    return lightPageReady && sensorPageReady && buttonPageReady;
}

// The 8-bit text of a fixed-size field, up to its first NUL.
QString FieldText(const QByteArray& field)
{
    const int end = field.indexOf('\0');
    return QString::fromLocal8Bit(end < 0 ? field : field.left(end));
}

} // namespace

UpDataParam::UpDataParam(QWidget* parent)
    : QDialog(parent)
    , form(new Form)
{
    setObjectName(QStringLiteral("UpDataParam"));
    resize(300, 140);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setWindowTitle(QStringLiteral("Dialog"));

    form->UpDataParamA = new QFrame(this);
    form->UpDataParamA->setObjectName(QStringLiteral("UpDataParamA"));
    form->UpDataParamA->setGeometry(QRect(0, 0, 300, 140));
    form->UpDataParamA->setMinimumSize(300, 140);
    form->UpDataParamA->setMaximumSize(300, 140);
    form->UpDataParamA->setFrameShape(QFrame::StyledPanel);
    form->UpDataParamA->setFrameShadow(QFrame::Raised);

    form->label = new QLabel(form->UpDataParamA);
    form->label->setObjectName(QStringLiteral("label"));
    form->label->setGeometry(QRect(0, 30, 301, 61));
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(11);
    form->label->setFont(font);
    form->label->setAlignment(Qt::AlignCenter);
    form->label->setWordWrap(true);
    form->label->setText(QStringLiteral("Please wait, we are updating the setting"));

    pictureDir = NoticeFrame::PictureFolder();
    setWindowFlags(NoticeFrame::WindowFlags());
    // The notices' rounded background: nothing shows beyond its corners.
    new RoundedWindowShape(this, form->UpDataParamA);
    form->UpDataParamA->setStyleSheet(NoticeFrame::BackgroundStyle(form->UpDataParamA->objectName(), pictureDir));
    form->label->setStyleSheet(NoticeFrame::LabelStyle());

    // A child of the dialog: a stack dialog closed early (Esc) takes its
    // timer with it, so nothing is applied after a cancelled import.
    waitTimer = new QTimer(this);
    waitTimer->setSingleShot(true);
    connect(waitTimer, &QTimer::timeout, this, &UpDataParam::onTimeupDestroy);
    // The dialog closes itself when its job is done; Escape would only hide
    // it while the pages fill behind it. An import that has not begun may
    // still be called off.
    new DismissGuard(this, [this] { return !(importMode && waitTimer->isActive()); });
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);

    ScaleWidgetFonts(this, ScreenFontFactor());
}

UpDataParam::~UpDataParam()
{
    delete form;
}

void UpDataParam::StartTimer()
{
    waitTimer->start(kOpenDelayMs);
}

void UpDataParam::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("infoTips"), QStringLiteral("DialogUpdating")));
}

// Every wait below runs on the GUI thread while the report thread (and the
// worker's thread) may be blocked in a queued signal that only the GUI thread
// can deliver: the pages set their ready flags in exactly those slots. So the
// waits keep the event loop running; a plain sleep here would hold the report
// thread for the whole wait and the pages would never report in time.
void UpDataParam::onTimeupDestroy()
{
    PostMsg::Instance()->EmitSigSetver(4);
    if (resetWaitMode)
        RunResetWait();
    else if (importMode)
        RunProfileApply();
    else if (linkUp)
        RunDeviceWait();
    else
        RunOfflineFill();
}

void UpDataParam::RunResetWait()
{
    QPointer<UpDataParam> self(this);
    bool filled = false;
    for (int step = 0; step < kWaitSteps; ++step) {
        if (PagesReady()) {
            filled = true;
            break;
        }
        WaitProcessingEvents(kStepMs);
        if (!self)
            return;
    }
    // The mouse settles after a reset before the notice may say it is gone.
    // Events keep flowing meanwhile, so no device thread is held up.
    WaitProcessingEvents(kResetPauseMs);
    if (!self)
        return;
    // One reset wait per request: the page container keeps this dialog for
    // the program's life, and its later openings must wait for the device or
    // fill the pages from the cache again.
    resetWaitMode = false;
    close();
    if (!filled)
        PostMsg::Instance()->EmitSigMouseOffLineo(0);
}

void UpDataParam::RunProfileApply()
{
    QPointer<UpDataParam> self(this);
    FlashDataMap buffer{};
    importFailCode = ReadProfileFile(profilePath, reinterpret_cast<uchar*>(&buffer));
    if (importFailCode != 0) {
        InportFail notice;
        NoticeFrame::PlaceOnCaller(&notice, this, 0, 0);
        notice.exec();
        if (!self)
            return;
    } else {
        bool sent = false;
        {
            // The record becomes the page's only once the mouse took it: a
            // mouse that stopped answering keeps its own, and so do the pages.
            CurrentFlashMapLock lock;
            sent = ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&buffer)) != 0;
            if (sent)
                lock.Map() = buffer;
        }
        if (!sent) {
            importMode = false;
            close();
            PostMsg::Instance()->EmitSigMouseOffLineo(0);
            return;
        }
        PostMsg* hub = PostMsg::Instance();
        hub->EmitSigUpDataLightUIA(buffer);
        hub->EmitSigUpDataSensorUIB(buffer);
        hub->EmitSigUpDataButtonUIC(buffer);
        hub->EmitSigFormB();
        for (int step = 0; step < kApplySteps; ++step) {
            WaitProcessingEvents(kStepMs);
            if (!self)
                return;
        }
    }
    importMode = false;
    close();
}

void UpDataParam::RunDeviceWait()
{
    QPointer<UpDataParam> self(this);
    bool filled = false;
    for (int step = 0; step < kWaitSteps; ++step) {
        if (PagesReady()) {
            lightPageReady = false;
            sensorPageReady = false;
            buttonPageReady = false;
            filled = true;
            break;
        }
        WaitProcessingEvents(kStepMs);
        if (!self)
            return;
    }
    close();
    if (!filled) {
        PostMsg::Instance()->EmitSigMouseOffLineo(1);
        if (!self)
            return;
    }
    // The first time a model is seen online it gets its cache file, so that
    // it can be shown while it is offline later.
    FlashDataMap cached{};
    if (lastOnline && !DeviceCacheFile::ReadFlashCache(DeviceCacheFile::SelectionCacheName(), &cached))
        DeviceCacheFile::WriteFlashCache(DeviceCacheFile::DumpCacheName(), CurrentFlashMapLock::Snapshot());
}

void UpDataParam::RunOfflineFill()
{
    FlashDataMap cached{};
    PostMsg* hub = PostMsg::Instance();
    if (DeviceCacheFile::ReadFlashCache(DeviceCacheFile::SelectionCacheName(), &cached)) {
        hub->EmitSigUpDataLightUIA(cached);
        hub->EmitSigUpDataSensorUIB(cached);
        hub->EmitSigUpDataButtonUIC(cached);
        hub->EmitSigFormB();
    }
    // The notice opens over this dialog; the dialog closes once it is dismissed.
    QPointer<UpDataParam> self(this);
    hub->EmitSigMouseOffLineo(0);
    if (self)
        close();
}

int UpDataParam::ReadProfileFile(const QString& path, uchar* record)
{
    // A FIFO, a device, or longer than the three arrays can be: not ours,
    // and never read past that length.
    const FileReader::Result file = FileReader::Read(path, ProfileExportFile::kFileLength);
    if (!file.ok())
        return 1;
    QDataStream stream(file.bytes);
    QByteArray tag;
    QByteArray sensorName;
    QByteArray data;
    stream >> tag >> sensorName >> data;
    // A truncated file, or arrays of other lengths, is no profile of ours:
    // nothing may be read past an array, nor a short record applied.
    if (stream.status() != QDataStream::Ok || tag.size() != kTagLength
        || sensorName.size() != kSensorNameLength || data.size() != kRecordLength)
        return 1;
    if (FieldText(tag) != QLatin1String(ProfileExportFile::Tag()))
        return 1;

    const QString group = ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex);
    ConfigSettings* config = ConfigSettings::Instance();
    // The file keeps the first 12 bytes of the model's sensor name: compare
    // those, or a model with a longer name could never take its own profile.
    const QByteArray kept = ProfileExportFile::KeptSensorName(config->Value(group, QStringLiteral("Sensor")));
    const int end = sensorName.indexOf('\0');
    if ((end < 0 ? sensorName : sensorName.left(end)) != kept)
        return 2;

    std::memcpy(record, data.constData(), static_cast<size_t>(kRecordLength));
    // A missing maximum reads as 0, which refuses every profile.
    const int maxLevels = config->Value(group, QStringLiteral("DPIMaxGrade")).toInt();
    if (record[1] > maxLevels)
        return 2;
    return 0;
}
