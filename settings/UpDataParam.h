#pragma once

#include <QDialog>
#include <QString>

class QTimer;

// The please-wait dialog that stands over the window while device data is on
// its way to the pages.
class UpDataParam : public QDialog {
    Q_OBJECT
public:
    explicit UpDataParam(QWidget* parent = nullptr);

    void StartTimer();

    QString profilePath;
    bool importMode = false;
    bool resetWaitMode = false;

public slots:
    void onTimeupDestroy();

private:
    QTimer* waitTimer = nullptr;
};
