#pragma once
// The histogram: every reading counted into twelve fixed glucose ranges,
// with the statistics of all readings and the dates they span.
#include <QString>
#include <QStringList>
#include <array>

#include "linegraph/GlucoseUnit.h"
#include "linegraph/ReadingStats.h"
#include "meter/ReadingTables.h"
#include "platform/core/ChartTable.h"

constexpr int kHistogramRanges = 12;

// The range (1 to 12) of a glucose value in whole mg/dL: below 61, then
// 61-90, 91-120 and steps of 30 up to 331-360, then 361 and above. The
// ranges do not depend on the unit shown.
int histogramRange(int mgdl);

// The twelve range labels. The mmol/L labels are fixed texts, not computed
// from the mg/dL bounds.
QStringList histogramLabels(GlucoseUnit unit);

struct Histogram {
    std::array<int, kHistogramRanges> counts{};  // counts[0] is range 1
    ReadingStats stats;                          // every reading, 0 included
};

Histogram countReadings(const ReadingList& list);

// Twelve rows of two columns: the range label and its count.
platform::ChartTable histogramTable(const std::array<int, kHistogramRanges>& counts,
                                    GlucoseUnit unit);

// "<first date> ~ <last date>", oldest first; a null text for an unknown
// date order or an empty table.
QString dateSpanText(const ReadingList& list, int dateOrder);
