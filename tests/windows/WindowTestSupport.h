#pragma once

// Helpers for the window tests: simulated device scenarios, the chooser's
// tiles as a user sees them, and a stand-in user for modal dialogs.

#include "CallLogNames.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStringList>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <QtTest>

#include <algorithm>
#include <functional>

namespace WindowTest {

// A scenario built in code: receivers and mice as the simulated library reads them.
struct Scenario {
    QJsonArray receivers;
    QJsonArray mice;

    Scenario& Receiver(const QString& name, int kind, const QString& address = QStringLiteral("000000"),
                       int version = 0x0100)
    {
        static const QMap<int, QString> pids = {{0, "2101"}, {4, "2102"}, {1, "2104"}, {5, "2108"}};
        receivers.append(QJsonObject{{"name", name}, {"pid", pids.value(kind)}, {"kind", kind}, {"cid", 7},
                                     {"mid", 1}, {"address", address}, {"version", version}});
        return *this;
    }
    // A mouse paired with a receiver (empty: none), or on its cable.
    Scenario& Mouse(const QString& name, int mid, const QString& receiver, bool cable = false, int cableKind = 3,
                    bool online = true)
    {
        QJsonObject mouse{{"name", name}, {"cid", 7}, {"mid", mid}, {"cableKind", cableKind},
                          {"cablePlugged", cable}, {"online", online}, {"battery", 85}};
        if (!receiver.isEmpty())
            mouse.insert("receiver", receiver);
        mice.append(mouse);
        return *this;
    }
    QByteArray Json() const
    {
        return QJsonDocument(QJsonObject{{"receivers", receivers}, {"mice", mice}}).toJson();
    }
};

// Loads a scenario without a hot-plug call arriving later: the watch is off
// while the devices change. Returns an empty text or what went wrong.
inline QString Load(const Scenario& scenario)
{
    StopUsbChanged();
    QString error;
    if (!SimulatedDeviceControl::loadScenarioJson(scenario.Json(), &error))
        return error.isEmpty() ? QStringLiteral("scenario refused") : error;
    return QString();
}

inline QStackedWidget* TilePages(QWidget* chooser)
{
    return chooser->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
}

// The tiles of the chooser's pages in tile order ("btn0", "btn1", ...); old
// tiles waiting for deletion are not on a page any more.
inline QList<QToolButton*> Tiles(QWidget* chooser)
{
    QList<QToolButton*> tiles;
    QStackedWidget* pages = TilePages(chooser);
    static const QRegularExpression name(QStringLiteral("^btn\\d+$"));
    for (int i = 0; i < pages->count(); ++i)
        tiles += pages->widget(i)->findChildren<QToolButton*>(name, Qt::FindDirectChildrenOnly);
    std::sort(tiles.begin(), tiles.end(), [](QToolButton* a, QToolButton* b) {
        return a->objectName().mid(3).toInt() < b->objectName().mid(3).toInt();
    });
    return tiles;
}

// The picture a widget's style sheet shows, by file name ("OnLine0.png").
inline QString Picture(const QWidget* widget)
{
    static const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    const QRegularExpressionMatch match = url.match(widget->styleSheet());
    return match.hasMatch() ? match.captured(1).section(QLatin1Char('/'), -1) : QString();
}

// The rate badges of one tile page: labels without a name.
inline QList<QLabel*> Badges(QWidget* page)
{
    QList<QLabel*> badges;
    for (QLabel* label : page->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (label->objectName().isEmpty())
            badges.append(label);
    }
    std::sort(badges.begin(), badges.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
    return badges;
}

inline QStringList ServerStarts()
{
    QStringList paths;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("UsbServerC_Start")))
        paths.append(call.value(QStringLiteral("path")).toString());
    return paths;
}

// Plays the user on modal dialogs: once a dialog of the given class is the
// active modal widget, answer() runs for it (once). Every modal class seen is
// recorded.
class ModalUser : public QObject {
public:
    ModalUser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this]() {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            const QString name = QString::fromLatin1(modal->metaObject()->className());
            if (seen.isEmpty() || seen.last() != name || modal != m_last)
                seen.append(name);
            m_last = modal;
            if (m_answer && name == m_class) {
                auto answer = m_answer;
                m_answer = nullptr;
                answer(modal);
            }
        });
        m_timer.start(10);
    }

    void AnswerNext(const QString& className, const std::function<void(QWidget*)>& answer)
    {
        m_class = className;
        m_answer = answer;
    }
    bool Pending() const { return bool(m_answer); }

    QStringList seen;

private:
    QTimer m_timer;
    QString m_class;
    std::function<void(QWidget*)> m_answer;
    QPointer<QWidget> m_last;
};

// Closes a dialog as its close button would.
inline void ClickButton(QWidget* dialog, const QString& name)
{
    QToolButton* button = dialog->findChild<QToolButton*>(name);
    if (button)
        QTest::mouseClick(button, Qt::LeftButton);
    else
        dialog->close();
}

} // namespace WindowTest
