#include "accounts/SettingsRows.h"

#include <QRegularExpression>
#include <limits>

qint16 settingOrDefault(const QString& text, qint16 fallback) {
    static const QRegularExpression wholeNumber(QStringLiteral("^[ \\t]*[+-]?[0-9]+[ \\t]*$"));
    if (!wholeNumber.match(text).hasMatch())
        return fallback;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() ||
        value > std::numeric_limits<qint16>::max())
        return fallback;
    return static_cast<qint16>(value);
}

Module1::UserSettings settingsFromRegister(const RegisterTable& t, const QString& id) {
    Module1::UserSettings s;
    s.UserID = id;
    s.UserName = id;
    for (int r = 1; r <= t.UserCount; ++r) {
        if (t.RegID[r] != id)
            continue;
        s.ComPort = settingOrDefault(t.RegPort[r], 1);
        s.GluUnit = settingOrDefault(t.RegUnit[r], 1);
        s.TimeFormat = settingOrDefault(t.RegTime[r], 1);
        s.LimitMax = settingOrDefault(t.RegMax[r], 120);
        s.LimitMin = settingOrDefault(t.RegMin[r], 80);
        s.LimitMaxp = settingOrDefault(t.RegMaxp[r], 120);
        s.LimitMinp = settingOrDefault(t.RegMinp[r], 80);
    }
    return s;
}

void putSettingsIntoRegister(RegisterTable& t, const Module1::UserSettings& s) {
    for (int r = 1; r <= t.UserCount; ++r) {
        if (t.RegID[r] != s.UserID)
            continue;
        t.RegPort[r] = QString::number(s.ComPort);
        t.RegUnit[r] = QString::number(s.GluUnit);
        t.RegTime[r] = QString::number(s.TimeFormat);
        t.RegMax[r] = QString::number(s.LimitMax);
        t.RegMin[r] = QString::number(s.LimitMin);
        t.RegMaxp[r] = QString::number(s.LimitMaxp);
        t.RegMinp[r] = QString::number(s.LimitMinp);
    }
}
