#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;
class QCheckBox;

// Tells the user that new firmware was found and asks for an update, with a
// do-not-show-again box that whoever holds the notice reads after it closes.
// OK and the close button only close it.
class FindNewVer : public QDialog {
    Q_OBJECT
public:
    explicit FindNewVer(QWidget* parent = nullptr);
    ~FindNewVer() override;

    bool DoNotShowAgain() const;

public slots:
    void on_NewHong_clicked();
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();

private:
    NoticeForm* form;
    QCheckBox* NoApear;
    QString pictureFolder;
};
