// The standard day and the histogram computed without windows.
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "reports/Histogram.h"
#include "reports/ReportDates.h"
#include "reports/StandardDay.h"

namespace {

struct Reading {
    int year, month, day, hour, minute, glucose;
};

// A readings table holding `readings`, oldest first.
std::unique_ptr<ReadingList> tableOf(const std::vector<Reading>& readings) {
    auto list = std::make_unique<ReadingList>();
    for (const Reading& r : readings) {
        const int i = ++list->ReadCount;
        list->ReadYear[i] = r.year;
        list->ReadMonth[i] = r.month;
        list->ReadDay[i] = r.day;
        list->ReadHour[i] = r.hour;
        list->ReadMinute[i] = r.minute;
        list->ReadGlucose[i] = r.glucose;
    }
    return list;
}

QStringList statsOfUnit(const ReadingStats& stats, GlucoseUnit unit) {
    const StatsTexts t = statsTexts(stats, unit);
    return {t.count, t.highest, t.lowest, t.average};
}

}  // namespace

TEST(HistogramTest, ValuesFallIntoTheirRanges) {
    const int values[][2] = {{-5, 1},   {60, 1},   {61, 2},   {90, 2},  {91, 3},
                             {120, 3},  {121, 4},  {150, 4},  {151, 5}, {330, 10},
                             {331, 11}, {360, 11}, {361, 12}, {600, 12}};
    for (const auto& v : values)
        EXPECT_EQ(histogramRange(v[0]), v[1]) << v[0];
}

TEST(HistogramTest, CountsEveryReadingIntoLabelledRanges) {
    auto list = tableOf({{2007, 3, 1, 8, 0, 55}, {2007, 3, 9, 8, 0, 200}, {2007, 4, 2, 8, 0, 400}});
    const Histogram h = countReadings(*list);
    const std::array<int, 12> expected{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(h.counts, expected);
    EXPECT_EQ(statsOfUnit(h.stats, GlucoseUnit::MgDl), QStringList({"3", "400", "55", "218"}));
    const platform::ChartTable table = histogramTable(h.counts, GlucoseUnit::MmolL);
    ASSERT_EQ(table.rowCount(), 12);
    ASSERT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.rowLabel(1), "<3.4");
    EXPECT_EQ(table.rowLabel(12), ">=20.1");
    EXPECT_EQ(table.point(6, 1), 1.0);
    EXPECT_EQ(table.point(7, 1), 0.0);
    EXPECT_EQ(histogramTable(h.counts, GlucoseUnit::MgDl).rowLabel(2), "61-90");
    EXPECT_EQ(dateSpanText(*list, 2), "1/3/2007 ~ 2/4/2007");
    EXPECT_TRUE(dateSpanText(*list, 3).isNull());
    EXPECT_TRUE(dateSpanText(*tableOf({}), 1).isNull());
}

TEST(StandardDayTest, DateListSkipsOnlyNeighbouringRepeats) {
    auto list = tableOf({{2007, 5, 3, 7, 0, 90}, {2007, 5, 3, 9, 0, 90}, {2007, 5, 4, 7, 0, 90},
                         {2007, 5, 3, 7, 0, 90}});
    EXPECT_EQ(dayListEntries(*list, 1), QStringList({"2007/5/3", "2007/5/4", "2007/5/3"}));
    EXPECT_EQ(dayListEntries(*list, 2), QStringList({"3/5/2007", "4/5/2007", "3/5/2007"}));
    EXPECT_TRUE(dayListEntries(*list, 0).isEmpty());
}

TEST(StandardDayTest, ChosenDayFillsItsMinutesAndStatistics) {
    // Two readings at 07:30 of 5 March; a reading of 4 March is not drawn.
    auto list = tableOf({{2007, 3, 5, 7, 30, 100}, {2007, 3, 4, 7, 31, 300},
                         {2007, 3, 5, 7, 30, 104}, {2007, 3, 5, 23, 59, 101}});
    for (const QString& chosen : {QStringLiteral("2007/3/5"), QStringLiteral("5/3/2007")}) {
        const StandardDay day = drawDay(*list, chosen, GlucoseUnit::MgDl, 120, 80);
        EXPECT_EQ(statsOfUnit(day.stats, GlucoseUnit::MgDl), QStringList({"3", "104", "100", "101"}));
        EXPECT_EQ(statsOfUnit(day.stats, GlucoseUnit::MmolL), QStringList({"3", "5.8", "5.6", "5.6"}));
        EXPECT_EQ(day.table.cell(dayTableRow(450), 2), QVariant("104.00")) << qPrintable(chosen);
        EXPECT_EQ(day.table.cell(dayTableRow(1439), 2), QVariant("101.00"));
        EXPECT_EQ(day.table.cell(dayTableRow(451), 2), QVariant(""));
    }
    EXPECT_EQ(drawDay(*list, "2007/03/05", GlucoseUnit::MgDl, 120, 80).stats.DataCount, 0);
}

TEST(StandardDayTest, CellsAndLimitsByUnit) {
    auto list = tableOf({{2007, 3, 5, 0, 0, 123}});
    const platform::ChartTable mg = drawDay(*list, "2007/3/5", GlucoseUnit::MgDl, 120, 80).table;
    const platform::ChartTable mmol = drawDay(*list, "2007/3/5", GlucoseUnit::MmolL, 120, 80).table;
    ASSERT_EQ(mg.rowCount(), 1440);  // a row a minute
    EXPECT_EQ(mg.cell(1, 2), QVariant("123.00"));
    EXPECT_EQ(mmol.cell(1, 2), QVariant("6.8"));
    EXPECT_EQ(mg.rowLabel(1440), "o");
    EXPECT_EQ(mg.point(1440, 2), 120.0);
    EXPECT_DOUBLE_EQ(mmol.cell(1440, 3).toDouble(), 120 / 18.0);
    EXPECT_DOUBLE_EQ(mmol.cell(1, 4).toDouble(), 80 / 18.0);
}

TEST(StandardDayTest, ReadingOutsideTheDayCountsButIsNotDrawn) {
    auto list = tableOf({{2007, 3, 5, 24, 0, 200}, {2007, 3, 5, 23, 75, 90},
                         {2007, 3, 5, -1, 30, 60}, {2007, 3, 5, 0, 0, 0}});
    const StandardDay day = drawDay(*list, "2007/3/5", GlucoseUnit::MgDl, 120, 80);
    EXPECT_EQ(statsOfUnit(day.stats, GlucoseUnit::MgDl), QStringList({"4", "200", "0", "87"}));
    EXPECT_EQ(day.table, [] {
        platform::ChartTable expected = emptyDayTable(GlucoseUnit::MgDl, 120, 80);
        expected.cell(1, 2) = QStringLiteral("0.00");
        return expected;
    }());
}
