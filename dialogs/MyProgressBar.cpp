#include "dialogs/MyProgressBar.h"

#include <QTimer>

MyProgressBar::MyProgressBar(QWidget* parent)
    : QProgressBar(parent)
    , creepTimer(new QTimer(this))
    , catchUpTimer(new QTimer(this))
{
    setOrientation(Qt::Horizontal);
    setRange(0, 100);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetProgress(0);
    connect(creepTimer, &QTimer::timeout, this, &MyProgressBar::CreepStep);
    connect(catchUpTimer, &QTimer::timeout, this, &MyProgressBar::CatchUpStep);
}

MyProgressBar::~MyProgressBar() = default;

void MyProgressBar::SetProgress(int value)
{
    setValue(value);
    const int span = maximum() - minimum();
    const double percent = span != 0 ? (value - minimum()) * 100.0 / span : 0.0;
    setFormat(QStringLiteral("%1%").arg(percent, 0, 'f', 1));
}

void MyProgressBar::Start(int stageCount, int creepIntervalMs)
{
    creepTimer->stop();
    catchUpTimer->stop();
    stageBounds.clear();
    currentStage = 0;
    SetProgress(0);
    stageBounds.append(0);
    if (stageCount > 1) {
        const int step = 100 / stageCount;
        for (int i = 1; i < stageCount; ++i)
            stageBounds.append(stageBounds.last() + step);
    }
    stageBounds.append(100);
    creepTimer->start(creepIntervalMs);
}

void MyProgressBar::CreepStep()
{
    if (currentStage + 1 >= stageBounds.size())
        return;
    if (value() <= stageBounds.at(currentStage + 1) - 2)
        SetProgress(value() + 1);
}

void MyProgressBar::mUpdate()
{
    if (stageBounds.isEmpty() || currentStage >= stageBounds.size() - 1)
        return;
    ++currentStage;
    catchUpTimer->start(5);
    if (stageBounds.at(currentStage) == stageBounds.last())
        creepTimer->stop();
}

void MyProgressBar::CatchUpStep()
{
    if (currentStage < stageBounds.size() && value() < stageBounds.at(currentStage))
        SetProgress(value() + 1);
    else
        catchUpTimer->stop();
}
