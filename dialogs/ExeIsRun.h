#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;
class QJsonValue;

// One-button notice: "already running" at a second start, and the macro
// page's select-a-macro-first and stop-recording-first messages. It shows
// before the language tables exist, so it reads a language file of its own,
// chosen by the language index of the per-user settings.
class ExeIsRun : public QDialog {
    Q_OBJECT
public:
    explicit ExeIsRun(QWidget* parent = nullptr);
    ~ExeIsRun() override;

    void SetSelectMacroFirstText();
    void SetStopRecordFirstText();

    // Application folder + the language file of an index; an index outside
    // 0..5 gives the default English file.
    static QString LanguageFilePath(int index);

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

public slots:
    void SlotChangeLanguage(int index);

private:
    void LoadLanguageFile(const QString& path);
    void ReadLanguageObject(const QJsonValue& value);

    NoticeForm* form;
    QString pictureFolder;
    QString selectMacroFirstText;
    QString stopRecordFirstText;
    // Position of the file walk; kept across levels on purpose: a section
    // or side key met at any depth holds until the next one.
    bool underMouse = false;
    QString currentSection;
};
