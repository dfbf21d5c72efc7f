#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QToolButton;
class QWidget;

// What the advanced page and its panels build alike: the title marker before
// a title and the labels in the form's font.
namespace AdvancedPanelForm {

QFont Font(int points);
QToolButton* NewTitleMarker(QWidget* parent, const char* name, const QRect& geometry);
QLabel* NewLabel(QWidget* parent, const char* name, const QRect& geometry, int points = 11);
// A tip icon: a 16 x 16 picture whose tool tip holds the text.
QLabel* NewTipIcon(QWidget* parent, const char* name, const QRect& geometry, const QString& pictureDir);

} // namespace AdvancedPanelForm
