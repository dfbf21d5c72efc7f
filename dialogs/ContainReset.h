#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;

// OK/Cancel question, by default whether to restore the factory settings.
// The caller reads `confirmed` after the modal run.
class ContainReset : public QDialog {
    Q_OBJECT
public:
    explicit ContainReset(QWidget* parent = nullptr);
    ~ContainReset() override;

    // Replaces the question; call before the modal run.
    void SetQuestionText(const QString& text);

    bool confirmed = false;

private slots:
    void on_CloseButton_clicked();
    void on_OK_clicked();
    void on_Cancel_clicked();

public slots:
    void SlotAllLanguage(int index);

private:
    NoticeForm* form;
    QString pictureFolder;
};
