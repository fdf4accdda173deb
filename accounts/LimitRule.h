#pragma once
// How glucose limits are shown, typed and stored. A limit is always held as
// whole mg/dL; in mmol/L it is shown as mg/dL / 18 with one decimal, and a
// typed mmol/L value is stored as value * 18 rounded (an exact half to even).
#include <QString>
#include <optional>

constexpr qint16 kUnitMgdl = 1;
constexpr qint16 kUnitMmol = 2;

// The text of a stored limit in the unit: "120" in mg/dL, "6.7" in mmol/L.
QString limitText(qint16 mgdl, qint16 unit);

// A typed limit: digits with at most one '.', blanks around allowed, read
// the same in every locale. Nothing for any other text, an empty one too.
std::optional<double> parseTypedLimit(const QString& text);

// The whole mg/dL stored for a typed number in the unit.
qint16 storedLimit(double typed, qint16 unit);

// The four limit boxes of the settings window, as typed.
struct TypedLimits {
    QString max, min, maxp, minp;
};

// What "SAVE" makes of them: the message of the first failed check, or the
// four limits to store.
struct LimitCheck {
    QString error;  // empty when all checks pass
    qint16 max = 0, min = 0, maxp = 0, minp = 0;
};

// Checks, in order: upper in range, lower in range, lower not above upper,
// then the same three for the post-meal pair. Ranges are inclusive: 30 to
// 600 mg/dL, 1.7 to 33.3 mmol/L. A box that holds no number is out of range.
// `unit` is kUnitMgdl or kUnitMmol.
LimitCheck checkLimits(const TypedLimits& typed, qint16 unit);
