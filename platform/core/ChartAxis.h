#pragma once
// The value axis of a chart: its range, its division count, the scale it
// takes when it follows the data, and the text of its tick labels.
#include <QString>

namespace platform {

struct ValueAxis {
    double minimum = 0;
    double maximum = 100;
    int divisions = 5;

    double step() const { return (maximum - minimum) / divisions; }
    // The value of division line i (0 = minimum, divisions = maximum).
    double tickValue(int i) const;
};

// A fixed axis made usable whatever it is given: a maximum at or below the
// minimum, a division count below 1 or a value that is not a number would
// otherwise divide by zero while drawing; the divisions are at most 10000.
ValueAxis fixedValueAxis(double minimum, double maximum, int divisions);

// An axis from 0 to a round number at or above `largest`, in 4 to 10 steps
// of 1, 2 or 5 times a power of ten. Whole-number data (counts) get steps of
// at least 1. With nothing above 0 the axis still runs from 0 to 10.
ValueAxis automaticValueAxis(double largest, bool wholeNumbers);

// A tick value as a plain number: 0, 40, 600, 2.5, with no rounding noise.
QString axisLabelText(double value);

}  // namespace platform
