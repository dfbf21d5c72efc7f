#pragma once

#include "device/DongleRGB.h"

#include <QDialog>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QTextEdit;
class QToolButton;

// What the 4 kHz receiver's indicator LED conveys: three exclusive boxes, one
// per meaning, ticked from the device link's news. It sends nothing and
// shows only its form's own texts.
class LedInfo : public QDialog {
    Q_OBJECT
public:
    explicit LedInfo(QWidget* parent = nullptr);
    ~LedInfo() override;

public slots:
    void SlotRGBValue(DongleRGB* Rgb);
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();

private:
    struct Form {
        QFrame* LedInfoFrame = nullptr;
        QToolButton* TitleButton_7 = nullptr;
        QLabel* label_14 = nullptr;
        QCheckBox* ReUntil = nullptr;
        QCheckBox* ReUntil_2 = nullptr;
        QCheckBox* ReUntil_3 = nullptr;
        QTextEdit* textEdit_2 = nullptr;
        QTextEdit* textEdit_3 = nullptr;
        QTextEdit* textEdit_4 = nullptr;
        QToolButton* CloseButton = nullptr;
    };

    void BuildForm();

    Form* form;
    QString pictureFolder;
    QButtonGroup* meaningGroup = nullptr;
};
