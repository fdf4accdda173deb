#include "meter/ReadingsFile.h"

#include <cmath>

#include "platform/core/DataFolder.h"
#include "platform/core/TextFile.h"

QString readingsFilePath(const QString& userId) {
    return platform::dataPath(userId + QStringLiteral(".txt"));
}

QString readingsBackupPath(const QString& userId, int number) {
    const QString first = platform::dataPath(userId + QStringLiteral(".txt.bak"));
    return number <= 1 ? first : first + QLatin1Char('.') + QString::number(number);
}

QString freeReadingsBackupPath(const QString& userId) {
    int number = 1;
    while (number < kMostReadingsBackups && platform::isPathTaken(readingsBackupPath(userId, number)))
        ++number;
    return readingsBackupPath(userId, number);
}

bool writePlaceholderReadingsFile(const QString& userId) {
    return platform::writeLinesAtomic(readingsFilePath(userId), {kReadingsHeader, kPlaceholderLine});
}

namespace {

constexpr QLatin1String kMarkC("C");
constexpr QLatin1String kMarkPC("PC");
constexpr QLatin1String kMarkQC("QC");

// A number is first written with the "####" digit pattern, which rounds it
// to a whole number (a half away from zero): 1.4 counts as 1, 1.5 as 2.
QLatin1String markForNumber(double value) {
    const double whole = std::round(value);
    if (whole == 1)
        return kMarkPC;
    if (whole == 2)
        return kMarkQC;
    return kMarkC;  // 0 and any other number
}

QLatin1String markForText(const QString& text) {
    for (const QLatin1String known : {kMarkC, kMarkPC, kMarkQC})
        if (text == known)
            return known;
    bool isNumber = false;
    const double value = text.trimmed().toDouble(&isNumber);
    return isNumber ? markForNumber(value) : kMarkC;  // empty and any other text: "C"
}

QLatin1String markFor(const EventMark& mark) {
    if (!mark.isValid() || mark.isNull())
        return kMarkC;
    if (mark.typeId() == QMetaType::QString)
        return markForText(mark.toString());
    bool isNumber = false;
    const double value = mark.toDouble(&isNumber);
    return isNumber ? markForNumber(value) : kMarkC;
}

}  // namespace

QString eventMarkText(const EventMark& mark) {
    return markFor(mark);
}

namespace {

// One reading line assembled in place: the file has up to 10000 lines, and a
// temporary text per field would cost more than the writing itself.
class LineBuffer {
public:
    // The "0000" digit pattern: at least minDigits digits, more in full.
    void padded(long long value, int minDigits) {
        if (value < 0)
            put('-');
        unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
        char digits[24];
        int n = 0;
        do {
            digits[n++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        for (int i = n; i < minDigits; ++i)
            put('0');
        while (n > 0)
            put(digits[--n]);
    }
    // The "#00.0" pattern: rounded to tenths, always with a point.
    void oneDecimal(double value) {
        const long long tenths = static_cast<long long>(std::round(std::fabs(value) * 10.0));
        if (value < 0 && tenths != 0)
            put('-');
        padded(tenths / 10, 2);
        put('.');
        put(static_cast<char>('0' + tenths % 10));
    }
    void text(QLatin1String s) {
        for (const char c : s)
            put(c);
    }
    void put(char c) {
        if (size_ < kCapacity)
            data_[size_++] = c;
    }
    QString toString() const { return QString::fromLatin1(data_, size_); }

private:
    static constexpr int kCapacity = 160;  // far above the widest line
    char data_[kCapacity];
    int size_ = 0;
};

}  // namespace

QString readingLine(const ReadingList& t, int row, int lineNumber) {
    LineBuffer line;
    line.put('T');
    line.padded(lineNumber, 4);
    line.put(',');
    line.padded(t.ReadGlucose[row], 5);
    for (const qint16 part : {t.ReadMonth[row], t.ReadDay[row], t.ReadHour[row], t.ReadMinute[row]}) {
        line.put(',');
        line.padded(part, 2);
    }
    line.put(',');
    line.text(markFor(t.ReadEvent[row]));
    line.put(',');
    line.oneDecimal(t.ReadGlucose[row] / 18.0);
    line.put(',');
    line.padded(t.ReadYear[row], 4);
    line.put(',');
    line.padded(t.ReadYear[row], 4);
    line.put('/');
    line.padded(t.ReadMonth[row], 2);
    line.put('/');
    line.padded(t.ReadDay[row], 2);
    line.text(QLatin1String(" - "));
    line.padded(t.ReadHour[row], 2);
    line.put(':');
    line.padded(t.ReadMinute[row], 2);
    return line.toString();
}

QStringList readingsFileLines(const ReadingList& table) {
    const int count = qBound(0, table.ReadCount, kMaxReadings);
    QStringList lines;
    lines.reserve(count + 1);
    lines << kReadingsHeader;
    for (int i = 1; i <= count; ++i)
        lines << readingLine(table, count - i + 1, i);
    return lines;
}

namespace {

// The loader left lines out of the table: keep the file as it was before the
// rewrite drops them for good, under the name the sign-in told the user and
// never over an older copy.
bool keepOldFileIfNeeded(Module1::State& s) {
    if (s.readingsBackupPath.isEmpty())
        return true;
    if (!platform::copyFileNoReplace(readingsFilePath(s.UserID), s.readingsBackupPath))
        return false;
    s.readingsBackupPath.clear();
    return true;
}

}  // namespace

bool CreateAfile(Module1::State& s) {
    if (!keepOldFileIfNeeded(s))
        return false;
    return platform::writeLinesAtomic(readingsFilePath(s.UserID), readingsFileLines(s.readings));
}
