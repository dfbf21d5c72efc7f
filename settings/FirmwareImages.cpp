#include "settings/FirmwareImages.h"
#include "platform/files/FileReader.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "device/CurrentDevice.h"

#include <QDir>
#include <QFileInfo>
#include <mutex>
#include <QRegularExpression>

ImageBlockList firmwareImageList;
ImageBlockList updateImageList;
std::atomic<int> updateCid{0};

namespace {

enum class ScanKind { Find, FindNewer, HasNewer };

std::mutex folderMutex;
QString folderOverride;

// A version compare form read as a decimal number; anything else reads as 0.
double DecimalValue(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (!decimal.match(text).hasMatch())
        return 0.0;
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0.0;
}

bool Scan(ScanKind kind, int target, const QString& currentVersion, const QString& imageName, int cid, int mid,
          ImageBlockList* list)
{
    const QString stripped = FirmwareCompareForm(currentVersion);
    const bool currentEmpty = stripped.isEmpty();
    const QString currentForm = currentEmpty ? QStringLiteral("0.0") : stripped;

    if (kind == ScanKind::HasNewer && currentEmpty)
        return false;
    if (list)
        list->Clear();

    const QDir folder(FirmwareFolder());
    if (!folder.exists())
        return false;

    bool taken = false;
    // The folder's default listing: by name, ignoring case.
    const QFileInfoList entries = folder.entryInfoList(QStringList{QStringLiteral("*.bin")});
    for (const QFileInfo& entry : entries) {
        // One unreadable file (a FIFO, a folder, far too large) must not
        // hide the images beside it.
        const FileReader::Result file = FileReader::Read(entry.absoluteFilePath(), kMaxFirmwareImageBytes);
        if (!file.ok())
            continue;
        const QByteArray& block = file.bytes;

        FirmwareImageHeader header;
        if (!ReadFirmwareImageHeader(block, &header))
            continue;
        if (header.target != (target & 0xFF) || header.cid != (cid & 0xFF) || header.mid != (mid & 0xFF)
            || FirmwareImageName(header) != imageName)
            continue;

        const QString imageForm = FirmwareCompareForm(FirmwareVersionText(header));
        if (imageForm == currentForm && !currentEmpty)
            continue;
        if (kind != ScanKind::Find && !currentEmpty && DecimalValue(imageForm) == DecimalValue(currentForm))
            break;
        taken = true;
        if (list)
            list->ReplaceWith(block);
    }
    return taken;
}

} // namespace

bool FindFirmwareImage(int target, const QString& currentVersion, const QString& imageName, int cid, int mid)
{
    return Scan(ScanKind::Find, target, currentVersion, imageName, cid, mid, &firmwareImageList);
}

bool FindNewerFirmwareImage(int target, const QString& currentVersion, const QString& imageName, int cid, int mid)
{
    return Scan(ScanKind::FindNewer, target, currentVersion, imageName, cid, mid, &updateImageList);
}

bool HasNewerFirmwareImage(int target, const QString& currentVersion, const QString& imageName, int cid, int mid)
{
    return Scan(ScanKind::HasNewer, target, currentVersion, imageName, cid, mid, nullptr);
}

bool FindModelFirmware(int target, const QString& currentVersion, int kindCode)
{
    ConfigSettings* config = ConfigSettings::Instance();
    updateCid = config->Value(QStringLiteral("Option"), QStringLiteral("CID")).toInt();
    const QString group = ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex);

    QString nameKey = QStringLiteral("MM");
    if (target != FirmwareImageHeader::kMouseTarget) {
        nameKey = ReceiverImageKey(kindCode);
        if (nameKey.isEmpty())
            return false;
    }
    const QString imageName = config->Value(group, nameKey);
    const int mid = config->Value(group, QStringLiteral("MID")).toInt();
    return HasNewerFirmwareImage(target, currentVersion, imageName, updateCid, mid);
}

QString FirmwareVersionText(quint32 major, quint8 minor)
{
    return QStringLiteral("v%1.%2").arg(major).arg(QStringLiteral("%1").arg(minor, 2, 16, QLatin1Char('0')).toUpper());
}

QString FirmwareVersionText(const FirmwareImageHeader& header)
{
    return FirmwareVersionText(header.majorVersion, header.minorVersion);
}

QString FirmwareCompareForm(const QString& versionText)
{
    QString form = versionText;
    form.remove(QLatin1Char('v'));
    return form;
}

bool ReadFirmwareImageHeader(const QByteArray& block, FirmwareImageHeader* header)
{
    return FirmwareImageHeader::parse(reinterpret_cast<const unsigned char*>(block.constData()), block.size(),
                                      header);
}

QString FirmwareImageName(const FirmwareImageHeader& header)
{
    return QString::fromLocal8Bit(header.imageName);
}

RozFirmwareImage FirmwareImageView(const QByteArray& block)
{
    RozFirmwareImage image;
    image.bytes = reinterpret_cast<const unsigned char*>(block.constData());
    image.length = block.size();
    return image;
}

int ReceiverKindCode(ConnectionKind kind)
{
    switch (kind) {
    case ConnectionReceiver1K:
        return 1;
    case ConnectionReceiver2K:
        return 2;
    case ConnectionReceiver4K:
        return 4;
    case ConnectionReceiver8K:
        return 8;
    default:
        return 0;
    }
}

QString ReceiverImageKey(int kindCode)
{
    switch (kindCode) {
    case 1:
        return QStringLiteral("DM");
    case 2:
        return QStringLiteral("D2M");
    case 4:
        return QStringLiteral("D4M");
    case 8:
        return QStringLiteral("D8M");
    default:
        return QString();
    }
}


QString FirmwareFolder()
{
    {
        std::unique_lock<std::mutex> lock(folderMutex);
        if (!folderOverride.isEmpty())
            return folderOverride;
    }
    return AppPaths::ApplicationFolder() + QStringLiteral("/bin");
}

void SetFirmwareFolder(const QString& folder)
{
    std::unique_lock<std::mutex> lock(folderMutex);
    folderOverride = folder;
}
