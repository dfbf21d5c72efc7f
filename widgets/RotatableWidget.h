#pragma once

#include <QString>
#include <QWidget>

// Paints a picture file stretched over the widget, turned about the centre
// by a whole number of degrees (clockwise on screen); visible child widgets
// are drawn into the turned painting too, so they turn with it.
class RotatableWidget : public QWidget {
    Q_OBJECT
public:
    explicit RotatableWidget(QWidget* parent = nullptr);
    ~RotatableWidget() override;

    void setPicturePath(const QString& path);
    // Stored as 0..359; repaints at once.
    void setAngle(int degrees);
    int angle() const { return m_angle; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_angle = 0;
    QString m_picturePath;
};
