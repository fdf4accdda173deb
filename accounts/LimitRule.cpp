#include "accounts/LimitRule.h"

#include <QRegularExpression>

#include "platform/core/DigitPattern.h"

namespace {

constexpr double kMgdlPerMmol = 18.0;

QString rangeText(qint16 unit) {
    return unit == kUnitMmol ? QStringLiteral("1.7mmol/L and 33.3mmol/L")
                             : QStringLiteral("30mg/dL and 600mg/dL");
}

QString upperRangeMessage(qint16 unit) {
    return QStringLiteral("Error: The normal Uper limit Setting of Glucose Value ranges between ") +
           rangeText(unit) + QStringLiteral(" !!");
}

QString lowerRangeMessage(qint16 unit) {
    return QStringLiteral("Error: The normal lower limit Setting of Glucose Value ranges between ") +
           rangeText(unit) + QStringLiteral(" !!");
}

const QString kOrderMessage = QStringLiteral(
    "Error: The lower limit Setting of Glucose Value > The Uper limit Setting of Glucose Value!!");

bool inRange(const std::optional<double>& value, qint16 unit) {
    if (!value)
        return false;
    if (unit == kUnitMmol)
        return *value >= 1.7 && *value <= 33.3;
    return *value >= 30.0 && *value <= 600.0;
}

// The three checks of one pair; empty when the pair passes.
QString pairError(const std::optional<double>& upper, const std::optional<double>& lower,
                  qint16 unit) {
    if (!inRange(upper, unit))
        return upperRangeMessage(unit);
    if (!inRange(lower, unit))
        return lowerRangeMessage(unit);
    if (*lower > *upper)
        return kOrderMessage;
    return QString();
}

}  // namespace

QString limitText(qint16 mgdl, qint16 unit) {
    if (unit == kUnitMmol)
        return platform::oneDecimal(mgdl / kMgdlPerMmol, 1);
    return QString::number(mgdl);
}

std::optional<double> parseTypedLimit(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^[ \\t]*([0-9]+\\.?[0-9]*|\\.[0-9]+)[ \\t]*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = match.captured(1).toDouble(&ok);  // C locale, whatever the system's
    return ok ? std::optional<double>(value) : std::nullopt;
}

qint16 storedLimit(double typed, qint16 unit) {
    const double mgdl = unit == kUnitMmol ? typed * kMgdlPerMmol : typed;
    return static_cast<qint16>(platform::roundHalfEven(mgdl));
}

LimitCheck checkLimits(const TypedLimits& typed, qint16 unit) {
    const auto max = parseTypedLimit(typed.max), min = parseTypedLimit(typed.min);
    const auto maxp = parseTypedLimit(typed.maxp), minp = parseTypedLimit(typed.minp);
    LimitCheck check;
    check.error = pairError(max, min, unit);
    if (check.error.isEmpty())
        check.error = pairError(maxp, minp, unit);
    if (!check.error.isEmpty())
        return check;
    check.max = storedLimit(*max, unit);
    check.min = storedLimit(*min, unit);
    check.maxp = storedLimit(*maxp, unit);
    check.minp = storedLimit(*minp, unit);
    return check;
}
