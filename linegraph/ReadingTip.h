#pragma once
// The reading tip of a line graph: which chart column lies under the
// pointer, what the tip and its " Y" marker then show, and where they go.
// Positions are twips: X and Y of the chart, tip and marker edges of the
// window (the chart stands at the window's left edge).
#include <QString>
#include <optional>
#include <vector>

#include "linegraph/GlucoseUnit.h"
#include "linegraph/PointTable.h"

struct PlotGeometry {
    int left;   // ColEdge(0)
    int width;  // the right edge is left + width
    static constexpr int kTop = 300;
    static constexpr int kBottom = 4400;
};

inline PlotGeometry plotGeometry(GlucoseUnit unit) {
    return unit == GlucoseUnit::MmolL ? PlotGeometry{1050, 9360} : PlotGeometry{1125, 9285};
}

struct ColumnGeometry {
    double StepWidth = 0;
    std::vector<int> ColEdge;  // 0 to rows; edges rounded half to even
};
ColumnGeometry columnGeometry(const PlotGeometry& plot, int rows);

struct TipInput {
    int rowsShown = 0;
    int scrollValue = 0;  // read only when more than 150 readings are selected
    int dateOrder = 1;
    GlucoseUnit unit = GlucoseUnit::MgDl;
};

// What one pointer move does to the tip; an empty field is left as it is.
struct TipUpdate {
    std::optional<bool> visible;
    std::optional<QString> text;
    std::optional<QString> marker;
    std::optional<double> top;
    std::optional<double> tipLeft;
    std::optional<double> markerLeft;
};

// "2007/9/6 8:5  122mg/dL" (order 1) or "6/9/2007 8:5  6.8mmol/L" (order 2).
QString tipText(const PointTable& points, int k, int dateOrder, GlucoseUnit unit);

TipUpdate readingTip(const PointTable& points, const TipInput& input, double x, double y);
