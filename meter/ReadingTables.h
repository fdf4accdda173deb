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

// A table of exactly one row whose glucose and day are both 0 holds only the
// placeholder row: the user has no readings yet.
inline bool holdsOnlyPlaceholder(const ReadingList& list) {
    return list.ReadCount == 1 && list.ReadGlucose[1] == 0 && list.ReadDay[1] == 0;
}
