#include "buttons/DeviceButtonIndex.h"

#include <QAbstractButton>
#include <QWidget>

namespace DeviceButtonIndex {

const QVector<Row>& Rows()
{
    static const QVector<Row> rows = {
        {QStringLiteral("FireKey"), 0},  {QStringLiteral("RightKey"), 1}, {QStringLiteral("BackKey"), 2},
        {QStringLiteral("StartPause"), 4}, {QStringLiteral("TopMusic"), 3}, {QStringLiteral("BackMusic"), 5},
        {QStringLiteral("Button7"), 6},  {QStringLiteral("Button8"), 7},  {QStringLiteral("Button9"), 8},
        {QStringLiteral("Button10"), 9}, {QStringLiteral("Button11"), 10}, {QStringLiteral("Button12"), 11},
    };
    return rows;
}

int IndexOfRow(const QString& rowButton)
{
    for (const Row& row : Rows()) {
        if (row.rowButton == rowButton)
            return row.index;
    }
    return -1;
}

QString RowOfIndex(int index)
{
    for (const Row& row : Rows()) {
        if (row.index == index)
            return row.rowButton;
    }
    return QString();
}

QAbstractButton* CheckedRow(const QWidget* page, int* index)
{
    if (index)
        *index = -1;
    if (!page)
        return nullptr;
    for (const Row& row : Rows()) {
        auto* button = page->findChild<QAbstractButton*>(row.rowButton);
        if (button && button->isChecked()) {
            if (index)
                *index = row.index;
            return button;
        }
    }
    return nullptr;
}

} // namespace DeviceButtonIndex
