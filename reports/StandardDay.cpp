#include "reports/StandardDay.h"

#include "reports/ReportDates.h"

namespace {

bool sameDate(const ReadingList& list, int a, int b) {
    return list.ReadYear[a] == list.ReadYear[b] && list.ReadMonth[a] == list.ReadMonth[b] &&
           list.ReadDay[a] == list.ReadDay[b];
}

bool onChosenDay(const ReadingList& list, int row, const QString& chosen) {
    return readingDateText(list, row, 2) == chosen || readingDateText(list, row, 1) == chosen;
}

}  // namespace

QStringList dayListEntries(const ReadingList& list, int dateOrder) {
    QStringList entries;
    if (dateOrder != 1 && dateOrder != 2)
        return entries;
    for (int i = 1; i <= list.ReadCount; ++i) {
        if (i == 1 || !sameDate(list, i, i - 1))
            entries << readingDateText(list, i, dateOrder);
    }
    return entries;
}

QString dayReadingText(int mgdl, GlucoseUnit unit) {
    if (unit == GlucoseUnit::MmolL)
        return glucoseText(mgdl, unit);
    return QString::number(mgdl, 'f', 2);
}

platform::ChartTable emptyDayTable(GlucoseUnit unit, int limitMax, int limitMin) {
    platform::ChartTable table(kMinutesPerDay, 4);
    const QVariant upper = limitCell(limitMax, unit);
    const QVariant lower = limitCell(limitMin, unit);
    for (int row = 1; row <= kMinutesPerDay; ++row) {
        table.cell(row, 1) = QStringLiteral("o");
        table.cell(row, 2) = QStringLiteral("");
        table.cell(row, 3) = upper;
        table.cell(row, 4) = lower;
    }
    return table;
}

StandardDay drawDay(const ReadingList& list, const QString& chosen, GlucoseUnit unit,
                    int limitMax, int limitMin) {
    StandardDay day{emptyDayTable(unit, limitMax, limitMin), {}};
    for (int j = 1; j <= list.ReadCount; ++j) {
        if (!onChosenDay(list, j, chosen))
            continue;
        const int glucose = list.ReadGlucose[j];
        day.stats.add(list.ReadGlucose[j]);
        const int minute = int(list.ReadHour[j]) * 60 + int(list.ReadMinute[j]);
        if (minute >= 0 && minute < kMinutesPerDay)
            day.table.cell(dayTableRow(minute), 2) = dayReadingText(glucose, unit);
    }
    day.stats.finish();
    return day;
}
