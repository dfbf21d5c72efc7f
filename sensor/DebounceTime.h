#pragma once

#include <QFrame>
#include <QString>

class MyConmboBox;

// The debounce-time panel the button page hosts: sixteen entries, index =
// the record's debounce byte. For now it shows the device's value and tells
// the overview; choosing an entry comes with the button page's form.
class DebounceTime : public QFrame {
    Q_OBJECT
public:
    explicit DebounceTime(QWidget* parent = nullptr);
    ~DebounceTime() override;

    void SetDebounceIndex(int index);
    // Entry item reads the item number followed by unit ("8ms").
    void SetItemUnit(int item, QString unit);

private:
    MyConmboBox* Debunce;
    int m_lastIndex = 8;
};
