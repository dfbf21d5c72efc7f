#pragma once

// The button page against the simulated mouse: the mouse's record as the
// library reads it back, the records the page sent, and the user's view.

#include "app/LanguageLoader.h"
#include "app/Startup.h"
#include "buttons/Buttoninterface.h"
#include "buttons/DeviceButtonIndex.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QJsonObject>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace ButtonPageTest {

const QString kMouse = QStringLiteral("drive1");
// Drive1 has six buttons: the page's mirror holds six entries.
constexpr int kModelKeyNumber = 6;
const QString kCacheName = QStringLiteral("Device_Test.bin");

inline void IgnoreReports(const unsigned char*, int, const unsigned char*, int) {}

template <typename T>
QByteArray Bytes(const T& value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof(value));
}

// A record whose bytes differ from their neighbours, so a sender touching a
// byte it should not shows up. The macro blocks stay empty: the mouse's
// flash keeps only macros that fit its pool.
inline FlashDataMap PatternRecord()
{
    FlashDataMap map{};
    auto* bytes = reinterpret_cast<unsigned char*>(&map);
    for (size_t i = 0; i < offsetof(FlashDataMap, macroBlocks); ++i)
        bytes[i] = static_cast<unsigned char>((i * 13 + 5) & 0xFF);
    return map;
}

// The record the simulated mouse keeps, read back through the library.
inline FlashDataMap MouseMap()
{
    const QByteArray image = SimulatedDeviceControl::flashImage(kMouse);
    FlashDataMap record{};
    ProtocolDataParser(reinterpret_cast<const unsigned char*>(image.constData()),
                       reinterpret_cast<unsigned char*>(&record));
    return record;
}

inline QByteArray MouseRecord()
{
    return Bytes(MouseMap());
}

// Every record the page handed to the library since the calls were cleared.
inline QList<QByteArray> SentRecords()
{
    QList<QByteArray> records;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")))
        records << QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1());
    return records;
}

inline QString FirstDifference(const QByteArray& actual, const QByteArray& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1, expected %2").arg(actual.size()).arg(expected.size());
    for (int i = 0; i < actual.size(); ++i) {
        if (actual.at(i) != expected.at(i))
            return QStringLiteral("offset %1: %2, expected %3").arg(i).arg(quint8(actual.at(i))).arg(quint8(expected.at(i)));
    }
    return QString();
}

// A button's 3-byte function header: type, code, extra.
inline QByteArray Header(int type, int code, int extra)
{
    QByteArray header(3, '\0');
    header[0] = char(type);
    header[1] = char(code);
    header[2] = char(extra);
    return header;
}

// One key event's 8 bytes: action, kind, usage (16 bits), delay (32 bits).
inline QByteArray Event(int action, int kind, int usage, quint32 delay)
{
    QByteArray e(8, '\0');
    e[0] = char(action);
    e[1] = char(kind);
    e[2] = char(usage & 0xFF);
    e[3] = char((usage >> 8) & 0xFF);
    for (int i = 0; i < 4; ++i)
        e[4 + i] = char((delay >> (8 * i)) & 0xFF);
    return e;
}

// Answers the next modal dialog of a class once it is up. Returns the flag
// that tells it was seen.
template <typename T>
std::shared_ptr<bool> AnswerNext(std::function<void(T*)> act)
{
    auto seen = std::make_shared<bool>(false);
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, seen, act]() {
        T* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible())
            return;
        *seen = true;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start(10);
    return seen;
}

// Closes every modal dialog that is still open: a test that failed halfway
// must not leave one running.
inline void CloseStrayDialogs()
{
    while (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
}

// The page and the simulated mouse, filled from the pattern record.
class PageFixture {
public:
    std::unique_ptr<Buttoninterface> page;

    template <typename T = QAbstractButton>
    T* Child(const QString& name) const
    {
        T* child = page->findChild<T*>(name);
        if (!child)
            qFatal("no %s on the page", qPrintable(name));
        return child;
    }

    QButtonGroup* Group(const char* name) const { return Child<QButtonGroup>(QLatin1String(name)); }

    static void UncheckAll(QButtonGroup* group)
    {
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons())
            button->setChecked(false);
        group->setExclusive(true);
    }

    QString FunctionPage() const { return Child<QStackedWidget>(QStringLiteral("stackedWidget"))->currentWidget()->objectName(); }
    QString CategoryPage() const { return Child<QStackedWidget>(QStringLiteral("stackedWidget_2"))->currentWidget()->objectName(); }
    QString RowScrollBarStyle() const
    {
        return Child<QScrollArea>(QStringLiteral("scrollArea_11"))->verticalScrollBar()->styleSheet();
    }

    bool Idle() const
    {
        return FunctionPage() == QLatin1String("page") && CategoryPage() == QLatin1String("page_9")
            && RowScrollBarStyle() == QLatin1String("QScrollBar {width:10px;}");
    }

    // The function chooser open with a category page, as the user sees it
    // before clicking a function.
    void OpenChooser(int categoryIndex = 0)
    {
        Child<QScrollArea>(QStringLiteral("scrollArea_11"))->verticalScrollBar()->setStyleSheet(QString());
        Child<QStackedWidget>(QStringLiteral("stackedWidget"))->setCurrentIndex(1);
        Child<QStackedWidget>(QStringLiteral("stackedWidget_2"))->setCurrentIndex(categoryIndex);
    }

    // Rows hidden for a six-button model are checked as their hotspot does.
    void CheckRow(const QString& row)
    {
        UncheckAll(Group("rowButtonGroup"));
        if (!row.isEmpty())
            Child(row)->setChecked(true);
    }

    QAbstractButton* RowOf(int index) const { return Child(DeviceButtonIndex::RowOfIndex(index)); }

    void Open(const QString& scenario)
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(scenario, &error), qPrintable(error));
        const QByteArray path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k")).toLatin1();
        DeviceAllInfo info;
        info.path = QString::fromLatin1(path);
        info.modelIndex = 0;
        CurrentDevice::SetInfo(info);
        DeviceCacheFile::SetSelectionCacheName(kCacheName);
        // The page's worker points the current path at a placeholder.
        page.reset(new Buttoninterface);
        CurrentDevice::SetPath(path);
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), IgnoreReports));
        page->resize(1000, 700);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

    void Close()
    {
        page.reset();
        UsbServer_Exit();
    }

    // The page, the mouse and the current record all start from a record;
    // the page's rows and mirror are filled from it by a language pass over
    // the cache, then every row gets a text of its own.
    void StartFrom(const FlashDataMap& record)
    {
        buttonPageFilling = false;
        lightPageFilling = false;
        sensorPageFilling = false;
        deviceSendEnabled = true;
        SimulatedDeviceControl::setOnline(kMouse, true);
        {
            CurrentFlashMapLock lock;
            lock.Map() = record;
            QVERIFY(ProtocolDataUpdate(lock.Bytes()));
        }
        QCOMPARE(MouseRecord(), Bytes(record));
        DeviceCacheFile::WriteFlashCache(kCacheName, record);
        lastOnline = 0;
        page->SlotAllLanguage(0);
        for (const DeviceButtonIndex::Row& row : DeviceButtonIndex::Rows())
            Child(row.rowButton)->setText(QStringLiteral("row ") + row.rowButton);
        UncheckAll(Group("rowButtonGroup"));
        UncheckAll(Group("optionButtonGroup"));
        UncheckAll(Group("chooserButtonGroup"));
        page->ReturnToIdleView();
        SimulatedDeviceControl::clearCalls();
    }
};

} // namespace ButtonPageTest
