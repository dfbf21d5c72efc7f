#pragma once

#include <QString>

// Start with the desktop session: an XDG autostart entry
// "<autostart folder>/<name>.desktop" that runs the program. The folder is
// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart without it.
class AutoStartEntry {
public:
    static QString Folder();
    static QString FilePath(const QString& name);

    // Writes the entry atomically (a failed write leaves any earlier entry
    // as it was). Returns false, with a reason, when it could not.
    static bool Write(const QString& name, const QString& program, QString* error = nullptr);
    // Removes the entry; true when none is left.
    static bool Remove(const QString& name, QString* error = nullptr);
    static bool Exists(const QString& name);

    // The entry's text: a desktop entry of type Application.
    static QByteArray Contents(const QString& name, const QString& program);
    // A program path as one Exec argument: quoted, with the characters the
    // desktop entry format reserves escaped.
    static QString QuoteExecArgument(const QString& argument);
};
