#include "macro/MacroPageStyle.h"

#include "app/AppPaths.h"
#include "app/ThemeColor.h"
#include "widgets/PanelStyle.h"

namespace MacroPageStyle {

namespace {

QString Url(const QString& pictureFolder, const char* picture)
{
    return QStringLiteral("url(") + pictureFolder + QLatin1String(picture) + QLatin1Char(')');
}

QString Color(const char* key)
{
    return ThemeColor::Rgb(QLatin1String(key));
}

} // namespace

QString PictureFolder()
{
    return AppPaths::ApplicationFolder() + QStringLiteral("/Picture/Macro/");
}

QString ListStyle(const QString& pictureFolder)
{
    return QStringLiteral(
               "QListWidget{color: rgb(255,255,255);background: transparent;border:0px;outline:0px;}"
               "QListWidget::item:selected:active{background: #ff6a00;color: rgb(255,255,255);}"
               "QListWidget::item:selected:!active{background: #ff6a00;color: rgb(255,255,255);}"
               "QListWidget::item:hover{background: transparent;}"
               "QScrollBar:vertical{width:20px;background: rgb(30,30,30);margin:25px 0px 25px 0px;border:0px;}"
               "QScrollBar::handle:vertical{background: rgb(117,117,117);border-radius:3px;min-height:30px;}"
               "QScrollBar::sub-line:vertical{height:25px;background: rgb(30,30,30);subcontrol-position:top;subcontrol-origin:margin;}"
               "QScrollBar::add-line:vertical{height:25px;background: rgb(30,30,30);subcontrol-position:bottom;subcontrol-origin:margin;}"
               "QScrollBar::up-arrow:vertical{width:15px;height:15px;image: ")
        + Url(pictureFolder, "Up.png")
        + QStringLiteral(";}QScrollBar::down-arrow:vertical{width:15px;height:15px;image: ") + Url(pictureFolder, "Down.png")
        + QStringLiteral(";}QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background: transparent;}");
}

QString LabelStyle()
{
    return QStringLiteral("QLabel{color: ") + Color("LabelColor") + QStringLiteral(";}");
}

QString CheckBoxStyle(const QString& pictureFolder)
{
    return QStringLiteral("QCheckBox{color: ") + Color("LabelColor")
        + QStringLiteral(";}QCheckBox::indicator:checked{image: ") + Url(pictureFolder, "CheckBoxCheck.png")
        + QStringLiteral(";}QCheckBox::indicator:unchecked{image: ") + Url(pictureFolder, "CheckBox.png") + QStringLiteral(";}");
}

QString ToolButtonStyle(const QString& pictureFolder)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: ")
        + Color("ButtonColor") + QStringLiteral(";background-image: ") + Url(pictureFolder, "Button.png")
        + QStringLiteral(";}QToolButton:hover{background-image: ") + Url(pictureFolder, "ButtonHover.png")
        + QStringLiteral(";}QToolButton:pressed{background-image: ") + Url(pictureFolder, "ButtonClick.png")
        + QStringLiteral(";}");
}

namespace {

QString PushButtonStyle(const QString& pictureFolder, const char* picture, const char* hoverPicture)
{
    return QStringLiteral("QPushButton{border:0px;background-position:center;background-repeat:no-repeat;color: ")
        + Color("ButtonColor") + QStringLiteral(";background-image: ") + Url(pictureFolder, picture)
        + QStringLiteral(";}QPushButton:hover{background-image: ") + Url(pictureFolder, hoverPicture) + QStringLiteral(";}");
}

} // namespace

QString StartRecordStyle(const QString& pictureFolder)
{
    return PushButtonStyle(pictureFolder, "Record.png", "RecordHover.png");
}

QString StopRecordStyle(const QString& pictureFolder)
{
    return PushButtonStyle(pictureFolder, "Stop.png", "StopHover.png");
}

QString SpinBoxStyle()
{
    return QStringLiteral("QSpinBox{color: ") + Color("LinEditColorSecond")
        + QStringLiteral(";background: rgb(63,63,63);border:0px;}");
}

QString ComboBoxStyle(const QString& pictureFolder)
{
    // The face picture is stretched over the whole box, the drop-down part
    // included, so the arrow sits inside the frame.
    return QStringLiteral("QComboBox{color: ") + Color("ComboxTextColor")
        + QStringLiteral(";border:0px;combobox-popup:0;border-image: ") + Url(pictureFolder, "ComboboxTextBack.png")
        + QStringLiteral(";}QComboBox::drop-down{border:0px;width:30px;background: transparent;}"
                         "QComboBox::down-arrow{width:30px;height:30px;image: ")
        + Url(pictureFolder, "Menu.png") + QStringLiteral(";}QComboBox::down-arrow:on{image: ")
        + Url(pictureFolder, "MenuClicked.png")
        + QStringLiteral(";}QComboBox QAbstractItemView{border:0px;outline:0px;background-image: ")
        + Url(pictureFolder, "ComboboxBack.png") + QStringLiteral(";selection-background-color: ")
        + Color("ComboxSelectColor") + QStringLiteral(";}") + PanelStyle::DisabledTextStyle(QStringLiteral("QComboBox"));
}

QString SaveEnabledStyle(const QString& pictureFolder, const QString& buttonColorText)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: ")
        + buttonColorText + QStringLiteral(";background-image: ") + Url(pictureFolder, "Button.png")
        + QStringLiteral(";}QToolButton:hover{background-image: ") + Url(pictureFolder, "ButtonHover.png")
        + QStringLiteral("; }QToolButton:pressed{background-image: ") + Url(pictureFolder, "ButtonClick.png")
        + QStringLiteral("; }");
}

QString SaveGreyStyle(const QString& pictureFolder)
{
    return QStringLiteral(
               "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(127,127,127);"
               "background-image: ")
        + Url(pictureFolder, "Button.png") + QStringLiteral(";}");
}

} // namespace MacroPageStyle
