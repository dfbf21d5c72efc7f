#pragma once

#include <QString>
#include <QVector>

class QAbstractButton;
class QWidget;

// Which mouse button each row of the button page stands for. The rows are
// tested in the table's order, which is not the index order: StartPause
// (index 4) comes before TopMusic (index 3).
namespace DeviceButtonIndex {

struct Row {
    QString rowButton; // object name of the row's button on the page
    int index;         // the mouse button in the device record's tables
};

constexpr int RowCount = 12;

// The twelve rows in test order.
const QVector<Row>& Rows();

// The index of a row button's name; -1 for a name that is no row.
int IndexOfRow(const QString& rowButton);

// The row button's name of an index; empty outside 0 to 11.
QString RowOfIndex(int index);

// The first checked row of the page, in test order; its index goes to
// *index. Null (and *index -1) when no row is checked.
QAbstractButton* CheckedRow(const QWidget* page, int* index);

} // namespace DeviceButtonIndex
