#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Keeps every tool tip inside the window of the widget it tells about, as far
// as that window is on its screen. Qt keeps a tip on the screen only, so the
// tip of a widget near the window's right or bottom edge would stand beyond
// the window. A tip larger than that part stays where Qt put it.
class ToolTipPlacement : public QObject {
    Q_OBJECT
public:
    // Watches the application's events while it lives.
    explicit ToolTipPlacement(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place(QWidget* tip);

    // The widget the last tool tip request went to.
    QPointer<QWidget> m_asker;
};
