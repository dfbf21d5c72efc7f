#pragma once

#include <QToolButton>

// Tool button that reacts on the press itself: a left press checks it and
// reports clicked(false), a left double click checks it and reports
// clicked(true), so a page can tell a single choice from a double one.
class MyToolButton : public QToolButton {
    Q_OBJECT
public:
    explicit MyToolButton(QWidget* parent = nullptr);
    ~MyToolButton() override;

signals:
    // Declared for the forms that name it; the double click arrives as clicked(true).
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
