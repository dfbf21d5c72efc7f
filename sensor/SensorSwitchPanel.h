#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

// One on/off setting of the sensor page: a switch, a title and a tip icon.
// A click writes 1 or 0 through the member's setting writer; when the record
// was not sent the switch flips back. Ripple control, straight line and
// motion sync are the members; each names its switch and click slot and
// gives its writer, default title and tip positions.
class SensorSwitchPanel : public QFrame {
    Q_OBJECT
public:
    struct Traits {
        const char* className;
        const char* defaultTitle;
        bool (*writer)(int on);
        // x of the tip icon for language 0, 1, 2, 3 and 4 to 7.
        int tipX[5];
    };

    ~SensorSwitchPanel() override;

    // Shows on or off without writing to the mouse.
    void setSwitchChecked(bool on);
    bool isSwitchChecked() const;
    void setTitleText(const QString& text);
    void setTipText(const QString& text);
    // Moves the tip icon for the language; an index outside 0 to 7 moves nothing.
    void placeTipIcon(int languageIndex);

protected:
    SensorSwitchPanel(const Traits& traits, QWidget* parent);
    // The member's click slot hands the click here.
    void SwitchClicked(bool checked);

private:
    const Traits& traits;
    QToolButton* switchButton;
    QLabel* label;
    QLabel* label_2;
    QString pictureDir;
};
