#include "platform/core/ChartAxis.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr int kMostDivisions = 10;
constexpr int kMostFixedDivisions = 10000;  // more could not be told apart on any screen

// The smallest of 1, 2, 5 or 10 times a power of ten at or above `raw`.
double roundStepAtOrAbove(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw * (1 - 1e-12))
            return factor * power;
    }
    return 10 * power;
}
}  // namespace

double ValueAxis::tickValue(int i) const {
    const double v = minimum + i * step();
    // A tick that should be 0 may come out as a tiny remainder of the sum.
    return std::abs(v) < std::abs(step()) * 1e-9 ? 0.0 : v;
}

ValueAxis fixedValueAxis(double minimum, double maximum, int divisions) {
    ValueAxis axis;
    axis.minimum = std::isfinite(minimum) ? minimum : 0;
    axis.maximum = std::isfinite(maximum) && maximum > axis.minimum ? maximum : axis.minimum + 1;
    axis.divisions = std::clamp(divisions, 1, kMostFixedDivisions);
    const double span = axis.maximum - axis.minimum;
    if (!(span > 0) || !std::isfinite(span))  // beyond what a double can tell apart
        axis = ValueAxis{0, 1, axis.divisions};
    return axis;
}

ValueAxis automaticValueAxis(double largest, bool wholeNumbers) {
    if (!std::isfinite(largest) || largest <= 0)
        return ValueAxis{0, 10, 5};
    double step = roundStepAtOrAbove(largest / kMostDivisions);
    if (wholeNumbers && step < 1)
        step = 1;
    const int divisions = std::max(1, int(std::ceil(largest / step - 1e-9)));
    return ValueAxis{0, divisions * step, divisions};
}

QString axisLabelText(double value) {
    return QLocale::c().toString(value, 'g', 12);
}

}  // namespace platform
