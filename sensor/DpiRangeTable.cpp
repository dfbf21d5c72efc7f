#include "sensor/DpiRangeTable.h"

#include "app/ConfigSettings.h"

#include <QSet>
#include <QtDebug>

namespace {

bool ReadDecimal(const QString& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok, 10);
    return ok;
}

int ReadMode(const QString& text)
{
    QString hex = text.trimmed();
    if (hex.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        hex.remove(0, 2);
    bool ok = false;
    const int mode = hex.toInt(&ok, 16);
    return ok ? mode : 0;
}

// The ranges of items, checked; an empty result with *problem set when they
// cannot be used.
bool ReadRanges(const QStringList& items, DpiRangeTable* table, QString* problem)
{
    const int count = items.isEmpty() ? 0 : (items.size() - 1) / 3;
    if (count < 1 || count > DpiRangeTable::kMaxRanges) {
        *problem = QStringLiteral("%1 items, not one to four ranges and a mode").arg(items.size());
        return false;
    }
    for (int r = 0; r < count; ++r) {
        int minimum = 0;
        int maximum = 0;
        int step = 0;
        if (!ReadDecimal(items[3 * r], &minimum) || !ReadDecimal(items[3 * r + 1], &maximum)
            || !ReadDecimal(items[3 * r + 2], &step)) {
            *problem = QStringLiteral("range %1 is not three whole numbers").arg(r + 1);
            return false;
        }
        if (minimum <= 0 || step <= 0 || maximum < minimum) {
            *problem = QStringLiteral("range %1 (%2 to %3, step %4) is empty or has no step")
                           .arg(r + 1).arg(minimum).arg(maximum).arg(step);
            return false;
        }
        if (r > 0 && minimum <= table->dpiRangeMaxima.last()) {
            *problem = QStringLiteral("range %1 does not start above range %2").arg(r + 1).arg(r);
            return false;
        }
        table->dpiRangeMinText[r] = items[3 * r].trimmed();
        table->dpiRangeMaxText[r] = items[3 * r + 1].trimmed();
        table->dpiRangeStepText[r] = items[3 * r + 2].trimmed();
        table->dpiRangeMinima.append(minimum);
        table->dpiRangeMaxima.append(maximum);
        table->dpiRangeSteps.append(step);
    }
    table->dpiRangeCount = count;
    table->dpiMinimumText = table->dpiRangeMinText[0];
    table->dpiMaximumText = table->dpiRangeMaxText[count - 1];
    return true;
}

} // namespace

QStringList DpiRangeTable::DefaultItems()
{
    return {QStringLiteral("100"), QStringLiteral("12000"), QStringLiteral("100"), QStringLiteral("0x00")};
}

DpiRangeTable DpiRangeTable::FromItems(const QStringList& items, QString* problem)
{
    DpiRangeTable table;
    QString why;
    if (ReadRanges(items, &table, &why)) {
        table.dpiRangeMode = ReadMode(items.last());
        return table;
    }
    // Without a usable range every DPI would code as nothing sensible; the
    // model gets one range that codes on every sensor.
    table = DpiRangeTable();
    const bool ok = ReadRanges(DefaultItems(), &table, &why);
    Q_ASSERT(ok);
    Q_UNUSED(ok);
    table.defaultRange = true;
    if (problem)
        *problem = items.isEmpty() ? QStringLiteral("no DPIRange") : why;
    return table;
}

DpiRangeTable DpiRangeTable::FromModel(int modelIndex)
{
    const QString group = ConfigSettings::ModelGroup(modelIndex);
    QString problem;
    const DpiRangeTable table = FromItems(ConfigSettings::Instance()->ListValue(group, QStringLiteral("DPIRange")), &problem);
    if (table.defaultRange) {
        static QSet<QString> warned;
        if (!warned.contains(group)) {
            warned.insert(group);
            qWarning().noquote() << QStringLiteral("configuration %1/DPIRange: %2; the range %3 is used")
                                        .arg(group, problem, DefaultItems().join(QLatin1Char(',')));
        }
    }
    return table;
}

DpiRangeTable& DpiRangeTable::Current()
{
    static DpiRangeTable table;
    return table;
}

int DpiRangeTable::Snap(int value, int* pageStep) const
{
    for (int r = 0; r < dpiRangeCount && r < dpiRangeMinima.size(); ++r) {
        const int minimum = dpiRangeMinima[r];
        const int maximum = dpiRangeMaxima[r];
        const int step = dpiRangeSteps[r];
        if (r > 0 && value > dpiRangeMaxima[r - 1] && value < minimum) {
            if (pageStep)
                *pageStep = step;
            return minimum;
        }
        if (value >= minimum && value <= maximum) {
            if (pageStep)
                *pageStep = step;
            // A minimum off the step's grid must not round below the range.
            return qMax(minimum, value - value % step);
        }
    }
    return value;
}

int DpiRangeTable::StepUp(int value) const
{
    const int count = qMin(dpiRangeCount, int(dpiRangeSteps.size()));
    for (int r = 0; r < count; ++r) {
        const int minimum = dpiRangeMinima[r];
        const int maximum = dpiRangeMaxima[r];
        const int step = dpiRangeSteps[r];
        if (r == count - 1)
            return value >= minimum && value <= maximum ? value + step : value;
        if (value >= minimum && value < maximum)
            return value + step;
        if (value >= maximum && value < dpiRangeMinima[r + 1])
            return dpiRangeMinima[r + 1];
    }
    return value;
}

int DpiRangeTable::StepDown(int value) const
{
    const int count = qMin(dpiRangeCount, int(dpiRangeSteps.size()));
    for (int r = 0; r < count; ++r) {
        if (value >= dpiRangeMinima[r] && value <= dpiRangeMaxima[r])
            return value - dpiRangeSteps[r];
        if (r < count - 1 && value > dpiRangeMaxima[r] && value < dpiRangeMinima[r + 1])
            return dpiRangeMinima[r + 1];
    }
    return value;
}
