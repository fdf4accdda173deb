#pragma once
// The system clock, with a way for tests to fix "now".
#include <QDateTime>
#include <functional>

namespace platform {

QDateTime now();

// Replaces the clock (tests). An empty function restores the system clock.
void setClock(std::function<QDateTime()> clock);

}  // namespace platform
