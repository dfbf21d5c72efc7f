#pragma once

#include <QString>

class QComboBox;
class QWidget;

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
// Sets a widget's own sheet unless it holds that text already: the same sheet
// set again polishes the widget and all its children anew.
void ApplySheet(QWidget* widget, const QString& sheet);
QString TitleMarkerStyle(const QString& objectName, const QString& pictureFolder);
// A combo box's face and, while it is disabled, dimmed but legible text.
QString ComboBoxStyle(const QString& pictureFolder);
// The same rules for the boxes the selector combo picks.
QString ComboBoxRules(const QString& combo, const QString& pictureFolder);
// The boxes whose face property is face.
QString FaceSelector(const QString& face);
// The face by the application's sheet when it holds sharedRules (made for
// FaceSelector(face)), so the rules are parsed once for every box; else by
// ownSheet on the box itself.
void SetComboFace(QComboBox* box, const QString& face, const QString& sharedRules, const QString& ownSheet);
// ComboBoxStyle(pictureFolder) that way, the folder's name as the face.
void SetPanelComboFace(QComboBox* box, const QString& pictureFolder);
// The text of a disabled control of the given selector ("QComboBox",
// "#StopClose"): the theme's combo text dimmed, legible on the dark panels.
QString DisabledTextStyle(const QString& selector);
// The open list of every combo box: theme text on the theme panel, whole
// rows, the highlighted row in a deep accent that keeps its text legible.
QString PopupListStyle();
// The same rules for the list views the selector list picks.
QString PopupListRules(const QString& list);
// The popup list rules for every box set up by InstallComboList, for the
// application's sheet.
QString SharedPopupListRules();
// Gives the box a list view of its own with the popup list style for its
// popup (from the application's sheet when it holds SharedPopupListRules()
// and the box has no sheet of its own) and shows at most maxVisible items.
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
