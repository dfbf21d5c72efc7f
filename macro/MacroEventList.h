#pragma once

#include <QIcon>
#include <QList>
#include <QString>

class QListWidget;
class QListWidgetItem;

// One item of a macro's event list as files and transfers see it. A delay
// item is told by its text alone (it contains "ms"); press and release by
// `release`, which the list keeps as the item's type (0 press or delay, 1
// release).
struct MacroEvent {
    QString text;
    bool release = false;

    bool IsDelay() const;
    bool operator==(const MacroEvent& other) const { return text == other.text && release == other.release; }
};

// The macro page's middle list: key items (press or release of one key or
// mouse button, by display name) and delay items ("10ms"). A well-formed
// list alternates key and delay, starting and ending with a key; the
// insertions keep that form. The list widget holds the items; this class
// only knows how to build and place them.
class MacroEventList {
public:
    static constexpr int PressType = 0;
    static constexpr int ReleaseType = 1;

    MacroEventList(QListWidget* list, const QString& pictureFolder);

    static bool IsDelayText(const QString& text);
    // A delay in milliseconds as the list shows it: the whole number and "ms".
    static QString DelayText(double milliseconds);

    QListWidget* Widget() const { return m_list; }
    int Count() const;
    int CurrentRow() const;
    bool IsDelayRow(int row) const;
    void Clear();

    QList<MacroEvent> Events() const;
    // The icon an item of that row shows.
    QIcon IconAt(int row) const;
    // The page's picture for an event: press, release or delay.
    QIcon IconFor(const MacroEvent& event) const;

    // Appends with the page's own picture, without touching the current row.
    void Append(const MacroEvent& event);
    // Appends a press or release and makes it current.
    void AppendKey(const QString& name, bool press);
    // Appends a delay; the row before it becomes current.
    void AppendDelay(double milliseconds);

    // A key and a 10 ms pause, placed by the current row so the list stays
    // alternating; the current row is kept.
    void InsertKeyWithDelay(const QString& name, bool press);
    // Press, pause, release of a mouse button, and a pause where needed.
    void InsertMouseClick(const QString& name);
    // Replaces the selected delay, or the pause before the selected key
    // (creating it between two keys).
    void SetAdjacentDelay(double milliseconds);
    // The delete-event button: a key with its pause, or a pause with its key;
    // a list of three items or fewer is emptied. False when nothing changed.
    bool DeleteCurrent();

private:
    QIcon KeyIcon(bool press) const;
    QIcon DelayIcon() const;
    QListWidgetItem* NewKeyItem(const QString& name, bool press) const;
    QListWidgetItem* NewDelayItem(const QString& text) const;
    void InsertAt(int row, QListWidgetItem* item);
    void RemoveAt(int row);

    QListWidget* m_list;
    QString m_pictureFolder;
};
