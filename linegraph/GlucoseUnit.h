#pragma once
// How a report shows a glucose value held in whole mg/dL: as it is in the
// mg/dL windows, divided by 18 in the mmol/L windows.
#include <QString>
#include <QVariant>

enum class GlucoseUnit { MgDl = 1, MmolL = 2 };

constexpr double kMgDlPerMmolL = 18.0;

// "###0" in mg/dL; divided by 18, rounded to one decimal, "###0.0" in mmol/L.
QString glucoseText(int mgdl, GlucoseUnit unit);

// "mg/dL" or "mmol/L".
QString unitText(GlucoseUnit unit);

// A reading's cell in a chart table: the whole number in mg/dL, the text of
// glucoseText in mmol/L.
QVariant readingCell(int mgdl, GlucoseUnit unit);

// A limit line's cell: the whole number in mg/dL, the limit divided by 18 as
// a double, not rounded, in mmol/L.
QVariant limitCell(int mgdl, GlucoseUnit unit);
