#pragma once
// When the meter's replies are due. With a reply delay the meter answers
// every command that long after it came, however many are under way, and
// the replies to one read of the host's bytes follow kCopyGapMs apart. A
// queued meter handles one command at a time: each reply is due the queued
// delay after its command came or after the reply before it went out,
// whichever is later, so commands sent faster than that wait their turn.
// The copy of a reply given twice is scheduled like any other reply, unless
// a copy gap is given: then it is due that long after its reply and takes
// no place among the others.
#include <QtGlobal>
#include <optional>
#include <vector>

namespace emulator {

// Between two replies to one read: more than the host's 20 ms poll, so that
// each arrives as a reply of its own.
constexpr int kCopyGapMs = 30;

class ReplySchedule {
public:
    // At most one of the two delays is above 0.
    ReplySchedule(int replyDelayMs, int queuedDelayMs, std::optional<int> copyGapMs = {})
        : replyDelayMs_(replyDelayMs), queuedDelayMs_(queuedDelayMs), copyGapMs_(copyGapMs) {}

    // The due times of the replies to bytes that came at `arrivedMs`, one
    // flag a reply: true for the copy of the reply before it.
    std::vector<qint64> dueTimes(qint64 arrivedMs, const std::vector<bool>& isCopy);

private:
    qint64 nextInQueue(qint64 arrivedMs);

    int replyDelayMs_;
    int queuedDelayMs_;
    std::optional<int> copyGapMs_;
    qint64 lastDueMs_ = 0;
};

}  // namespace emulator
