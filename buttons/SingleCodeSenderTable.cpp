#include "buttons/SingleCodeSenderTable.h"

#include "buttons/ButtonFunctionType.h"

namespace SingleCodeSenderTable {

const QVector<Row>& Rows()
{
    static const QVector<Row> rows = {
        {QStringLiteral("LeftKey_3"), FunctionMouseButton, 1, 0, true},
        {QStringLiteral("RightKey_3"), FunctionMouseButton, 2, 0, true},
        {QStringLiteral("MidKey"), FunctionMouseButton, 4, 0, true},
        {QStringLiteral("BackKey_2"), FunctionMouseButton, 8, 0, true},
        {QStringLiteral("ForWardKey"), FunctionMouseButton, 16, 0, true},
        {QStringLiteral("DPI_2"), FunctionReportRate, 0, 0, true},
        {QStringLiteral("DPI_3"), FunctionProfile, 0, 0, true},
        {QStringLiteral("DPI_5"), FunctionDisabled, 0, 0, true},
        {QStringLiteral("VolumeUp_8"), FunctionDpiStep, 1, 0, false},
        {QStringLiteral("VolumeUp_9"), FunctionDpiStep, 2, 0, false},
        {QStringLiteral("VolumeUp_10"), FunctionDpiStep, 3, 0, false},
        {QStringLiteral("VolumeUp_2"), FunctionTilt, 1, 0, false},
        {QStringLiteral("VolumeDown_2"), FunctionTilt, 2, 0, false},
        {QStringLiteral("VolumeUp_4"), FunctionLights, 0, 0, false},
        {QStringLiteral("VolumeUp_5"), FunctionLights, 1, 0, false},
        {QStringLiteral("VolumeUp_6"), FunctionLights, 3, 0, false},
        {QStringLiteral("VolumeUp_7"), FunctionLights, 4, 0, false},
        {QStringLiteral("VolumeUp_14"), FunctionScroll, 1, 0, false},
        {QStringLiteral("VolumeDown_14"), FunctionScroll, 2, 0, false},
    };
    return rows;
}

const Row* RowOfButton(const QString& button)
{
    for (const Row& row : Rows()) {
        if (row.button == button)
            return &row;
    }
    return nullptr;
}

} // namespace SingleCodeSenderTable
