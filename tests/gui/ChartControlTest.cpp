#include <QCoreApplication>
#include <QMouseEvent>
#include <cmath>

#include "platform/ChartControl.h"
#include "tests/support/GuiTest.h"
#include "tests/support/ShownTexts.h"

using platform::ChartControl;
using platform::ChartTable;

namespace {
const QColor kRed(255, 0, 0), kPurple(128, 0, 128), kWhite(Qt::white);

// One series per list; NaN leaves the empty text (no point).
ChartTable table(const QList<QList<double>>& series) {
    ChartTable t(int(series[0].size()), int(series.size()) + 1);
    for (int r = 1; r <= t.rowCount(); ++r) {
        t.cell(r, 1) = QStringLiteral("o");
        for (int s = 0; s < series.size(); ++s) {
            const double v = series[s][r - 1];
            t.cell(r, s + 2) = std::isnan(v) ? QVariant(QString()) : QVariant(QString::number(v));
        }
    }
    return t;
}

struct Chart {
    ChartControl c;
    QImage image;
    Chart(const ChartTable& t, bool plotArea, ChartControl::Kind kind = ChartControl::Kind::Line) {
        c.resize(713, 361);  // the line graphs' control, 10695 x 5415 twips
        if (plotArea)
            c.setPlotAreaTwips(1125, 300, 10410, 4400);
        c.setKind(kind);
        c.setRowLabelsShown(kind == ChartControl::Kind::Bar);
        c.setValueAxis(0, 600, 15);
        c.setSeriesColors({kRed, kPurple});
        c.setChartData(t);
        image = c.grab().toImage();
    }
    QColor at(double x, double v) const { return image.pixel(int(x), int(c.valueYPixels(v))); }
    QColor atRow(int row, double value) const { return at(c.columnCentrePixels(row), value); }
};
}  // namespace

class ChartControlTest : public GuiTest {};

TEST_F(ChartControlTest, ValueAxisIsFixedOrCoversTheLargestPointInRoundSteps) {
    // NaN: a table whose cells are all empty. Whole numbers take whole steps (3).
    const struct { double largest; double maximum; int divisions; } cases[] = {
        {0, 10, 5}, {3, 3, 3}, {40, 40, 8}, {123, 140, 7}, {599, 600, 6}, {601, 700, 7},
        {6.8, 7, 7}, {0.4, 0.4, 8}, {1e7, 1e7, 10}, {NAN, 10, 5}};
    ChartControl c;
    for (const auto& k : cases) {
        c.setChartData(table({{k.largest, NAN}}));
        EXPECT_DOUBLE_EQ(c.axisMaximum(), k.maximum) << k.largest;
        EXPECT_EQ(c.axisDivisions(), k.divisions) << k.largest;
    }
    // A fixed axis, usable even when given nonsense: no division by zero.
    const struct { double min, max; int divisions; double shownMin, shownMax; int shown; } fixed[] =
        {{0, 35, 7, 0, 35, 7}, {0, 0, 0, 0, 1, 1}, {NAN, 600, 15, 0, 600, 15},
         {-1e308, 1e308, 3, 0, 1, 3}};
    for (const auto& f : fixed) {
        c.setValueAxis(f.min, f.max, f.divisions);
        EXPECT_EQ(std::make_tuple(c.axisMinimum(), c.axisMaximum(), c.axisDivisions()),
                  std::make_tuple(f.shownMin, f.shownMax, f.shown));
    }
    c.setValueAxisAutomatic();
    c.setChartData(ChartTable());
    EXPECT_EQ(c.axisMaximum(), 10);
}

TEST_F(ChartControlTest, LinesBreakAtMissingRowsAndLimitsSpanThePlot) {
    const ChartTable t = table({{300, 300, 300, NAN, 300, NAN, 200, NAN, NAN, NAN},
                                {500, 500, 500, 500, 500, 500, 500, 500, 500, 500}});
    for (bool plotArea : {true, false}) {
        const Chart chart(t, plotArea);
        EXPECT_EQ(chart.atRow(2, 300), kRed);    // point of a line
        EXPECT_EQ(chart.atRow(4, 300), kWhite);  // no point: no segment across it
        EXPECT_EQ(chart.atRow(7, 200), kRed);    // a lone point
        EXPECT_EQ(chart.at(chart.c.columnCentrePixels(1) - 4, 500), kPurple);  // left of row 1
    }
    // The points lie over the reading tip's columns: 1125 + 9285 / 20 twips.
    Chart fixed(t, true);
    EXPECT_DOUBLE_EQ(fixed.c.columnCentrePixels(1), 1589.25 / 15);
    fixed.c.setValueAxis(50, 150, 4);
    EXPECT_DOUBLE_EQ(fixed.c.valueYPixels(50), 4400 / 15.0);
    EXPECT_DOUBLE_EQ(fixed.c.valueYPixels(150), 20);
}

// Values beyond the axis stand on its frame; what lies on the frame (a point
// at the axis's ends, a limit equal to its maximum) shows whole.
TEST_F(ChartControlTest, SeriesStayInsideThePlotAndShowWholeOnItsFrame) {
    for (double offAxis : {5000.0, -700.0, 1e300}) {
        const Chart chart(table({{300, offAxis, offAxis, 300}}), true);
        const QRectF reach = chart.c.seriesAreaPixels();
        int inside = 0, outside = 0;
        for (int y = 0; y < chart.image.height(); ++y)
            for (int x = 0; x < chart.image.width(); ++x)
                if (qRed(chart.image.pixel(x, y)) - qGreen(chart.image.pixel(x, y)) > 60)  // red, or blended
                    ++(reach.contains(x, y) ? inside : outside);
        EXPECT_GT(inside, 20) << offAxis;
        EXPECT_EQ(outside, 0) << offAxis;
    }
    const Chart chart(table({{0, NAN, 600}, {600, 600, 600}}), true);
    const QRect plot(75, 20, 694 - 75, 294 - 20);  // 1125, 300 to 10410, 4400 twips
    const double first = chart.c.columnCentrePixels(1), last = chart.c.columnCentrePixels(3);
    EXPECT_GT(pixelsOfColour(chart.image, QRect(int(first) - 2, plot.bottom() + 1, 5, 3), kRed), 0);
    EXPECT_GT(pixelsOfColour(chart.image, QRect(int(last) - 2, plot.top() - 3, 5, 3), kRed), 0);
    EXPECT_GT(pixelsOfColour(chart.image, QRect(plot.left() + 5, plot.top() - 1, 40, 1), kPurple), 30);
}

TEST_F(ChartControlTest, BarsFillMostOfTheirColumnsUpToTheirValues) {
    const Chart chart(table({{300, 0, 450}}), false, ChartControl::Kind::Bar);
    EXPECT_EQ(chart.atRow(1, 290), kRed);
    EXPECT_EQ(chart.atRow(1, 310), kWhite);
    EXPECT_EQ(chart.atRow(2, 10), kWhite);
    EXPECT_EQ(chart.atRow(3, 430), kRed);
    const double columnWidth = chart.c.columnCentrePixels(3) - chart.c.columnCentrePixels(2);
    const double nearEdge = chart.c.columnCentrePixels(3) + columnWidth * 0.45;
    EXPECT_EQ(chart.at(nearEdge, 290), kWhite);  // a gap between bars
}

TEST_F(ChartControlTest, PointerMovesReportButtonsShiftAndTwips) {
    const struct { QPointF at; Qt::MouseButtons down; Qt::KeyboardModifiers keys; int button, shift; }
        cases[] = {
        {{10, 20}, Qt::NoButton, Qt::NoModifier, 0, 0},
        {{0.5, 293}, Qt::LeftButton, Qt::ShiftModifier | Qt::KeypadModifier, 1, 1},
        {{700, 1}, Qt::RightButton | Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier, 6, 6},
    };
    ChartControl c;
    QList<std::tuple<int, int, float, float>> seen;
    QObject::connect(&c, &ChartControl::MouseMove,
                     [&](qint16 b, qint16 s, float x, float y) { seen.append({b, s, x, y}); });
    for (const auto& k : cases) {
        QMouseEvent move(QEvent::MouseMove, k.at, k.at, Qt::NoButton, k.down, k.keys);
        QCoreApplication::sendEvent(&c, &move);
        ASSERT_EQ(seen.size(), 1);
        const float x = k.at.x() * 15, y = k.at.y() * 15;
        EXPECT_EQ(seen.takeFirst(), std::make_tuple(k.button, k.shift, x, y));
    }
}
