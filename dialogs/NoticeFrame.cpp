#include "dialogs/NoticeFrame.h"

#include "app/AppPaths.h"
#include "app/ThemeColor.h"

#include <QPoint>
#include <QWidget>

namespace NoticeFrame {

QString PictureFolder()
{
    return AppPaths::ApplicationFolder() + QStringLiteral("/Picture/WarningDialog/");
}

Qt::WindowFlags WindowFlags()
{
    return Qt::Dialog | Qt::FramelessWindowHint;
}

QString LabelStyle()
{
    return QStringLiteral("QLabel{color: ") + ThemeColor::Rgb(QStringLiteral("LabelColor")) + QStringLiteral(";}");
}

QString ButtonStyle(const QString& pictureFolder, const QString& picture, const QString& pressedPicture)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: ")
        + ThemeColor::Rgb(QStringLiteral("ButtonColor"))
        + QStringLiteral(";border-image: url(") + pictureFolder + picture
        + QStringLiteral(");}QToolButton:pressed{border-image: url(") + pictureFolder + pressedPicture
        + QStringLiteral("); }");
}

QString CloseButtonStyle(const QString& pictureFolder)
{
    return QStringLiteral("QToolButton{border:0px;background-image: url(") + pictureFolder
        + QStringLiteral("Close.png);background-position:center;background-repeat:no-repeat;}"
                         "QToolButton:hover{background-image: url(")
        + pictureFolder + QStringLiteral("CloseHover.png);}QToolButton:pressed{background-image: url(")
        + pictureFolder + QStringLiteral("CloseClick.png);}");
}

QString BackgroundStyle(const QString& frameName, const QString& pictureFolder)
{
    return QLatin1Char('#') + frameName
        + QStringLiteral("{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(")
        + pictureFolder + QStringLiteral("BackGround.png);}");
}

QString EntryStyle(const QString& widgetClass)
{
    return widgetClass + QStringLiteral("{color: ") + ThemeColor::Rgb(QStringLiteral("LinEditColor"))
        + QStringLiteral(";}");
}

QString CheckBoxStyle(const QString& pictureFolder)
{
    return QStringLiteral("QCheckBox{color: ") + ThemeColor::Rgb(QStringLiteral("LabelColor"))
        + QStringLiteral(";}QCheckBox::indicator:checked {image: url(") + pictureFolder
        + QStringLiteral("CheckBoxCheck.png);}QCheckBox::indicator:unchecked {image: url(") + pictureFolder
        + QStringLiteral("CheckBox.png);}");
}

void PlaceOnCaller(QWidget* dialog, const QWidget* caller, int dx, int dy)
{
    if (!dialog || !caller)
        return;
    const QPoint origin = caller->mapToGlobal(QPoint(0, 0));
    // C++ integer division truncates toward zero, as the placement asks.
    dialog->move(origin.x() + (caller->width() - dialog->width()) / 2 + dx,
                 origin.y() + (caller->height() - dialog->height()) / 2 + dy);
}

} // namespace NoticeFrame
