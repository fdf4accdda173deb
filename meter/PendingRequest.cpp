#include "meter/PendingRequest.h"

#include <algorithm>

void PendingRequest::sent(const QByteArray& command) {
    command_ = command;
    tries_ = 1;
    waitedMs_ = 0;
    quietLeftMs_ = 0;
}

void PendingRequest::answered() {
    quietLeftMs_ = tries_ > 1 ? kQuietAfterRepeatMs : 0;
    command_.clear();
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
