#include "reports/ReportDates.h"

#include <QStringList>

QString dateText(int year, int month, int day, int dateOrder) {
    const QString y = QString::number(year), m = QString::number(month), d = QString::number(day);
    switch (dateOrder) {
    case 1: return y + QLatin1Char('/') + m + QLatin1Char('/') + d;
    case 2: return d + QLatin1Char('/') + m + QLatin1Char('/') + y;
    default: return QString();
    }
}

QString readingDateText(const ReadingList& list, int row, int dateOrder) {
    return dateText(list.ReadYear[row], list.ReadMonth[row], list.ReadDay[row], dateOrder);
}
