#pragma once

#include <QDialog>
#include <QString>

class PictureImportForm;
class QButtonGroup;

// The picture import dialog in its second arrangement, without the clock.
class InputPicB : public QDialog {
    Q_OBJECT
public:
    explicit InputPicB(QWidget* parent = nullptr);
    ~InputPicB() override;

public slots:
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();

private:
    PictureImportForm* form;
    QString screenPictureDir;
    QButtonGroup* pictureGroup = nullptr;
};
