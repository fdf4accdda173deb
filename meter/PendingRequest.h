#pragma once
// The request a download waits on. A reply names no request, so only one
// request is ever unanswered: it is repeated after a second without its
// reply and given up after five tries. Once a repeated request is answered,
// replies to its earlier tries may still come; the next request then waits
// until the link has stayed quiet longer than the spacing of the tries.
// The same quiet time holds the next command while a meter that works
// through a queue is still answering the commands of an earlier phase.
#include <QByteArray>

class PendingRequest {
public:
    static constexpr int kRepeatAfterMs = 1000;
    static constexpr int kMostTries = 5;
    static constexpr int kQuietAfterRepeatMs = 1500;

    enum class Step { Wait, Repeat, GiveUp };

    void clear() { *this = PendingRequest(); }
    void sent(const QByteArray& command);
    void answered();
    // Stale bytes came (copies of the reply just taken, replies to an earlier
    // phase) or may still come: the next command waits for the quiet time.
    void waitForQuiet(int ms = kQuietAfterRepeatMs) { quietLeftMs_ = ms; }
    // Time has passed without the reply (or, settling, without a copy).
    Step waited(int ms);

    bool unanswered() const { return !command_.isEmpty(); }
    bool settling() const { return !unanswered() && quietLeftMs_ > 0; }
    bool busy() const { return unanswered() || settling(); }
    const QByteArray& command() const { return command_; }
    // Since the last try went out, as the polls counted it.
    int waitedMs() const { return waitedMs_; }

private:
    QByteArray command_;
    int tries_ = 0;
    int waitedMs_ = 0;
    int quietLeftMs_ = 0;
};
