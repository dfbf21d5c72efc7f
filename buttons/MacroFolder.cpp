#include "buttons/MacroFolder.h"
#include "platform/files/FileReader.h"

#include "app/AppPaths.h"
#include "macro/MacroBlockCodec.h"
#include "macro/MacroName.h"
#include "macro/MacroTextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <cstring>

namespace {

bool ReadFile(const QString& path, QByteArray* content)
{
    // A FIFO, a folder or a file larger than any macro is no macro file.
    const FileReader::Result file = FileReader::Read(path, MacroTextFile::kMaxFileBytes);
    if (!file.ok())
        return false;
    *content = file.bytes;
    return true;
}

} // namespace

namespace MacroFolder {

QString Path()
{
    return AppPaths::UserDataFolder() + QStringLiteral("/usersetting/MacroPage");
}

QString FileOf(const QString& name)
{
    if (!MacroName::IsSafe(name))
        return QString();
    return Path() + QLatin1Char('/') + name + QStringLiteral(".ini");
}

QStringList ListedNames()
{
    const QDir folder(Path());
    QStringList names;
    for (const QString& file : folder.entryList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase)) {
        const QString name = MacroName::ListedName(file);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

bool WriteHeader(const QString& name, const QString& text)
{
    const QString path = FileOf(name);
    if (path.isEmpty())
        return false;
    QString reason;
    if (!MacroTextFile::Replace(path, text.toUtf8() + MacroTextFile::WholeFileLineEnd, &reason)) {
        qWarning() << "macro file" << path << "keeps its content:" << reason;
        return false;
    }
    return true;
}

QString ReadHeader(const QString& name)
{
    QByteArray content;
    if (!ReadFile(FileOf(name), &content) || content.isEmpty())
        return QStringLiteral("0");
    const int end = content.indexOf('\n');
    QString line = QString::fromUtf8(end < 0 ? content : content.left(end));
    line.remove(QLatin1Char('\r'));
    const QStringList tokens = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return tokens.isEmpty() ? QStringLiteral("0") : tokens.first();
}

MacroBlock LoadBlock(const QString& name, bool* loaded)
{
    *loaded = false;
    QByteArray content;
    if (!ReadFile(FileOf(name), &content)) {
        MacroBlock empty;
        std::memset(&empty, 0, sizeof(empty));
        return empty;
    }
    *loaded = true;
    // The macro page reads the same lines the same way, and builds the same
    // block from them when it sends a macro itself. A binding always counts
    // the event after the last pause, so a file of its mode line alone binds
    // one empty event, where the macro page's own download sends none.
    MacroBlock block = MacroBlockCodec::Encode(name, MacroTextFile::Parse(content).events);
    if (block.eventCount == 0)
        block.eventCount = 1;
    return block;
}

} // namespace MacroFolder
