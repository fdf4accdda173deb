#include "linegraph/ReadingSelection.h"

#include <QLocale>
#include <cmath>

bool isPostMeal(const EventMark& mark) {
    const QString text = mark.toString();
    return text == QLatin1String("PC") || text == QLatin1String("1");
}

QDate readingDate(int year, int month, int day) {
    const QDate date(year, month, day);
    if (!date.isValid() || date < QDate(1601, 1, 1) || date > QDate(9999, 12, 31))
        return {};
    return date;
}

QString pickerDateText(int year, int month, int day) {
    return QStringLiteral("%1/%2/%3").arg(year).arg(month).arg(day);
}

std::optional<int> wholeHour(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // Far outside 0 to 24 every value admits the same hours; keep it an int.
    const double clamped = std::min(std::max(std::floor(value), -1000.0), 1000.0);
    return static_cast<int>(clamped);
}

namespace {

bool admits(const ReadingList& list, int i, const SelectionRule& rule) {
    if (rule.postMealOnly && !isPostMeal(list.ReadEvent[i]))
        return false;
    if (rule.hours)
        return rule.hours->lowest <= list.ReadHour[i] && list.ReadHour[i] <= rule.hours->highest;
    return true;
}

}  // namespace

void selectAll(const ReadingList& list, const SelectionRule& rule, PointTable& points) {
    points.clear();
    for (int i = 1; i <= list.ReadCount && i <= kMaxReadings; ++i) {
        if (admits(list, i, rule))
            points.append(list, i);
    }
}

void selectRange(const ReadingList& list, const SelectionRule& rule, const QDate& from,
                 const QDate& to, PointTable& points) {
    points.clear();
    for (int i = 1; i <= list.ReadCount && i <= kMaxReadings; ++i) {
        if (!admits(list, i, rule))
            continue;
        const QDate day = readingDate(list.ReadYear[i], list.ReadMonth[i], list.ReadDay[i]);
        if (day.isValid() && from <= day && day <= to)
            points.append(list, i);
    }
}
