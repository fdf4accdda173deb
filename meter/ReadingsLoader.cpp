#include "meter/ReadingsLoader.h"

#include <limits>
#include <optional>

#include "platform/core/TextTable.h"

namespace {

// Field positions of a reading line.
constexpr int kGlucoseField = 1;
constexpr int kMonthField = 2;
constexpr int kDayField = 3;
constexpr int kHourField = 4;
constexpr int kMinuteField = 5;
constexpr int kEventField = 6;
constexpr int kYearField = 8;

std::optional<qint16> shortField(const QStringList& fields, int position) {
    if (position >= fields.size())
        return std::nullopt;
    bool ok = false;
    const int value = fields.at(position).trimmed().toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() ||
        value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(value);
}

// Puts one file line into staging row r; false (row untouched) when a
// numeric field cannot be read.
bool stageLine(const QStringList& fields, MeterBatch& b, int r) {
    const auto glucose = shortField(fields, kGlucoseField);
    const auto month = shortField(fields, kMonthField);
    const auto day = shortField(fields, kDayField);
    const auto hour = shortField(fields, kHourField);
    const auto minute = shortField(fields, kMinuteField);
    const auto year = shortField(fields, kYearField);
    if (!glucose || !month || !day || !hour || !minute || !year)
        return false;
    b.NewGlucose[r] = *glucose;
    b.NewMonth[r] = *month;
    b.NewDay[r] = *day;
    b.NewHour[r] = *hour;
    b.NewMinute[r] = *minute;
    b.NewYear[r] = *year;
    const QString mark = kEventField < fields.size() ? fields.at(kEventField) : QString();
    b.NewEvent[r] = platform::fieldValue(mark);
    return true;
}

void copyStagedRow(const MeterBatch& b, int from, ReadingList& t, int to) {
    t.ReadMonth[to] = b.NewMonth[from];
    t.ReadDay[to] = b.NewDay[from];
    t.ReadHour[to] = b.NewHour[from];
    t.ReadMinute[to] = b.NewMinute[from];
    t.ReadGlucose[to] = b.NewGlucose[from];
    t.ReadYear[to] = b.NewYear[from];
    t.ReadEvent[to] = b.NewEvent[from];
}

void setPlaceholderRow(ReadingList& t) {
    t.ReadCount = 1;
    t.ReadMonth[1] = t.ReadDay[1] = t.ReadHour[1] = t.ReadMinute[1] = 0;
    t.ReadGlucose[1] = t.ReadYear[1] = 0;
    t.ReadEvent[1] = QVariant(qlonglong(0));
}

}  // namespace

ReadingsLoadResult loadReadingsFile(const QString& path, Module1::State& s) {
    ReadingsLoadResult result;
    platform::TextTable file;
    if (!platform::loadTextTable(path, file))
        file = platform::TextTable();
    for (const QStringList& fields : file.rows) {
        const bool hasRoom = result.readingsLoaded < kMaxReadings;
        if (hasRoom && stageLine(fields, s.batch, result.readingsLoaded + 1))
            ++result.readingsLoaded;
        else
            ++result.linesLeftOut;
    }
    const int count = result.readingsLoaded;
    for (int i = 1; i <= count; ++i)
        copyStagedRow(s.batch, i, s.readings, count - i + 1);
    s.readings.ReadCount = count;
    if (count == 0)
        setPlaceholderRow(s.readings);
    s.readingsFileNeedsBackup = result.linesLeftOut > 0;
    return result;
}

QString linesLeftOutMessage(int linesLeftOut, const QString& userId) {
    return QStringLiteral("%1 line(s) of the readings file could not be loaded and were left out !! "
                          "The file as it was will be kept as %2.txt.bak before it is saved again.")
        .arg(linesLeftOut)
        .arg(userId);
}
