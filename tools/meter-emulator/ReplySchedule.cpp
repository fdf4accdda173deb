#include "ReplySchedule.h"

#include <algorithm>

namespace emulator {

std::vector<qint64> ReplySchedule::dueTimes(qint64 arrivedMs, size_t count) {
    std::vector<qint64> due;
    for (size_t i = 0; i < count; ++i)
        due.push_back(queuedDelayMs_ > 0 ? nextInQueue(arrivedMs)
                                         : arrivedMs + replyDelayMs_ + qint64(i) * kCopyGapMs);
    return due;
}

qint64 ReplySchedule::nextInQueue(qint64 arrivedMs) {
    lastDueMs_ = std::max(arrivedMs, lastDueMs_) + queuedDelayMs_;
    return lastDueMs_;
}

}  // namespace emulator
