#include "widgets/SlotsByName.h"

#include <QMetaObject>
#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler previousHandler = nullptr;
const QList<QByteArray>* quietSlots = nullptr;

void DropWarningsOfQuietSlots(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && quietSlots) {
        for (const QByteArray& slot : *quietSlots) {
            if (message == QLatin1String("QMetaObject::connectSlotsByName: No matching signal for ")
                               + QString::fromLatin1(slot))
                return;
        }
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

namespace SlotsByName {

void Connect(QObject* object, const QList<QByteArray>& withoutSender)
{
    quietSlots = &withoutSender;
    previousHandler = qInstallMessageHandler(DropWarningsOfQuietSlots);
    QMetaObject::connectSlotsByName(object);
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    quietSlots = nullptr;
}

} // namespace SlotsByName
