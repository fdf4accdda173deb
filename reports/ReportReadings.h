#pragma once
// What every report learns from the shared state before it shows anything:
// whether there are readings (hasNoReadings), and the unit to show them in.
#include <QString>

#include "linegraph/GlucoseUnit.h"
#include "meter/ReadingTables.h"

inline const QString kNoReadingsMessage =
    QStringLiteral("This ID have no Glucose data !! Please read from Meter!!");

// GluUnit 2 shows mmol/L; the other reports' units show mg/dL.
inline GlucoseUnit reportUnit(int gluUnit) {
    return gluUnit == 2 ? GlucoseUnit::MmolL : GlucoseUnit::MgDl;
}
