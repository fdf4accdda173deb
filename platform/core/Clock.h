#pragma once
// The system clock, with a way for tests to fix "now".
#include <QDateTime>
#include <functional>

namespace platform {

QDateTime now();

// Replaces the clock (tests). An empty function restores the system clock.
void setClock(std::function<QDateTime()> clock);

// Milliseconds on a clock that only moves forward, whatever the calendar
// does: for timing the serial line.
qint64 steadyMs();

}  // namespace platform
