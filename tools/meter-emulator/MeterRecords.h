#pragma once
// One reading as the meter stores it and the two 3-byte records in which it
// reports a reading: the glucose record (glucose, month, meal flag) and the
// time record (day, hour, minute). Fields are packed as given, without any
// calendar check, so tests can also send out-of-calendar values.
#include <QByteArray>

namespace emulator {

struct Reading {
    int month = 0;    // 0..15
    int day = 0;      // 0..31
    int hour = 0;     // 0..31
    int minute = 0;   // 0..63
    int glucose = 0;  // 0..1023 mg/dL
    int flag = 0;     // meal flag: 0 before a meal, 1 after
};

// True when every field fits the bits the records give it.
bool fitsRecords(const Reading& r);

QByteArray glucoseRecord(const Reading& r);
QByteArray timeRecord(const Reading& r);

}  // namespace emulator
