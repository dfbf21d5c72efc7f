#include "dialogs/ExeIsRun.h"
#include "app/LanguageLoader.h"
#include "platform/files/FileReader.h"

#include "app/AppPaths.h"
#include "app/PostMsg.h"
#include "app/UserSettings.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLabel>
#include <QStringList>
#include <QToolButton>

ExeIsRun::ExeIsRun(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("ExeIsRun"), QStringLiteral("DeleteConfirmA")))
{
    setMinimumSize(298, 140);
    setMaximumSize(300, 140);
    form->label->setText(QStringLiteral("Confirm Delete"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 110, 90, 24), QStringLiteral("确定"));
    connect(form->okButton, &QToolButton::clicked, this, &ExeIsRun::on_NewHong_clicked);
    connect(form->CloseButton, &QToolButton::clicked, this, &ExeIsRun::on_CloseButton_clicked);
    PostMsg::Connect(SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);

    bool ok = false;
    int language = UserSettings::Instance()->Value(QStringLiteral("Language"), QStringLiteral("Language")).toInt(&ok, 10);
    if (!ok)
        language = 0;
    SlotChangeLanguage(language);
    form->ScaleFonts();
}

ExeIsRun::~ExeIsRun()
{
    delete form;
}

void ExeIsRun::SetSelectMacroFirstText()
{
    form->label->setText(selectMacroFirstText);
}

void ExeIsRun::SetStopRecordFirstText()
{
    form->label->setText(stopRecordFirstText);
}

QString ExeIsRun::LanguageFilePath(int index)
{
    static const char* const files[] = {
        "/Language/en.json",   "/Language/zh-CN.json",  "/Language/zh-TW.xml",
        "/Language/3-Korea.xml", "/Language/4-Russia.xml", "/Language/5-Japanese.xml",
    };
    const char* file = (index >= 0 && index < 6) ? files[index] : "/Language/0-English.xml";
    return AppPaths::ApplicationFolder() + QLatin1String(file);
}

void ExeIsRun::on_NewHong_clicked()
{
    close();
}

void ExeIsRun::on_CloseButton_clicked()
{
    close();
}

void ExeIsRun::SlotChangeLanguage(int index)
{
    LoadLanguageFile(LanguageFilePath(index));
}

void ExeIsRun::LoadLanguageFile(const QString& path)
{
    // Every file is JSON, whatever its extension says.
    const FileReader::Result file = FileReader::Read(path, LanguageLoader::kMaxLanguageFileBytes);
    if (!file.ok())
        return;
    const QByteArray& content = file.bytes;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (error.error != QJsonParseError::NoError)
        return;
    if (document.isObject())
        ReadLanguageObject(QJsonValue(document.object()));
}

void ExeIsRun::ReadLanguageObject(const QJsonValue& value)
{
    if (!value.isObject())
        return;
    static const QStringList sections = {
        QStringLiteral("AdvancedSettings"), QStringLiteral("Settings"), QStringLiteral("common"),
        QStringLiteral("home"), QStringLiteral("infoTips"), QStringLiteral("key"), QStringLiteral("light"),
        QStringLiteral("macro"), QStringLiteral("pair"), QStringLiteral("sensor"), QStringLiteral("update"),
    };
    const QJsonObject object = value.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString key = it.key();
        const QJsonValue child = it.value();
        if (key == QLatin1String("keyboard"))
            underMouse = false;
        else if (key == QLatin1String("mouse"))
            underMouse = true;
        if (sections.contains(key))
            currentSection = key;
        if (child.isString() && !child.toString().isEmpty() && underMouse) {
            const QString text = child.toString();
            if (currentSection == QLatin1String("macro")) {
                if (key == QLatin1String("DialogSelectMacroFirst"))
                    selectMacroFirstText = text;
                else if (key == QLatin1String("DialogStopRecordFirst"))
                    stopRecordFirstText = text;
            } else if (currentSection == QLatin1String("common")) {
                if (key == QLatin1String("OK"))
                    form->okButton->setText(text);
            } else if (currentSection == QLatin1String("home")) {
                if (key == QLatin1String("OnRun"))
                    form->label->setText(text);
            }
        }
        ReadLanguageObject(child);
    }
}
