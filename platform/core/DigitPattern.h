#pragma once
// Numbers written the way the program's files and windows write them:
// a minimum count of digits (zeros in front), and one decimal rounded, always
// with a decimal point whatever the locale.
#include <QString>

namespace platform {

// "0000" style: at least minDigits digits; more digits are written in full.
QString zeroPadded(long long value, int minDigits);

// "#00.0" / "#0.0" / "###0.0" style: rounded to one decimal, at least
// minIntDigits digits before the point, always a '.' as separator.
QString oneDecimal(double value, int minIntDigits);

// Banker's rounding to a whole number: an exact half goes to the even number.
long long roundHalfEven(double value);

}  // namespace platform
