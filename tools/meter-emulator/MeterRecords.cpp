#include "MeterRecords.h"

namespace emulator {

namespace {
constexpr char kRecordEnd = '\xAA';

bool within(int value, int highest) {
    return value >= 0 && value <= highest;
}

QByteArray record(int byte1, int byte2) {
    QByteArray bytes(3, kRecordEnd);
    bytes[0] = static_cast<char>(byte1 & 0xFF);
    bytes[1] = static_cast<char>(byte2 & 0xFF);
    return bytes;
}
}  // namespace

bool fitsRecords(const Reading& r) {
    return within(r.month, 15) && within(r.day, 31) && within(r.hour, 31) &&
           within(r.minute, 63) && within(r.glucose, 1023) && within(r.flag, 1);
}

QByteArray glucoseRecord(const Reading& r) {
    const int high = (r.glucose >> 8) & 3;
    return record(r.glucose, (r.month << 4) | (r.flag << 2) | high);
}

QByteArray timeRecord(const Reading& r) {
    return record(((r.hour & 3) << 6) | r.minute, (r.day << 3) | ((r.hour >> 2) & 7));
}

}  // namespace emulator
