#include "settings/UpDataParam.h"

#include <QTimer>

UpDataParam::UpDataParam(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Dialog"));
    waitTimer = new QTimer(this);
    waitTimer->setSingleShot(true);
    connect(waitTimer, &QTimer::timeout, this, &UpDataParam::onTimeupDestroy);
}

void UpDataParam::StartTimer()
{
    waitTimer->start(2500);
}

void UpDataParam::onTimeupDestroy()
{
    close();
}
