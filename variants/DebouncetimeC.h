#pragma once

#include <QFrame>
#include <QString>

class QSpinBox;
class QToolButton;

// Second design of the debounce control: the number between a minus and a
// plus picture button; each step writes the number now shown.
class DebouncetimeC : public QFrame {
    Q_OBJECT
public:
    explicit DebouncetimeC(QWidget* parent = nullptr);

    // Shows a value (kept within 0..20) without writing it.
    void SetDebounceValue(int value);
    // The number's unit suffix; the index is not used.
    void SetItemUnit(int index, const QString& unit);

private slots:
    void on_AddLevelA_clicked();
    void on_ReduceLevelA_clicked();

private:
    void Write();

    QToolButton* AddLevelA = nullptr;
    QToolButton* ReduceLevelA = nullptr;
    QSpinBox* spinBoxA = nullptr;
    QString pictureFolder;
};
