#pragma once

#include <QString>

// The program's own style sheet: the tool tips, scroll bars and menus in the
// theme, and the face and open list of every combo box. Qt parses each
// widget's sheet by itself, so rules that many boxes share live here, parsed
// once, and the boxes pick them by property (see PanelStyle::SetComboFace and PanelStyle::InstallComboList).
namespace ApplicationStyle {

QString Sheet();

} // namespace ApplicationStyle
