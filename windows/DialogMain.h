#pragma once

#include <QDialog>

// The one top-level window of the program.
class DialogMain : public QDialog {
    Q_OBJECT
public:
    explicit DialogMain(QWidget* parent = nullptr);
    ~DialogMain() override;

    void LoadLanguageFiles();
};
