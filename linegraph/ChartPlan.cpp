#include "linegraph/ChartPlan.h"

namespace {

int rowsFor(int pointCount) {
    if (pointCount < 1)
        return 0;
    if (pointCount > kWindowRows)
        return kWindowRows;
    return (pointCount + 24) / 25 * 25;
}

// R rows of ("o", no reading, upper limit, lower limit), then the readings
// start + 1 to start + filled in rows 1 to filled, skipping any that lie
// past the selection.
platform::ChartTable tableOf(const PointTable& points, int rows, int start, int filled,
                             const ChartSettings& settings) {
    platform::ChartTable table(rows, 4);
    const QVariant upper = limitCell(settings.limitMax, settings.unit);
    const QVariant lower = limitCell(settings.limitMin, settings.unit);
    for (int r = 1; r <= rows; ++r) {
        table.cell(r, 1) = QStringLiteral("o");
        table.cell(r, 2) = QString();
        table.cell(r, 3) = upper;
        table.cell(r, 4) = lower;
    }
    for (int r = 1; r <= filled && r <= rows; ++r) {
        const int k = start + r;
        if (points.holds(k))
            table.cell(r, 2) = readingCell(points.PtValue[k], settings.unit);
    }
    return table;
}

}  // namespace

ChartDrawing planChart(const PointTable& points, const ChartSettings& settings) {
    ChartDrawing drawing;
    drawing.rows = rowsFor(points.PointCount);
    if (drawing.rows == 0)
        return drawing;
    if (points.PointCount > kWindowRows) {
        drawing.windowStart = points.PointCount - kWindowRows;
        drawing.table = windowTable(points, drawing.windowStart, settings);
    } else {
        drawing.table = tableOf(points, drawing.rows, 0, points.PointCount, settings);
    }
    return drawing;
}

platform::ChartTable windowTable(const PointTable& points, int start, const ChartSettings& settings) {
    return tableOf(points, kWindowRows, start, kWindowRows, settings);
}

platform::ChartTable emptyTable(const ChartSettings& settings) {
    return tableOf(PointTable(), kWindowRows, 0, 0, settings);
}

int dateLabelIndex(int label, int rows, int start) {
    if (label == 1)
        return start + 1;
    if (rows == 25)
        return start + label;  // label 26 lies past the last row
    return start + rows / 25 * (label - 1);
}

QString dateLabelText(int month, int day, int dateOrder) {
    if (dateOrder == 2)
        return QStringLiteral("%1/%2").arg(day).arg(month);
    return QStringLiteral("%1/%2").arg(month).arg(day);
}

void writeDateLabels(QStringList& labels, const PointTable& points, int rows, int start,
                     int dateOrder) {
    if (dateOrder == 1 || dateOrder == 2) {
        for (int label = 1; label <= kDateLabels && label <= labels.size(); ++label) {
            const int k = dateLabelIndex(label, rows, start);
            const bool reading = points.holds(k);
            labels[label - 1] = dateLabelText(reading ? points.PtMonth[k] : 0,
                                              reading ? points.PtDay[k] : 0, dateOrder);
        }
    }
    clearEmptyDateLabels(labels);
}

void clearEmptyDateLabels(QStringList& labels) {
    for (QString& text : labels) {
        if (text == QLatin1String("0/0"))
            text.clear();
    }
}
