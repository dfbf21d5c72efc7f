#include "widgets/PanelStyle.h"

#include "app/AppPaths.h"
#include "app/ThemeColor.h"

#include <QComboBox>
#include <QListView>

namespace PanelStyle {

namespace {

QString Color(const char* key)
{
    return ThemeColor::Rgb(QLatin1String(key));
}

} // namespace

QString PictureFolder(const QString& folder)
{
    return AppPaths::ApplicationFolder() + QStringLiteral("/Picture/") + folder + QLatin1Char('/');
}

QString Url(const QString& pictureFolder, const char* picture)
{
    return QStringLiteral("url(") + pictureFolder + QLatin1String(picture) + QLatin1Char(')');
}

QString LabelStyle()
{
    return QStringLiteral("QLabel{color: ") + Color("LabelColor") + QStringLiteral(";}");
}

QString TitleMarkerStyle(const QString& objectName, const QString& pictureFolder)
{
    return QLatin1Char('#') + objectName + QStringLiteral("{border-image: ") + Url(pictureFolder, "Title.png")
        + QStringLiteral(";}");
}

QString ComboBoxStyle(const QString& pictureFolder)
{
    const QString text = Color("ComboxTextColor");
    // combobox-popup:0 drops the list below the box, at most the box's
    // visible item count, instead of scrolling it to put the current row over the box.
    return QStringLiteral("QComboBox{border: 1px solid gray; combobox-popup: 0; color: ") + text
        + QStringLiteral("; border-image: ")
        + Url(pictureFolder, "ComboboxBack.png")
        + QStringLiteral(";}QComboBox::drop-down:button{border-radius:5px; background: ")
        + Color("ComboxBackGroundColor") + QStringLiteral(";}QComboBox::down-arrow{image: ")
        + Url(pictureFolder, "Menu.png") + QStringLiteral("; right: 8px;}QComboBox::down-arrow:on{image: ")
        + Url(pictureFolder, "MenuClicked.png")
        + QStringLiteral(";}QComboBox QAbstractItemView::item{height:25px;}"
                         "QComboBox QAbstractItemView{outline: 0px solid gray; border: 1px solid gray; color: ")
        + text + QStringLiteral("; border-image: ") + Url(pictureFolder, "ComboboxTextBack.png")
        + QStringLiteral(";selection-background-color: ") + Color("ComboxSelectColor") + QStringLiteral(";}")
        + DisabledTextStyle(QStringLiteral("QComboBox"));
}

QString DisabledTextStyle(const QString& selector)
{
    return selector + QStringLiteral(":disabled{color: ") + ThemeColor::Darker(QStringLiteral("ComboxTextColor"), 160)
        + QStringLiteral(";}");
}

QString PopupListStyle()
{
    const QString text = Color("ComboxTextColor");
    // The accent itself is too light under the theme's pale text.
    const QString highlight = ThemeColor::Darker(QStringLiteral("ComboxSelectColor"), 135);
    return QStringLiteral("QListView{color: ") + text + QStringLiteral("; background-color: ")
        + Color("ComboxBackGroundColor") + QStringLiteral("; border: 1px solid ")
        + ThemeColor::Lighter(QStringLiteral("ComboxBackGroundColor"), 170)
        + QStringLiteral("; outline: 0px;}QListView::item{min-height: 25px; color: ") + text
        + QStringLiteral(";}QListView::item:selected,QListView::item:hover{background-color: ") + highlight
        + QStringLiteral("; color: ") + text + QStringLiteral(";}");
}

void InstallComboList(QComboBox* box, int maxVisible)
{
    // The box takes the view over.
    auto* view = new QListView;
    view->setStyleSheet(PopupListStyle());
    box->setView(view);
    box->setMaxVisibleItems(maxVisible);
}

QString SliderStyle(const QString& pictureFolder)
{
    return QStringLiteral("QSlider::groove:horizontal{background: white; height: 5px; border-radius: 2px;}"
                          "QSlider::handle:horizontal{width: 6px; height: 18px; margin: -9px 0px -9px 0px; "
                          "border-image: ")
        + Url(pictureFolder, "HuaKuai.png") + QStringLiteral(";}QSlider::sub-page:horizontal{background: ")
        + Color("SliderColor")
        + QStringLiteral("; border-radius: 2px;}QSlider::add-page:horizontal{background: white; border-radius: 2px;}");
}

QString ValueBoxStyle()
{
    return QStringLiteral("QSpinBox{color: ") + Color("LabelColor")
        + QStringLiteral("; background: transparent; border: 0px;}");
}

QString ChannelBoxStyle()
{
    return QStringLiteral("QSpinBox{color: ") + Color("LinEditColorSecond")
        + QStringLiteral("; background: black; border: 1px solid gray;}QSpinBox:hover{background: transparent;}");
}

QString PictureStyle(const char* widgetClass, const QString& pictureFolder, const char* picture)
{
    return QLatin1String(widgetClass) + QStringLiteral("{border: 0px; background-position: center; "
                                                       "background-repeat: no-repeat; background-image: ")
        + Url(pictureFolder, picture) + QStringLiteral(";}");
}

QString SwatchStyle(int red, int green, int blue)
{
    return QStringLiteral("QLabel{background-color: rgb(") + QString::number(red) + QLatin1Char(',')
        + QString::number(green) + QLatin1Char(',') + QString::number(blue)
        + QStringLiteral(");border: 2px solid  rgb(220,220,220);}");
}

} // namespace PanelStyle
