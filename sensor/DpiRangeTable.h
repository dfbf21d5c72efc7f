#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The model's DPI values as the configuration's Drive<n>/DPIRange gives them:
// one to four ascending ranges "min,max,step" and, last, a mode in
// hexadecimal. The mode tells how values beyond the first range are flagged
// in a level entry: 0x11 and 0x22 above the first range, 0x33 by range.
struct DpiRangeTable {
    static constexpr int kMaxRanges = 4;

    int dpiRangeMode = 0;
    int dpiRangeCount = 0;
    // Index r - 1 holds range r, as written in the file.
    QString dpiRangeMinText[kMaxRanges];
    QString dpiRangeMaxText[kMaxRanges];
    QString dpiRangeStepText[kMaxRanges];
    QList<int> dpiRangeMinima;
    QList<int> dpiRangeMaxima;
    QList<int> dpiRangeSteps;
    // The lowest and highest value of all ranges: the DPI slider's limits.
    QString dpiMinimumText;
    QString dpiMaximumText;
    // The configuration gave no usable range; the table holds the default one.
    bool defaultRange = false;

    // The one range a model gets when its DPIRange is missing or unusable:
    // every value in it has a code on every sensor.
    static QStringList DefaultItems();

    // Builds the table from the items of DPIRange. Never empty: items that
    // give no usable range (missing, too few or too many, not numbers, a step
    // of 0, a range below or inside the one before) give the default range
    // without a mode.
    static DpiRangeTable FromItems(const QStringList& items, QString* problem = nullptr);
    // From Drive<modelIndex + 1>/DPIRange of the configuration; a problem
    // is reported once per model on the debug output.
    static DpiRangeTable FromModel(int modelIndex);

    // The process-wide table of the current model; rebuilt by every fill of
    // the sensor page, empty (no ranges, no mode) before the first.
    static DpiRangeTable& Current();

    // A value the slider gives, put on the ranges' steps: within a range
    // rounded down to a multiple of its step (never below the range's
    // minimum), in a gap between ranges raised to the next range's minimum,
    // outside all ranges left as it is. *pageStep, when given, gets the step
    // of the range the value belongs to, or stays unchanged outside them.
    int Snap(int value, int* pageStep = nullptr) const;
    // The plus button's next value: one step up inside a range, the next
    // range's minimum from the end of a range or from a gap, one step past
    // the last range's maximum (the slider holds that back). A value below
    // every range, or with no ranges, stays.
    int StepUp(int value) const;
    // The minus button's: one step down inside a range, the next range's
    // minimum from a gap. A value outside every range stays.
    int StepDown(int value) const;

    int Minimum() const { return dpiRangeMinima.isEmpty() ? 0 : dpiRangeMinima.first(); }
    int Maximum() const { return dpiRangeMaxima.isEmpty() ? 0 : dpiRangeMaxima.last(); }
};
