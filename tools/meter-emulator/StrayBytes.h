#pragma once
// Noise on the line: one stray byte every so many milliseconds from the
// start of the session, whatever the host sends. The session writes strays
// and replies from one thread, so a stray never lands inside a reply.
#include <QtGlobal>

namespace emulator {

class StrayBytes {
public:
    // everyMs 0: no strays.
    StrayBytes(int everyMs, char byte) : everyMs_(everyMs), byte_(byte), nextMs_(everyMs) {}

    // Writes the stray byte when one is due and a host holds the line open;
    // strays missed meanwhile are dropped, not sent in a burst.
    void writeDue(int fd, qint64 nowMs, bool hostListening);

    // How long the session may wait before the next stray, at most longestMs.
    int waitMs(qint64 nowMs, int longestMs) const;

private:
    int everyMs_;
    char byte_;
    qint64 nextMs_;
};

}  // namespace emulator
