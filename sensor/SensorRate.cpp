#include "sensor/SensorRate.h"

#include "app/PostMsg.h"

namespace {
const int kRates[7] = {125, 250, 500, 1000, 2000, 4000, 8000};
}

SensorRate::SensorRate(QWidget* parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("SensorRate"));
}

SensorRate::~SensorRate() = default;

int SensorRate::RateOfIndex(int index)
{
    return index >= 0 && index < 7 ? kRates[index] : 0;
}

void SensorRate::selectRate(int index)
{
    m_currentRateIndex = index;
    if (index < 0 || index > 6)
        return;
    PostMsg::Instance()->EmitSigAddReport(RateOfIndex(index));
}
