#include "sensor/SensorStyle.h"

#include "app/AppPaths.h"
#include "app/ThemeColor.h"
#include "widgets/MyConmboBox.h"

#include <QListView>

namespace SensorStyle {

QString PictureFolder()
{
    return AppPaths::ApplicationFolder() + QStringLiteral("/Picture/Sensor/");
}

QString ComboBoxStyle(const QString& pictureFolder)
{
    const QString text = ThemeColor::Rgb(QStringLiteral("ComboxTextColor"));
    const QString select = ThemeColor::Rgb(QStringLiteral("ComboxSelectColor"));
    const QString back = ThemeColor::Rgb(QStringLiteral("ComboxBackGroundColor"));
    return QStringLiteral(
               "QComboBox{border:1px solid gray;color:%1;border-image:url(%4ComboboxBack.png);}"
               "QComboBox:disabled{color:black;}"
               "QComboBox::drop-down{border-radius:5px;background-color:%3;}"
               "QComboBox::down-arrow{image:url(%4Menu.png);right:8px;}"
               "QComboBox::down-arrow:on{image:url(%4MenuClicked.png);}"
               "QComboBox QAbstractItemView::item{height:25px;}"
               "QComboBox QAbstractItemView{outline:0px;border:1px solid gray;color:%1;"
               "border-image:url(%4ComboboxTextBack.png);selection-background-color:%2;}")
        .arg(text, select, back, pictureFolder);
}

void InstallListView(MyConmboBox* list, int maxVisible)
{
    const QString select = ThemeColor::Rgb(QStringLiteral("ComboxSelectColor"));
    auto* view = new QListView(list);
    view->setStyleSheet(QStringLiteral("QListView::item:selected{background:%1;}QListView::item:hover{background:%1;}")
                            .arg(select));
    if (maxVisible > 0)
        list->setMaxVisibleItems(maxVisible);
    list->setView(view);
}

QString LabelStyle()
{
    return QStringLiteral("color: %1;").arg(ThemeColor::Rgb(QStringLiteral("LabelColor")));
}

QString TipIconStyle(const QString& pictureFolder)
{
    return QStringLiteral("QLabel{border-image:url(%1Tips.png);}").arg(pictureFolder);
}

} // namespace SensorStyle
