#pragma once
// What every report learns from the shared state before it shows anything:
// whether there are readings, and the unit to show them in.
#include <QString>

#include "linegraph/GlucoseUnit.h"
#include "meter/ReadingTables.h"

inline const QString kNoReadingsMessage =
    QStringLiteral("This ID have no Glucose data !! Please read from Meter!!");

// A lone row of day 0 (the placeholder row), or no row at all: the user has
// no readings. The reports look at the day only; a lone row of day 0 makes
// no date to show, whatever its glucose.
inline bool hasNoReadings(const ReadingList& list) {
    return list.ReadCount <= 0 || (list.ReadCount == 1 && list.ReadDay[1] == 0);
}

// GluUnit 2 shows mmol/L; the other reports' units show mg/dL.
inline GlucoseUnit reportUnit(int gluUnit) {
    return gluUnit == 2 ? GlucoseUnit::MmolL : GlucoseUnit::MgDl;
}
