#include "linegraph/PointTable.h"

void PointTable::clear() {
    PointCount = 0;
    for (auto* column : {&PtMonth, &PtDay, &PtHour, &PtMinute, &PtValue, &PtYear})
        column->fill(0);
}

void PointTable::append(const ReadingList& list, int i) {
    if (PointCount >= kMaxReadings)
        return;
    ++PointCount;
    PtMonth[PointCount] = list.ReadMonth[i];
    PtDay[PointCount] = list.ReadDay[i];
    PtHour[PointCount] = list.ReadHour[i];
    PtMinute[PointCount] = list.ReadMinute[i];
    PtValue[PointCount] = list.ReadGlucose[i];
    PtYear[PointCount] = list.ReadYear[i];
}
