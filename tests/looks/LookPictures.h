#pragma once

// What the look tests measure a rendering with: contrast as a reader sees
// it, a widget's part as its window shows it, and a copy kept for looking at
// when NK_SCREENSHOT_DIR names a folder.

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QWidget>

#include <cmath>

namespace LookPictures {

inline double Channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline double Luminance(QRgb colour)
{
    return 0.2126 * Channel(qRed(colour)) + 0.7152 * Channel(qGreen(colour)) + 0.0722 * Channel(qBlue(colour));
}

inline double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The part r of w as its window shows it, with everything painted behind w.
inline QImage Shot(QWidget* w, const QRect& r)
{
    QWidget* top = w->window();
    return top->grab(QRect(w->mapTo(top, r.topLeft()), r.size())).toImage();
}

inline QImage Shot(QWidget* w)
{
    return Shot(w, w->rect());
}

inline void Keep(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("NK_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QString file = name;
    file.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    image.save(dir + QLatin1Char('/') + file + QStringLiteral(".png"));
}

} // namespace LookPictures
