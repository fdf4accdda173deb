#include "linegraph/GlucoseUnit.h"

#include "platform/core/DigitPattern.h"

QString glucoseText(int mgdl, GlucoseUnit unit) {
    if (unit == GlucoseUnit::MmolL)
        return platform::oneDecimal(mgdl / kMgDlPerMmolL, 1);
    return QString::number(mgdl);
}

QString unitText(GlucoseUnit unit) {
    return unit == GlucoseUnit::MmolL ? QStringLiteral("mmol/L") : QStringLiteral("mg/dL");
}

QVariant readingCell(int mgdl, GlucoseUnit unit) {
    if (unit == GlucoseUnit::MmolL)
        return glucoseText(mgdl, unit);
    return QVariant::fromValue<qint16>(static_cast<qint16>(mgdl));
}

QVariant limitCell(int mgdl, GlucoseUnit unit) {
    if (unit == GlucoseUnit::MmolL)
        return mgdl / kMgDlPerMmolL;
    return QVariant::fromValue<qint16>(static_cast<qint16>(mgdl));
}
