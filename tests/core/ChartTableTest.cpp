#include <gtest/gtest.h>
#include <limits>

#include "platform/core/ChartTable.h"

using platform::chartPointValue;

TEST(ChartTableTest, CellsReadAsPointsOrNone) {
    const std::optional<double> none;
    const struct { QVariant cell; std::optional<double> value; } cases[] = {
        {123, 123.0}, {5.25, 5.25}, {QStringLiteral("5.6"), 5.6}, {QStringLiteral(" 6.8 "), 6.8},
        {QStringLiteral("123.00"), 123.0}, {QStringLiteral("0.0"), 0.0}, {QString(), none},
        {QStringLiteral("abc"), none}, {QStringLiteral("5,6"), none}, {QStringLiteral("inf"), none},
        {std::numeric_limits<double>::quiet_NaN(), none}, {QVariant(), none}, {true, none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chartPointValue(c.cell), c.value) << c.cell.toString().toStdString();
}
