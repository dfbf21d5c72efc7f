// The benchmark: runs the program and the floor alternately and prints the
// medians of their figures side by side. With "--child MODE" it is instead
// one measured run of the program itself (the same start as main's).
#include "BenchChild.h"
#include "BenchProbe.h"
#include "BenchRunner.h"

#include "app/PostMsg.h"
#include "app/ProgramMain.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QApplication>
#include <QPointer>
#include <QToolButton>
#include <QtTest/QTest>

#include <atomic>

namespace {

// What the pages receive from the hub. Counted on the emitting thread
// (direct connections, made after the pages' own): a record counts once
// the pages' blocking connections returned from it.
struct HubCounts {
    bool connected = false;
    std::atomic<int> records[3] = {{0}, {0}, {0}};
    std::atomic<qint64> filledAtNs{0};
    std::atomic<int> dpiReports{0};

    void Connect()
    {
        if (connected)
            return;
        connected = true;
        PostMsg* hub = PostMsg::Instance();
        auto record = [this](int i) {
            ++records[i];
            qint64 none = 0;
            if (records[0] && records[1] && records[2])
                filledAtNs.compare_exchange_strong(none, BenchProbe::NowNs());
        };
        const auto direct = Qt::DirectConnection;
        QObject::connect(hub, &PostMsg::SigUpDataLightUIButton, qApp, [record](FlashDataMap) { record(0); }, direct);
        QObject::connect(hub, &PostMsg::SigUpDataLightLight, qApp, [record](FlashDataMap) { record(1); }, direct);
        QObject::connect(hub, &PostMsg::SigUpDataLightSensor, qApp, [record](FlashDataMap) { record(2); }, direct);
        QObject::connect(hub, &PostMsg::SigUpDataDPI, qApp, [this](int) { ++dpiReports; }, direct);
    }
    int Filled() const { return (records[0] > 0) + (records[1] > 0) + (records[2] > 0); }
};

HubCounts hub;

QToolButton* FirstTile()
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* tile = top->findChild<QToolButton*>(QStringLiteral("btn0"));
        if (tile && tile->isVisible())
            return tile;
    }
    return nullptr;
}

// The tile click's blocking pause before the link starts: a wait the
// program is required to make.
constexpr double kSelectionPauseMs = 150;

int RunProgramChild(int argc, char* argv[], const QString& mode)
{
    if (mode == QLatin1String("calls"))
        SimulatedDeviceControl::keepCalls(true);
    BenchTarget t;
    t.chooserReady = [] {
        hub.Connect();
        return FirstTile() != nullptr;
    };
    t.click = [] { QTest::mouseClick(FirstTile(), Qt::LeftButton); };
    t.pagesFilled = [] { return hub.Filled(); };
    t.filledAtNs = [] { return hub.filledAtNs.load(); };
    t.settled = [] { return QApplication::activeModalWidget() == nullptr; };
    t.deviceEvent = [](int) {
        const int before = hub.dpiReports.load();
        if (!SimulatedDeviceControl::pressDpiButton(QStringLiteral("drive1")))
            return false;
        return BenchProbe::WaitUntil([before] { return hub.dpiReports > before; }, 5000);
    };
    t.fixedWaitMs = kSelectionPauseMs;
    t.calls = [] { return SimulatedDeviceControl::calls().size(); };
    t.clearCalls = [] { SimulatedDeviceControl::clearCalls(); };
    t.writer = [](int code) { DeviceSettingSetters::SetReportRate(code); };
    t.libraryOnly = [](int code) {
        CurrentFlashMapLock lock;
        lock.Map().reportRate = static_cast<unsigned char>(code);
        UsbFinderC_GetDeviceOnLine(CurrentDevice::Path().constData());
        ProtocolDataUpdate(lock.Bytes());
    };
    BenchChild::Arm(mode, t);
    return RunProgram(argc, argv);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 2 && QByteArray(argv[1]) == "--child")
        return RunProgramChild(argc, argv, QString::fromLatin1(argv[2]));
    return BenchRunner::Main(argc, argv);
}
