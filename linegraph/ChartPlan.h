#pragma once
// What a line graph draws for its point table: how many rows the chart
// has, which readings fill them, the chart table with the two limit lines,
// and the 26 date labels under the plot.
#include <QStringList>

#include "linegraph/GlucoseUnit.h"
#include "linegraph/PointTable.h"
#include "platform/core/ChartTable.h"

constexpr int kWindowRows = 150;  // rows of the widest chart and of the scrolled window
constexpr int kDateLabels = 26;

struct ChartSettings {
    GlucoseUnit unit = GlucoseUnit::MgDl;
    int limitMax = 0;  // whole mg/dL
    int limitMin = 0;
    int dateOrder = 1;  // 1 month/day, 2 day/month, anything else: labels untouched
};

struct ChartDrawing {
    int rows = 0;          // 0: no reading, nothing is drawn
    int windowStart = -1;  // >= 0: more than 150 readings, row r shows reading windowStart + r
    platform::ChartTable table;
};

// The chart of the selection: 25, 50 ... 150 rows, or the newest 150
// readings of a larger selection.
ChartDrawing planChart(const PointTable& points, const ChartSettings& settings);

// 150 rows showing readings start + 1 to start + 150. A row past the
// selection stays empty, whatever start is.
platform::ChartTable windowTable(const PointTable& points, int start, const ChartSettings& settings);

// 150 rows of the two limit lines and no reading.
platform::ChartTable emptyTable(const ChartSettings& settings);

// Short charts leave room for the date labels higher up.
inline bool chartMovesFootStrip(int rows) {
    return rows > 0 && rows <= 75;
}

// The point index each date label names for a chart of `rows` rows whose
// row r shows reading start + r.
int dateLabelIndex(int label, int rows, int start);

// "month/day" (order 1) or "day/month" (order 2), without leading zeros.
QString dateLabelText(int month, int day, int dateOrder);

// Writes the 26 label texts for that chart when the date order is 1 or 2,
// then empties every label reading exactly "0/0" (rows without a date).
void writeDateLabels(QStringList& labels, const PointTable& points, int rows, int start,
                     int dateOrder);
void clearEmptyDateLabels(QStringList& labels);
