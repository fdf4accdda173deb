#include "StrayBytes.h"

#include <algorithm>
#include <unistd.h>

namespace emulator {

void StrayBytes::writeDue(int fd, qint64 nowMs, bool hostListening) {
    if (everyMs_ <= 0 || nowMs < nextMs_)
        return;
    // One try only: a device that will not take the byte at once drops it,
    // rather than holding up the replies.
    if (hostListening) {
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte_, 1);
    }
    nextMs_ += ((nowMs - nextMs_) / everyMs_ + 1) * everyMs_;
}

int StrayBytes::waitMs(qint64 nowMs, int longestMs) const {
    if (everyMs_ <= 0)
        return longestMs;
    return static_cast<int>(std::clamp<qint64>(nextMs_ - nowMs, 0, longestMs));
}

}  // namespace emulator
