#include "platform/core/DigitPattern.h"

#include <cmath>

namespace platform {

QString zeroPadded(long long value, int minDigits) {
    const bool negative = value < 0;
    QString digits = QString::number(negative ? -value : value);
    while (digits.size() < minDigits)
        digits.prepend(QLatin1Char('0'));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString oneDecimal(double value, int minIntDigits) {
    // Round half away from zero on the tenths, as digit patterns do.
    const double scaled = std::round(std::fabs(value) * 10.0);
    const long long tenths = static_cast<long long>(scaled);
    const QString text = zeroPadded(tenths / 10, minIntDigits) + QLatin1Char('.') +
                         QString::number(tenths % 10);
    return (value < 0 && tenths != 0) ? QLatin1Char('-') + text : text;
}

long long roundHalfEven(double value) {
    return static_cast<long long>(std::nearbyint(value));  // default mode: to nearest even
}

}  // namespace platform
