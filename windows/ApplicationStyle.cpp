#include "windows/ApplicationStyle.h"

#include "app/ThemeColor.h"
#include "widgets/PanelStyle.h"

#include <QStringList>

namespace ApplicationStyle {

QString Sheet()
{
    // Before every page's own rules: where a page styles its scroll bars,
    // its rules outweigh these.
    QString sheet = ThemeColor::ToolTipStyle() + ThemeColor::ScrollBarStyle() + ThemeColor::MenuStyle();
    // The debounce panel's box is its whole face: no frame of the default
    // light colours around it.
    sheet += QStringLiteral("DebounceTime{border: 0px;}");
    // Every picture folder a page's combo boxes take their face from; the
    // pictures differ in size from folder to folder.
    const QStringList folders = {QStringLiteral("DialogChange"), QStringLiteral("Sensor"),
                                 QStringLiteral("Light"), QStringLiteral("Buttoninterface"),
                                 QStringLiteral("FormSetting"), QStringLiteral("ScreeInfo")};
    for (const QString& folder : folders)
        sheet += PanelStyle::ComboBoxRules(PanelStyle::FaceSelector(folder), PanelStyle::PictureFolder(folder));
    // Last: of two rules alike in weight the later one wins, and the list's
    // rules must outweigh what a face says about its list.
    sheet += PanelStyle::SharedPopupListRules();
    return sheet;
}

} // namespace ApplicationStyle
