#pragma once

#include <QString>

class MyConmboBox;

// Style sheets shared by the sensor page, its panels and the DPI editor:
// the theme colours of the configuration file and the pictures of the
// "Sensor" picture folder.
namespace SensorStyle {

// Application folder + "/Picture/Sensor/".
QString PictureFolder();

// A drop-down list of the sensor page: grey border, the list's pictures, the
// theme's text, button and selection colours, black text when disabled.
QString ComboBoxStyle(const QString& pictureFolder);
// Gives the list its own popup view (the list owns it) whose selected and
// hovered items have the selection colour, and at most maxVisible rows.
void InstallListView(MyConmboBox* list, int maxVisible = 0);

// "color: rgb(..);" of Option/LabelColor.
QString LabelStyle();
// A tip icon: "Tips.png" as its border image.
QString TipIconStyle(const QString& pictureFolder);

} // namespace SensorStyle
