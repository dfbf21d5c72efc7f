#include "widgets/RotatableWidget.h"
#include "widgets/PictureFile.h"

#include <QPainter>
#include <QPixmap>
#include <QtMath>

RotatableWidget::RotatableWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

RotatableWidget::~RotatableWidget() = default;

void RotatableWidget::setPicturePath(const QString& path)
{
    m_picturePath = path;
    update();
}

void RotatableWidget::setAngle(int degrees)
{
    int angle = degrees % 360;
    if (angle < 0)
        angle += 360;
    m_angle = angle;
    updateGeometry();
    repaint();
}

QSize RotatableWidget::sizeHint() const
{
    const QSize plain = QWidget::sizeHint();
    if (!plain.isValid())
        return plain;
    const int w = plain.width();
    const int h = plain.height();
    if (m_angle % 180 == 0)
        return QSize(w, h);
    if (m_angle % 90 == 0)
        return QSize(h, w);
    const double a = qDegreesToRadians(double(m_angle));
    const double c = qAbs(qCos(a));
    const double s = qAbs(qSin(a));
    return QSize(qFloor(w * c + h * s + 0.5), qFloor(w * s + h * c + 0.5));
}

QSize RotatableWidget::minimumSizeHint() const
{
    return sizeHint();
}

void RotatableWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int cx = width() / 2;
    const int cy = height() / 2;
    painter.translate(cx, cy);
    painter.rotate(m_angle);
    painter.translate(-cx, -cy);

    if (!m_picturePath.isEmpty()) {
        // Through the bounded reader: a FIFO or a huge file in the picture's
        // place must not hold up painting.
        const QImage picture = PictureFile::Read(m_picturePath);
        if (!picture.isNull())
            painter.drawImage(rect(), picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }

    for (QWidget* child : findChildren<QWidget*>()) {
        if (!child->isVisible())
            continue;
        painter.save();
        painter.translate(child->pos());
        child->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter.restore();
    }
}
