#pragma once

#include <QDialog>
#include <QRect>
#include <QString>

class NoticeForm;

// What the small one-message notices share: the notice form, the close
// button and an optional OK button that both close the dialog, the style,
// the language hookup and the font scaling. Each notice adds its geometry,
// default text and which language text it shows.
class SimpleNotice : public QDialog {
    Q_OBJECT
public:
    ~SimpleNotice() override;

protected:
    SimpleNotice(QWidget* parent, const QString& dialogName, const QString& frameName);

    // The OK button at the bottom, named as the notices name it.
    void AddOkButton(const QRect& geometry);
    // Styles the form, connects the language switch to the subclass's
    // SlotAllLanguage, runs it once and scales the fonts. Called last by
    // each subclass constructor.
    void Finish();
    // The label shows the text of section/key; the OK button, when there is
    // one, the common "OK".
    void ShowTexts(int index, const QString& section, const QString& key);

    NoticeForm* form;
    QString pictureFolder;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
};
