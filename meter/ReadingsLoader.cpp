#include "meter/ReadingsLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "meter/ReadingsFile.h"
#include "platform/core/DigitPattern.h"
#include "platform/core/TextFile.h"
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

constexpr int kFieldsRead = kYearField + 1;

// The fields of a line up to the year, split on single commas without
// copying; missing trailing fields stay empty.
using LineFields = std::array<QStringView, kFieldsRead>;

LineFields splitFields(QStringView line) {
    LineFields fields;
    qsizetype start = 0;
    for (int i = 0; i < kFieldsRead && start <= line.size(); ++i) {
        qsizetype comma = line.indexOf(QLatin1Char(','), start);
        if (comma < 0)
            comma = line.size();
        fields[i] = line.mid(start, comma - start);
        start = comma + 1;
    }
    return fields;
}

// A decimal number the way the text driver reads it: digits with an optional
// sign and one decimal point ("12.0", ".5"). Nothing for any other text,
// exponents and "inf" included.
std::optional<double> decimalField(QStringView text) {
    static const QRegularExpression kDecimal(QStringLiteral("^[+-]?(\\d+\\.\\d*|\\.\\d+)$"));
    if (!kDecimal.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

bool fitsShort(double value) {
    return value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max();
}

// The field as a 16-bit whole number. A decimal number is rounded, an exact
// half to the even number ("12.0" is 12, "9.5" is 10, "10.5" is 10).
std::optional<qint16> shortField(QStringView field) {
    const QStringView text = field.trimmed();
    bool whole = false;
    const int value = text.toInt(&whole);
    if (whole)
        return fitsShort(value) ? std::optional<qint16>(static_cast<qint16>(value)) : std::nullopt;
    const std::optional<double> decimal = decimalField(text);
    if (!decimal || !fitsShort(std::trunc(*decimal)))
        return std::nullopt;
    const double rounded = static_cast<double>(platform::roundHalfEven(*decimal));
    return fitsShort(rounded) ? std::optional<qint16>(static_cast<qint16>(rounded)) : std::nullopt;
}

// The mark as the text driver hands it out: a number when it reads as one,
// else its text. The usual marks share one text each instead of a copy per row.
EventMark markField(QStringView field) {
    static const QString kKnownMarks[] = {QStringLiteral("C"), QStringLiteral("PC"),
                                          QStringLiteral("QC")};
    for (const QString& known : kKnownMarks)
        if (field == known)
            return known;
    return platform::fieldValue(field.toString());
}

// The fields the loader takes from a reading line.
struct LineReading {
    qint16 glucose, month, day, hour, minute, year;
    QStringView mark;
};

// Nothing when a numeric field of the line cannot be read.
std::optional<LineReading> readingOf(QStringView line) {
    const LineFields fields = splitFields(line);
    const auto glucose = shortField(fields[kGlucoseField]);
    const auto month = shortField(fields[kMonthField]);
    const auto day = shortField(fields[kDayField]);
    const auto hour = shortField(fields[kHourField]);
    const auto minute = shortField(fields[kMinuteField]);
    const auto year = shortField(fields[kYearField]);
    if (!glucose || !month || !day || !hour || !minute || !year)
        return std::nullopt;
    return LineReading{*glucose, *month, *day, *hour, *minute, *year, fields[kEventField]};
}

void stageReading(const LineReading& reading, MeterBatch& b, int r) {
    b.NewGlucose[r] = reading.glucose;
    b.NewMonth[r] = reading.month;
    b.NewDay[r] = reading.day;
    b.NewHour[r] = reading.hour;
    b.NewMinute[r] = reading.minute;
    b.NewYear[r] = reading.year;
    b.NewEvent[r] = markField(reading.mark);
}

// The reading lines of the file: every line after the first, which the text
// driver takes as the header, that is not blank. Nothing when the file is
// missing or cannot be read. `headerMissing` tells whether the first line
// was something other than the header, so it is not dropped unnoticed.
std::optional<QStringList> readingLines(const QString& path, bool& headerMissing) {
    headerMissing = false;
    QStringList lines;
    if (!platform::readLines(path, lines))
        return std::nullopt;
    if (lines.isEmpty())
        return lines;
    const QString first = lines.takeFirst();
    headerMissing = first != kReadingsHeader && !first.trimmed().isEmpty();
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    return lines;
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

// Stages the lines newest first: a line that cannot be read is left out, and
// so is every reading after the table's capacity.
void stageLines(const QStringList& lines, MeterBatch& b, ReadingsLoadResult& result) {
    for (const QString& line : lines) {
        const std::optional<LineReading> reading = readingOf(line);
        if (!reading) {
            ++result.linesLeftOut;
        } else if (result.readingsLoaded == kMaxReadings) {
            ++result.linesLeftOut;
            ++result.readingsBeyondCapacity;
        } else {
            stageReading(*reading, b, ++result.readingsLoaded);
        }
    }
}

}  // namespace

ReadingsLoadResult loadReadingsFile(const QString& path, Module1::State& s) {
    ReadingsLoadResult result;
    bool headerMissing = false;
    const std::optional<QStringList> lines = readingLines(path, headerMissing);
    result.fileUnreadable = !lines && platform::isPathTaken(path);
    if (headerMissing)
        ++result.linesLeftOut;
    if (lines)
        stageLines(*lines, s.batch, result);
    const int count = result.readingsLoaded;
    for (int i = 1; i <= count; ++i)
        copyStagedRow(s.batch, i, s.readings, count - i + 1);
    s.readings.ReadCount = count;
    if (count == 0)
        setPlaceholderRow(s.readings);
    s.readingsBackupPath = result.linesLeftOut > 0 ? freeReadingsBackupPath(s.UserID) : QString();
    s.readingsFileUnreadable = result.fileUnreadable;
    return result;
}

QString linesLeftOutMessage(const ReadingsLoadResult& result, const QString& backupPath) {
    const QString backupName = QFileInfo(backupPath).fileName();
    const int unreadable = result.linesLeftOut - result.readingsBeyondCapacity;
    QString message;
    if (unreadable > 0)
        message += QStringLiteral("%1 line(s) of the readings file could not be loaded and were "
                                  "left out !! ").arg(unreadable);
    if (result.readingsBeyondCapacity == 0)
        return message + QStringLiteral("The file as it was will be kept as %1 before it "
                                        "is saved again.").arg(backupName);
    return message +
           QStringLiteral("The readings store keeps 10000 readings: the %1 older reading(s) of the "
                          "file were not loaded !! The file as it was, older readings included, "
                          "will be kept as %2 before it is saved again.")
               .arg(result.readingsBeyondCapacity)
               .arg(backupName);
}

QString unreadableFileMessage(const QString& path) {
    return QStringLiteral("The readings file [") + QDir::toNativeSeparators(path) +
           QStringLiteral("] is there but could not be read !! It is left as it is: the reports "
                          "show no data, and no download is saved into it until a sign-in can "
                          "read it again.");
}
