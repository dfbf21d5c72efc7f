#pragma once

class DebounceTime;
class MyConmboBox;
class MyToolButton;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QObject;
class QScrollArea;
class QSpacerItem;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;

// The widget tree of the button page, built in code. One pointer per object,
// named after it and declared in creation order (a later sibling lies above an
// earlier one). The record owns nothing: every object belongs to its parent.
class ButtonPageForm {
public:
    // Top frame.
    QGridLayout* gridLayout_9 = nullptr;
    QFrame* MainWindow = nullptr;
    QLabel* label = nullptr;
    QWidget* widget = nullptr;
    QToolButton* Number1 = nullptr;
    QToolButton* Number2 = nullptr;
    QToolButton* Number3 = nullptr;
    QToolButton* Number4 = nullptr;
    QToolButton* Number5 = nullptr;
    QToolButton* Number6 = nullptr;
    QToolButton* Number7 = nullptr;
    QToolButton* Number8 = nullptr;
    QToolButton* Number9 = nullptr;
    QToolButton* Number10 = nullptr;
    QToolButton* Number11 = nullptr;
    QToolButton* Number12 = nullptr;
    QToolButton* OutputData = nullptr;
    QToolButton* ImportData = nullptr;
    QGroupBox* groupBox = nullptr;

    // Row list.
    QScrollArea* scrollArea_11 = nullptr;
    QWidget* scrollAreaWidgetContents_11 = nullptr;
    QLabel* label_14 = nullptr;
    QToolButton* FireKey = nullptr;
    QLabel* label_9 = nullptr;
    QToolButton* RightKey = nullptr;
    QLabel* label_15 = nullptr;
    QToolButton* BackKey = nullptr;
    QLabel* label_11 = nullptr;
    QToolButton* StartPause = nullptr;
    QLabel* label_12 = nullptr;
    QToolButton* TopMusic = nullptr;
    QLabel* label_13 = nullptr;
    QToolButton* BackMusic = nullptr;
    QToolButton* Button7 = nullptr;
    QLabel* label_16 = nullptr;
    QToolButton* Button8 = nullptr;
    QToolButton* Button9 = nullptr;
    QToolButton* Button10 = nullptr;
    QToolButton* Button11 = nullptr;
    QToolButton* Button12 = nullptr;
    QLabel* label_17 = nullptr;
    QLabel* label_18 = nullptr;
    QLabel* label_19 = nullptr;
    QLabel* label_20 = nullptr;
    QLabel* label_21 = nullptr;

    // Function area: the idle page and the function chooser.
    QStackedWidget* stackedWidget = nullptr;
    QWidget* page = nullptr;
    QGridLayout* gridLayout_3 = nullptr;
    QWidget* page_2 = nullptr;
    QGridLayout* gridLayout = nullptr;
    QScrollArea* scrollArea_4 = nullptr;
    QWidget* scrollAreaWidgetContents_4 = nullptr;
    QVBoxLayout* verticalLayout_9 = nullptr;
    QToolButton* LeftKey_3 = nullptr;
    QToolButton* RightKey_3 = nullptr;
    QToolButton* MidKey = nullptr;
    QToolButton* BackKey_2 = nullptr;
    QToolButton* ForWardKey = nullptr;
    QToolButton* DPI_2 = nullptr;
    QToolButton* DPI_3 = nullptr;
    MyToolButton* DPI_6 = nullptr;
    MyToolButton* DPI_8 = nullptr;
    QToolButton* DPI_5 = nullptr;
    QToolButton* DPI_13 = nullptr;
    QToolButton* DPI_11 = nullptr;
    QToolButton* DPI_4 = nullptr;
    QToolButton* DPI_9 = nullptr;
    QToolButton* DPI_7 = nullptr;
    QToolButton* DPI_12 = nullptr;
    QToolButton* DPI_10 = nullptr;

    // Category area.
    QGroupBox* groupBox_4 = nullptr;
    QStackedWidget* stackedWidget_2 = nullptr;
    // Media keys.
    QWidget* page_3 = nullptr;
    QGridLayout* gridLayout_2 = nullptr;
    QScrollArea* scrollArea_3 = nullptr;
    QWidget* scrollAreaWidgetContents_3 = nullptr;
    QVBoxLayout* verticalLayout_4 = nullptr;
    QToolButton* Player = nullptr;
    QToolButton* StartPause_2 = nullptr;
    QToolButton* BackMusic_2 = nullptr;
    QToolButton* TopMusic_2 = nullptr;
    QToolButton* Mute = nullptr;
    QToolButton* VolumeUp = nullptr;
    QToolButton* VolumeDown = nullptr;
    QToolButton* VolumeDown_4 = nullptr;
    QToolButton* VolumeDown_5 = nullptr;
    QToolButton* VolumeDown_6 = nullptr;
    QToolButton* VolumeDown_3 = nullptr;
    QToolButton* VolumeDown_8 = nullptr;
    QToolButton* VolumeDown_9 = nullptr;
    QToolButton* VolumeDown_7 = nullptr;
    QToolButton* VolumeDown_10 = nullptr;
    QToolButton* VolumeDown_12 = nullptr;
    QToolButton* VolumeDown_13 = nullptr;
    QToolButton* VolumeDown_11 = nullptr;
    // Macro list, filled at run time.
    QWidget* page_5 = nullptr;
    QGridLayout* gridLayout_5 = nullptr;
    QScrollArea* scrollArea_7 = nullptr;
    QWidget* scrollAreaWidgetContents_7 = nullptr;
    QVBoxLayout* verticalLayout_6 = nullptr;
    // Light switches.
    QWidget* page_6 = nullptr;
    QGridLayout* gridLayout_6 = nullptr;
    QScrollArea* scrollArea_8 = nullptr;
    QWidget* scrollAreaWidgetContents_8 = nullptr;
    QVBoxLayout* verticalLayout_10 = nullptr;
    QToolButton* VolumeUp_4 = nullptr;
    QToolButton* VolumeUp_5 = nullptr;
    QToolButton* VolumeUp_6 = nullptr;
    QToolButton* VolumeUp_7 = nullptr;
    QSpacerItem* verticalSpacer = nullptr;
    // DPI lock.
    QWidget* page_8 = nullptr;
    QGridLayout* gridLayout_8 = nullptr;
    QScrollArea* scrollArea_10 = nullptr;
    QWidget* scrollAreaWidgetContents_10 = nullptr;
    QVBoxLayout* verticalLayout_12 = nullptr;
    QToolButton* VolumeUp_11 = nullptr;
    QToolButton* VolumeUp_12 = nullptr;
    QToolButton* VolumeUp_13 = nullptr;
    QToolButton* VolumeUp_16 = nullptr;
    QToolButton* VolumeUp_15 = nullptr;
    QToolButton* VolumeUp_19 = nullptr;
    QToolButton* VolumeUp_20 = nullptr;
    QToolButton* VolumeUp_22 = nullptr;
    QToolButton* VolumeUp_18 = nullptr;
    QToolButton* VolumeUp_24 = nullptr;
    QToolButton* VolumeUp_23 = nullptr;
    QToolButton* VolumeUp_21 = nullptr;
    // Debounce time: the idle page of the category area.
    QWidget* page_9 = nullptr;
    QGroupBox* groupBox_2 = nullptr;
    QLabel* label_3 = nullptr;
    DebounceTime* DebunceButton = nullptr;
    // Tilt.
    QWidget* page_4 = nullptr;
    QGridLayout* gridLayout_4 = nullptr;
    QScrollArea* scrollArea_6 = nullptr;
    QWidget* scrollAreaWidgetContents_6 = nullptr;
    QVBoxLayout* verticalLayout_5 = nullptr;
    QToolButton* VolumeUp_2 = nullptr;
    QToolButton* VolumeDown_2 = nullptr;
    QSpacerItem* verticalSpacer_2 = nullptr;
    // DPI steps.
    QWidget* page_7 = nullptr;
    QGridLayout* gridLayout_7 = nullptr;
    QScrollArea* scrollArea_9 = nullptr;
    QWidget* scrollAreaWidgetContents_9 = nullptr;
    QVBoxLayout* verticalLayout_11 = nullptr;
    QToolButton* VolumeUp_8 = nullptr;
    QToolButton* VolumeUp_9 = nullptr;
    QToolButton* VolumeUp_10 = nullptr;
    QSpacerItem* verticalSpacer_3 = nullptr;
    // Scroll.
    QWidget* page_10 = nullptr;
    QScrollArea* scrollArea_12 = nullptr;
    QWidget* scrollAreaWidgetContents_12 = nullptr;
    QVBoxLayout* verticalLayout_7 = nullptr;
    QToolButton* VolumeUp_14 = nullptr;
    QToolButton* VolumeDown_14 = nullptr;
    QSpacerItem* verticalSpacer_4 = nullptr;

    // Profile combo, made last of all.
    MyConmboBox* ProjectChoose = nullptr;

    // Builds the tree on the page, sets the default texts, shows the chooser
    // and the debounce page, and connects the page's on_<object>_<signal>
    // slots by name.
    void setupUi(QWidget* Buttoninterface);
    // The same without the default texts, for a page that styles the tree
    // before it sets them.
    void BuildUi(QWidget* Buttoninterface);
    // Puts every text back to the form's default.
    void retranslateUi(QWidget* Buttoninterface);

    // Connects every slot of receiver named on_<object>_<signal>(<args>) to
    // that signal of the descendant of that name, in the receiver's slot
    // order. Slots that name no object stay unconnected, silently.
    static void ConnectSlotsByName(QObject* receiver);

private:
    void BuildTopFrame();
    void BuildRowList();
    void BuildFunctionArea();
    void BuildCategoryArea();
    void BuildDebouncePage();
};
