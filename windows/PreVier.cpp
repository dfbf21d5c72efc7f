#include "windows/PreVier.h"
#include "widgets/PanelStyle.h"

#include "app/AppPaths.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"

#include <QFont>
#include <QFrame>
#include <QLabel>

namespace {

constexpr int kValueX = 703;
constexpr int kValueWidth = 71;
constexpr int kRowHeight = 31;

// A value nobody knows (a silent mouse's profile or firmware) reads as a
// dash, not as a blank row.
void ShowValue(QLabel* label, const QString& value)
{
    label->setText(value.isEmpty() ? QStringLiteral("\u2014") : value);
}

QString MarkStyle(const QString& picture)
{
    return QStringLiteral("QLabel{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(")
        + picture + QStringLiteral(");}");
}

} // namespace

PreVier::PreVier(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PreVier"));
    resize(883, 630);

    PreViewFrame = new QFrame(this);
    PreViewFrame->setObjectName(QStringLiteral("PreViewFrame"));
    PreViewFrame->setGeometry(0, 0, 883, 630);

    widget = new QWidget(this);
    widget->setObjectName(QStringLiteral("widget"));
    widget->setGeometry(-20, 128, 432, 356);
    widget->setFixedSize(432, 356);

    const Qt::Alignment nameAlign = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment valueAlign = Qt::AlignCenter;
    DpiName = AddLabel(QStringLiteral("DpiName"), QRect(475, 103, 151, kRowHeight), QStringLiteral("DPI"), nameAlign);
    DpiValue = AddLabel(QStringLiteral("DpiValue"), QRect(kValueX, 103, kValueWidth, kRowHeight), QStringLiteral("1600"), valueAlign);
    ReportName = AddLabel(QStringLiteral("ReportName"), QRect(472, 155, 161, kRowHeight), QString(), nameAlign);
    ReportValue = AddLabel(QStringLiteral("ReportValue"), QRect(kValueX, 155, kValueWidth, kRowHeight), QStringLiteral("1600"), valueAlign);
    LodName = AddLabel(QStringLiteral("LodName"), QRect(472, 205, 171, kRowHeight), QStringLiteral("LOD"), nameAlign);
    LodValue = AddLabel(QStringLiteral("LodValue"), QRect(kValueX, 205, kValueWidth, kRowHeight), QStringLiteral("1600"), valueAlign);
    MotionName = AddLabel(QStringLiteral("MotionName"), QRect(472, 255, 181, kRowHeight), QString(), nameAlign);
    DebunceValue = AddLabel(QStringLiteral("DebunceValue"), QRect(kValueX, 255, kValueWidth, kRowHeight), QStringLiteral("1600"), valueAlign);
    ConfigName = AddLabel(QStringLiteral("ConfigName"), QRect(472, 305, 181, kRowHeight), QString(), nameAlign);
    ConfigValue = AddLabel(QStringLiteral("ConfigValue"), QRect(kValueX, 305, kValueWidth, kRowHeight), QStringLiteral("1600"), valueAlign);
    MouseVer = AddLabel(QStringLiteral("MouseVer"), QRect(472, 376, 231, kRowHeight), QString(), nameAlign);
    MouseValue = AddLabel(QStringLiteral("MouseValue"), QRect(kValueX, 376, kValueWidth, kRowHeight), QStringLiteral("v2.21"), valueAlign);
    DongleVer = AddLabel(QStringLiteral("DongleVer"), QRect(472, 428, 231, kRowHeight), QString(), nameAlign);
    DongleValue = AddLabel(QStringLiteral("DongleValue"), QRect(kValueX, 428, kValueWidth, kRowHeight), QStringLiteral("v1.0"), valueAlign);

    MouseUp = new QLabel(this);
    MouseUp->setObjectName(QStringLiteral("MouseUp"));
    MouseUp->setGeometry(765, 387, 10, 10);
    DongleUp = new QLabel(this);
    DongleUp->setObjectName(QStringLiteral("DongleUp"));
    DongleUp->setGeometry(765, 439, 10, 10);
    MouseUp->hide();
    DongleUp->hide();

    pictureFolder = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/Buttoninterface/");
    const QString labelStyle = QStringLiteral("QLabel{color: ") + ThemeColor::Rgb(QStringLiteral("LabelColor")) + QStringLiteral(";}");
    for (QLabel* label : {DpiName, DpiValue, ReportName, ReportValue, LodName, LodValue, MotionName, DebunceValue,
                          ConfigName, ConfigValue, MouseVer, MouseValue, DongleVer, DongleValue})
        label->setStyleSheet(labelStyle);
    MouseUp->setStyleSheet(MarkStyle(pictureFolder + QStringLiteral("IsData.png")));
    DongleUp->setStyleSheet(MarkStyle(pictureFolder + QStringLiteral("IsData.png")));

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    PostMsg::Connect(SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));
    PostMsg::Connect(SIGNAL(SigAddSensor(int)), this, SLOT(SlotAddSensor(int)));
    PostMsg::Connect(SIGNAL(SigAddReport(int)), this, SLOT(SlotAddReport(int)));
    PostMsg::Connect(SIGNAL(SigAddLOD(QString)), this, SLOT(SlotAddLOD(QString)));
    PostMsg::Connect(SIGNAL(SigDebunce(QString)), this, SLOT(SlotDebnunce(QString)));
    PostMsg::Connect(SIGNAL(SigAddConfig(QString)), this, SLOT(SlotAddConfig(QString)));
    PostMsg::Connect(SIGNAL(SigAddVer(int, QString)), this, SLOT(SlotAddVer(int, QString)));
    PostMsg::Connect(SIGNAL(SigAddUpdate(int, bool)), this, SLOT(SlotAddUpdate(int, bool)));
    PostMsg::Connect(SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this, SLOT(SlotSelectMouseInfo(DeviceAllInfo)));
    SlotAllLanguage(languageIndex);
}

PreVier::~PreVier() = default;

QLabel* PreVier::AddLabel(const QString& name, const QRect& geometry, const QString& text, Qt::Alignment alignment)
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(12);
    font.setBold(false);
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setText(text);
    return label;
}

void PreVier::SlotAllLanguage(int index)
{
    ReportName->setText(LanguageTables::Text(index, QStringLiteral("sensor"), QStringLiteral("ReportRate")));
    MotionName->setText(LanguageTables::Text(index, QStringLiteral("key"), QStringLiteral("DebounceTime")));
    ConfigName->setText(LanguageTables::Text(index, QStringLiteral("key"), QStringLiteral("configName")));
    MouseVer->setText(LanguageTables::Text(index, QStringLiteral("Settings"), QStringLiteral("MouseVersion")));
    DongleVer->setText(LanguageTables::Text(index, QStringLiteral("Settings"), QStringLiteral("DongleVersion")));
}

void PreVier::SlotMouseIndex(int index)
{
    PanelStyle::ApplySheet(widget, QStringLiteral("#widget{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(")
                                       + MousePicture(index) + QStringLiteral(");}"));
}

QString PreVier::MousePicture(int index) const
{
    return pictureFolder + QStringLiteral("mouse") + QString::number(index) + QStringLiteral(".png");
}

void PreVier::PrepareMousePicture(int index)
{
    // Polished, the sheet decodes its picture now; the sheet set again later
    // finds it in the pixmap cache.
    SlotMouseIndex(index);
    widget->ensurePolished();
}

void PreVier::SlotAddSensor(int Value)
{
    DpiValue->setText(QString::number(Value));
}

void PreVier::SlotAddReport(int Value)
{
    ReportValue->setText(QString::number(Value) + QStringLiteral("Hz"));
}

void PreVier::SlotAddLOD(QString Value)
{
    LodValue->setText(Value);
}

void PreVier::SlotDebnunce(QString Vlue)
{
    DebunceValue->setText(Vlue);
}

void PreVier::SlotAddConfig(QString Value)
{
    ShowValue(ConfigValue, Value);
}

void PreVier::SlotAddVer(int type, QString Ver)
{
    if (type == 0)
        ShowValue(MouseValue, Ver);
    else if (type == 1)
        ShowValue(DongleValue, Ver);
}

void PreVier::SlotAddUpdate(int type, bool Ver)
{
    if (type == 0)
        MouseUp->setVisible(Ver);
    else if (type == 1)
        DongleUp->setVisible(Ver);
}

void PreVier::SlotSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    Q_UNUSED(SelectInfo);
    // The profile is the mouse's own report; until the chosen mouse sends
    // it, the last mouse's profile is not this one's.
    ShowValue(ConfigValue, QString());
}
