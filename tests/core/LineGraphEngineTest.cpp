// The line graphs' engine: statistics, selection, chart tables, date labels
// and the reading tip, by worked examples.
#include <gtest/gtest.h>

#include "linegraph/ChartPlan.h"
#include "linegraph/ReadingSelection.h"
#include "linegraph/ReadingStats.h"
#include "linegraph/ReadingTip.h"
#include "tests/support/ReadingRows.h"

namespace {

std::unique_ptr<PointTable> pointsOf(int n) {
    auto points = std::make_unique<PointTable>();
    selectAll(*readingList(dailyReadings(n)), SelectionRule(), *points);
    return points;
}

QStringList freshLabels() {
    return QStringList(kDateLabels, QStringLiteral("--/--"));
}

}  // namespace

TEST(ReadingStatsTest, CountHighLowAverageInBothUnits) {
    const struct {
        std::vector<qint16> values;
        bool loneZeroIsNone;
        const char* mgdl;  // count highest lowest average
        const char* mmol;
    } cases[] = {
        {{100, 101, 250}, true, "3 250 100 150", "3 13.9 5.6 8.3"},
        {{100, 103}, true, "2 103 100 101", "2 5.7 5.6 5.6"},
        {{100, 101}, true, "2 101 100 100", "2 5.6 5.6 5.6"},
        {{0, 100}, true, "2 100 0 50", "2 5.6 0.0 2.8"},
        {{0}, true, "0 0 0 0", "0 0.0 0.0 0.0"},
        {{0}, false, "1 0 0 0", "1 0.0 0.0 0.0"},
        {{120}, true, "1 120 120 120", "1 6.7 6.7 6.7"},
        {{}, true, "0 0 0 0", "0 0.0 0.0 0.0"},
        {{55, 200, 400}, false, "3 400 55 218", "3 22.2 3.1 12.1"},
    };
    for (const auto& c : cases) {
        ReadingStats stats = statsOf(c.values.data(), static_cast<int>(c.values.size()));
        if (c.loneZeroIsNone)
            stats.countLoneZeroAsNone();
        for (GlucoseUnit unit : {GlucoseUnit::MgDl, GlucoseUnit::MmolL}) {
            const StatsTexts t = statsTexts(stats, unit);
            EXPECT_EQ(QStringList({t.count, t.highest, t.lowest, t.average}).join(' '),
                      unit == GlucoseUnit::MgDl ? c.mgdl : c.mmol)
                << c.mgdl;
        }
    }
}

TEST(ReadingSelectionTest, DatesHoursAndMarksDecideWhatIsShown) {
    auto list = readingList({
        {2007, 5, 3, 0, 0, 100, "PC"},    // 1: first day, midnight
        {2007, 5, 4, 5, 59, 110, 1},      // 2: the meter's flag 1
        {2007, 5, 4, 6, 0, 120, "pc"},    // 3
        {2007, 5, 5, 23, 59, 130, "QC"},  // 4: last day, last minute
        {2007, 5, 6, 0, 0, 140, "PC"},    // 5: the day after
        {2007, 2, 30, 8, 0, 150, "PC"},   // 6: no calendar day
        {2007, 5, 4, 12, 0, 160, 0},      // 7
    });
    const QDate from(2007, 5, 3), to(2007, 5, 5);
    const struct {
        SelectionRule rule;
        std::vector<int> glucose;
    } cases[] = {
        {{false, std::nullopt}, {100, 110, 120, 130, 160}},
        {{true, std::nullopt}, {100, 110}},
        {{false, HourRange{5, 5}}, {110}},
        {{false, HourRange{0, 24}}, {100, 110, 120, 130, 160}},
        {{false, HourRange{13, 23}}, {130}},
    };
    auto points = std::make_unique<PointTable>();
    for (const auto& c : cases) {
        selectRange(*list, c.rule, from, to, *points);
        std::vector<int> got;
        for (int k = 1; k <= points->PointCount; ++k)
            got.push_back(points->PtValue[k]);
        EXPECT_EQ(got, c.glucose);
        // Rows after the selection are empty, so no label or tip of an
        // earlier, larger selection survives.
        EXPECT_EQ(points->PtMonth[points->PointCount + 1], 0);
    }
    selectAll(*list, {true, std::nullopt}, *points);
    EXPECT_EQ(points->PointCount, 4);  // "PC" and 1, whatever the date
}

TEST(ReadingSelectionTest, HourTextsAndPostMealMarks) {
    const struct {
        const char* text;
        std::optional<int> hour;
    } hours[] = {{"5.9", 5}, {"24", 24}, {" 3 ", 3}, {"-0.5", -1}, {"", std::nullopt},
                 {"abc", std::nullopt}, {"1e999", std::nullopt}};
    for (const auto& h : hours)
        EXPECT_EQ(wholeHour(QString::fromLatin1(h.text)), h.hour) << h.text;

    const struct {
        QVariant mark;
        bool postMeal;
    } marks[] = {{"PC", true}, {1, true}, {1.0, true}, {"pc", false}, {"C", false},
                 {"QC", false}, {0, false}, {QVariant(), false}};
    for (const auto& m : marks)
        EXPECT_EQ(isPostMeal(m.mark), m.postMeal) << m.mark.toString().toStdString();
}

TEST(ChartPlanTest, RowsWindowAndDateLabelsBySelectionSize) {
    const struct {
        int readings;
        int rows;
        int windowStart;
        int x1, x2, x14, x15, x26;  // the reading each label names, 0 for an empty label
    } cases[] = {
        {1, 25, -1, 1, 0, 0, 0, 0},
        {25, 25, -1, 1, 2, 14, 15, 0},
        {26, 50, -1, 1, 2, 26, 0, 0},
        {75, 75, -1, 1, 3, 39, 42, 75},
        {76, 100, -1, 1, 4, 52, 56, 0},
        {150, 150, -1, 1, 6, 78, 84, 150},
        {151, 150, 1, 2, 7, 79, 85, 151},
        {10000, 150, 9850, 9851, 9856, 9928, 9934, 10000},
    };
    for (const auto& c : cases) {
        const auto points = pointsOf(c.readings);
        const ChartDrawing d = planChart(*points, {GlucoseUnit::MgDl, 180, 70, 1});
        EXPECT_EQ(d.rows, c.rows) << c.readings;
        EXPECT_EQ(d.windowStart, c.windowStart) << c.readings;
        ASSERT_EQ(d.table.rowCount(), c.rows);
        const int start = std::max(d.windowStart, 0);
        const int shown = std::min(c.readings, 150);  // the rows of the scrolled window
        EXPECT_EQ(d.table.point(shown, 1), points->PtValue[start + shown]);
        if (shown < c.rows) {
            EXPECT_EQ(d.table.point(shown + 1, 1), std::nullopt);
        }
        QStringList labels = freshLabels();
        writeDateLabels(labels, *points, d.rows, start, 1);
        const int expected[] = {c.x1, c.x2, c.x14, c.x15, c.x26};
        const int labelNumber[] = {1, 2, 14, 15, 26};
        for (int i = 0; i < 5; ++i) {
            const int k = expected[i];
            const QString text =
                k ? QStringLiteral("%1/%2").arg(points->PtMonth[k]).arg(points->PtDay[k]) : "";
            EXPECT_EQ(labels[labelNumber[i] - 1], text) << c.readings << " X" << labelNumber[i];
        }
    }
    EXPECT_EQ(planChart(PointTable(), {}).rows, 0);
    EXPECT_TRUE(chartMovesFootStrip(75));
    EXPECT_FALSE(chartMovesFootStrip(100));
}

TEST(ChartPlanTest, CellsAndLabelTextsByUnitAndDateOrder) {
    auto points = std::make_unique<PointTable>();
    selectAll(*readingList({{2007, 3, 5, 8, 0, 100}, {2007, 12, 31, 9, 0, 0}}), {}, *points);
    const ChartDrawing mg = planChart(*points, {GlucoseUnit::MgDl, 120, 80, 1});
    const ChartDrawing mmol = planChart(*points, {GlucoseUnit::MmolL, 120, 80, 1});
    EXPECT_EQ(mg.table.cell(1, 2), QVariant::fromValue<qint16>(100));
    EXPECT_EQ(mg.table.cell(1, 3), QVariant::fromValue<qint16>(120));
    EXPECT_EQ(mmol.table.cell(1, 2), QVariant(QStringLiteral("5.6")));
    EXPECT_EQ(mmol.table.cell(2, 2), QVariant(QStringLiteral("0.0")));
    EXPECT_DOUBLE_EQ(mmol.table.cell(25, 3).toDouble(), 120.0 / 18);
    EXPECT_EQ(mmol.table.cell(3, 2), QVariant(QString()));
    EXPECT_EQ(mmol.table.rowLabel(7), "o");
    const ChartSettings mmolSettings{GlucoseUnit::MmolL, 180, 70, 1};
    EXPECT_EQ(emptyTable(mmolSettings).point(150, 3), 70.0 / 18);
    EXPECT_EQ(emptyTable(mmolSettings).point(1, 1), std::nullopt);

    const struct {
        int order;
        const char* x1;
        const char* x2;
    } orders[] = {{1, "3/5", "12/31"}, {2, "5/3", "31/12"}, {0, "--/--", "--/--"}};
    for (const auto& o : orders) {
        QStringList labels = freshLabels();
        labels[2] = "0/0";
        writeDateLabels(labels, *points, 25, 0, o.order);
        EXPECT_EQ(labels[0], o.x1);
        EXPECT_EQ(labels[1], o.x2);
        EXPECT_EQ(labels[2], "");  // an empty label is emptied whatever the order
    }
    QStringList kept{"0/0", "0/5", "10/0", " 0/0"};
    clearEmptyDateLabels(kept);
    EXPECT_EQ(kept, QStringList({"", "0/5", "10/0", " 0/0"}));
}

TEST(ChartPlanTest, AScrollPositionPastTheSelectionShowsNoReadingItDoesNotHold) {
    const auto points = pointsOf(160);
    const platform::ChartTable table = windowTable(*points, 40, {});
    EXPECT_EQ(table.point(1, 1), points->PtValue[41]);
    const platform::ChartTable past = windowTable(*points, 9900, {});
    EXPECT_EQ(past.rowCount(), 150);
    EXPECT_EQ(past.point(1, 1), std::nullopt);
}

TEST(ReadingTipTest, ColumnEdgesByUnitAndRows) {
    const struct {
        GlucoseUnit unit;
        int rows;
        double step;
        std::vector<std::pair<int, int>> edges;  // k, ColEdge(k)
    } cases[] = {
        {GlucoseUnit::MgDl, 150, 61.9, {{0, 1125}, {1, 1187}, {5, 1434}, {150, 10410}}},
        {GlucoseUnit::MmolL, 150, 62.4, {{0, 1050}, {1, 1112}, {150, 10410}}},
        {GlucoseUnit::MgDl, 50, 185.7, {{5, 2054}, {15, 3910}, {50, 10410}}},
        {GlucoseUnit::MmolL, 25, 374.4, {{25, 10410}}},
    };
    for (const auto& c : cases) {
        const ColumnGeometry g = columnGeometry(plotGeometry(c.unit), c.rows);
        EXPECT_NEAR(g.StepWidth, c.step, 1e-9);
        for (const auto& [k, edge] : c.edges)
            EXPECT_EQ(g.ColEdge[k], edge) << c.rows << " k=" << k;
    }
}

TEST(ReadingTipTest, WhatThePointerShowsAndWhereTheTipGoes) {
    auto points = std::make_unique<PointTable>();
    selectAll(*readingList({{2007, 9, 6, 8, 5, 122}}), {}, *points);
    const TipInput mg150{150, 0, 1, GlucoseUnit::MgDl};
    const struct {
        TipInput input;
        double x, y;
        std::optional<bool> visible;
        std::optional<double> tipLeft, markerLeft;
    } cases[] = {
        {mg150, 1150, 2000, true, 1155.95, 1080.95},        // column 1, left half
        {mg150, 1125, 2000, true, 1155.95, 1080.95},        // on the plot's left edge
        {mg150, 1187, 2000, false, 1187 + 30.95, 1187 + 30.95 - 75},  // inner edge: column 2 decides
        {mg150, 1150, 300, std::nullopt, 1155.95, 1080.95}, // band edge: visibility kept
        {mg150, 1000, 2000, false, 1125, 1050},             // left of the plot
        {mg150, 10500, 2000, false, 8570, 10335},           // right of the plot
        {mg150, 10410, 2000, false, std::nullopt, std::nullopt},  // on the right edge
        {mg150, 1150, 4500, false, 1155.95, 1080.95},       // under the plot
        {{150, 0, 1, GlucoseUnit::MmolL}, 1000, 2000, false, 1050, 975},
        {{25, 0, 1, GlucoseUnit::MgDl}, 1125 + 371.4 * 11.5, 2000, false, 1125 + 371.4 * 11 + 185.7, std::nullopt},
    };
    for (const auto& c : cases) {
        const TipUpdate u = readingTip(*points, c.input, c.x, c.y);
        EXPECT_EQ(u.visible, c.visible) << c.x << "," << c.y;
        EXPECT_EQ(u.top, c.y + 800);
        if (c.tipLeft) {
            ASSERT_TRUE(u.tipLeft.has_value()) << c.x;
            EXPECT_NEAR(*u.tipLeft, *c.tipLeft, 1.0) << c.x;
        } else if (!c.markerLeft) {
            EXPECT_FALSE(u.tipLeft.has_value()) << c.x;
        }
        if (c.markerLeft) {
            EXPECT_NEAR(*u.markerLeft, *c.markerLeft, 1.0) << c.x;
        }
    }
    const TipUpdate shown = readingTip(*points, mg150, 1150, 2000);
    EXPECT_EQ(shown.text, QStringLiteral("2007/9/6 8:5  122mg/dL"));
    EXPECT_EQ(shown.marker, QStringLiteral(" Y"));
    EXPECT_EQ(tipText(*points, 1, 2, GlucoseUnit::MmolL), QStringLiteral("6/9/2007 8:5  6.8mmol/L"));
    EXPECT_FALSE(readingTip(*points, {150, 0, 3, GlucoseUnit::MgDl}, 1150, 2000).text.has_value());
}

TEST(ReadingTipTest, HalvesScrollingAndPointerMovesWithoutAChart) {
    const auto points = pointsOf(200);
    // The right half starts at column 76 of 150 and 13 of 25.
    const struct {
        int rows, column;
        bool rightHalf;
    } halves[] = {{150, 75, false}, {150, 76, true}, {25, 12, false}, {25, 13, true}};
    for (const auto& h : halves) {
        const ColumnGeometry g = columnGeometry(plotGeometry(GlucoseUnit::MgDl), h.rows);
        const double centre = g.ColEdge[h.column - 1] + g.StepWidth / 2;
        const TipUpdate u = readingTip(*points, {h.rows, 0, 1, GlucoseUnit::MgDl}, centre, 2000);
        EXPECT_NEAR(*u.tipLeft, h.rightHalf ? centre - 1840 : centre, 1e-6) << h.column;
    }
    // Scrolled to 40, column 1 names reading 41 with its own date and value.
    const TipUpdate scrolled = readingTip(*points, {150, 40, 1, GlucoseUnit::MgDl}, 1150, 2000);
    EXPECT_EQ(scrolled.text, tipText(*points, 41, 1, GlucoseUnit::MgDl));
    EXPECT_TRUE(scrolled.text->endsWith("140mg/dL"));
    // A position past the selection names no reading; no chart yet: nothing at all.
    EXPECT_EQ(readingTip(*points, {150, 9900, 1, GlucoseUnit::MgDl}, 1150, 2000).visible, false);
    const TipUpdate none = readingTip(*points, {0, 0, 1, GlucoseUnit::MgDl}, 1150, 2000);
    EXPECT_FALSE(none.visible || none.top || none.tipLeft);
}
