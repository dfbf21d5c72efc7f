#pragma once

#include <QFont>
#include <QList>
#include <QPair>
#include <QString>

class QWidget;

// Start-up steps that run before and around the application object.

// Creates the per-user folder tree and an empty "/Macro.ini" when missing.
void CreateUserFolders();

// The QT_SCALE_FACTOR text for a desktop this many physical pixels wide:
// empty when the width is 1920 or less (the variable is then left alone).
QString ScaleFactorText(int desktopWidth);

// Deletes the files of a folder that are at least eight whole days old;
// sub-folders are neither entered nor deleted.
void RemoveOldFiles(const QString& folder);

// Scales the font of a widget and of every widget below it.
void ScaleWindowFonts(QWidget* widget, double factor);

// The fonts of a widget and of every widget below it, in pre-order, read
// before any is changed: a child that inherits its parent's font would
// otherwise be scaled once per level above it.
QList<QPair<QWidget*, QFont>> WidgetTreeFonts(QWidget* widget);
