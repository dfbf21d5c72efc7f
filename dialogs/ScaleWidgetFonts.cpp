#include "dialogs/ScaleWidgetFonts.h"

#include "platform/DisplayMetrics.h"

#include <QFont>
#include <QList>
#include <QPair>
#include <QWidget>

namespace {

void CollectFonts(QWidget* widget, QList<QPair<QWidget*, QFont>>* fonts)
{
    fonts->append(qMakePair(widget, widget->font()));
    // The child count is read again on every step: a widget may add children
    // while its font changes.
    for (int i = 0; i < widget->children().size(); ++i) {
        QObject* child = widget->children().at(i);
        if (child->isWidgetType())
            CollectFonts(static_cast<QWidget*>(child), fonts);
    }
}

} // namespace

void ScaleWidgetFonts(QWidget* widget, double factor)
{
    if (!widget)
        return;
    // All fonts are read before any is set, so that setting a parent's font
    // does not feed the already scaled size into its inheriting children.
    QList<QPair<QWidget*, QFont>> fonts;
    CollectFonts(widget, &fonts);
    for (auto& entry : fonts) {
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
