#include "dialogs/ScaleWidgetFonts.h"

#include "app/Startup.h"
#include "platform/DisplayMetrics.h"

#include <QFont>
#include <QList>
#include <QPair>
#include <QWidget>

void ScaleWidgetFonts(QWidget* widget, double factor)
{
    if (!widget)
        return;
    for (auto& entry : WidgetTreeFonts(widget)) {
        QFont font = entry.second;
        // A font sized in pixels has no point size to scale.
        if (font.pointSizeF() <= 0)
            continue;
        font.setPointSizeF(font.pointSizeF() * factor);
        entry.first->setFont(font);
    }
}

double ScreenFontFactor()
{
    const float dpi = static_cast<float>(DisplayMetrics::LogicalDpi());
    return static_cast<double>(1.0f / (dpi / 96.0f));
}
