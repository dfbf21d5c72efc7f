#pragma once

#include "app/LanguageTables.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QString>

#include <map>
#include <vector>

// Fills the language tables from the language file and the company texts from the labels file.
// Problems never stop the program: the tables get empty texts and one warning says why.
class LanguageLoader
{
public:
    // The shipped language file is tens of kilobytes, the labels file less
    // than one; a file far larger is not read at all.
    static constexpr qint64 kMaxLanguageFileBytes = 4 * 1024 * 1024;
    static constexpr qint64 kMaxLabelsFileBytes = 256 * 1024;

    // Reads applicationFolder + "/Language/en.json", then applicationFolder + "/Language/Net.xml".
    static void LoadLanguageFiles(const QString &applicationFolder);

    // Appends one language to every table from a language file. Returns false, after one
    // warning, when the file cannot be read or is not JSON; the new language is then empty.
    static bool LoadLanguageFile(const QString &path);

    // Replaces the company texts with those of a labels file whose root element is "Profile".
    // Returns false, after one warning, on any problem; what was read before it is kept.
    static bool LoadLabelsFile(const QString &path);

private:
    LanguageLoader();

    bool ReadFile(const QString &path);
    void WalkValue(const QJsonValue &value, const QString &name);
    void ReadOptionArray(const QJsonArray &array, const QString &name);
    void StoreText(const QString &key, const QString &text);
    void Commit();

    // The walk's position: both persist across levels and are never restored.
    QString currentSection;
    LanguageTables::Side currentSide = LanguageTables::Side::Keyboard;

    // Scratch tables, appended to the real ones as the new language once the file is read.
    std::map<QString, TextMap> mouseSections;
    std::map<QString, TextMap> keyboardSections;
    std::vector<MultiTextMap> options;  // indexed like LanguageTables::OptionArrays()
    std::map<QString, MultiTextMap> keyfunctions;
    TextPairList receiverStatus;
};
