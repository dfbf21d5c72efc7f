#include "variants/PieChartWidget.h"

#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

namespace {

const double kSmallestRadius = 20;
// How close to the rim a press must be to grab it.
const double kRimTolerance = 5;

} // namespace

PieChartWidget::PieChartWidget(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(300, 300);
}

void PieChartWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    centre = QPointF(rect().center());
    const double quarter = qMin(width(), height()) * 0.25;
    radius = quarter > kSmallestRadius ? quarter : kSmallestRadius;
}

void PieChartWidget::mousePressEvent(QMouseEvent* event)
{
    const double d = QLineF(event->localPos(), centre).length();
    if (qAbs(d - radius) < kRimTolerance) {
        dragging = true;
        setCursor(Qt::SizeAllCursor);
    }
}

void PieChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging)
        return;
    const double d = QLineF(event->localPos(), centre).length();
    const double limit = qMin(width(), height()) / 2 - 5;
    double r = d <= limit ? d : limit;
    if (r <= kSmallestRadius)
        r = kSmallestRadius;
    if (!qFuzzyCompare(r, radius)) {
        radius = r;
        update();
    }
}

void PieChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    dragging = false;
    setCursor(Qt::ArrowCursor);
}

void PieChartWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);

    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0, QColor(50, 150, 255, 255));
    gradient.setColorAt(1, QColor(0, 80, 200, 255));
    painter.setBrush(gradient);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawPie(square, startAngle * 16, spanAngle * 16);

    painter.setBrush(Qt::red);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 5, 5);

    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
    // The painter counts the sector's angles counter-clockwise on screen,
    // while y grows downwards: the radii go up for positive angles so that
    // both lie on the sector's edges.
    for (const int angle : {startAngle, startAngle + spanAngle}) {
        const double t = qDegreesToRadians(double(angle));
        painter.drawLine(centre, QPointF(centre.x() + radius * qCos(t), centre.y() - radius * qSin(t)));
    }
}
