#pragma once

#include <QString>

class QWidget;

// The standard open and save dialogs for the user's own files (profiles,
// exported macros).
// Each starts in the folder the user last chose a file in, kept in the user
// settings, or in the home folder when there is none or it is gone. They are
// ordinary modal QFileDialogs, so tests answer them as they answer any other
// modal dialog.
class RememberedFileDialog {
public:
    // The chosen file, or an empty text when the user cancelled.
    static QString OpenFile(QWidget* parent, const QString& caption, const QString& filter);
    // A name typed without a suffix gets defaultSuffix.
    static QString SaveFile(QWidget* parent, const QString& caption, const QString& filter,
                            const QString& defaultSuffix);

    // Where the next dialog starts.
    static QString StartFolder();

private:
    static QString Run(QWidget* parent, const QString& caption, const QString& filter, bool save,
                       const QString& defaultSuffix);
};
