#pragma once

#include <QRect>
#include <QString>

class QDialog;
class QFrame;
class QLabel;
class QToolButton;

// The form every notice and question dialog is built from: a 300 x 140
// background frame, a close button in its top right corner, a centred
// word-wrapped text and up to two picture buttons at the bottom. The widgets
// belong to the dialog; the form only holds the pointers and is owned by the
// dialog class, which adjusts geometry and names where it differs.
class NoticeForm {
public:
    NoticeForm(QDialog* dialog, const QString& dialogName, const QString& frameName);
    NoticeForm(const NoticeForm&) = delete;
    NoticeForm& operator=(const NoticeForm&) = delete;

    // The OK-like button and the Cancel-like button, on the frame.
    QToolButton* AddOkButton(const QString& objectName, const QRect& geometry, const QString& text);
    QToolButton* AddCancelButton(const QString& objectName, const QRect& geometry, const QString& text);

    // Window flags, text colour, button pictures (for the OK and Cancel
    // buttons), close button pictures and background picture.
    void ApplyStyle(const QString& pictureFolder,
                    const QString& buttonPicture = QStringLiteral("Confirm.png"),
                    const QString& buttonPressedPicture = QStringLiteral("ConfirmClick.png"));

    // Scales the fonts of the dialog and all its widgets to the screen's DPI.
    void ScaleFonts();

    QDialog* dialog;
    QFrame* frame;
    QToolButton* CloseButton;
    QLabel* label;
    QToolButton* okButton = nullptr;
    QToolButton* cancelButton = nullptr;

private:
    QToolButton* AddButton(const QString& objectName, const QRect& geometry, const QString& text);
};
