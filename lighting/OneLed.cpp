#include "lighting/OneLed.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceReportHandler.h"
#include "platform/rozuri/ROZUri.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QToolButton>

using PanelForm::YaHei;

namespace {

QCheckBox* NewBox(QWidget* parent, const char* name, int y)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(70, y, 16, 31);
    box->setFont(YaHei(9));
    box->setFocusPolicy(Qt::NoFocus);
    box->setLayoutDirection(Qt::LeftToRight);
    QPalette palette = box->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::white);
        palette.setColor(group, QPalette::ButtonText, Qt::white);
    }
    box->setPalette(palette);
    return box;
}

QTextEdit* NewDescription(QWidget* parent, const char* name, int y)
{
    auto* text = new QTextEdit(parent);
    text->setObjectName(QLatin1String(name));
    text->setGeometry(100, y, 731, 41);
    text->setEnabled(false);
    text->setReadOnly(true);
    text->setFocusPolicy(Qt::NoFocus);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font = YaHei(9);
    font.setWeight(QFont::Normal);
    text->setFont(font);
    return text;
}

} // namespace

OneLed::OneLed(QWidget* parent)
    : QFrame(parent)
{
    BuildForm();
    group = new QButtonGroup(this);
    group->setExclusive(true);
    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Light"));
    ApplyStyles();
    group->addButton(ReUntil);
    group->addButton(ReUntil_2);
    group->addButton(ReUntil_3);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

OneLed::~OneLed() = default;

void OneLed::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("OneLed"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(834, 157);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    TitleButton_7 = new QToolButton(this);
    TitleButton_7->setObjectName(QStringLiteral("TitleButton_7"));
    TitleButton_7->setGeometry(40, 10, 16, 10);
    TitleButton_7->setFixedSize(16, 10);
    TitleButton_7->setEnabled(false);
    TitleButton_7->setFocusPolicy(Qt::NoFocus);
    TitleButton_7->setAutoRaise(true);
    label_16 = new QLabel(QStringLiteral("接收器指示灯"), this);
    label_16->setObjectName(QStringLiteral("label_16"));
    label_16->setGeometry(68, 3, 501, 21);
    label_16->setFont(YaHei(11));
    ReUntil = NewBox(this, "ReUntil", 33);
    ReUntil_2 = NewBox(this, "ReUntil_2", 73);
    ReUntil_3 = NewBox(this, "ReUntil_3", 113);
    textEdit_2 = NewDescription(this, "textEdit_2", 33);
    textEdit_3 = NewDescription(this, "textEdit_3", 73);
    textEdit_4 = NewDescription(this, "textEdit_4", 113);

    QMetaObject::connectSlotsByName(this);
}

void OneLed::ApplyStyles()
{
    const QString colour = ThemeColor::Rgb(QStringLiteral("LabelColor"));
    TitleButton_7->setStyleSheet(PanelStyle::TitleMarkerStyle(TitleButton_7->objectName(), pictureFolder));
    const QString boxStyle = QStringLiteral("QCheckBox{color: ") + colour
        + QStringLiteral(";}QCheckBox:indicator::checked {image: ") + PanelStyle::Url(pictureFolder, "CheckBoxCheck.png")
        + QStringLiteral(";}QCheckBox::indicator::unchecked {image: ")
        + PanelStyle::Url(pictureFolder, "CheckBox2.png") + QStringLiteral(";}");
    for (QCheckBox* box : {ReUntil, ReUntil_2, ReUntil_3})
        box->setStyleSheet(boxStyle);
    for (QTextEdit* text : {textEdit_2, textEdit_3, textEdit_4})
        text->setStyleSheet(QLatin1Char('#') + text->objectName()
                            + QStringLiteral("{border: transparent;background-color: transparent;color: ") + colour
                            + QStringLiteral(";}"));
    label_16->setStyleSheet(PanelStyle::LabelStyle());
}

void OneLed::SlotAllLanguage(int index)
{
    label_16->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("receiver")));
    int position = 0;
    // A list shorter than three leaves the rest without a description.
    for (QTextEdit* text : {textEdit_2, textEdit_3, textEdit_4}) {
        const TextPair entry = LanguageTables::ReceiverStatus(index, position++);
        text->setText(entry.first + entry.second);
    }
}

QCheckBox* OneLed::Box(int index) const
{
    switch (index) {
    case 0: return ReUntil;
    case 1: return ReUntil_2;
    case 2: return ReUntil_3;
    default: return nullptr;
    }
}

int OneLed::TickedIndex() const
{
    for (int index = 0; index < 3; ++index) {
        if (Box(index)->isChecked())
            return index;
    }
    return -1;
}

void OneLed::SetMeaning(int index)
{
    QCheckBox* box = Box(index);
    if (!box)
        return;
    {
        // The box that loses its tick in the exclusive group must stay quiet
        // too: its slot would ask the mouse.
        const QSignalBlocker block1(ReUntil);
        const QSignalBlocker block2(ReUntil_2);
        const QSignalBlocker block3(ReUntil_3);
        box->setChecked(true);
    }
    tickedBefore = TickedIndex();
}

void OneLed::PutTickBack(int index)
{
    const QSignalBlocker block1(ReUntil);
    const QSignalBlocker block2(ReUntil_2);
    const QSignalBlocker block3(ReUntil_3);
    if (QCheckBox* box = Box(index)) {
        box->setChecked(true);
        return;
    }
    // An exclusive group keeps its ticked box; let go of it for a moment.
    group->setExclusive(false);
    for (int other = 0; other < 3; ++other)
        Box(other)->setChecked(false);
    group->setExclusive(true);
}

void OneLed::Toggled(int index, bool checked)
{
    // The box's own toggle still being announced after the tick was put back.
    if (Box(index)->isChecked() != checked)
        return;
    if (!deviceSendEnabled) {
        tickedBefore = TickedIndex();
        return;
    }
    const QByteArray path = CurrentDevice::Path();
    if (UsbFinderC_GetDeviceOnLine(path.constData()) == 0) {
        PostMsg::Instance()->EmitSigMouseOffLineo(0);
        PutTickBack(tickedBefore);
        return;
    }
    if (!checked)
        return;
    tickedBefore = index;
    dongleRgb->bytes[0] = static_cast<unsigned char>(index + 1);
    UsbFinderC_Set4KDongleRGB(path.constData(), dongleRgb->bytes);
}

void OneLed::on_ReUntil_toggled(bool checked)
{
    Toggled(0, checked);
}

void OneLed::on_ReUntil_2_toggled(bool checked)
{
    Toggled(1, checked);
}

void OneLed::on_ReUntil_3_toggled(bool checked)
{
    Toggled(2, checked);
}
