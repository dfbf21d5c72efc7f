#pragma once

#include <QToolButton>

// A device tile of the chooser. Pointing at it re-reads its device and
// restyles the tile, so a mouse that went offline shows it at once.
class mytoolButtonEnter : public QToolButton {
    Q_OBJECT
public:
    explicit mytoolButtonEnter(QWidget* parent = nullptr);
    ~mytoolButtonEnter() override;

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
};
