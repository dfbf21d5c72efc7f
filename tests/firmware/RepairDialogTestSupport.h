#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QWidget>

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

} // namespace RepairDialogTest
