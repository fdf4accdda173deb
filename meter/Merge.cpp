#include "meter/Merge.h"

#include <memory>
#include <utility>

#include "meter/ReadingsFile.h"
#include "platform/core/Clock.h"

namespace {

struct MergePlan {
    int stored = 0;  // readings kept; new ones follow them
    int cut = 0;     // batch rows up to here are stored already
    int added = 0;
};

void reverseBatch(MeterBatch& b) {
    for (int lo = 1, hi = b.NewCount; lo < hi; ++lo, --hi) {
        std::swap(b.NewMonth[lo], b.NewMonth[hi]);
        std::swap(b.NewDay[lo], b.NewDay[hi]);
        std::swap(b.NewHour[lo], b.NewHour[hi]);
        std::swap(b.NewMinute[lo], b.NewMinute[hi]);
        std::swap(b.NewGlucose[lo], b.NewGlucose[hi]);
        std::swap(b.NewEvent[lo], b.NewEvent[hi]);
    }
}

// Oldest batch row matching the newest stored reading (all zero when the
// table is empty); 0 when none matches. Expects the batch oldest first.
int findCut(const ReadingList& t, const MeterBatch& b) {
    const int s = t.ReadCount;
    const int key = s > 0 ? minuteKey(t.ReadMonth[s], t.ReadDay[s], t.ReadHour[s], t.ReadMinute[s]) : 0;
    const int glucose = s > 0 ? t.ReadGlucose[s] : 0;
    for (int p = 1; p <= b.NewCount; ++p) {
        const int batchKey = minuteKey(b.NewMonth[p], b.NewDay[p], b.NewHour[p], b.NewMinute[p]);
        if (batchKey == key && b.NewGlucose[p] == glucose)
            return p;
    }
    return 0;
}

MergePlan planMerge(const ReadingList& t, const MeterBatch& b) {
    MergePlan plan;
    plan.stored = t.ReadCount;
    plan.cut = findCut(t, b);
    // A lone all-zero row only stands in for "no readings yet".
    if (plan.cut == 0 && holdsOnlyPlaceholder(t))
        plan.stored = 0;
    plan.added = b.NewCount - plan.cut;
    return plan;
}

void appendNewReadings(ReadingList& t, const MeterBatch& b, const MergePlan& plan) {
    for (int q = 1; q <= plan.added; ++q) {
        const int from = plan.cut + q;
        const int to = plan.stored + q;
        t.ReadMonth[to] = b.NewMonth[from];
        t.ReadDay[to] = b.NewDay[from];
        t.ReadHour[to] = b.NewHour[from];
        t.ReadMinute[to] = b.NewMinute[from];
        t.ReadGlucose[to] = b.NewGlucose[from];
        t.ReadEvent[to] = b.NewEvent[from];
        t.ReadYear[to] = assignedYear(t.ReadMonth[to], t.ReadDay[to], t.ReadHour[to],
                                      t.ReadMinute[to], platform::now());
    }
    t.ReadCount = plan.stored + plan.added;
}

}  // namespace

int minuteKey(int month, int day, int hour, int minute) {
    return 44640 * month + 1440 * day + 60 * hour + minute;
}

qint16 assignedYear(int month, int day, int hour, int minute, const QDateTime& now) {
    const QDate today = now.date();
    const QTime time = now.time();
    const int nowKey = minuteKey(today.month(), today.day(), time.hour(), time.minute());
    const bool laterThanNow = minuteKey(month, day, hour, minute) > nowKey;
    return static_cast<qint16>(laterThanNow ? today.year() - 1 : today.year());
}

bool NewOldCutCombin(Module1::State& s) {
    reverseBatch(s.batch);
    const MergePlan plan = planMerge(s.readings, s.batch);
    if (plan.stored + plan.added > kMaxReadings) {
        reverseBatch(s.batch);
        return false;
    }
    appendNewReadings(s.readings, s.batch, plan);
    return true;
}

SaveOutcome SaveDownload(Module1::State& s) {
    // Whatever the unread file holds would be lost under the new readings.
    if (s.readingsFileUnreadable)
        return SaveOutcome::StoredFileUnreadable;
    // Kept whole so a failed save can put back exactly what was there,
    // including the rows a guest's download overwrites.
    const auto tableBefore = std::make_unique<ReadingList>(s.readings);
    if (s.UserName == QStringLiteral("guest"))
        s.readings.ReadCount = 0;
    if (!NewOldCutCombin(s)) {
        s.readings.ReadCount = tableBefore->ReadCount;
        return SaveOutcome::StoreFull;
    }
    if (!CreateAfile(s)) {
        s.readings = *tableBefore;
        reverseBatch(s.batch);
        return SaveOutcome::WriteFailed;
    }
    return SaveOutcome::Saved;
}

QString saveOutcomeMessage(SaveOutcome outcome) {
    switch (outcome) {
    case SaveOutcome::StoreFull:
        return QStringLiteral("The readings store is full (10000 readings) !! "
                              "The new data were not saved; they are still in the meter.");
    case SaveOutcome::WriteFailed:
        return QStringLiteral("The readings file could not be written !! "
                              "The new data were not saved; they are still in the meter.");
    case SaveOutcome::StoredFileUnreadable:
        return QStringLiteral("The stored readings file could not be read at sign-in !! "
                              "The new data were not saved and the file stays as it was; "
                              "they are still in the meter.");
    case SaveOutcome::Saved:
        break;
    }
    return QString();
}
