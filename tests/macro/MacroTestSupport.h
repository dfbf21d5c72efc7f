#pragma once

// Helpers for the tests that drive the macro page and read its files.

#include "app/AppPaths.h"
#include "app/LanguageTables.h"

#include <QByteArray>
#include <QFile>
#include <QListWidget>
#include <QStringList>
#include <QString>

namespace MacroTest {

// A text of language 0.
inline QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

inline QString MacroFolder()
{
    return AppPaths::UserDataFolder() + QStringLiteral("/usersetting/MacroPage");
}

inline QString MacroPath(const QString& name)
{
    return MacroFolder() + QLatin1Char('/') + name + QStringLiteral(".ini");
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The macro list and the event list of a macro page.
inline QListWidget* MacroList(const QWidget* page)
{
    return page->findChild<QListWidget*>(QStringLiteral("listWidgetHong"));
}

inline QListWidget* EventList(const QWidget* page)
{
    return page->findChild<QListWidget*>(QStringLiteral("listWidgetKey"));
}

inline QStringList EntryTexts(const QWidget* page)
{
    QStringList texts;
    for (int row = 0; row < MacroList(page)->count(); ++row)
        texts << MacroList(page)->item(row)->text();
    return texts;
}

inline QString CurrentEntry(const QWidget* page)
{
    const QListWidgetItem* item = MacroList(page)->currentItem();
    return item ? item->text() : QStringLiteral("<none>");
}

// The event list as "vA" for a press, "^A" for a release, pauses as shown.
inline QString EventTexts(const QWidget* page)
{
    QStringList tokens;
    for (int row = 0; row < EventList(page)->count(); ++row) {
        const QListWidgetItem* item = EventList(page)->item(row);
        if (item->text().contains(QLatin1String("ms")))
            tokens << item->text();
        else
            tokens << (item->type() == 1 ? QStringLiteral("^") : QStringLiteral("v")) + item->text();
    }
    return tokens.join(QLatin1Char(' '));
}

} // namespace MacroTest
