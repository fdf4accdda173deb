#pragma once
// The request a download waits on. A reply names no request, so only one
// request is ever unanswered: it is repeated after a second without its
// reply and given up after five tries. Once a repeated request is answered,
// replies to its earlier tries may still come; the next request then waits
// until the link has stayed quiet longer than the spacing of the tries.
// The same quiet time holds the next command while a meter that works
// through a queue is still answering the commands of an earlier phase.
//
// Bytes taken as a reply may also be a copy of an earlier reply that came
// after the request; the real reply then follows them. So a reply is the
// answer only once the line has stayed quiet after it for longer than the
// slowest reply of the download: the next command waits for that.
#include <QByteArray>

class PendingRequest {
public:
    static constexpr int kRepeatAfterMs = 1000;
    static constexpr int kMostTries = 5;
    static constexpr int kQuietAfterRepeatMs = 1500;
    // Beyond the slowest reply: a meter a little slower than before, and
    // the event loop noting a byte's arrival late.
    static constexpr int kQuietMarginMs = 20;

    enum class Step { Wait, Repeat, GiveUp };

    void clear() { *this = PendingRequest(); }
    // `command` went out at `atMs` on the link's clock.
    void sent(const QByteArray& command, qint64 atMs);
    // Its reply is whole, the last of its bytes having come at `lastByteAtMs`.
    void answered(qint64 lastByteAtMs);
    // Stale bytes came (copies of the reply just taken, replies to an earlier
    // phase) or may still come: the next command waits for the quiet time.
    void waitForQuiet(int ms = kQuietAfterRepeatMs) { quietLeftMs_ = ms; }
    // Time has passed without the reply (or, settling, without a copy).
    Step waited(int ms);

    bool unanswered() const { return !command_.isEmpty(); }
    bool settling() const { return !unanswered() && quietLeftMs_ > 0; }
    bool busy() const { return unanswered() || settling(); }
    // Whether, at `nowMs`, the line has been quiet since its last byte at
    // `lastByteAtMs` for longer than any reply of this download took.
    bool quietSinceReply(qint64 nowMs, qint64 lastByteAtMs) const;
    const QByteArray& command() const { return command_; }
    // From a command to the last byte of its reply, of the requests answered
    // at their first try.
    int slowestReplyMs() const { return slowestReplyMs_; }

private:
    QByteArray command_;
    int tries_ = 0;
    int waitedMs_ = 0;
    int quietLeftMs_ = 0;
    qint64 sentAtMs_ = 0;
    int slowestReplyMs_ = 0;
};
