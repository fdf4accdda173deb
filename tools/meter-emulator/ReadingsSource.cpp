#include "ReadingsSource.h"

#include <QDateTime>
#include <QStringList>

namespace emulator {

namespace {
bool parseLine(const QString& line, Reading& r) {
    const QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() != 6)
        return false;
    int values[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        values[i] = fields[i].trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    r = Reading{values[0], values[1], values[2], values[3], values[4], values[5]};
    return fitsRecords(r);
}
}  // namespace

bool parseReadings(const QString& text, std::vector<Reading>& readings, QString& error) {
    readings.clear();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        Reading r;
        if (!parseLine(line, r)) {
            error = QStringLiteral("line %1: expected month,day,hour,minute,glucose,flag "
                                   "within the record fields, got \"%2\"")
                        .arg(i + 1)
                        .arg(line);
            return false;
        }
        readings.push_back(r);
    }
    if (readings.size() > kMaxReadings) {
        error = QStringLiteral("more than %1 readings").arg(kMaxReadings);
        return false;
    }
    return true;
}

std::vector<Reading> generateReadings(int count) {
    // Readings go back from the newest one at an odd step, so times of day,
    // dates and glucose values all vary and no two readings are alike.
    const QDateTime newest(QDate(2023, 12, 30), QTime(21, 45));
    constexpr qint64 kStepSeconds = (6 * 60 + 17) * 60;
    std::vector<Reading> readings;
    for (int k = 0; k < count; ++k) {
        const QDateTime at = newest.addSecs(-kStepSeconds * k);
        readings.push_back(Reading{at.date().month(), at.date().day(), at.time().hour(),
                                   at.time().minute(), 60 + (k * 37) % 340, k % 2});
    }
    return readings;
}

}  // namespace emulator
