#pragma once

#include <QPointF>
#include <QWidget>

// A self-painted pie sector of 120 degrees whose size the user changes by
// dragging its rim. It reports nothing; the angles never change.
class PieChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit PieChartWidget(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointF centre;
    double radius = 0;
    int startAngle = 0;
    int spanAngle = 120;
    bool dragging = false;
};
