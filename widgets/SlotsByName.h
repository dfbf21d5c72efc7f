#pragma once

#include <QByteArray>
#include <QList>

class QObject;

// Connects an object's on_<child>_<signal> slots to its children's signals,
// as QMetaObject::connectSlotsByName does, without the warning for the
// slots (full signatures, "on_pushButton_clicked()") that no child starts
// by design.
namespace SlotsByName {

void Connect(QObject* object, const QList<QByteArray>& withoutSender);

} // namespace SlotsByName
