#pragma once
// The standard day: the list of days that have readings, and one chosen
// day's readings by minute of the day with that day's statistics.
#include <QString>
#include <QStringList>

#include "linegraph/GlucoseUnit.h"
#include "linegraph/ReadingStats.h"
#include "meter/ReadingTables.h"
#include "platform/core/ChartTable.h"

constexpr int kMinutesPerDay = 1440;

// The chart row of a minute of the day (minute 0 is 00:00 and row 1).
constexpr int dayTableRow(int minuteOfDay) {
    return minuteOfDay + 1;
}

// The date list: the date text of every reading, oldest first, leaving out
// a reading whose date equals the one just before it. A date that comes back
// after another date is listed again. No entry for an unknown date order.
QStringList dayListEntries(const ReadingList& list, int dateOrder);

// A reading's cell: "###0.00" in mg/dL (123 is 123.00), the one-decimal
// text in mmol/L (123 is 6.8).
QString dayReadingText(int mgdl, GlucoseUnit unit);

// 1440 rows: the label "o", no reading, the upper and the lower limit.
platform::ChartTable emptyDayTable(GlucoseUnit unit, int limitMax, int limitMin);

struct StandardDay {
    platform::ChartTable table;
    ReadingStats stats;  // every reading of the day, a reading of 0 included
};

// The readings whose date, written year/month/day or day/month/year, equals
// `chosen`. A later reading of the same minute takes the cell of an earlier
// one; both count. A reading whose hour and minute fall outside the day has
// no cell but still counts, since it is one of the day's readings.
StandardDay drawDay(const ReadingList& list, const QString& chosen, GlucoseUnit unit,
                    int limitMax, int limitMin);
