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
// A combo box's face and, while it is disabled, dimmed but legible text.
QString ComboBoxStyle(const QString& pictureFolder);
// The text of a disabled control of the given selector ("QComboBox",
// "#StopClose"): the theme's combo text dimmed, legible on the dark panels.
QString DisabledTextStyle(const QString& selector);
// The open list of every combo box: theme text on the theme panel, whole
// rows, the highlighted row in a deep accent that keeps its text legible.
QString PopupListStyle();
// Gives the box a list view of its own with the popup list style for its
// popup and shows at most maxVisible items.
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
