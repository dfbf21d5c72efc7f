#include "variants/VariantForm.h"

#include "app/ThemeColor.h"
#include "widgets/PanelForm.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>

namespace VariantForm {

void SetUpPanel(QFrame* panel, const char* objectName, int width, int height, bool fixedSize)
{
    panel->setObjectName(QLatin1String(objectName));
    panel->resize(width, height);
    if (fixedSize)
        panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setWindowTitle(QStringLiteral("Frame"));
}

QLabel* NewCaption(QWidget* parent, const QRect& geometry, const QString& text, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(geometry);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    label->setFont(PanelForm::YaHei(11));
    label->setAlignment(alignment);
    return label;
}

QCheckBox* NewTickBox(QWidget* parent, const char* objectName, const QRect& geometry, const QString& text)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(objectName));
    box->setGeometry(geometry);
    box->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    box->setMinimumSize(20, 10);
    box->setFont(PanelForm::YaHei(11));
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QSpinBox* NewNumberBox(QWidget* parent, const char* objectName, const QRect& geometry, int minimum, int maximum,
                       int pointSize)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(objectName));
    box->setGeometry(geometry);
    box->setFont(PanelForm::YaHei(pointSize));
    box->setFocusPolicy(Qt::NoFocus);
    box->setWrapping(false);
    box->setAlignment(Qt::AlignCenter);
    box->setReadOnly(true);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAccelerated(false);
    box->setRange(minimum, maximum);
    box->setValue(minimum);
    return box;
}

QString CaptionStyle()
{
    return QStringLiteral("QLabel{color: ") + ThemeColor::Rgb(QStringLiteral("LabelColor")) + QStringLiteral(";}");
}

QString TickBoxStyle(const QString& pictureFolder)
{
    return QStringLiteral("QCheckBox{color: ") + ThemeColor::Rgb(QStringLiteral("LabelColor"))
        + QStringLiteral(";}QCheckBox::indicator:checked{image: url(") + pictureFolder
        + QStringLiteral("LODCheck.png);}QCheckBox::indicator:unchecked{image: url(") + pictureFolder
        + QStringLiteral("LOD.png);}");
}

QString BorderedNumberStyle()
{
    const QString colour = ThemeColor::Rgb(QStringLiteral("LinEditColorSecond"));
    return QStringLiteral("QSpinBox{background-color: transparent;color: ") + colour
        + QStringLiteral(";border: 1px solid gray;}QSpinBox:hover{background-color: transparent;color: ") + colour
        + QStringLiteral(";border: 1px solid gray;}");
}

QString ThinSliderStyle(const QString& pictureFolder)
{
    return QStringLiteral("QSlider::groove:horizontal{height:2px;left: 0px;right: 0px;border:0px;border-radius:6px;"
                          "background:rgba(0,0,0,50);}QSlider::handle:horizontal{width: 5px;height: 50px;"
                          "margin-top: -20px;margin-left: 0px;margin-bottom: -20px;margin-right: 0px;"
                          "border-image: url(")
        + pictureFolder + QStringLiteral("HuaKuai.png);}QSlider::sub-page:horizontal{background-color: ")
        + ThemeColor::Rgb(QStringLiteral("SliderColor"))
        + QStringLiteral(";}QSlider::add-page:horizontal{background-color: rgb(255, 255, 255);}");
}

} // namespace VariantForm
