#pragma once

#include <QString>

// The firmware state in the registry: the record of a failed update
// ("UpdateFailInfo") and the mouse firmware version stored per model.
// Every call opens the value, reads, writes or removes it, and is done.
class FirmwareState {
public:
    // A failed update: target 210 (mouse) or 211 (receiver), the receiver
    // kind code (0 when none), CID and MID. Numbers that do not read as
    // decimal integers read as 0; kindText is the kind part as stored.
    struct FailRecord {
        int target = 0;
        QString kindText;
        int kindCode = 0;
        int cid = 0;
        int mid = 0;
    };

    // The stored text, empty when there is none.
    static QString UpdateFailInfo();
    // True for a record of exactly four comma-separated parts.
    static bool ReadFailRecord(FailRecord* record);
    static void WriteFailRecord(int target, int kindCode, int cid, int mid);
    static void RemoveFailRecord();

    // "MouseVer" + Option/CID text + the model group's MID text.
    static QString MouseVersionValueName(int modelIndex);
    // The stored version text of a model (the current device's by default);
    // empty when none was stored.
    static QString StoredMouseVersion();
    static QString StoredMouseVersion(int modelIndex);
    static void StoreMouseVersion(const QString& version);
    static void StoreMouseVersion(int modelIndex, const QString& version);
};
