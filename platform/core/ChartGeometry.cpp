#include "platform/core/ChartGeometry.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

bool constantOverAllRows(const double* values, int rows) {
    for (int i = 0; i < rows; ++i)
        if (std::isnan(values[i]) || values[i] != values[0])
            return false;
    return rows > 0;
}

bool hasPoint(const double* values, int rows, int index) {
    return index >= 0 && index < rows && !std::isnan(values[index]);
}
}  // namespace

double ChartGeometry::columnCentre(int row) const {
    return plot.left() + (row - 0.5) * plot.width() / rows;
}

double ChartGeometry::valueY(double value) const {
    const double share = (value - axis.minimum) / (axis.maximum - axis.minimum);
    return plot.bottom() - std::clamp(share, 0.0, 1.0) * plot.height();
}

QRectF ChartGeometry::barRect(int row, int series, int seriesCount, double value) const {
    const double group = columnWidth() * 0.7;
    const double width = group / std::max(1, seriesCount);
    const double left = plot.left() + (row - 1) * columnWidth() + (columnWidth() - group) / 2 +
                        (series - 1) * width;
    const double base = valueY(std::clamp(0.0, axis.minimum, axis.maximum));
    const QRectF bar(QPointF(left, valueY(value)), QPointF(left + width, base));
    return bar.normalized().intersected(plot);
}

void buildLineShapes(const ChartGeometry& g, const double* values, LineShapes& out) {
    out.clear();
    if (constantOverAllRows(values, g.rows)) {
        const double y = g.valueY(values[0]);
        out.segments.append(QLineF(g.plot.left(), y, g.plot.right(), y));
        return;
    }
    for (int i = 0; i < g.rows; ++i) {
        if (!hasPoint(values, g.rows, i))
            continue;
        const QPointF here(g.columnCentre(i + 1), g.valueY(values[i]));
        if (hasPoint(values, g.rows, i + 1))
            out.segments.append(QLineF(here, QPointF(g.columnCentre(i + 2), g.valueY(values[i + 1]))));
        else if (!hasPoint(values, g.rows, i - 1))
            out.dots.append(here);
    }
}

}  // namespace platform
