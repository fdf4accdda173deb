#pragma once
// Where a chart's rows and values fall in its plot rectangle, and the shapes
// of a line series there: segments between neighbouring points and dots for
// points that have no neighbour. A value beyond the axis stands on the frame
// nearest to it (a reading above a fixed axis, a negative one from an edited
// file), so the line is seen to reach it; the table keeps the true value.
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QVector>

#include "platform/core/ChartAxis.h"

namespace platform {

struct ChartGeometry {
    QRectF plot;  // in pixels
    int rows = 1;
    ValueAxis axis;

    double columnWidth() const { return plot.width() / rows; }
    // Row j of R (from 1) is the column from left + (j - 1) w / R to
    // left + j w / R; a line point stands at its centre.
    double columnCentre(int row) const;
    // The height of a value, on the top or bottom frame when it lies beyond.
    double valueY(double value) const;
    // Bar of `series` (from 1) of `seriesCount` in `row`, from the axis's
    // zero (or its nearer end) to the value, cut to the plot.
    QRectF barRect(int row, int series, int seriesCount, double value) const;
};

struct LineShapes {
    QVector<QLineF> segments;
    QVector<QPointF> dots;
    void clear() {
        segments.clear();
        dots.clear();
    }
};

// The shapes of one series, `values[0 .. rows-1]` for rows 1 .. R, with NaN
// where a row has no point. A series with the same value in every row (a
// limit) is one line across the whole plot. `out` is cleared and refilled,
// so a caller that keeps it allocates only once.
void buildLineShapes(const ChartGeometry& g, const double* values, LineShapes& out);

}  // namespace platform
