#include "platform/core/Clock.h"

#include <chrono>

namespace platform {

namespace {
std::function<QDateTime()>& clockFunction() {
    static std::function<QDateTime()> fn;
    return fn;
}
}  // namespace

QDateTime now() {
    const auto& fn = clockFunction();
    return fn ? fn() : QDateTime::currentDateTime();
}

void setClock(std::function<QDateTime()> clock) {
    clockFunction() = std::move(clock);
}

qint64 steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace platform
