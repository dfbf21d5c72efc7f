#pragma once

#include <QList>

// The button page's copy of what each mouse button was last given: three
// lists of the page (type, code, extra) by device button index, with values
// kept whole (a code that the device receives as its low byte stays whole
// here). This binds to the page's lists. They may be shorter than the twelve
// rows: empty before the first fill, and the form reset leaves extras empty.
class ButtonAssignmentMirror {
public:
    ButtonAssignmentMirror(QList<int>& types, QList<int>& codes, QList<int>& extras);

    // Overwrites entry index of each list that holds one; a list too short
    // for the index is left as it is.
    void Store(int index, int type, int code, int extra);

private:
    QList<int>& m_types;
    QList<int>& m_codes;
    QList<int>& m_extras;
};
