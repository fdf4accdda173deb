#pragma once
// Where the emulated meter's readings come from: a text file with one
// reading per line, "month,day,hour,minute,glucose,flag", the first line
// being record 1 (the newest); or a generated set of a given size.
#include <QString>
#include <vector>

#include "MeterRecords.h"

namespace emulator {

constexpr int kMaxReadings = 255;

// False with a message naming the line when a line is not six numbers that
// fit the records, or when there are more than kMaxReadings. Blank lines are
// skipped.
bool parseReadings(const QString& text, std::vector<Reading>& readings, QString& error);

// count distinct readings, newest first, on valid calendar dates and times.
std::vector<Reading> generateReadings(int count);

}  // namespace emulator
