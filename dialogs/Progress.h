#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;
class QProgressBar;

// Firmware upgrade progress notice: a bar, a status line, and an OK button
// that appears when the upgrade ends. While an upgrade runs it cannot be
// closed.
class Progress : public QDialog {
    Q_OBJECT
public:
    explicit Progress(QWidget* parent = nullptr);
    ~Progress() override;

public slots:
    void SlotAllLanguage(int index);
    void SlotCloseProgress();
    // schedue: the bar's value. Discrib: 0 running, 1 failed, 2 succeeded,
    // 3 hide OK, 4 back to the start.
    void SlotProgress(int schedue, int Discrib);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    QString RunningText(int percent) const;
    void ResetToStart();

    NoticeForm* form;
    QProgressBar* progressBar;
    QString pictureFolder;
    QString upgradingText;
    QString upgradeFailText;
    QString upgradeSuccessText;
};
