#pragma once

#include <QString>

class QComboBox;

// Style sheets shared by the setting panels of the sensor and lighting pages:
// the effect boxes, the value sliders, the read-only number boxes and the
// colour swatch. Colours come from the theme colours of the configuration
// file, pictures from the panel's own picture folder (ending in "/").
namespace PanelStyle {

// Application folder + "/Picture/" + folder + "/".
QString PictureFolder(const QString& folder);

QString Url(const QString& pictureFolder, const char* picture);
// Text in LabelColor.
QString LabelStyle();
QString TitleMarkerStyle(const QString& objectName, const QString& pictureFolder);
QString ComboBoxStyle(const QString& pictureFolder);
// Gives the box a list view of its own for its popup, styled with the
// selection colour, and shows at most maxVisible items.
void InstallComboList(QComboBox* box, int maxVisible);
QString SliderStyle(const QString& pictureFolder);
// Read-only value boxes beside the sliders.
QString ValueBoxStyle();
// Editable colour channel boxes.
QString ChannelBoxStyle();
// A centred picture without border, for buttons and labels.
QString PictureStyle(const char* widgetClass, const QString& pictureFolder, const char* picture);
// The swatch of a shown colour.
QString SwatchStyle(int red, int green, int blue);

} // namespace PanelStyle
