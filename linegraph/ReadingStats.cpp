#include "linegraph/ReadingStats.h"

void ReadingStats::add(qint16 value) {
    ++DataCount;
    CurValue = value;
    SumValue += value;
    if (DataCount == 1) {
        HighValue = value;
        LowValue = value;
    }
    if (value > HighValue)
        HighValue = value;
    if (value < LowValue)
        LowValue = value;
}

void ReadingStats::finish() {
    AvgValue = DataCount != 0 ? static_cast<qint16>(SumValue / DataCount) : 0;
}

void ReadingStats::countLoneZeroAsNone() {
    if (DataCount == 1 && CurValue == 0)
        DataCount = 0;
}

ReadingStats statsOf(const qint16* values, int count) {
    ReadingStats stats;
    for (int i = 0; i < count; ++i)
        stats.add(values[i]);
    stats.finish();
    return stats;
}

StatsTexts statsTexts(const ReadingStats& stats, GlucoseUnit unit) {
    return {QString::number(stats.DataCount), glucoseText(stats.HighValue, unit),
            glucoseText(stats.LowValue, unit), glucoseText(stats.AvgValue, unit)};
}
