#pragma once

// Plays the user through the menus and dialogs that a click opens.

#include <QApplication>
#include <QElapsedTimer>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Plays the user through the menus and dialogs a click opens, one step per
// window, in order. A step acts on the first window of its kind that it has
// not acted on yet. Once all steps are played, any further window is closed
// and recorded as a stray, so an unexpected dialog fails a test instead of
// hanging it.
class UiScript : public QObject {
public:
    UiScript()
    {
        connect(&m_poll, &QTimer::timeout, this, &UiScript::Poll);
        m_poll.start(10);
        m_clock.start();
    }

    UiScript& Menu(const std::function<void(QMenu*)>& act)
    {
        m_steps.append([act, this]() {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || menu == m_last || !menu->isVisible())
                return false;
            m_last = menu;
            m_seen << QStringLiteral("QMenu");
            Later([act, menu] { act(menu); });
            return true;
        });
        return *this;
    }

    template <typename T>
    UiScript& Dialog(const std::function<void(T*)>& act)
    {
        m_steps.append([act, this]() {
            QWidget* modal = QApplication::activeModalWidget();
            T* dialog = qobject_cast<T*>(modal);
            if (!dialog || modal == m_last || !modal->isVisible())
                return false;
            m_last = modal;
            m_seen << QString::fromLatin1(modal->metaObject()->className());
            Later([act, dialog] { act(dialog); });
            return true;
        });
        return *this;
    }

    bool Done() const { return m_next == m_steps.size(); }
    QStringList Seen() const { return m_seen; }

private:
    // The user's action may open the next window, whose modal loop must not
    // run inside the poll: the poll could not fire again until it returned.
    static void Later(const std::function<void()>& action) { QTimer::singleShot(0, action); }

    void Poll()
    {
        if (m_next < m_steps.size() && m_steps.at(m_next)())
            ++m_next;
        // A window nobody plays would hang the test: close it.
        if (m_next == m_steps.size() || m_clock.elapsed() > 10000) {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != m_last && modal->isVisible()) {
                m_seen << QStringLiteral("unexpected ") + QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
            if (QWidget* popup = QApplication::activePopupWidget()) {
                if (popup != m_last) {
                    m_seen << QStringLiteral("unexpected menu");
                    popup->close();
                }
            }
        }
    }

    QTimer m_poll;
    QElapsedTimer m_clock;
    QList<std::function<bool()>> m_steps;
    int m_next = 0;
    QPointer<QWidget> m_last;
    QStringList m_seen;
};
