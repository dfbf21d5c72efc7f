#pragma once

#include <QFrame>

class MyConmboBox;

// The receiver's three indicator LEDs, one function box each. For now it
// shows the functions the lighting page reads from the receiver; writing
// them back comes later.
class ThreeLed : public QFrame {
    Q_OBJECT
public:
    explicit ThreeLed(QWidget* parent = nullptr);
    ~ThreeLed() override;

    // Set the box of LED1, LED2, LED3 without its signals; a code outside 0
    // to 3 leaves the box without a current item.
    void SetLed1Function(int code);
    void SetLed2Function(int code);
    void SetLed3Function(int code);

private:
    static void SetSilently(MyConmboBox* box, int code);

    MyConmboBox* LightMod_3 = nullptr;
    MyConmboBox* LightMod_4 = nullptr;
    MyConmboBox* LightMod_5 = nullptr;
};
