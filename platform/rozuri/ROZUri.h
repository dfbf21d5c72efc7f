#pragma once

/*
 * ROZUri: the device library of the mouse and its USB receivers.
 *
 * This build drives simulated devices (see SimulatedDeviceControl.h and
 * resources/Simulation/README.md); the interface is the one the program uses.
 *
 * Conventions
 * - A device is named by its HID path, a NUL-terminated Latin-1 string as the
 *   finders return it. Path strings (and the arrays holding them) returned by
 *   the finders stay valid for the whole process; nobody frees them.
 * - Out-values go into buffers the caller owns. Functions returning
 *   unsigned char return non-zero on success / when the device answers.
 * - Counts passed by address carry the caller's capacity on entry (the
 *   program presets 5) and the number found on return.
 * - Ids travel as hexadecimal texts ("1A2B"), compared case-insensitively.
 *
 * Threads
 * - The report callback runs on a thread of the library, never the caller's,
 *   one report at a time, in order. Read calls only queue a request; the
 *   answer arrives later through the callback. No lock of the library is held
 *   while a callback runs, so a callback may call the library again.
 * - A restarting UsbServerC_Start returns at once, even while the previous
 *   callback is still running (blocked). UsbServer_Exit waits until the
 *   callback still running has returned, so that none runs after it; called
 *   on the thread of the Qt application object it delivers that thread's
 *   queued calls meanwhile (a callback blocked in a blocking queued signal
 *   to it then finishes). It never waits longer than 0.5 s: a callback
 *   blocked on anything else is left running. Either drops the reports still
 *   queued for the old callback. The report thread is joined when the
 *   application object is destroyed, or at exit.
 * - The hot-plug callback is called once inside StartUsbChanged, on the
 *   caller's thread, and later on the thread of the Qt application object
 *   (posted through its event loop), never after it was replaced or removed.
 * - The upgrade status callback runs on a thread of the library.
 *
 * Reports (header is 5 bytes: [0] 0xA5, [1] type, [2] 0, [3] 0, [4] sub-type)
 *   type 4  battery         payload 2 bytes: level (percent), charging (0/1)
 *   type 6  pairing status  payload 1 byte: 1 pending, 2 failed, 3 paired
 *   type 8  data, sub 0     6912 bytes: the mouse's flash image
 *   type 8  data, sub 0     1 byte: report-rate code
 *   type 8  data, sub 4     1 byte: current DPI level
 *   type 8  data, sub 76    8 bytes: DPI indicator effect, brightness,
 *                           speed, on, then 4 zero bytes
 *   type 8  data, sub 160   9 bytes: light bar effect, red, green, blue,
 *                           speed, brightness, on, then 2 zero bytes
 *   type 9  re-initialised  no payload (sent after a factory reset)
 *   type 10 status changed  7 flag bytes: 0 DPI level, 1 report rate,
 *                           2 settings (profile) changed, 3 DPI indicator,
 *                           5 light bar, 6 battery; byte 4 unused
 *   type 14 configuration   1 byte: current profile (0..3)
 *   type 18 version         2 bytes: the mouse's version word, little-endian
 *   type 21 receiver LED    1 byte: the 4 kHz receiver's LED meaning
 *   type 23 long range      10 bytes: long-range mode left
 *
 * Upgrade status (callback of UsbUpgrade_Start), 8 bytes:
 *   [0] 7, [1] 1 progress with [2] percent, or [1] 2 end with [2] 1 success /
 *   0 failure; the rest zero.
 *
 * Call log
 * When NK_SIM_LOG names a file, every call below appends one JSON object per
 * line, flushed per line: "fn" the function's name, "t" milliseconds since
 * the library was loaded, "result" the result (0/1 for unsigned char), and
 * the arguments. Byte buffers are lowercase hex strings, out-buffers as they
 * are on return.
 *   finders          "vid", "pid", "countIn" (count on entry), "count",
 *                    "paths" (array); ...ByDeviceId also "iface", "dev"
 *   GetUsbDeviceAttribute "path", "attr" (12 bytes)
 *   GetDeviceInfo    "path", "reserved", "info" (3 bytes)
 *   GetDeviceOnLine  "path";  ...WithUsbAddress also "status" (10 bytes)
 *   GetVersion       "path" ("result" is the version word)
 *   GetSlaveVersion  "path", "version"
 *   Get/SetLongRangeMode  "path", "mode"
 *   Get/Set4KDongleRGB... "path", "rgb" (10); Get/SetDongleRGBBarMode "bar" (7);
 *   Get/SetDongleIndicatorLed "leds" (3); SetDongleIDToMouse "id" (5)
 *   OpenDevice "path"; ReadWriteDeviceData "length", "packet", "reply"
 *   UsbServerC_Start "path", "path2", "callback" (1 given, 0 none)
 *   UsbServer_SetPCDriverStatus, UsbServer_SetBatteryOptimizeEnable "mode"
 *   UsbServer_SetCurrentConfig "index"; UsbServer_EnterDonglePairOnlyCid "cid"
 *   other UsbServer_ calls: no arguments
 *   GetDeviceBatteryStatus "payload", "battery"; GetDeviceStatusChanged
 *                    "payload", "flags"; BufferToDPILed/BufferToLedBar
 *                    "payload", "dst"
 *   ProtocolDataParser "image" (6912 bytes); ProtocolDataUpdate "record"
 *                    (the 10448 bytes)
 *   StartUsbChanged  "callback", "settle"; StopUsbChanged: none
 *   UsbUpgradeC_FindBootDevices "image" (header, first 728 bytes), "length",
 *                    "countIn", "count"
 *   UsbUpgrade_Start "image" (header), "length", "callback", "timeout"
 */

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*RozReportCallback)(const unsigned char *header, int headerLength,
                                  const unsigned char *payload, int payloadLength);
typedef void (*RozHotPlugCallback)(void);
typedef void (*RozUpgradeStatusCallback)(const unsigned char *status);

/* A firmware image block: the whole image file in memory. */
typedef struct RozFirmwareImage {
    const unsigned char *bytes;
    int length;
} RozFirmwareImage;

enum {
    ROZ_FLASH_IMAGE_SIZE = 6912,
    ROZ_DEVICE_RECORD_SIZE = 10448,
    ROZ_FIRMWARE_HEADER_SIZE = 728
};

/* Finding and identification */
const char *const *UsbFinderC_FindHidDevicesByDefaultDeviceId(const char *vid, const char *pid, int *count);
const char *const *UsbFinderC_FindHidDevicesByDeviceId(const char *vid, const char *pid, int interfaceId,
                                                       int deviceId, int *count);
/* attr: 12 bytes: [0..3] size 12, [4..5] vendor id, [6..7] product id,
   [8..9] version word (high byte major, low byte minor), little-endian. */
unsigned char UsbFinderC_GetUsbDeviceAttribute(const char *path, unsigned char *attr);
/* Returns 3 bytes: CID, MID, connection kind; valid until the next call on
   the same thread. A receiver without a paired mouse answers CID 0, MID 0. */
const unsigned char *UsbFinderC_GetDeviceInfo(const char *path, int reserved);
unsigned char UsbFinderC_GetDeviceOnLine(const char *path);
/* status: 10 bytes: [0] present, [1] connection kind, [6] online,
   [7..9] receiver id (the receiver's own, or the one a cable mouse is paired with). */
unsigned char UsbFinderC_GetDeviceOnLineWithUsbAddress(const char *path, unsigned char *status);
/* The mouse's version word; -1 when no mouse answers. */
int UsbFinderC_GetVersion(const char *path);
unsigned char UsbFinderC_GetSlaveVersion(const char *path, int *version);

/* Mouse settings reached through the finder */
unsigned char UsbFinderC_GetLongRangeMode(const char *path, unsigned char *mode);
unsigned char UsbFinderC_SetLongRangeMode(const char *path, int mode);

/* Receiver lighting: 10-byte record (byte 0 the 4 kHz LED meaning), 7-byte
   light bar (effect, red, green, blue, speed 0..9, brightness 0..9, on),
   3 indicator LED functions (0..3 each). */
unsigned char UsbFinderC_Get4KDongleRGBValue(const char *path, unsigned char *rgb);
unsigned char UsbFinderC_Set4KDongleRGB(const char *path, const unsigned char *rgb);
unsigned char UsbFinderC_GetDongleRGBBarMode(const char *path, unsigned char *bar);
unsigned char UsbFinderC_SetDongleRGBBarMode(const char *path, const unsigned char *bar);
unsigned char UsbFinderC_GetDongleIndicatorLed(const char *path, unsigned char *leds);
unsigned char UsbFinderC_SetDongleIndicatorLed(const char *path, const unsigned char *leds);
/* id: 5 bytes: receiver id bytes [9], [8], [7] of the status buffer, 0, kind. */
unsigned char UsbFinderC_SetDongleIDToMouse(const char *path, const unsigned char *id);

/* 40-byte exchange with a device that has a screen (clock packets). */
unsigned char UsbFinderC_OpenDevice(const char *path);
unsigned char UsbFinderC_ReadWriteDeviceData(const unsigned char *packet, unsigned char *reply, unsigned char length);

/* Device server */
unsigned char UsbServerC_Start(const char *path, const char *path2, RozReportCallback callback);
void UsbServer_Exit(void);
unsigned char UsbServer_SetPCDriverStatus(int status);
unsigned char UsbServer_ReadAllFlashData(void);
unsigned char UsbServer_ReadCurrentDPI(void);
unsigned char UsbServer_ReadReportRate(void);
unsigned char UsbServer_ReadBatteryLevel(void);
unsigned char UsbServer_ReadLedBar(void);
unsigned char UsbServer_ReadDPILed(void);
unsigned char UsbServer_ReadVersion(void);
unsigned char UsbServer_ReadConfig(void);
unsigned char UsbServer_SetBatteryOptimizeEnable(int enable);
unsigned char UsbServer_SetClearSetting(void);
unsigned char UsbServer_SetCurrentConfig(int index);
unsigned char UsbServer_EnterDonglePairOnlyCid(int cid);
unsigned char UsbServer_ReadDonglePairStatus(void);

/* Report decoding and the setting record */
void GetDeviceBatteryStatus(const unsigned char *payload, unsigned char *battery); /* 4 bytes out */
void GetDeviceStatusChanged(const unsigned char *payload, unsigned char *flags);  /* 7 bytes out */
/* Fills the 10448-byte record from a 6912-byte image. Returns 0 and leaves
   the record untouched when the image is short or malformed. */
unsigned char ProtocolDataParser(const unsigned char *image, unsigned char *record);
/* Stores a 10448-byte record as the server device's settings. No report is
   sent back. */
unsigned char ProtocolDataUpdate(const unsigned char *record);
void BufferToDPILed(const unsigned char *payload, unsigned char *dpiLed); /* 4 bytes out */
void BufferToLedBar(const unsigned char *payload, unsigned char *ledBar); /* 7 bytes out */

/* Hot-plug: settleMs is how long changes are gathered before the call. */
void StartUsbChanged(RozHotPlugCallback callback, int settleMs);
void StopUsbChanged(void);

/* Firmware */
/* Counts the devices in boot mode whose CID and MID match the image's header
   for its target (210 mouse, 211 receiver), at most the count on entry.
   An image shorter than its header counts none. Returns the count. */
int UsbUpgradeC_FindBootDevices(const RozFirmwareImage *image, int *count);
/* Writes the image to the one device it fits: a device in boot mode first,
   else a receiver or a mouse on its cable in normal mode (which then goes into
   boot mode). Returns 0 at once for a short image, no fitting device or
   several, or an upgrade still running; else 1, and the status arrives
   through callback. Success sets the device's version from the header and
   takes it out of boot mode; a failure leaves it in boot mode. Only the
   header is read, during the call; timeoutMs is the longest wait for a device
   answer, which the simulated devices always meet. */
unsigned char UsbUpgrade_Start(const RozFirmwareImage *image, RozUpgradeStatusCallback callback, int timeoutMs);

#ifdef __cplusplus
}
#endif
