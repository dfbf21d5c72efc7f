#include "app/LanguageTables.h"

#include <map>
#include <vector>

int languageIndex = 0;

namespace {

using Side = LanguageTables::Side;

struct Store
{
    // std::map keeps table addresses stable for the pointers handed out.
    std::map<QString, LanguageTable<TextMap>> mouseSections;
    std::map<QString, LanguageTable<TextMap>> keyboardSections;
    // Indexed like OptionArrays(); an array uses the one that fits its kind.
    std::vector<LanguageTable<MultiTextMap>> multiOptions;
    std::vector<LanguageTable<TextMap>> uniqueOptions;
    std::map<QString, LanguageTable<MultiTextMap>> keyfunctions;
    LanguageTable<TextPairList> receiverStatus;
    TextMap companyTexts;
    QStringList makerEntries;
};

Store &TheStore()
{
    static Store store = [] {
        Store s;
        for (const QString &name : LanguageTables::SectionNames(Side::Mouse))
            s.mouseSections[name];
        for (const QString &name : LanguageTables::SectionNames(Side::Keyboard))
            s.keyboardSections[name];
        const auto count = static_cast<size_t>(LanguageTables::OptionArrays().size());
        s.multiOptions.resize(count);
        s.uniqueOptions.resize(count);
        for (const QString &type : LanguageTables::KeyfunctionTypes())
            s.keyfunctions[type];
        return s;
    }();
    return store;
}

int OptionArrayIndex(Side side, const QString &array)
{
    const QVector<LanguageTables::OptionArray> &arrays = LanguageTables::OptionArrays();
    for (int i = 0; i < arrays.size(); ++i) {
        if (arrays.at(i).side == side && arrays.at(i).name == array)
            return i;
    }
    return -1;
}

// The map's index operator: a missing key is added with an empty text. QMultiMap hides its
// operator[], so both kinds go through find, which gives the entry added last.
template <typename Map>
QString LookUp(LanguageTable<Map> *table, int language, const QString &key)
{
    if (!table)
        return QString();
    Map *element = table->Find(language);
    if (!element)
        return QString();
    auto it = element->find(key);
    if (it == element->end())
        it = element->insert(key, QString());
    return it.value();
}

} // namespace

const QStringList &LanguageTables::SectionNames(Side side)
{
    static const QStringList mouse = {"AdvancedSettings", "Settings", "common", "home", "infoTips", "key",
                                      "light", "macro", "pair", "sensor", "update"};
    static const QStringList keyboard = {"Settings", "common", "key", "light", "macro", "pair", "update"};
    return side == Side::Mouse ? mouse : keyboard;
}

LanguageTable<TextMap> *LanguageTables::Section(Side side, const QString &section)
{
    auto &sections = side == Side::Mouse ? TheStore().mouseSections : TheStore().keyboardSections;
    const auto it = sections.find(section);
    return it == sections.end() ? nullptr : &it->second;
}

QString LanguageTables::Text(const QString &section, const QString &key)
{
    return Text(Side::Mouse, languageIndex, section, key);
}

QString LanguageTables::Text(int language, const QString &section, const QString &key)
{
    return Text(Side::Mouse, language, section, key);
}

QString LanguageTables::Text(Side side, int language, const QString &section, const QString &key)
{
    return LookUp(Section(side, section), language, key);
}

const QVector<LanguageTables::OptionArray> &LanguageTables::OptionArrays()
{
    static const QVector<OptionArray> arrays = {
        {"KeyOptions", Side::Mouse, "value", false, "label", true},
        {"InsertEventOptions", Side::Mouse, "command", true, "option", true},
        {"InsertEventOptions", Side::Keyboard, "command", true, "option", true},
        {"dpiModeOptions", Side::Mouse, "value", true, "option", false},
        {"ProfileOptions", Side::Mouse, "value", true, "option", true},
        {"DPIEffectOptions", Side::Mouse, "value", true, "option", true},
        {"LightModeOptions", Side::Mouse, "value", true, "option", false},
        {"StatusDescriptionList", Side::Mouse, "value", false, "option", true},
        {"receiverList", Side::Mouse, "value", true, "option", true},
        {"PerformanceOptions", Side::Mouse, "value", true, "option", true},
        {"LightOffTimeOptions", Side::Mouse, "value", true, "option", true},
        {"LightOffTimeOptions", Side::Keyboard, "value", true, "option", true},
        {"ReportRates", Side::Mouse, "value", true, "option", true},
        {"ReportRates", Side::Keyboard, "value", true, "option", true},
        {"tabsList", Side::Mouse, "id", true, "option", true},
        {"LODOptions", Side::Mouse, "value", true, "option", true},
        {"SensorModeOptions", Side::Mouse, "value", true, "option", true},
        {"keyboardTabList", Side::Keyboard, "value", true, "option", true},
        {"DisableList", Side::Keyboard, "value", true, "option", true},
        {"FunctionList", Side::Keyboard, "value", true, "option", true},
        {"modeList", Side::Keyboard, "value", true, "option", true},
    };
    return arrays;
}

LanguageTable<MultiTextMap> *LanguageTables::MultiOptions(Side side, const QString &array)
{
    const int index = OptionArrayIndex(side, array);
    if (index < 0 || !OptionArrays().at(index).multi)
        return nullptr;
    return &TheStore().multiOptions[static_cast<size_t>(index)];
}

LanguageTable<TextMap> *LanguageTables::UniqueOptions(Side side, const QString &array)
{
    const int index = OptionArrayIndex(side, array);
    if (index < 0 || OptionArrays().at(index).multi)
        return nullptr;
    return &TheStore().uniqueOptions[static_cast<size_t>(index)];
}

QString LanguageTables::Option(const QString &array, const QString &key)
{
    return Option(Side::Mouse, languageIndex, array, key);
}

QString LanguageTables::Option(int language, const QString &array, const QString &key)
{
    return Option(Side::Mouse, language, array, key);
}

QString LanguageTables::Option(Side side, int language, const QString &array, const QString &key)
{
    if (LanguageTable<MultiTextMap> *multi = MultiOptions(side, array))
        return LookUp(multi, language, key);
    return LookUp(UniqueOptions(side, array), language, key);
}

QStringList LanguageTables::OptionTexts(int language, const QString &array, const QString &key)
{
    return OptionTexts(Side::Mouse, language, array, key);
}

QStringList LanguageTables::OptionTexts(Side side, int language, const QString &array, const QString &key)
{
    if (const LanguageTable<MultiTextMap> *multi = MultiOptions(side, array))
        return multi->At(language).values(key);
    if (const LanguageTable<TextMap> *unique = UniqueOptions(side, array)) {
        const TextMap &element = unique->At(language);
        const auto it = element.constFind(key);
        return it == element.constEnd() ? QStringList() : QStringList{it.value()};
    }
    return QStringList();
}

const QStringList &LanguageTables::KeyfunctionTypes()
{
    static const QStringList types = {"0x00", "0x01", "0x02", "0x03", "0x05", "0x06", "0x09", "0x0A"};
    return types;
}

LanguageTable<MultiTextMap> *LanguageTables::KeyboardKeyfunctions(const QString &type)
{
    auto &tables = TheStore().keyfunctions;
    const auto it = tables.find(type);
    return it == tables.end() ? nullptr : &it->second;
}

LanguageTable<TextPairList> &LanguageTables::ReceiverStatusList()
{
    return TheStore().receiverStatus;
}

TextPair LanguageTables::ReceiverStatus(int language, int position)
{
    // Pages read the entries by position; a short list must not be read past its end.
    return ReceiverStatusList().At(language).value(position);
}

int LanguageTables::LanguageCount()
{
    return Section(Side::Mouse, "common")->Count();
}

const TextMap &LanguageTables::CompanyTexts()
{
    return TheStore().companyTexts;
}

QString LanguageTables::CompanyText(const QString &name)
{
    return TheStore().companyTexts.value(name);
}

const QStringList &LanguageTables::MakerEntries()
{
    return TheStore().makerEntries;
}

void LanguageTables::SetCompanyTexts(const TextMap &texts, const QStringList &makerEntries)
{
    TheStore().companyTexts = texts;
    TheStore().makerEntries = makerEntries;
}

void LanguageTables::Clear()
{
    Store &store = TheStore();
    for (auto &entry : store.mouseSections)
        entry.second.Clear();
    for (auto &entry : store.keyboardSections)
        entry.second.Clear();
    for (auto &table : store.multiOptions)
        table.Clear();
    for (auto &table : store.uniqueOptions)
        table.Clear();
    for (auto &entry : store.keyfunctions)
        entry.second.Clear();
    store.receiverStatus.Clear();
    store.companyTexts.clear();
    store.makerEntries.clear();
}
