#pragma once

#include <QFrame>
#include <QString>

class MyConmboBox;

// The debounce-time panel the button page hosts: sixteen entries, index =
// the record's debounce byte. A choice is written through the debounce
// writer and announced to the overview; a short time (7 ms or less) chosen
// by the user opens a tip. A refused write puts the last accepted entry back.
class DebounceTime : public QFrame {
    Q_OBJECT
public:
    static constexpr int kItemCount = 16;
    // Entries up to this index open the tip.
    static constexpr int kShortestWithoutTip = 7;

    explicit DebounceTime(QWidget* parent = nullptr);
    ~DebounceTime() override;

    // Shows the device's value; the box's signals stay open, so a changed
    // entry is written as a choice is (the host sets its filling flag to keep
    // the tip closed). A byte beyond the table shows its nearest entry.
    void SetDebounceIndex(int index);
    // Entry item reads the item number followed by unit ("8ms").
    void SetItemUnit(int item, QString unit);

private slots:
    void on_Debunce_currentIndexChanged(int index);

private:
    void ShowTip();

    MyConmboBox* Debunce;
    QString pictureDir;
    int m_lastIndex = 8;
};
