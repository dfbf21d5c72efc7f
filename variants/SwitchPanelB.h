#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QToolButton;

// Second design of the sensor page's on/off options: a caption on the left
// and a two-picture switch on the right. A click writes the switch's state
// through the option's setting writer at once; the host shows the device's
// state with SetSwitchChecked, which writes nothing.
class SwitchPanelB : public QFrame {
    Q_OBJECT
public:
    void SetSwitchChecked(bool on);
    void SetTitleText(const QString& text);
    void SetTitleToolTip(const QString& text);

protected:
    SwitchPanelB(QWidget* parent, const char* className, const char* switchName, const QString& caption,
                 bool (*writer)(int));
    // The switch's clicked slot of each class lands here.
    void SwitchClicked(bool checked);

private:
    QToolButton* switchButton = nullptr;
    QLabel* label = nullptr;
    QString pictureFolder;
    bool (*writer)(int) = nullptr;
};
