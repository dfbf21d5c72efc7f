#pragma once

#include "app/LanguageTable.h"

#include <QMap>
#include <QMultiMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// Keys sort as text: "10" comes before "2".
using TextMap = QMap<QString, QString>;
// Equal keys stay side by side: a lookup finds the entry added last, a walk visits it first.
using MultiTextMap = QMultiMap<QString, QString>;
using TextPair = QPair<QString, QString>;
using TextPairList = QVector<TextPair>;

// The language every page reads; the language selections change it.
extern int languageIndex;

// The process-wide texts of the language file: one table per section and side, one per
// option array, and the company texts of the labels file. GUI thread only.
class LanguageTables
{
public:
    enum class Side { Mouse, Keyboard };

    // How the elements of one option array of the language file become table entries.
    struct OptionArray
    {
        QString name;
        Side side;
        QString keyField;
        bool numberKey;  // the key field is read as an integer and written in decimal
        QString textField;
        bool multi;      // an equal key adds an entry instead of replacing the earlier one
    };

    // Section texts. The side's section names; nullptr for a section the side lacks.
    static const QStringList &SectionNames(Side side);
    static LanguageTable<TextMap> *Section(Side side, const QString &section);

    // A section text of the mouse side (the current language, or the given one). A key the
    // file lacks reads as an empty text and is added to the table with that empty text.
    static QString Text(const QString &section, const QString &key);
    static QString Text(int language, const QString &section, const QString &key);
    static QString Text(Side side, int language, const QString &section, const QString &key);

    // Option arrays. MultiOptions serves the arrays that keep equal keys, UniqueOptions the
    // others; each returns nullptr for an array of the other kind or side.
    static const QVector<OptionArray> &OptionArrays();
    static LanguageTable<MultiTextMap> *MultiOptions(Side side, const QString &array);
    static LanguageTable<TextMap> *UniqueOptions(Side side, const QString &array);

    // An option text of either kind: with equal keys the entry added last. Missing keys as Text.
    static QString Option(const QString &array, const QString &key);
    static QString Option(int language, const QString &array, const QString &key);
    static QString Option(Side side, int language, const QString &array, const QString &key);
    // Every option text under a key, the entry added last first; empty when there is none.
    static QStringList OptionTexts(int language, const QString &array, const QString &key);
    static QStringList OptionTexts(Side side, int language, const QString &array, const QString &key);

    // The keyboard's key function tables, one per "type" text; nullptr for another type.
    static const QStringList &KeyfunctionTypes();
    static LanguageTable<MultiTextMap> *KeyboardKeyfunctions(const QString &type);

    // Receiver status entries (option text, info text) in file order.
    static LanguageTable<TextPairList> &ReceiverStatusList();
    // The entry at a position; an empty pair past the end.
    static TextPair ReceiverStatus(int language, int position);

    // How many languages have been loaded.
    static int LanguageCount();

    // Company texts of the labels file by element name, and the four maker entries in file order.
    static const TextMap &CompanyTexts();
    static QString CompanyText(const QString &name);
    static const QStringList &MakerEntries();
    static void SetCompanyTexts(const TextMap &texts, const QStringList &makerEntries);

    // Drops every loaded language and the company texts.
    static void Clear();
};
