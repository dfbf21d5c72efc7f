#pragma once

#include "dialogs/SimpleNotice.h"

#include <QString>

// Tells the user that a macro file was not written or renamed, and why:
// a save, an import or an export that the disk refused, a rename that did
// not happen, or a name the macro list could not show again. Whatever it
// reports changed nothing on disk.
class MacroFileNotice : public SimpleNotice {
    Q_OBJECT
public:
    enum class Failure {
        Save,        // the macro (saved or imported) was not written
        Export,      // the export file was not written
        Rename,      // the macro keeps its name
        NameRefused, // the name the user gave cannot be a macro's
    };

    explicit MacroFileNotice(Failure failure, QWidget* parent = nullptr);

    // The second line: the system's words for the failure, as they stand...
    void SetSystemReason(const QString& reason);
    // ...or a text of the language tables' "macro" section.
    void SetReasonKey(const QString& key);

public slots:
    void SlotAllLanguage(int index);

private:
    Failure failure;
    QString systemReason;
    QString reasonKey;
};
