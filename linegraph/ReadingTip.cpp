#include "linegraph/ReadingTip.h"

#include "platform/core/DigitPattern.h"

namespace {

constexpr double kTipTopOffset = 800;
constexpr double kRightHalfOffset = 1840;
constexpr double kMarkerOffset = 75;

// The reading drawn in column j: the scrolled window starts after the
// scroll bar's value once more than 150 readings are selected.
int readingInColumn(const PointTable& points, const TipInput& input, int j) {
    return points.PointCount > 150 ? input.scrollValue + j : j;
}

void showColumn(const PointTable& points, const TipInput& input, int j, TipUpdate& update) {
    const int k = readingInColumn(points, input, j);
    if (!points.holds(k) || points.PtMonth[k] == 0) {
        update.visible = false;
        update.marker = QString();
        return;
    }
    update.visible = true;
    update.marker = QStringLiteral(" Y");
    if (input.dateOrder == 1 || input.dateOrder == 2)
        update.text = tipText(points, k, input.dateOrder, input.unit);
}

void placeTip(const ColumnGeometry& g, int rows, double x, TipUpdate& update) {
    const int left = g.ColEdge.front();
    const int right = g.ColEdge.back();
    if (x < left) {
        update.tipLeft = left;
        update.markerLeft = left - kMarkerOffset;
        return;
    }
    if (x > right) {
        update.tipLeft = right - kRightHalfOffset;
        update.markerLeft = right - kMarkerOffset;
        return;
    }
    for (int c = 1; c <= rows; ++c) {
        if (g.ColEdge[c - 1] <= x && x < g.ColEdge[c]) {
            const double centre = g.ColEdge[c - 1] + g.StepWidth / 2;
            update.tipLeft = c <= rows / 2 ? centre : centre - kRightHalfOffset;
            update.markerLeft = centre - kMarkerOffset;
            return;
        }
    }
    // Exactly on the right edge: both stay where they were.
}

}  // namespace

ColumnGeometry columnGeometry(const PlotGeometry& plot, int rows) {
    ColumnGeometry g;
    g.StepWidth = static_cast<double>(plot.width) / rows;
    g.ColEdge.resize(rows + 1);
    g.ColEdge[0] = plot.left;
    for (int k = 1; k <= rows; ++k)
        g.ColEdge[k] = static_cast<int>(platform::roundHalfEven(k * g.StepWidth + plot.left));
    return g;
}

QString tipText(const PointTable& points, int k, int dateOrder, GlucoseUnit unit) {
    const int y = points.PtYear[k], m = points.PtMonth[k], d = points.PtDay[k];
    const QString date = dateOrder == 2 ? QStringLiteral("%1/%2/%3").arg(d).arg(m).arg(y)
                                        : QStringLiteral("%1/%2/%3").arg(y).arg(m).arg(d);
    return date + QStringLiteral(" %1:%2  ").arg(points.PtHour[k]).arg(points.PtMinute[k]) +
           glucoseText(points.PtValue[k], unit) + unitText(unit);
}

TipUpdate readingTip(const PointTable& points, const TipInput& input, double x, double y) {
    TipUpdate update;
    const int rows = input.rowsShown;
    if (rows < 1 || rows > 1000)
        return update;  // no chart drawn yet: no columns to point at
    const ColumnGeometry g = columnGeometry(plotGeometry(input.unit), rows);
    const bool inPlot = g.ColEdge.front() <= x && x <= g.ColEdge.back() &&
                        PlotGeometry::kTop <= y && y <= PlotGeometry::kBottom;
    if (!inPlot) {
        update.visible = false;
        update.marker = QString();
    }
    const bool insideBand = PlotGeometry::kTop < y && y < PlotGeometry::kBottom;
    for (int j = 1; j <= rows && insideBand; ++j) {
        if (g.ColEdge[j - 1] <= x && x <= g.ColEdge[j])
            showColumn(points, input, j, update);
    }
    update.top = y + kTipTopOffset;
    placeTip(g, rows, x, update);
    return update;
}
