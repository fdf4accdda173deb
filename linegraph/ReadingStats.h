#pragma once
// Count, highest, lowest, sum and average of a set of readings in whole
// mg/dL, computed in one pass in reading order: the first value sets both
// the highest and the lowest; the average is the sum divided by the count
// with the remainder dropped.
#include <QtGlobal>

#include "linegraph/GlucoseUnit.h"

struct ReadingStats {
    int DataCount = 0;
    qint16 HighValue = 0;
    qint16 LowValue = 0;
    qint16 AvgValue = 0;
    qint32 SumValue = 0;
    qint16 CurValue = 0;  // the value taken last

    void add(qint16 value);
    // Sets the average from the sum and the count (0 without values).
    void finish();
    // The line graphs show a selection of one reading of glucose 0 as none.
    void countLoneZeroAsNone();
};

// The statistics of values[0] to values[count - 1].
ReadingStats statsOf(const qint16* values, int count);

// The four texts a report shows: count, highest, lowest, average.
struct StatsTexts {
    QString count, highest, lowest, average;
};
StatsTexts statsTexts(const ReadingStats& stats, GlucoseUnit unit);
