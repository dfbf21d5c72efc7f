#pragma once

#include <QRect>
#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QSpinBox;
class QWidget;

// Form pieces shared by the second-design setting panels: the panel frame,
// the tick-box and number styles (fonts come from PanelForm). Colours come
// from the theme colours of the configuration file.
namespace VariantForm {

// A fixed-size styled, raised panel frame.
void SetUpPanel(QFrame* panel, const char* objectName, int width, int height, bool fixedSize = true);
QLabel* NewCaption(QWidget* parent, const QRect& geometry, const QString& text, Qt::Alignment alignment);
QCheckBox* NewTickBox(QWidget* parent, const char* objectName, const QRect& geometry, const QString& text);
// A read-only, button-less number box.
QSpinBox* NewNumberBox(QWidget* parent, const char* objectName, const QRect& geometry, int minimum, int maximum,
                       int pointSize);

// Text in LabelColor.
QString CaptionStyle();
// Tick boxes in LabelColor with the folder's LODCheck.png / LOD.png indicators.
QString TickBoxStyle(const QString& pictureFolder);
// Number box with a grey border, text in LinEditColorSecond.
QString BorderedNumberStyle();
// The thin slider with the tall handle of the debounce and sleep panels.
QString ThinSliderStyle(const QString& pictureFolder);

} // namespace VariantForm
