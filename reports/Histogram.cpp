#include "reports/Histogram.h"

#include "reports/ReportDates.h"

int histogramRange(int mgdl) {
    if (mgdl < 61)
        return 1;
    if (mgdl > 360)
        return kHistogramRanges;
    return 2 + (mgdl - 61) / 30;
}

QStringList histogramLabels(GlucoseUnit unit) {
    if (unit == GlucoseUnit::MmolL)
        return {"<3.4",      "3.4-5.0",   "5.1-6.7",   "6.8-8.3",   "8.4-10.0",  "10.1-11.6",
                "11.7-13.3", "13.4-15.0", "15.1-16.6", "16.7-18.3", "18.4-20.0", ">=20.1"};
    return {"<61",     "61-90",   "91-120",  "121-150", "151-180", "181-210",
            "211-240", "241-270", "271-300", "301-330", "331-360", ">=361"};
}

Histogram countReadings(const ReadingList& list) {
    Histogram h;
    for (int j = 1; j <= list.ReadCount; ++j) {
        ++h.counts[histogramRange(list.ReadGlucose[j]) - 1];
        h.stats.add(list.ReadGlucose[j]);
    }
    h.stats.finish();
    return h;
}

platform::ChartTable histogramTable(const std::array<int, kHistogramRanges>& counts,
                                    GlucoseUnit unit) {
    platform::ChartTable table(kHistogramRanges, 2);
    const QStringList labels = histogramLabels(unit);
    for (int row = 1; row <= kHistogramRanges; ++row) {
        table.cell(row, 1) = labels[row - 1];
        table.cell(row, 2) = counts[row - 1];
    }
    return table;
}

QString dateSpanText(const ReadingList& list, int dateOrder) {
    if (list.ReadCount <= 0 || (dateOrder != 1 && dateOrder != 2))
        return QString();
    return readingDateText(list, 1, dateOrder) + QStringLiteral(" ~ ") +
           readingDateText(list, list.ReadCount, dateOrder);
}
