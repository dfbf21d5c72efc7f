#include "dialogs/RoundedWindowShape.h"

#include <QBitmap>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

RoundedWindowShape::RoundedWindowShape(QWidget* dialog, QWidget* frame, int radius)
    : QObject(dialog)
    , m_dialog(dialog)
    , m_frame(frame)
    , m_radius(radius)
{
    // What the shape leaves out is see-through where the desktop composes
    // windows, and not part of the window where it does not.
    m_dialog->setAttribute(Qt::WA_TranslucentBackground);
    m_frame->installEventFilter(this);
    m_dialog->installEventFilter(this);
    Update();
}

bool RoundedWindowShape::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        if (watched == m_frame || watched == m_dialog)
            Update();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void RoundedWindowShape::Update()
{
    // Without a screen there is no window shape to give (the plugin says so
    // on every try); the see-through background alone is what is drawn.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    const QRect frame = m_frame->geometry().intersected(m_dialog->rect());
    if (frame.isEmpty())
        return;
    // Drawn without antialiasing: a pixel is either in the window or not.
    QBitmap shape(m_dialog->size());
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawRoundedRect(frame, m_radius, m_radius);
    painter.end();
    m_dialog->setMask(shape);
}
