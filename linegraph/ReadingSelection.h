#pragma once
// Which readings a line graph shows: all of them or the post-meal ones at
// opening, then those of a date range (and, in the line graph, an hour
// range) at every change.
#include <QDate>
#include <QString>
#include <optional>

#include "linegraph/PointTable.h"
#include "meter/ReadingTables.h"

// A reading is post-meal when its mark, taken as text, is exactly "PC" or
// "1" (the meter's flag of a reading downloaded in this run).
bool isPostMeal(const EventMark& mark);

// The calendar day of a reading, or an invalid date when its year, month
// and day make none between 1601 and 9999. Such a reading lies in no range.
QDate readingDate(int year, int month, int day);

// The text a date picker is given: year/month/day without leading zeros.
QString pickerDateText(int year, int month, int day);

// The whole part (rounded down) of an hour box's text, or nothing when the
// text is not a number.
std::optional<int> wholeHour(const QString& text);

struct HourRange {
    int lowest;
    int highest;
};

struct SelectionRule {
    bool postMealOnly = false;
    std::optional<HourRange> hours;  // none: every hour
};

// Every reading the rule admits, whatever its date (the opening selection).
void selectAll(const ReadingList& list, const SelectionRule& rule, PointTable& points);

// The readings the rule admits whose day lies from `from` to `to`, both
// included.
void selectRange(const ReadingList& list, const SelectionRule& rule, const QDate& from,
                 const QDate& to, PointTable& points);
