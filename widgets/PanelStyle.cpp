#include "widgets/PanelStyle.h"

#include "app/AppPaths.h"
#include "app/ThemeColor.h"

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QStyle>

#include <algorithm>

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

void ApplySheet(QWidget* widget, const QString& sheet)
{
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
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

QString ComboBoxRules(const QString& combo, const QString& pictureFolder)
{
    const QString text = Color("ComboxTextColor");
    // combobox-popup:0 drops the list below the box, at most the box's
    // visible item count, instead of scrolling it to put the current row over the box.
    return combo + QStringLiteral("{border: 1px solid gray; combobox-popup: 0; color: ") + text
        + QStringLiteral("; border-image: ")
        + Url(pictureFolder, "ComboboxBack.png")
        + QStringLiteral(";}") + combo + QStringLiteral("::drop-down:button{border-radius:5px; background: ")
        + Color("ComboxBackGroundColor") + QStringLiteral(";}") + combo + QStringLiteral("::down-arrow{image: ")
        + Url(pictureFolder, "Menu.png") + QStringLiteral("; right: 8px;}") + combo
        + QStringLiteral("::down-arrow:on{image: ") + Url(pictureFolder, "MenuClicked.png") + QStringLiteral(";}")
        + combo + QStringLiteral(" QAbstractItemView::item{height:25px;}") + combo
        + QStringLiteral(" QAbstractItemView{outline: 0px solid gray; border: 1px solid gray; color: ")
        + text + QStringLiteral("; border-image: ") + Url(pictureFolder, "ComboboxTextBack.png")
        + QStringLiteral(";selection-background-color: ") + Color("ComboxSelectColor") + QStringLiteral(";}")
        + DisabledTextStyle(combo);
}

QString ComboBoxStyle(const QString& pictureFolder)
{
    return ComboBoxRules(QStringLiteral("QComboBox"), pictureFolder);
}

QString FaceSelector(const QString& face)
{
    return QStringLiteral("QComboBox[nkFace=\"") + face + QStringLiteral("\"]");
}

void SetComboFace(QComboBox* box, const QString& face, const QString& sharedRules, const QString& ownSheet)
{
    // Theme colours or a folder the application's sheet was not made with:
    // the box keeps a sheet of its own.
    if (!qApp->styleSheet().contains(sharedRules)) {
        box->setStyleSheet(ownSheet);
        return;
    }
    box->setStyleSheet(QString());
    box->setProperty("nkFace", face);
    // Property selectors are matched at polish time. Polish again and tell
    // whom a sheet of the box's own would have: the popup frame takes its
    // frame style from its list view's rules when told, so the lists open
    // as they did with a sheet per box.
    const bool polished = box->testAttribute(Qt::WA_WState_Polished);
    const bool styleOfItsOwn = box->style() != QApplication::style();
    if (styleOfItsOwn && !polished)
        return; // waits for the first polish, as a sheet would
    QList<QWidget*> widgets{box};
    widgets += box->findChildren<QWidget*>();
    for (QWidget* w : qAsConst(widgets)) {
        if (w->testAttribute(Qt::WA_WState_Polished)) {
            w->style()->unpolish(w);
            w->style()->polish(w);
        }
    }
    // A box with a style of its own is told first, else the inner widgets are.
    if (!styleOfItsOwn)
        std::reverse(widgets.begin(), widgets.end());
    for (QWidget* w : qAsConst(widgets)) {
        QEvent change(QEvent::StyleChange);
        QCoreApplication::sendEvent(w, &change);
    }
}

void SetPanelComboFace(QComboBox* box, const QString& pictureFolder)
{
    const QString face = pictureFolder.section(QLatin1Char('/'), -2, -2);
    SetComboFace(box, face, ComboBoxRules(FaceSelector(face), pictureFolder), ComboBoxStyle(pictureFolder));
}

QString DisabledTextStyle(const QString& selector)
{
    return selector + QStringLiteral(":disabled{color: ") + ThemeColor::Darker(QStringLiteral("ComboxTextColor"), 160)
        + QStringLiteral(";}");
}

QString PopupListRules(const QString& list)
{
    const QString text = Color("ComboxTextColor");
    // The accent itself is too light under the theme's pale text.
    const QString highlight = ThemeColor::Darker(QStringLiteral("ComboxSelectColor"), 135);
    return list + QStringLiteral("{color: ") + text + QStringLiteral("; background-color: ")
        + Color("ComboxBackGroundColor") + QStringLiteral("; border: 1px solid ")
        + ThemeColor::Lighter(QStringLiteral("ComboxBackGroundColor"), 170)
        + QStringLiteral("; outline: 0px;}") + list + QStringLiteral("::item{min-height: 25px; color: ") + text
        + QStringLiteral(";}") + list + QStringLiteral("::item:selected,") + list
        + QStringLiteral("::item:hover{background-color: ") + highlight + QStringLiteral("; color: ") + text
        + QStringLiteral(";}");
}

QString PopupListStyle()
{
    return PopupListRules(QStringLiteral("QListView"));
}

QString SharedPopupListRules()
{
    return PopupListRules(QStringLiteral("QComboBox[nkList=\"true\"] QListView"));
}

void InstallComboList(QComboBox* box, int maxVisible)
{
    // The box takes the view over.
    auto* view = new QListView;
    // Shared rules only where the face is shared too: a box's own sheet
    // would outweigh the application's list rules.
    if (box->styleSheet().isEmpty() && qApp->styleSheet().contains(SharedPopupListRules()))
        box->setProperty("nkList", true);
    else
        view->setStyleSheet(PopupListStyle());
    box->setView(view);
    // The box decides on a bar when it takes the view, by rules that may not
    // reach it before its first polish; its list always drops below it, so a
    // list longer than maxVisible shows its bar.
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
