#include "widgets/CurvePlotWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <cstdlib>

QString curveAxisTitleX;
QString curveAxisTitleY;

namespace {

const int kPointCount = 8;

} // namespace

CurvePlotWidget::CurvePlotWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    resetPoints();
}

CurvePlotWidget::~CurvePlotWidget() = default;

void CurvePlotWidget::resetPoints()
{
    m_points.clear();
    for (int i = 0; i < kPointCount; ++i)
        m_points.append(QPointF((m_xMax - m_xMin) / 7 * i + m_xMin, std::rand() % 50 + 10));
}

void CurvePlotWidget::setDragEnabled(bool enabled)
{
    m_dragEnabled = enabled;
}

void CurvePlotWidget::setPoints(const QList<QPointF>& points)
{
    m_points = points;
    update();
}

QPointF CurvePlotWidget::DataToPixel(const QPointF& data) const
{
    const double w = width();
    const double h = height();
    const double m = m_margin;
    return QPointF((data.x() - m_xMin) * (w - 2 * m) / (m_xMax - m_xMin) + m,
                   h - m - (data.y() - m_yMin) * (h - 2 * m) / (m_yMax - m_yMin));
}

QPointF CurvePlotWidget::PixelToData(const QPointF& pixel) const
{
    const double w = width();
    const double h = height();
    const double m = m_margin;
    return QPointF((m_xMax - m_xMin) * (pixel.x() - m) / (w - 2 * m) + m_xMin,
                   m_yMax - (m_yMax - m_yMin) * (pixel.y() - m) / (h - 2 * m));
}

QPainterPath CurvePlotWidget::SmoothCurve() const
{
    QPainterPath path;
    const int n = m_points.size();
    if (n < 2)
        return path;
    QList<QPointF> p;
    for (const QPointF& point : m_points)
        p.append(DataToPixel(point));
    path.moveTo(p[0]);
    for (int i = 0; i < n - 1; ++i) {
        const QPointF before = p[qMax(i - 1, 0)];
        const QPointF after = p[qMin(i + 2, n - 1)];
        const QPointF c1 = p[i] + (p[i + 1] - before) / 6.0;
        const QPointF c2 = p[i + 1] - (after - p[i]) / 6.0;
        path.cubicTo(c1, c2, p[i + 1]);
    }
    return path;
}

int CurvePlotWidget::PointNear(const QPointF& data, double distance) const
{
    // Distances are in data units as they stand: the axes are not scaled to each other.
    for (int i = 0; i < m_points.size(); ++i) {
        const double dx = data.x() - m_points[i].x();
        const double dy = data.y() - m_points[i].y();
        if (qSqrt(dx * dx + dy * dy) < distance)
            return i;
    }
    return -1;
}

void CurvePlotWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_dragEnabled && event->button() == Qt::LeftButton) {
        const int index = PointNear(PixelToData(event->pos()), 50);
        if (index >= 0) {
            m_draggedIndex = index;
            setCursor(Qt::ClosedHandCursor);
            update();
            return;
        }
    }
    m_draggedIndex = -1;
    setCursor(Qt::ArrowCursor);
    QWidget::mousePressEvent(event);
}

void CurvePlotWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragEnabled && m_draggedIndex >= 0) {
        const QPointF data = PixelToData(event->pos());
        m_points[m_draggedIndex] = QPointF(qBound(m_xMin, data.x(), m_xMax), qBound(m_yMin, data.y(), m_yMax));
        update();
        return;
    }
    const int index = PointNear(PixelToData(event->pos()), 60);
    m_hoverIndex = index;
    update();
    if (index < 0) {
        setCursor(Qt::ArrowCursor);
        QWidget::mouseMoveEvent(event);
    }
}

void CurvePlotWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_draggedIndex >= 0) {
        m_draggedIndex = -1;
        setCursor(Qt::ArrowCursor);
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

void CurvePlotWidget::resizeEvent(QResizeEvent*)
{
    update();
}

void CurvePlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QPen(QColor(255, 255, 255, 100), 1, Qt::DashLine));
    for (double t : m_xTicks)
        painter.drawLine(DataToPixel(QPointF(t, m_yMax)), DataToPixel(QPointF(t, m_yMin)));
    for (double v : m_yTicks)
        painter.drawLine(DataToPixel(QPointF(m_xMin, v)), DataToPixel(QPointF(m_xMax, v)));

    const QPointF a = DataToPixel(QPointF(m_xMin, m_yMin));
    const QPointF b = DataToPixel(QPointF(m_xMax, m_yMin));
    const QPointF c = DataToPixel(QPointF(m_xMin, m_yMax));
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine));
    painter.drawLine(a, b);
    painter.drawLine(a, c);

    painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
    QFont font = painter.font();
    font.setPointSize(8);
    painter.setFont(font);
    for (double t : m_xTicks) {
        const QPointF p = DataToPixel(QPointF(t, m_yMin));
        painter.drawLine(p, p + QPointF(0, 5));
        painter.drawText(int(p.x() - 15), int(p.y() + 20), QString::number(int(t)));
    }
    for (double v : m_yTicks) {
        const QPointF p = DataToPixel(QPointF(m_xMin, v));
        painter.drawLine(p, p - QPointF(5, 0));
        painter.drawText(int(p.x() - 30), int(p.y() + 5), QString::number(int(v)));
    }

    painter.drawText(int(b.x() * 0.5), int(b.y() + 40), curveAxisTitleX);
    painter.save();
    painter.translate(int(c.x()), int(c.y() * 0.5));
    painter.rotate(270);
    painter.drawText(int(c.x() - 240), int(c.y() * 0.5 - 80), curveAxisTitleY);
    painter.restore();

    if (m_points.size() >= 2) {
        QPainterPath area = SmoothCurve();
        area.lineTo(DataToPixel(m_points.last()));
        area.lineTo(DataToPixel(QPointF(m_points.last().x(), m_yMin)));
        area.lineTo(DataToPixel(QPointF(m_points.first().x(), m_yMin)));
        area.closeSubpath();
        painter.fillPath(area, QColor(255, 192, 203, 100));
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(SmoothCurve());
    }

    for (int i = 0; i < m_points.size(); ++i) {
        const QPoint p = DataToPixel(m_points[i]).toPoint();
        painter.setPen(i == m_draggedIndex ? QPen(Qt::red, 2) : QPen(Qt::black, 1));
        painter.setBrush(Qt::yellow);
        painter.drawEllipse(p, 8, 8);
    }

    if (m_draggedIndex >= 0 && m_draggedIndex < m_points.size())
        DrawLabel(painter, m_draggedIndex, true);
    if (m_hoverIndex >= 0 && m_hoverIndex < m_points.size())
        DrawLabel(painter, m_hoverIndex, false);
}

void CurvePlotWidget::DrawLabel(QPainter& painter, int index, bool dragged) const
{
    const QPointF point = m_points[index];
    const QPointF p = DataToPixel(point);
    const QString x = QString::number(point.x(), 'f', 1);
    const QString y = QString::number(point.y(), 'f', 1);
    const QString text = dragged ? QStringLiteral("X: %1, Y: %2").arg(x, y) : QStringLiteral("X: %1\nY: %2").arg(x, y);
    const QRect box(int(p.x() - 60) - 20, int(p.y() - 80) - 20, 160, 90);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(QColor(0, 0, 0, 180));
    painter.drawRoundedRect(box, 3, 3);
    QFont font = painter.font();
    font.setPointSize(10);
    painter.setFont(font);
    painter.drawText(box, dragged ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignHCenter | Qt::AlignVCenter),
                     text);
}
