#pragma once

#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <QWindow>
#include <QtTest>

// What the user sees of the firmware update and repair dialog.
namespace RepairDialogTest {

// Whether the status line's text is drawn in the alarm colour (red).
inline bool StatusDrawnInRed(QWidget& dialog)
{
    QLabel* status = dialog.findChild<QLabel*>(QStringLiteral("ToolText_2"));
    if (!status)
        return false;
    const QImage image = status->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                return true;
        }
    }
    return false;
}

// Between the check and the start, as "how" says: "unplug" pulls
// out the receiver r4k waiting in boot mode, "second" plugs in r4k2 in boot
// mode beside it, "refuse" makes the library refuse to start. False when
// the simulator did not take it.
inline bool SpoilTheStart(const QString& how)
{
    if (how == QLatin1String("unplug"))
        return SimulatedDeviceControl::plug(QStringLiteral("r4k"), false);
    if (how == QLatin1String("second"))
        return SimulatedDeviceControl::plug(QStringLiteral("r4k2"), true)
               && SimulatedDeviceControl::setBootMode(QStringLiteral("r4k2"), true);
    if (how == QLatin1String("refuse")) {
        SimulatedDeviceControl::setUpgradeRefused(true);
        return true;
    }
    return false;
}

// How the user tries to put the dialog away without its buttons: "Escape"
// pressed in it, or the window system's "close request" (Alt+F4).
inline void Dismiss(QWidget* dialog, const QString& how)
{
    if (how == QLatin1String("Escape"))
        QTest::keyClick(dialog, Qt::Key_Escape);
    else if (QWindow* window = dialog->windowHandle())
        window->close();
}

} // namespace RepairDialogTest
