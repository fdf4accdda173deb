#include "ReplySchedule.h"

#include <algorithm>

namespace emulator {

std::vector<qint64> ReplySchedule::dueTimes(qint64 arrivedMs, const std::vector<bool>& isCopy) {
    std::vector<qint64> due;
    qint64 place = 0;  // among the replies to this read that are not set apart
    for (bool copy : isCopy) {
        if (copy && copyGapMs_ && !due.empty()) {
            due.push_back(due.back() + *copyGapMs_);
            continue;
        }
        due.push_back(queuedDelayMs_ > 0 ? nextInQueue(arrivedMs)
                                         : arrivedMs + replyDelayMs_ + place * kCopyGapMs);
        ++place;
    }
    return due;
}

qint64 ReplySchedule::nextInQueue(qint64 arrivedMs) {
    lastDueMs_ = std::max(arrivedMs, lastDueMs_) + queuedDelayMs_;
    return lastDueMs_;
}

}  // namespace emulator
