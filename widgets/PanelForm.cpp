#include "widgets/PanelForm.h"

#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace PanelForm {

namespace {

// Each piece starts as a named child at its place.
template <class Widget>
Widget* Placed(Widget* widget, const QString& name, const QRect& geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

QFont YaHei(int points)
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(points);
    return font;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text, int points)
{
    QLabel* label = Placed(new QLabel(text, parent), QLatin1String(name), geometry);
    label->setFont(YaHei(points));
    return label;
}

QSlider* NewSlider(QWidget* parent, const char* name, const QRect& geometry, int maximum)
{
    QSlider* slider = Placed(new QSlider(Qt::Horizontal, parent), QLatin1String(name), geometry);
    slider->setRange(1, maximum);
    slider->setPageStep(1);
    slider->setTracking(false);
    slider->setFocusPolicy(Qt::NoFocus);
    return slider;
}

QFrame* NewLine(QWidget* parent, const char* name, const QRect& geometry)
{
    QFrame* line = Placed(new QFrame(parent), QLatin1String(name), geometry);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet(QStringLiteral("background-color:  rgb(57, 57, 57);"));
    return line;
}

QSpinBox* NewValueBox(QWidget* parent, const char* name, const QRect& geometry)
{
    QSpinBox* box = Placed(new QSpinBox(parent), QLatin1String(name), geometry);
    box->setReadOnly(true);
    box->setRange(1, 10);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFont(YaHei(11));
    return box;
}

QToolButton* NewToolButton(QWidget* parent, const QString& name, const QRect& geometry)
{
    QToolButton* button = Placed(new QToolButton(parent), name, geometry);
    button->setFixedSize(geometry.size());
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace PanelForm
