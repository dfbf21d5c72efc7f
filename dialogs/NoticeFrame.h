#pragma once

#include <QString>
#include <Qt>

class QWidget;

// The look shared by every notice and question dialog: where its pictures
// live, its window flags, its style sheets, and how a caller places it.
namespace NoticeFrame {

// Application folder + "/Picture/WarningDialog/".
QString PictureFolder();

// Frameless, but an ordinary dialog window: the window manager gives it the
// keyboard focus, so Return, Esc and Space reach it.
Qt::WindowFlags WindowFlags();

// Text label coloured by Option/LabelColor.
QString LabelStyle();
// Picture button coloured by Option/ButtonColor; normal and pressed pictures.
QString ButtonStyle(const QString& pictureFolder, const QString& picture, const QString& pressedPicture);
// Close button: "Close.png", "CloseHover.png", "CloseClick.png".
QString CloseButtonStyle(const QString& pictureFolder);
// Background frame with "BackGround.png", selected by the frame's object name.
QString BackgroundStyle(const QString& frameName, const QString& pictureFolder);
// Entry field of an input dialog ("QLineEdit", "QSpinBox") coloured by Option/LinEditColor.
QString EntryStyle(const QString& widgetClass);
// Check box of an input dialog: Option/LabelColor text, "CheckBox.png" and "CheckBoxCheck.png".
QString CheckBoxStyle(const QString& pictureFolder);

// Moves a dialog to the caller's centre plus an offset: the caller's global
// top-left + ((caller width - dialog width) / 2 + dx, (caller height -
// dialog height) / 2 + dy), halves truncated toward zero, not clamped.
void PlaceOnCaller(QWidget* dialog, const QWidget* caller, int dx, int dy);

} // namespace NoticeFrame
