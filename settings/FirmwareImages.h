#pragma once

#include "device/DeviceAllInfo.h"
#include "platform/rozuri/FirmwareImageHeader.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/ImageBlockList.h"

#include <QByteArray>
#include <QString>
#include <atomic>

// Firmware images in the folder "/bin" beside the program: the image scans,
// the version text, the receiver kind codes and the two lists that hand a
// chosen image to the device library.

// An image is a few hundred kilobytes at most; a larger file is no image.
constexpr qint64 kMaxFirmwareImageBytes = 1024 * 1024;

// Filled by FindFirmwareImage; read by the repair dialog.
extern ImageBlockList firmwareImageList;
// Filled by FindNewerFirmwareImage; read by the settings page's update.
extern ImageBlockList updateImageList;
// Option/CID as read by the last FindModelFirmware.
extern std::atomic<int> updateCid;

// Takes every image of another version than currentVersion (any image when it
// is empty); the list ends with the last one taken.
bool FindFirmwareImage(int target, const QString& currentVersion, const QString& imageName, int cid, int mid);
// As FindFirmwareImage, but an image whose version reads as the same decimal
// number as currentVersion ends the scan there.
bool FindNewerFirmwareImage(int target, const QString& currentVersion, const QString& imageName, int cid, int mid);
// The answer of FindNewerFirmwareImage without touching a list; false for an
// empty current version.
bool HasNewerFirmwareImage(int target, const QString& currentVersion, const QString& imageName, int cid, int mid);
// Is there an image of the current device's model (Option/CID, the model
// group's MID and image name for the target and receiver kind code) whose
// version differs from currentVersion? Stores Option/CID in updateCid.
bool FindModelFirmware(int target, const QString& currentVersion, int kindCode);

// "v" + major in decimal + "." + minor as two upper-case hex digits.
QString FirmwareVersionText(quint32 major, quint8 minor);
QString FirmwareVersionText(const FirmwareImageHeader& header);
// The version text with every "v" removed, as versions are compared.
QString FirmwareCompareForm(const QString& versionText);

// False for a block shorter than the header.
bool ReadFirmwareImageHeader(const QByteArray& block, FirmwareImageHeader* header);
// The header's image name in the local 8-bit code page.
QString FirmwareImageName(const FirmwareImageHeader& header);
// The device library's view of a block; valid while the block is held.
RozFirmwareImage FirmwareImageView(const QByteArray& block);

// 1, 2, 4, 8 for the 1, 2, 4, 8 kHz receivers; 0 for anything else.
int ReceiverKindCode(ConnectionKind kind);
// "DM", "D2M", "D4M", "D8M" for kind codes 1, 2, 4, 8; empty otherwise.
QString ReceiverImageKey(int kindCode);

// The folder scanned: the application folder + "/bin", unless a test set
// another one (an empty text restores the default).
QString FirmwareFolder();
void SetFirmwareFolder(const QString& folder);
