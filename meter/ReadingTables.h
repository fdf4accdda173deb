#pragma once
// The signed-in user's readings in memory (ReadingList) and the staging
// table used while loading the readings file and while downloading
// (MeterBatch). Rows are numbered from 1; row 0 is never used.
#include <QVariant>
#include <array>

constexpr int kMaxReadings = 10000;

// The meal mark of a reading: the text "C", "PC" or "QC" read from a file
// (the number 0 for the placeholder row), or the meter's flag 0 or 1 as a
// number for a reading appended by a download.
using EventMark = QVariant;

struct ReadingList {
    int ReadCount = 0;
    std::array<qint16, kMaxReadings + 1> ReadMonth{};
    std::array<qint16, kMaxReadings + 1> ReadDay{};
    std::array<qint16, kMaxReadings + 1> ReadHour{};
    std::array<qint16, kMaxReadings + 1> ReadMinute{};
    std::array<qint16, kMaxReadings + 1> ReadGlucose{};
    std::array<qint16, kMaxReadings + 1> ReadYear{};
    std::array<EventMark, kMaxReadings + 1> ReadEvent{};
};

struct MeterBatch {
    int NewCount = 0;
    std::array<qint16, kMaxReadings + 1> NewMonth{};
    std::array<qint16, kMaxReadings + 1> NewDay{};
    std::array<qint16, kMaxReadings + 1> NewHour{};
    std::array<qint16, kMaxReadings + 1> NewMinute{};
    std::array<qint16, kMaxReadings + 1> NewGlucose{};
    std::array<qint16, kMaxReadings + 1> NewYear{};
    std::array<EventMark, kMaxReadings + 1> NewEvent{};
};

// No readings to show: no row at all, or a lone row of day 0 (the placeholder
// row; a lone reading of day 0 makes no date either, whatever its glucose).
// Takes the row count and the first row's day of the readings table or of a
// copy of its rows.
inline bool holdsNoReadings(int rowCount, int firstRowDay) {
    return rowCount <= 0 || (rowCount == 1 && firstRowDay == 0);
}

inline bool hasNoReadings(const ReadingList& list) {
    return holdsNoReadings(list.ReadCount, list.ReadDay[1]);
}

// The placeholder row itself: a lone row of day 0 that holds no glucose. A
// download drops only this row; a lone reading with a glucose is kept.
inline bool holdsOnlyPlaceholder(const ReadingList& list) {
    return list.ReadCount == 1 && hasNoReadings(list) && list.ReadGlucose[1] == 0;
}
