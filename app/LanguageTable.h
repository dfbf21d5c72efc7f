#pragma once

#include <QVector>

// One table of the language texts: one element per loaded language, in load order.
// Reads never index past the loaded languages: an unknown language reads language 0,
// and a table with nothing loaded reads as one empty element.
template <typename Element>
class LanguageTable
{
public:
    int Count() const { return elements.size(); }

    void Append(const Element &element) { elements.append(element); }

    void Clear() { elements.clear(); }

    // The element for reading (walks, counts); a shared empty element when nothing is loaded.
    const Element &At(int language) const
    {
        static const Element empty;
        const int index = Resolve(language);
        return index < 0 ? empty : elements.at(index);
    }

    // The element for lookups that may add a key; nullptr when nothing is loaded, so a
    // lookup never writes into the shared empty element.
    Element *Find(int language)
    {
        const int index = Resolve(language);
        return index < 0 ? nullptr : &elements[index];
    }

private:
    int Resolve(int language) const
    {
        if (elements.isEmpty())
            return -1;
        // Only language 0 ships; a stored index the program never wrote must not miss.
        return (language >= 0 && language < elements.size()) ? language : 0;
    }

    QVector<Element> elements;
};
