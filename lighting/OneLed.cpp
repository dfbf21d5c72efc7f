#include "lighting/OneLed.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QSignalBlocker>

namespace {

QCheckBox* NewBox(QWidget* parent, const char* name, int y)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(70, y, 16, 31);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

OneLed::OneLed(QWidget* parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("OneLed"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(834, 157);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    ReUntil = NewBox(this, "ReUntil", 33);
    ReUntil_2 = NewBox(this, "ReUntil_2", 73);
    ReUntil_3 = NewBox(this, "ReUntil_3", 113);
    group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(ReUntil);
    group->addButton(ReUntil_2);
    group->addButton(ReUntil_3);
}

OneLed::~OneLed() = default;

QCheckBox* OneLed::Box(int index) const
{
    switch (index) {
    case 0: return ReUntil;
    case 1: return ReUntil_2;
    case 2: return ReUntil_3;
    default: return nullptr;
    }
}

void OneLed::SetMeaning(int index)
{
    QCheckBox* box = Box(index);
    if (!box)
        return;
    const QSignalBlocker block(box);
    box->setChecked(true);
}

void OneLed::ApplyMeaning(int index)
{
    if (QCheckBox* box = Box(index))
        box->setChecked(true);
}
