#pragma once

#include <QLineEdit>

// Line edit that only shows text set by code: typed keys neither change it
// nor reach the parent (a dialog would otherwise close on Esc or Return).
class MyLineEdit : public QLineEdit {
public:
    explicit MyLineEdit(QWidget* parent = nullptr);
    ~MyLineEdit() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};
