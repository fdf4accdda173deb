#pragma once
// Readings tables made for tests: rows given oldest first, or n readings a
// day apart from a start date.
#include <QDate>
#include <QVariant>
#include <memory>
#include <vector>

#include "meter/ReadingTables.h"

struct ReadingRow {
    int year, month, day, hour, minute, glucose;
    QVariant mark = QStringLiteral("C");
};

inline void fillReadings(ReadingList& list, const std::vector<ReadingRow>& rows) {
    list.ReadCount = static_cast<int>(rows.size());
    for (int i = 1; i <= list.ReadCount; ++i) {
        const ReadingRow& r = rows[i - 1];
        list.ReadYear[i] = static_cast<qint16>(r.year);
        list.ReadMonth[i] = static_cast<qint16>(r.month);
        list.ReadDay[i] = static_cast<qint16>(r.day);
        list.ReadHour[i] = static_cast<qint16>(r.hour);
        list.ReadMinute[i] = static_cast<qint16>(r.minute);
        list.ReadGlucose[i] = static_cast<qint16>(r.glucose);
        list.ReadEvent[i] = r.mark;
    }
}

// n readings one day apart from 1 January 2007 at 8:30, glucose 100 + i % 200.
inline std::vector<ReadingRow> dailyReadings(int n, const QVariant& mark = QStringLiteral("C")) {
    std::vector<ReadingRow> rows;
    const QDate first(2007, 1, 1);
    for (int i = 0; i < n; ++i) {
        const QDate d = first.addDays(i);
        rows.push_back({d.year(), d.month(), d.day(), 8, 30, 100 + i % 200, mark});
    }
    return rows;
}

inline std::unique_ptr<ReadingList> readingList(const std::vector<ReadingRow>& rows) {
    auto list = std::make_unique<ReadingList>();
    fillReadings(*list, rows);
    return list;
}
