#include "app/LanguageLoader.h"
#include "platform/files/FileReader.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QXmlStreamReader>
#include <QtGlobal>

#include <climits>
#include <cmath>

namespace {

using Side = LanguageTables::Side;

const QString keyfunctionsArray = QStringLiteral("keyboardKeyfunctions");
const QString receiverStatusArray = QStringLiteral("receiverStatusList");

// A JSON integer; 0 when the field is missing, not a number, or no whole int.
int JsonInteger(const QJsonValue &value)
{
    if (!value.isDouble())
        return 0;
    const double number = value.toDouble();
    if (number < INT_MIN || number > INT_MAX || std::trunc(number) != number)
        return 0;
    return static_cast<int>(number);
}

} // namespace

LanguageLoader::LanguageLoader()
{
    for (const QString &name : LanguageTables::SectionNames(Side::Mouse))
        mouseSections[name];
    for (const QString &name : LanguageTables::SectionNames(Side::Keyboard))
        keyboardSections[name];
    options.resize(static_cast<size_t>(LanguageTables::OptionArrays().size()));
    for (const QString &type : LanguageTables::KeyfunctionTypes())
        keyfunctions[type];
}

void LanguageLoader::LoadLanguageFiles(const QString &applicationFolder)
{
    LoadLanguageFile(applicationFolder + "/Language/en.json");
    LoadLabelsFile(applicationFolder + "/Language/Net.xml");
}

bool LanguageLoader::LoadLanguageFile(const QString &path)
{
    LanguageLoader loader;
    const bool read = loader.ReadFile(path);
    // Every table gets its element even when the file failed, so language indices stay aligned.
    loader.Commit();
    return read;
}

bool LanguageLoader::ReadFile(const QString &path)
{
    const FileReader::Result file = FileReader::Read(path, kMaxLanguageFileBytes);
    if (!file.ok()) {
        qWarning("Language file %s cannot be read (%s); texts stay empty.", qUtf8Printable(path),
                 qUtf8Printable(file.reason));
        return false;
    }
    const QByteArray& data = file.bytes;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning("Language file %s is not valid JSON (%s at offset %d); texts stay empty.",
                 qUtf8Printable(path), qUtf8Printable(error.errorString()), error.offset);
        return false;
    }
    if (document.isObject())
        WalkValue(document.object(), QString());
    else if (document.isArray())
        ReadOptionArray(document.array(), QString());
    return true;
}

void LanguageLoader::WalkValue(const QJsonValue &value, const QString &name)
{
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        // QJsonObject iterates its keys sorted; the walk order (and so the section in force) follows it.
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            const QString key = it.key();
            const QJsonValue member = it.value();
            if (key == QLatin1String("keyboard"))
                currentSide = Side::Keyboard;
            else if (key == QLatin1String("mouse"))
                currentSide = Side::Mouse;
            if (LanguageTables::SectionNames(Side::Mouse).contains(key))
                currentSection = key;
            if (member.isString() && !member.toString().isEmpty())
                StoreText(key, member.toString());
            WalkValue(member, key);
        }
    } else if (value.isArray()) {
        ReadOptionArray(value.toArray(), name);
    }
}

void LanguageLoader::StoreText(const QString &key, const QString &text)
{
    auto &sections = currentSide == Side::Mouse ? mouseSections : keyboardSections;
    const auto it = sections.find(currentSection);
    if (it != sections.end())
        it->second.insert(key, text);
}

void LanguageLoader::ReadOptionArray(const QJsonArray &array, const QString &name)
{
    const QVector<LanguageTables::OptionArray> &arrays = LanguageTables::OptionArrays();
    for (const QJsonValue &element : array) {
        if (!element.isObject())
            continue;
        const QJsonObject object = element.toObject();

        if (name == keyfunctionsArray) {
            if (currentSide == Side::Keyboard) {
                const auto table = keyfunctions.find(object.value("type").toString());
                if (table != keyfunctions.end())
                    table->second.insert(object.value("value").toString(), object.value("label").toString());
            }
        } else if (name == receiverStatusArray) {
            if (currentSide == Side::Mouse)
                receiverStatus.append({object.value("option").toString(), object.value("info").toString()});
        } else {
            for (int i = 0; i < arrays.size(); ++i) {
                const LanguageTables::OptionArray &rule = arrays.at(i);
                if (rule.name != name || rule.side != currentSide)
                    continue;
                const QJsonValue field = object.value(rule.keyField);
                const QString key = rule.numberKey ? QString::number(JsonInteger(field)) : field.toString();
                const QString text = object.value(rule.textField).toString();
                MultiTextMap &scratch = options[static_cast<size_t>(i)];
                if (rule.multi)
                    scratch.insert(key, text);
                else
                    scratch.replace(key, text);
            }
        }

        const QJsonValue children = object.value("children");
        if (children.isArray())
            ReadOptionArray(children.toArray(), name);
    }
}

void LanguageLoader::Commit()
{
    for (const auto &entry : mouseSections)
        LanguageTables::Section(Side::Mouse, entry.first)->Append(entry.second);
    for (const auto &entry : keyboardSections)
        LanguageTables::Section(Side::Keyboard, entry.first)->Append(entry.second);

    const QVector<LanguageTables::OptionArray> &arrays = LanguageTables::OptionArrays();
    for (int i = 0; i < arrays.size(); ++i) {
        const LanguageTables::OptionArray &rule = arrays.at(i);
        const MultiTextMap &scratch = options[static_cast<size_t>(i)];
        if (rule.multi)
            LanguageTables::MultiOptions(rule.side, rule.name)->Append(scratch);
        else
            LanguageTables::UniqueOptions(rule.side, rule.name)->Append(scratch);  // keys are unique here
    }

    for (const auto &entry : keyfunctions)
        LanguageTables::KeyboardKeyfunctions(entry.first)->Append(entry.second);
    LanguageTables::ReceiverStatusList().Append(receiverStatus);
}

bool LanguageLoader::LoadLabelsFile(const QString &path)
{
    static const QStringList makerElements = {"CompanyName", "CompanyNameCn", "CompanyWebcn", "CompanyWeben"};

    TextMap texts;
    QStringList makerEntries;
    const FileReader::Result file = FileReader::Read(path, kMaxLabelsFileBytes);
    if (!file.ok()) {
        qWarning("Labels file %s cannot be read (%s); company texts stay empty.", qUtf8Printable(path),
                 qUtf8Printable(file.reason));
        LanguageTables::SetCompanyTexts(texts, makerEntries);
        return false;
    }

    QXmlStreamReader xml(file.bytes);
    if (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Profile")) {
            while (xml.readNextStartElement()) {
                const QString name = xml.name().toString();
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
                if (xml.hasError())
                    break;
                texts.insert(name, text);
                if (makerElements.contains(name))
                    makerEntries.append(text);
            }
        } else {
            xml.raiseError(QStringLiteral("Not a labels file"));
        }
    }
    LanguageTables::SetCompanyTexts(texts, makerEntries);

    if (xml.hasError()) {
        qWarning("Labels file %s: %s (line %lld); company texts may be missing.", qUtf8Printable(path),
                 qUtf8Printable(xml.errorString()), xml.lineNumber());
        return false;
    }
    return true;
}
