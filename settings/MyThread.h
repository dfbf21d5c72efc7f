#pragma once

#include <QThread>

// A thread object the clock synchronisation dialog keeps; nothing starts it.
class MyThread : public QThread {
public:
    MyThread() = default;
    ~MyThread() override;

protected:
    void run() override;
};
