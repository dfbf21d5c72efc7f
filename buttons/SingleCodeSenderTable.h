#pragma once

#include <QString>
#include <QVector>

// The function buttons whose function is one fixed header (type, code,
// extra). The buttons on the function chooser clear the option pages' check
// marks first; those on an option page are in an exclusive group already.
namespace SingleCodeSenderTable {

struct Row {
    QString button; // object name of the function button on the page
    int type;
    int code;
    int extra;
    bool onChooser;
};

const QVector<Row>& Rows();
const Row* RowOfButton(const QString& button);

} // namespace SingleCodeSenderTable
