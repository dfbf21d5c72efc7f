// The floor: what a plain Qt program of the program's size costs, measured
// by the benchmark beside the program itself.
#include "BenchChild.h"
#include "BenchProbe.h"
#include "FloorWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest/QTest>

int main(int argc, char* argv[])
{
    static FloorWindow* window = nullptr;
    static int shown = -1;
    if (argc > 2 && QByteArray(argv[1]) == "--child") {
        BenchTarget t;
        t.chooserReady = [] { return window && window->isVisible(); };
        t.click = [] { QTest::mouseClick(window->Tile(), Qt::LeftButton); };
        t.pagesFilled = [] { return window->PagesFilled(); };
        t.filledAtNs = [] { return window->FilledAtNs(); };
        t.settled = [] { return true; };
        t.deviceEvent = [](int value) {
            QMetaObject::invokeMethod(
                window, [value] { window->ShowValue(value); shown = value; }, Qt::QueuedConnection);
            return BenchProbe::WaitUntil([value] { return shown == value; }, 5000);
        };
        BenchChild::Arm(QString::fromLatin1(argv[2]), t);
    }
    QApplication app(argc, argv);
    FloorWindow floor;
    window = &floor;
    floor.show();
    return app.exec();
}
