#include "platform/core/Clock.h"

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

}  // namespace platform
