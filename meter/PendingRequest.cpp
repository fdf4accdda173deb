#include "meter/PendingRequest.h"

#include <algorithm>

void PendingRequest::sent(const QByteArray& command, qint64 atMs) {
    command_ = command;
    tries_ = 1;
    waitedMs_ = 0;
    quietLeftMs_ = 0;
    sentAtMs_ = atMs;
}

// A reply after a repeat may answer any of the tries, so its time says
// nothing sure; the quiet after a repeat covers it.
void PendingRequest::answered(qint64 lastByteAtMs) {
    if (tries_ == 1)
        slowestReplyMs_ =
            static_cast<int>(std::max<qint64>(slowestReplyMs_, lastByteAtMs - sentAtMs_));
    quietLeftMs_ = tries_ > 1 ? kQuietAfterRepeatMs : 0;
    command_.clear();
}

bool PendingRequest::quietSinceReply(qint64 nowMs, qint64 lastByteAtMs) const {
    return nowMs - lastByteAtMs > slowestReplyMs_ + kQuietMarginMs;
}

PendingRequest::Step PendingRequest::waited(int ms) {
    if (!unanswered()) {
        quietLeftMs_ = std::max(0, quietLeftMs_ - ms);
        return Step::Wait;
    }
    // The poll that sends a request may count too: more than a second
    // keeps every try a whole second long.
    waitedMs_ += ms;
    if (waitedMs_ <= kRepeatAfterMs)
        return Step::Wait;
    if (tries_ == kMostTries)
        return Step::GiveUp;
    ++tries_;
    waitedMs_ = 0;
    return Step::Repeat;
}
