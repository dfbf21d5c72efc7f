#include "sensor/SensorDPIForm.h"

#include "widgets/MyConmboBox.h"
#include "widgets/MySlider.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace {

// The names do not describe the default colours; the level index alone ties
// a button, its swatch, its colour, its marker place and its record entry.
const SensorDPIForm::Level kLevelTable[SensorDPIForm::kLevels] = {
    {"BlueButton", "BlueButtonA", QRect(15, 99, 54, 56), QRect(17, 141, 50, 12), QPoint(27, 154), "255,0,0", "100"},
    {"BrightRedButton", "BrightRedButtonA", QRect(106, 99, 54, 56), QRect(108, 141, 50, 12), QPoint(118, 154), "0,0,255", "200"},
    {"RedButton", "RedButtonA", QRect(197, 99, 54, 56), QRect(199, 141, 50, 12), QPoint(209, 154), "0,255,0", "200"},
    {"YellowButton", "YellowButtonA", QRect(288, 99, 54, 56), QRect(290, 141, 50, 12), QPoint(300, 154), "255,255,0", "100"},
    {"GreenButton", "GreenButtonA", QRect(379, 99, 54, 56), QRect(381, 141, 50, 12), QPoint(391, 154), "0,255,255", "100"},
    {"PurpleButton", "PurpleButtonA", QRect(470, 99, 54, 56), QRect(472, 141, 50, 12), QPoint(483, 154), "255,0,255", "200"},
    {"LightBlueButton", "LightBlueButtonA", QRect(561, 99, 54, 56), QRect(563, 141, 50, 12), QPoint(573, 154), "159,0,0", "100"},
    {"LightYellowButton", "LightYellowButtonA", QRect(652, 99, 54, 56), QRect(654, 141, 50, 12), QPoint(664, 154), "0,212,252", "200"},
};

QFont FormFont(int points)
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPointSize(points);
    return font;
}

QToolButton* NewToolButton(QFrame* editor, const char* name, const QRect& rect)
{
    auto* button = new QToolButton(editor);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(rect);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

const SensorDPIForm::Level& SensorDPIForm::LevelAt(int level)
{
    return kLevelTable[qBound(0, level, kLevels - 1)];
}

SensorDPIForm::SensorDPIForm(QFrame* editor)
{
    if (editor->objectName().isEmpty())
        editor->setObjectName(QStringLiteral("SensorDPI"));
    editor->resize(728, 194);
    editor->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    editor->setFrameShape(QFrame::StyledPanel);
    editor->setFrameShadow(QFrame::Raised);

    label = new QLabel(editor);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(17, 0, 101, 21);
    label->setFont(FormFont(11));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    ChooseEvent = new MyConmboBox(editor);
    ChooseEvent->setObjectName(QStringLiteral("ChooseEvent"));
    ChooseEvent->setGeometry(115, 1, 81, 21);
    ChooseEvent->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    ChooseEvent->setMinimumSize(0, 0);
    ChooseEvent->setFont(FormFont(10));
    ChooseEvent->setFocusPolicy(Qt::NoFocus);

    horizontalSliderC = new MySlider(editor);
    horizontalSliderC->setObjectName(QStringLiteral("horizontalSliderC"));
    horizontalSliderC->setGeometry(18, 56, 561, 25);
    horizontalSliderC->setMinimumSize(561, 25);
    horizontalSliderC->setMaximumSize(561, 25);
    horizontalSliderC->setOrientation(Qt::Horizontal);
    horizontalSliderC->setRange(50, 32000);
    horizontalSliderC->setSingleStep(50);
    horizontalSliderC->setPageStep(50);
    horizontalSliderC->setValue(50);
    // A drag reports its value once, on release.
    horizontalSliderC->setTracking(false);
    horizontalSliderC->setFocusPolicy(Qt::NoFocus);

    spinBoxA = new QSpinBox(editor);
    spinBoxA->setObjectName(QStringLiteral("spinBoxA"));
    spinBoxA->setGeometry(618, 56, 66, 20);
    spinBoxA->setFont(FormFont(10));
    spinBoxA->setFocusPolicy(Qt::NoFocus);
    spinBoxA->setRange(50, 100000);
    spinBoxA->setReadOnly(true);
    spinBoxA->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spinBoxA->setWrapping(false);
    spinBoxA->setAccelerated(false);
    spinBoxA->setAlignment(Qt::AlignCenter);
    spinBoxA->setStyleSheet(
        QStringLiteral("QSpinBox{background:transparent;color:rgb(255,255,255);border:1px solid gray;}"));

    for (int i = 0; i < kLevels; ++i) {
        const Level& level = kLevelTable[i];
        QToolButton* button = NewToolButton(editor, level.buttonName, level.buttonRect);
        button->setFont(FormFont(10));
        button->setCheckable(true);
        button->setAutoRaise(true);
        levelButtons[i] = button;
        QToolButton* swatch = NewToolButton(editor, level.swatchName, level.swatchRect);
        swatch->setCheckable(true);
        swatch->setAutoRaise(false);
        swatches[i] = swatch;
    }

    label_8 = new QLabel(editor);
    label_8->setObjectName(QStringLiteral("label_8"));
    label_8->setGeometry(103, 154, 30, 30);
    label_8->setMinimumSize(30, 30);
    label_8->setMaximumSize(30, 30);
    label_8->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    ReduceLevelA = NewToolButton(editor, "ReduceLevelA", QRect(598, 64, 14, 4));
    ReduceLevelA->setFixedSize(14, 4);
    ReduceLevelA->setEnabled(true);
    ReduceLevelA->setAutoRaise(true);

    AddLevelA = NewToolButton(editor, "AddLevelA", QRect(691, 59, 14, 14));
    AddLevelA->setMinimumSize(14, 14);
    AddLevelA->setMaximumSize(14, 14);
    AddLevelA->setAutoRaise(true);

    RetranslateUi(editor);
}

void SensorDPIForm::RetranslateUi(QFrame* editor)
{
    editor->setWindowTitle(QCoreApplication::translate("SensorDPI", "Frame"));
    label->setText(QCoreApplication::translate("SensorDPI", "DPI级数"));
    for (int i = 0; i < kLevels; ++i) {
        levelButtons[i]->setText(QCoreApplication::translate("SensorDPI", kLevelTable[i].defaultText));
        swatches[i]->setText(QString());
    }
    label_8->setText(QString());
    ReduceLevelA->setText(QStringLiteral("..."));
    AddLevelA->setText(QString());
}
