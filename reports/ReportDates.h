#pragma once
// How the reports write a reading's date.
#include <QString>

#include "meter/ReadingTables.h"

// Year, month and day without leading zeros joined by "/": year/month/day
// for date order 1, day/month/year for date order 2; a null text for any
// other order, which writes no date.
QString dateText(int year, int month, int day, int dateOrder);

// The date text of row `row` of the readings table.
QString readingDateText(const ReadingList& list, int row, int dateOrder);
