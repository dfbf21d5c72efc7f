#include "LightingTestSupport.h"

#include "device/DeviceReportHandler.h"
#include "lighting/LampLight.h"
#include "lighting/LightingState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QSpinBox>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

using namespace LightingTest;

namespace {

// Ends the process when the guarded work has not finished in time: a fill
// that waits on the thread that waits for it never returns by itself.
class Watchdog {
public:
    explicit Watchdog(int seconds, const char* what)
        : m_thread([this, seconds, what] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (!m_done.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_finished; })) {
                std::fprintf(stderr, "FAIL: %s did not finish within %d s (deadlock)\n", what, seconds);
                std::fflush(stderr);
                std::abort();
            }
        })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

} // namespace

class TestLightFillThreads : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;

    template <typename T>
    static T* In(LampLight* page, const char* name)
    {
        T* child = page->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }

private slots:
    void initTestCase()
    {
        m_config = new ConfigSettings(QStringLiteral(LIGHTING_FIXTURES "/lighting.ini"));
        ConfigSettings::ReplaceInstance(m_config);
    }

    void init()
    {
        ResetFlags();
        showBatteryValue = 1;
        linkUp = 0;
        workerRunFlag = 1;
        buttonPageReady = true;
        sensorPageReady = true;
        lightPageReady = false;
    }

    void cleanup() { UsbServer_Exit(); }

    // The report thread parses the dump and waits in its blocking emits
    // while the page, on this thread, reads the receiver's light bar and
    // LEDs from the library and ticks the receiver LED's meaning.
    void fillDuringTheReportThreadsBlockingEmitCompletes()
    {
        UseReceiverMouse();
        QVERIFY(UsbServerC_Start(CurrentDevice::Path().constData(), CurrentDevice::Path().constData(),
                                 &DeviceReportHandler::OnDeviceData));
        const FlashDataMap stored = LightingRecord(2, 180, 4, 1, LedBarSettings{3, 9, 8, 7, 2, 6, 1}, 1);
        ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&stored));
        LampLight page;
        SimulatedDeviceControl::clearCalls();

        {
            Watchdog watchdog(20, "the lighting fill from the flash dump");
            QVERIFY(UsbServer_ReadAllFlashData());
            QTRY_VERIFY_WITH_TIMEOUT(lightPageReady, 15000);
            // The dump's later signals and reports run before the page goes.
            QTest::qWait(300);
        }

        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_GetDongleRGBBarMode")).size(), 1);
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_GetDongleIndicatorLed")).size(), 1);
        QCOMPARE(In<QComboBox>(&page, "Model")->currentIndex(), 2);
        QCOMPARE(In<QSlider>(&page, "LightH")->value(), 7);
        QCOMPARE(In<QComboBox>(&page, "LightMod")->currentIndex(), 3);
        QCOMPARE(In<QSpinBox>(&page, "RSpinBox")->value(), 9);
        // The receiver's own bar and LEDs, read inside the wait.
        QCOMPARE(In<QComboBox>(&page, "LightMod_2")->currentIndex(), 1);
        QCOMPARE(In<QSpinBox>(&page, "GSpinBox_2")->value(), 128);
        QCOMPARE(In<QComboBox>(&page, "LightMod_5")->currentIndex(), 2);
        // The 4 kHz receiver reported meaning 1 before the record came.
        QVERIFY(!In<QWidget>(&page, "FrameOneLed")->isHidden());
        QVERIFY(In<QCheckBox>(&page, "ReUntil")->isChecked());
    }

    // Any thread of the device link: its emit returns only once the page
    // has been filled, receiver reads included.
    void emitFromAnotherThreadReturnsAfterTheFill()
    {
        UseReceiverMouse();
        LampLight page;
        SimulatedDeviceControl::clearCalls();
        const FlashDataMap record = LightingRecord(1, 60, 2, 1, LedBarSettings{6, 1, 2, 3, 0, 9, 1}, 0);
        std::atomic<bool> returned{false};
        std::atomic<bool> readyWhenReturned{false};
        std::atomic<int> readsWhenReturned{0};
        {
            Watchdog watchdog(20, "a blocking emit from the device link's thread");
            std::thread link([&] {
                PostMsg::Instance()->EmitSigUpDataLightLight(record);
                readyWhenReturned = lightPageReady.load();
                readsWhenReturned = SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_GetDongleIndicatorLed")).size();
                returned = true;
            });
            QTRY_VERIFY_WITH_TIMEOUT(returned, 15000);
            link.join();
        }
        QVERIFY(readyWhenReturned);
        QCOMPARE(readsWhenReturned.load(), 1);
        QCOMPARE(In<QComboBox>(&page, "LightMod")->currentIndex(), 6);
        QCOMPARE(In<QSlider>(&page, "LightH")->value(), 3);
    }
};

QTEST_MAIN(TestLightFillThreads)
#include "tst_lightfillthreads.moc"
