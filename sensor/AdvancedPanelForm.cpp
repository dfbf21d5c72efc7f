#include "sensor/AdvancedPanelForm.h"

#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QLabel>
#include <QToolButton>

namespace AdvancedPanelForm {

QToolButton* NewTitleMarker(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* marker = new QToolButton(parent);
    marker->setObjectName(QLatin1String(name));
    marker->setGeometry(geometry);
    marker->setEnabled(false);
    marker->setFocusPolicy(Qt::NoFocus);
    marker->setAutoRaise(true);
    marker->setMinimumSize(16, 10);
    marker->setMaximumSize(16, 10);
    QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    policy.setHorizontalStretch(16);
    policy.setVerticalStretch(10);
    marker->setSizePolicy(policy);
    return marker;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QRect& geometry, int points)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(PanelForm::YaHei(points));
    label->setStyleSheet(PanelStyle::LabelStyle());
    return label;
}

QLabel* NewTipIcon(QWidget* parent, const char* name, const QRect& geometry, const QString& pictureDir)
{
    auto* tip = new QLabel(parent);
    tip->setObjectName(QLatin1String(name));
    tip->setGeometry(geometry);
    // Without a folder the page styles it later: a bare file name would be
    // looked up in the working folder.
    if (!pictureDir.isEmpty())
        tip->setStyleSheet(QStringLiteral("QLabel{border-image: ") + PanelStyle::Url(pictureDir, "Tips.png")
                           + QStringLiteral(";}"));
    return tip;
}

} // namespace AdvancedPanelForm
