#pragma once

#include <QString>

// Style sheets of the macro page, from the theme colours of the
// configuration file and the pictures of the page's folder.
namespace MacroPageStyle {

// Application folder + "/Picture/Macro/".
QString PictureFolder();

// Both lists: white text, orange selection, a dark 20-pixel scroll bar.
QString ListStyle(const QString& pictureFolder);
// Titles and repeat-mode texts.
QString LabelStyle();
QString CheckBoxStyle(const QString& pictureFolder);
// New, delete, change and delete-event.
QString ToolButtonStyle(const QString& pictureFolder);
QString StartRecordStyle(const QString& pictureFolder);
QString StopRecordStyle(const QString& pictureFolder);
QString SpinBoxStyle();
QString ComboBoxStyle(const QString& pictureFolder);
// Save while there is something to save, and greyed.
QString SaveEnabledStyle(const QString& pictureFolder, const QString& buttonColorText);
QString SaveGreyStyle(const QString& pictureFolder);

} // namespace MacroPageStyle
