#pragma once

#include <QFrame>
#include <QString>

class MyConmboBox;

// The sleep-time panel the advanced page hosts: the chosen entry's sleep
// code is written through the sleep-time writer; a refused write puts the
// last accepted entry back. The host's operations never write.
class StopCloseTime : public QFrame {
    Q_OBJECT
public:
    static constexpr int kCodeCount = 11;

    explicit StopCloseTime(QWidget* parent = nullptr);
    ~StopCloseTime() override;

    // The record's sleep code (tens of seconds) of an entry; -1 beyond the table.
    static int CodeOfIndex(int index);

    void SetSleepIndex(int index);
    void SetItemText(int item, QString text);

private slots:
    void on_StopClose_activated(int index);

private:
    MyConmboBox* StopClose;
    QString pictureDir;
    int m_lastIndex = 2;
};
