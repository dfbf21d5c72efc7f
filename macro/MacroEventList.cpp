#include "macro/MacroEventList.h"
#include "widgets/PictureFile.h"

#include <QIcon>
#include <QListWidget>
#include <QPixmap>
#include <QListWidgetItem>

namespace {

const QString kPauseText = QStringLiteral("10ms");

// Read now through the bounded reader, not later by the icon engine, which
// would open whatever the path names while painting.
QIcon PictureIcon(const QString& path)
{
    const QImage picture = PictureFile::Read(path);
    return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}

} // namespace

bool MacroEvent::IsDelay() const
{
    return MacroEventList::IsDelayText(text);
}

MacroEventList::MacroEventList(QListWidget* list, const QString& pictureFolder)
    : m_list(list)
    , m_pictureFolder(pictureFolder)
{
}

bool MacroEventList::IsDelayText(const QString& text)
{
    return text.contains(QLatin1String("ms"));
}

QString MacroEventList::DelayText(double milliseconds)
{
    return QString::number(milliseconds, 'f', 0) + QStringLiteral("ms");
}

int MacroEventList::Count() const
{
    return m_list->count();
}

int MacroEventList::CurrentRow() const
{
    return m_list->currentRow();
}

bool MacroEventList::IsDelayRow(int row) const
{
    const QListWidgetItem* item = m_list->item(row);
    return item && IsDelayText(item->text());
}

void MacroEventList::Clear()
{
    m_list->clear();
}

QList<MacroEvent> MacroEventList::Events() const
{
    QList<MacroEvent> events;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem* item = m_list->item(row);
        events.append({item->text(), item->type() == ReleaseType});
    }
    return events;
}

QIcon MacroEventList::IconAt(int row) const
{
    const QListWidgetItem* item = m_list->item(row);
    return item ? item->icon() : QIcon();
}

QIcon MacroEventList::IconFor(const MacroEvent& event) const
{
    return event.IsDelay() ? DelayIcon() : KeyIcon(!event.release);
}

QIcon MacroEventList::KeyIcon(bool press) const
{
    return PictureIcon(m_pictureFolder + (press ? QStringLiteral("MacroDown.png") : QStringLiteral("MacroUp.png")));
}

QIcon MacroEventList::DelayIcon() const
{
    return PictureIcon(m_pictureFolder + QStringLiteral("MacroTime.png"));
}

QListWidgetItem* MacroEventList::NewKeyItem(const QString& name, bool press) const
{
    return new QListWidgetItem(KeyIcon(press), name, nullptr, press ? PressType : ReleaseType);
}

QListWidgetItem* MacroEventList::NewDelayItem(const QString& text) const
{
    return new QListWidgetItem(DelayIcon(), text, nullptr, PressType);
}

void MacroEventList::InsertAt(int row, QListWidgetItem* item)
{
    // A row past the end appends.
    m_list->insertItem(qMin(row, m_list->count()), item);
}

void MacroEventList::RemoveAt(int row)
{
    delete m_list->takeItem(row);
}

void MacroEventList::Append(const MacroEvent& event)
{
    m_list->addItem(event.IsDelay() ? NewDelayItem(event.text) : NewKeyItem(event.text, !event.release));
}

void MacroEventList::AppendKey(const QString& name, bool press)
{
    m_list->addItem(NewKeyItem(name, press));
    m_list->setCurrentRow(m_list->count() - 1);
}

void MacroEventList::AppendDelay(double milliseconds)
{
    const int before = m_list->count();
    m_list->addItem(NewDelayItem(DelayText(milliseconds)));
    m_list->setCurrentRow(before - 1);
}

void MacroEventList::InsertKeyWithDelay(const QString& name, bool press)
{
    const int n = Count();
    const int c = CurrentRow();
    if (n == 0) {
        // Nothing to pause before or after.
        InsertAt(0, NewKeyItem(name, press));
    } else if (c == 0 && n > 1) {
        InsertAt(2, NewKeyItem(name, press));
        InsertAt(3, NewDelayItem(kPauseText));
    } else if (c < 0 || c == n - 1) {
        // No row chosen, or the last one (a single item included): the new
        // key goes to the end behind a pause, so the list keeps alternating.
        InsertAt(n, NewDelayItem(kPauseText));
        InsertAt(n + 1, NewKeyItem(name, press));
    } else if (IsDelayRow(c)) {
        InsertAt(c + 1, NewKeyItem(name, press));
        InsertAt(c + 2, NewDelayItem(kPauseText));
    } else {
        InsertAt(c + 2, NewKeyItem(name, press));
        InsertAt(c + 3, NewDelayItem(kPauseText));
    }
}

void MacroEventList::InsertMouseClick(const QString& name)
{
    const int n = Count();
    const int c = CurrentRow();
    if (c == 0 && n > 1) {
        InsertAt(2, NewKeyItem(name, true));
        InsertAt(3, NewDelayItem(kPauseText));
        InsertAt(4, NewKeyItem(name, false));
        InsertAt(5, NewDelayItem(kPauseText));
    } else if (c < 0 && n == 0) {
        InsertAt(0, NewKeyItem(name, true));
        InsertAt(1, NewDelayItem(kPauseText));
        InsertAt(2, NewKeyItem(name, false));
    } else if (c < 0 || c == n - 1) {
        InsertAt(n, NewDelayItem(kPauseText));
        InsertAt(n + 1, NewKeyItem(name, true));
        InsertAt(n + 2, NewDelayItem(kPauseText));
        InsertAt(n + 3, NewKeyItem(name, false));
    } else if (!IsDelayRow(c)) {
        InsertAt(c + 1, NewDelayItem(kPauseText));
        InsertAt(c + 2, NewKeyItem(name, true));
        InsertAt(c + 3, NewDelayItem(kPauseText));
        InsertAt(c + 4, NewKeyItem(name, false));
    } else {
        InsertAt(c + 1, NewKeyItem(name, true));
        InsertAt(c + 2, NewDelayItem(kPauseText));
        InsertAt(c + 3, NewKeyItem(name, false));
        InsertAt(c + 4, NewDelayItem(kPauseText));
    }
}

void MacroEventList::SetAdjacentDelay(double milliseconds)
{
    const int c = CurrentRow();
    if (c <= 0)
        return;
    const QString text = DelayText(milliseconds);
    if (IsDelayRow(c)) {
        RemoveAt(c);
        InsertAt(c, NewDelayItem(text));
        m_list->setCurrentRow(c);
    } else if (IsDelayRow(c - 1)) {
        RemoveAt(c - 1);
        InsertAt(c - 1, NewDelayItem(text));
        m_list->setCurrentRow(c - 1);
    } else {
        InsertAt(c, NewDelayItem(text));
        m_list->setCurrentRow(c);
    }
}

bool MacroEventList::DeleteCurrent()
{
    const int n = Count();
    if (n <= 3) {
        Clear();
        return true;
    }
    const int r = CurrentRow();
    if (r < 0)
        return false;
    const bool last = r == n - 1;
    if (IsDelayRow(r) && !last) {
        // A pause goes with the key before it.
        RemoveAt(r);
        RemoveAt(r - 1);
    } else {
        // A key goes with the pause after it, the last key with the one before.
        RemoveAt(r);
        RemoveAt(last ? r - 1 : r);
    }
    return true;
}
