#pragma once

#include <QFrame>

class MyConmboBox;
class QLabel;
class QToolButton;

// The receiver's three indicator LEDs, one function box each, with a legend
// of what each function's colours say. A choice writes all three functions
// to the receiver; a refused one puts the box and its byte back to the last
// function the receiver took or reported.
class ThreeLed : public QFrame {
    Q_OBJECT
public:
    explicit ThreeLed(QWidget* parent = nullptr);
    ~ThreeLed() override;

    // Set the box of LED1, LED2, LED3 without its signals; a code outside 0
    // to 3 leaves the box without a current item. Nothing is written.
    void SetLed1Function(int code);
    void SetLed2Function(int code);
    void SetLed3Function(int code);

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_LightMod_3_currentIndexChanged(int index);
    void on_LightMod_4_currentIndexChanged(int index);
    void on_LightMod_5_currentIndexChanged(int index);

private:
    void BuildForm();
    void ApplyStyles();
    static void SetSilently(MyConmboBox* box, int code);
    void FunctionChosen(int led, MyConmboBox* box, int index);

    QString pictureFolder;

    QToolButton* TitleButton_6 = nullptr;
    QLabel* label_17 = nullptr;
    QLabel* label_5 = nullptr;
    QLabel* label_25 = nullptr;
    QLabel* label_26 = nullptr;
    QLabel* label_27 = nullptr;
    MyConmboBox* LightMod_3 = nullptr;
    MyConmboBox* LightMod_4 = nullptr;
    MyConmboBox* LightMod_5 = nullptr;
    QLabel* label_28 = nullptr;
    QLabel* label_29 = nullptr;
    QLabel* label_31 = nullptr;
    QLabel* label_33 = nullptr;
    QLabel* label_30 = nullptr;
    QLabel* label_32 = nullptr;
    QLabel* label_34 = nullptr;
    QLabel* label_35 = nullptr;
    QLabel* label_36 = nullptr;
    QLabel* label_37 = nullptr;
    QLabel* label_38 = nullptr;
    QLabel* label_49 = nullptr;
};
