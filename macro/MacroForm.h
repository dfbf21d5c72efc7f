#pragma once

class MyConmboBox;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;

// The widgets of the macro page, built on the page at fixed positions: the
// macro list on the left, the event list in the middle, recording, delay
// and repeat controls, the insert box and Save on the right. The widgets
// belong to the page; the form only holds the pointers.
class MacroForm {
public:
    explicit MacroForm(QWidget* page);
    MacroForm(const MacroForm&) = delete;
    MacroForm& operator=(const MacroForm&) = delete;

    // The form's own texts, replaced by the language texts; refills the
    // insert box with its nine entries.
    void RetranslateUi();

    QFrame* MacroPage;
    QLabel* label;
    QListWidget* listWidgetHong;
    QLabel* label_2;
    QListWidget* listWidgetKey;
    QPushButton* StartRecord;
    QPushButton* StopRecord;
    QCheckBox* AutoInsertDelay;
    QLabel* AutoInsertDelayLabel;
    QCheckBox* DefaultDelay;
    QSpinBox* DelayTime;
    QLabel* label_3;
    MyConmboBox* ChooseEvent;
    QCheckBox* ReUntilLoose;
    QLabel* ReUntilLooseLabel;
    QCheckBox* ReUntilClick;
    QLabel* ReUntilClickLabel;
    QCheckBox* ReUntil;
    QLabel* ReUntilLabel;
    QCheckBox* ReNumber;
    QSpinBox* NumberEdit;
    QToolButton* NewHong;
    QToolButton* DeleteHong;
    QToolButton* Amend;
    QToolButton* DeleteKey;
    QToolButton* Save;
};
