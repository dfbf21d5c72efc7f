#pragma once

#include <QString>
#include <QWidget>

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
};
