#pragma once

#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QWidget>

// The axis captions of every curve plot; set by the advanced page's language
// switch, drawn at each plot's next paint.
extern QString curveAxisTitleX;
extern QString curveAxisTitleY;

// Plots a smooth curve through eight points on a fixed grid with axes, tick
// labels, a shaded area under the curve and a value label for the point
// under the pointer. Points can be dragged within the range when dragging
// is switched on.
class CurvePlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit CurvePlotWidget(QWidget* parent = nullptr);
    ~CurvePlotWidget() override;

    // Eight points evenly spread over x, each y a random whole 10..59.
    void resetPoints();
    void setDragEnabled(bool enabled);

    QList<QPointF> points() const { return m_points; }
    void setPoints(const QList<QPointF>& points);
    int hoverIndex() const { return m_hoverIndex; }

    QPointF DataToPixel(const QPointF& data) const;
    QPointF PixelToData(const QPointF& pixel) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPainterPath SmoothCurve() const;
    int PointNear(const QPointF& data, double distance) const;
    void DrawLabel(QPainter& painter, int index, bool dragged) const;

    bool m_dragEnabled = false;
    QList<QPointF> m_points;
    int m_draggedIndex = -1;
    double m_xMin = 0.0;
    double m_xMax = 7000.0;
    double m_yMin = 0.0;
    double m_yMax = 70.0;
    QList<double> m_xTicks{0, 500, 1000, 2000, 3000, 4000, 5000, 6000, 7000};
    QList<double> m_yTicks{0, 5, 10, 20, 30, 40, 50, 60, 70};
    int m_margin = 80;
    int m_hoverIndex = -1;
};
