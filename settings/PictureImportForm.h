#pragma once

#include <QString>

class QButtonGroup;
class QDialog;
class QFrame;
class QLabel;
class QSlider;
class QToolButton;

// The form of the two picture import dialogs of a mouse with a screen: the
// screen switch, its brightness, four pictures to choose from, import and
// export, and a close button. The two dialogs arrange it differently.
class PictureImportForm {
public:
    enum class Arrangement { A, B };

    PictureImportForm(QDialog* dialog, const QString& dialogName, Arrangement arrangement);
    PictureImportForm(const PictureImportForm&) = delete;
    PictureImportForm& operator=(const PictureImportForm&) = delete;

    // Window flags and the style sheets, pictures from pictureFolder.
    void ApplyStyle(const QString& pictureFolder);
    // An exclusive group of the four picture buttons, a child of the dialog.
    QButtonGroup* MakePictureGroup();

    QFrame* InputPicAFrame;
    QToolButton* CheckButton;
    QLabel* label;
    QLabel* label_2;
    QToolButton* toolButtonA;
    QToolButton* toolButtonB;
    QToolButton* toolButtonC;
    QToolButton* toolButtonD;
    QToolButton* Input;
    QToolButton* Output;
    QLabel* label_3;
    QSlider* SpeedH;
    QLabel* label_4;
    QLabel* label_5;
    QLabel* label_6;
    QLabel* label_7;
    QToolButton* CloseButton;

private:
    QDialog* m_dialog;
};
