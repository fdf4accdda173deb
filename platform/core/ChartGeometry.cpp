#include "platform/core/ChartGeometry.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
// Far beyond the plot yet finite, so a huge value still gives a steep but
// well-defined segment to cut.
constexpr double kFarOutside = 1e6;

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
    return plot.bottom() - std::clamp(share, -kFarOutside, kFarOutside) * plot.height();
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

bool clipToBand(QLineF& s, double top, double bottom) {
    QPointF a = s.p1(), b = s.p2();
    if ((a.y() < top && b.y() < top) || (a.y() > bottom && b.y() > bottom))
        return false;
    auto cut = [](QPointF& p, const QPointF& other, double y) {
        const double t = (y - p.y()) / (other.y() - p.y());
        p = QPointF(p.x() + t * (other.x() - p.x()), y);
    };
    for (QPointF* p : {&a, &b}) {
        const QPointF& other = p == &a ? b : a;
        if (p->y() < top)
            cut(*p, other, top);
        else if (p->y() > bottom)
            cut(*p, other, bottom);
    }
    s = QLineF(a, b);
    return true;
}

void buildLineShapes(const ChartGeometry& g, const double* values, LineShapes& out) {
    out.clear();
    const double top = g.plot.top(), bottom = g.plot.bottom();
    if (constantOverAllRows(values, g.rows)) {
        const double y = g.valueY(values[0]);
        if (y >= top && y <= bottom)
            out.segments.append(QLineF(g.plot.left(), y, g.plot.right(), y));
        return;
    }
    for (int i = 0; i < g.rows; ++i) {
        if (!hasPoint(values, g.rows, i))
            continue;
        const QPointF here(g.columnCentre(i + 1), g.valueY(values[i]));
        if (hasPoint(values, g.rows, i + 1)) {
            QLineF s(here, QPointF(g.columnCentre(i + 2), g.valueY(values[i + 1])));
            if (clipToBand(s, top, bottom))
                out.segments.append(s);
        } else if (!hasPoint(values, g.rows, i - 1) && here.y() >= top && here.y() <= bottom) {
            out.dots.append(here);
        }
    }
}

}  // namespace platform
