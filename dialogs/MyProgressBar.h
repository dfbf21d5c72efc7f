#pragma once

#include <QProgressBar>
#include <QVector>

class QTimer;

// A progress bar that advances in stages on its own: within a stage it creeps
// slowly up to just below the stage's end and waits; mUpdate() ends the stage
// and the bar runs quickly up to the bound.
class MyProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit MyProgressBar(QWidget* parent = nullptr);
    ~MyProgressBar() override;

    // Begins a run of stageCount equal stages, creeping one step every creepIntervalMs.
    void Start(int stageCount, int creepIntervalMs);

public slots:
    void mUpdate();

private:
    void SetProgress(int value);
    void CreepStep();
    void CatchUpStep();

    QVector<int> stageBounds;
    int currentStage = 0;
    QTimer* creepTimer;
    QTimer* catchUpTimer;
};
