#pragma once

#include <QFont>
#include <QString>

class QFrame;
class QLabel;
class QRect;
class QSlider;
class QSpinBox;
class QToolButton;
class QWidget;

// Form pieces shared by the setting panels of the sensor and lighting pages
// (first and second design alike): each builds one named, placed widget the
// way those panels lay out their controls. Style sheets stay with the panel
// (see PanelStyle).
namespace PanelForm {

// "微软雅黑" at the given point size.
QFont YaHei(int points);
// A label in YaHei at the given size (11 unless said).
QLabel* NewLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text, int points = 11);
// A value slider 1..maximum stepping by one, written on release only.
QSlider* NewSlider(QWidget* parent, const char* name, const QRect& geometry, int maximum);
// The dark rule that stands in a row while its slider is hidden.
QFrame* NewLine(QWidget* parent, const char* name, const QRect& geometry);
// The read-only, button-less 1..10 number box beside a slider.
QSpinBox* NewValueBox(QWidget* parent, const char* name, const QRect& geometry);
// A fixed-size tool button that never takes the focus.
QToolButton* NewToolButton(QWidget* parent, const QString& name, const QRect& geometry);

} // namespace PanelForm
