#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// Starting things outside the program: a configured command line, started
// detached, and a web address handed to the desktop's default handler.
class DesktopLauncher {
public:
    // Splits a command line into words at blanks, double quotes grouping
    // words (no shell: no variables, no pipes), and starts it detached.
    // False when the text is empty or the program could not be started.
    static bool StartDetached(const QString& commandLine);
    // Opens the text as a URL (tolerant parsing). False when the text is
    // empty or no handler took it.
    static bool OpenUrl(const QString& text);
};
