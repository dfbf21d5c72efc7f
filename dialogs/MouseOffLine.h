#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// Which text the next offline notice shows, set by its opener before it
// builds one: 0 the mouse does not answer, 1 the device data did not arrive
// in time.
extern int offlineNoticeMode;

// Tells the user that the mouse does not answer. Every open notice closes
// when the hub reports the device online again (SigCloseOffOnline).
class MouseOffLine : public QDialog {
    Q_OBJECT
public:
    explicit MouseOffLine(QWidget* parent = nullptr);
    ~MouseOffLine() override;

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

public slots:
    void SlotAllLanguage(int index);

private:
    NoticeForm* form;
    QString pictureFolder;
};
