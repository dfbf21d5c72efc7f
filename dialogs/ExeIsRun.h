#pragma once

#include <QDialog>

// Notice shown by a second start while the program already runs.
class ExeIsRun : public QDialog {
    Q_OBJECT
public:
    explicit ExeIsRun(QWidget* parent = nullptr);
};
