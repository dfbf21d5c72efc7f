#include "lighting/ThreeLed.h"

#include "widgets/MyConmboBox.h"

#include <QSignalBlocker>

namespace {

MyConmboBox* NewBox(QWidget* parent, const char* name, int y)
{
    auto* box = new MyConmboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(270, y, 200, 34);
    box->setFocusPolicy(Qt::NoFocus);
    box->addItems({QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")});
    return box;
}

} // namespace

ThreeLed::ThreeLed(QWidget* parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("ThreeLed"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(860, 484);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    LightMod_3 = NewBox(this, "LightMod_3", 180);
    LightMod_4 = NewBox(this, "LightMod_4", 270);
    LightMod_5 = NewBox(this, "LightMod_5", 360);
}

ThreeLed::~ThreeLed() = default;

void ThreeLed::SetSilently(MyConmboBox* box, int code)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(code);
}

void ThreeLed::SetLed1Function(int code)
{
    SetSilently(LightMod_3, code);
}

void ThreeLed::SetLed2Function(int code)
{
    SetSilently(LightMod_4, code);
}

void ThreeLed::SetLed3Function(int code)
{
    SetSilently(LightMod_5, code);
}
