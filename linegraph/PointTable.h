#pragma once
// The readings a line graph window shows, copied from the readings table in
// its order (oldest first), rows 1 to PointCount. Row 0 is never used; every
// row after PointCount holds zeros, which the date labels and the reading
// tip take for a row without a reading.
#include <QtGlobal>
#include <array>

#include "meter/ReadingTables.h"

struct PointTable {
    int PointCount = 0;
    std::array<qint16, kMaxReadings + 1> PtMonth{};
    std::array<qint16, kMaxReadings + 1> PtDay{};
    std::array<qint16, kMaxReadings + 1> PtHour{};
    std::array<qint16, kMaxReadings + 1> PtMinute{};
    std::array<qint16, kMaxReadings + 1> PtValue{};
    std::array<qint16, kMaxReadings + 1> PtYear{};

    // No rows: PointCount 0 and zeros everywhere.
    void clear();
    // Reading i of the list becomes row PointCount + 1.
    void append(const ReadingList& list, int i);
    // Row k lies inside the selection (1 to PointCount).
    bool holds(int k) const { return k >= 1 && k <= PointCount && k <= kMaxReadings; }
};

// The selection has no reading to show: no row, or a lone row of day 0.
inline bool hasNoReadings(const PointTable& points) {
    return holdsNoReadings(points.PointCount, points.PtDay[1]);
}
