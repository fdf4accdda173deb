#include "meter/ReadingsFile.h"

#include "platform/core/DataFolder.h"
#include "platform/core/DigitPattern.h"
#include "platform/core/TextFile.h"

using platform::zeroPadded;

QString readingsFilePath(const QString& userId) {
    return platform::dataPath(userId + QStringLiteral(".txt"));
}

QString readingsBackupPath(const QString& userId) {
    return platform::dataPath(userId + QStringLiteral(".txt.bak"));
}

bool writePlaceholderReadingsFile(const QString& userId) {
    return platform::writeLinesAtomic(readingsFilePath(userId), {kReadingsHeader, kPlaceholderLine});
}

namespace {

const QString kMarkC = QStringLiteral("C");
const QString kMarkPC = QStringLiteral("PC");
const QString kMarkQC = QStringLiteral("QC");

QString markForNumber(double value) {
    if (value == 1)
        return kMarkPC;
    if (value == 2)
        return kMarkQC;
    return kMarkC;  // 0 and any other number
}

QString markForText(const QString& text) {
    bool isNumber = false;
    const double value = text.trimmed().toDouble(&isNumber);
    if (isNumber)
        return markForNumber(value);
    if (text == kMarkPC || text == kMarkQC)
        return text;
    return kMarkC;  // "C", empty and any other text
}

}  // namespace

QString eventMarkText(const EventMark& mark) {
    if (!mark.isValid() || mark.isNull())
        return kMarkC;
    if (mark.typeId() == QMetaType::QString)
        return markForText(mark.toString());
    bool isNumber = false;
    const double value = mark.toDouble(&isNumber);
    return isNumber ? markForNumber(value) : kMarkC;
}

QString readingLine(const ReadingList& t, int row, int lineNumber) {
    const QString month = zeroPadded(t.ReadMonth[row], 2);
    const QString day = zeroPadded(t.ReadDay[row], 2);
    const QString hour = zeroPadded(t.ReadHour[row], 2);
    const QString minute = zeroPadded(t.ReadMinute[row], 2);
    const QString year = zeroPadded(t.ReadYear[row], 4);
    const QChar comma(QLatin1Char(','));
    QString line;
    line.reserve(64);
    line += QLatin1Char('T') + zeroPadded(lineNumber, 4) + comma;
    line += zeroPadded(t.ReadGlucose[row], 5) + comma;
    line += month + comma + day + comma + hour + comma + minute + comma;
    line += eventMarkText(t.ReadEvent[row]) + comma;
    line += platform::oneDecimal(t.ReadGlucose[row] / 18.0, 2) + comma;
    line += year + comma;
    line += year + QLatin1Char('/') + month + QLatin1Char('/') + day + QStringLiteral(" - ") + hour +
            QLatin1Char(':') + minute;
    return line;
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
// rewrite drops them for good.
bool keepOldFileIfNeeded(Module1::State& s) {
    if (!s.readingsFileNeedsBackup)
        return true;
    if (!platform::copyFileAtomic(readingsFilePath(s.UserID), readingsBackupPath(s.UserID)))
        return false;
    s.readingsFileNeedsBackup = false;
    return true;
}

}  // namespace

bool CreateAfile(Module1::State& s) {
    if (!keepOldFileIfNeeded(s))
        return false;
    return platform::writeLinesAtomic(readingsFilePath(s.UserID), readingsFileLines(s.readings));
}
