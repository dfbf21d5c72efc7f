#pragma once

#include <QString>
#include <QWidget>

class QLabel;

// The warning shown when a firmware update needs the mouse on its cable; kept
// by the settings page in the current language for the chooser, the
// top-level window and the firmware update.
extern QString wiredModeText;

// The settings page.
class FormSetting : public QWidget {
    Q_OBJECT
public:
    explicit FormSetting(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
    // Shows the firmware versions of the receiver and the mouse and tells
    // the overview (0: as the device link knows them, 6: none yet).
    void SetVer(int index);

private:
    QLabel* label_5; // receiver version
    QLabel* label_7; // mouse version
};
