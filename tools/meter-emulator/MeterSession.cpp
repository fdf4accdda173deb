#include "MeterSession.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cerrno>
#include <map>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "ReplySchedule.h"
#include "ReplyWriter.h"
#include "StrayBytes.h"

namespace emulator {

namespace {
constexpr int kPollMs = 10;
// While no host holds the slave side open, the master reports a hang-up at
// once; waiting a little keeps the loop from spinning.
constexpr int kNoHostPauseMs = 20;
// After the sleep acknowledgement the pty stays up a while, so the host's
// 20 ms poll takes the reply before the device goes away; a slow meter
// stays longer, as the host waits for the line to stay quiet after the
// acknowledgement for longer than the slowest reply.
constexpr int kLingerMs = 300;

int lingerMs(const EmulatorOptions& o) {
    return kLingerMs + 2 * std::max(o.replyDelayMs, o.queuedDelayMs) + 3 * o.byteGapUs / 1000;
}

enum class Input { Bytes, Nothing, NoHost };

Input readHost(int fd, int waitMs, QByteArray& bytes) {
    bytes.clear();
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, waitMs) <= 0)
        return Input::Nothing;
    char buf[512];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
        bytes = QByteArray(buf, static_cast<int>(n));
        return Input::Bytes;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return Input::Nothing;
    return Input::NoHost;
}

// Replies wait here until the time their schedule gives them.
class ReplyQueue {
public:
    explicit ReplyQueue(const EmulatorOptions& o)
        : schedule_(o.replyDelayMs, o.queuedDelayMs, o.copyGapMs) {}
    bool empty() const { return queue_.empty(); }
    void add(qint64 arrivedMs, const std::vector<QByteArray>& replies,
             const std::vector<bool>& isCopy) {
        const std::vector<qint64> due = schedule_.dueTimes(arrivedMs, isCopy);
        for (size_t i = 0; i < replies.size(); ++i)
            queue_.emplace(due[i], replies[i]);
    }
    void writeDue(int fd, qint64 nowMs, const EmulatorOptions& o) {
        while (!queue_.empty() && queue_.begin()->first <= nowMs) {
            writeReply(fd, queue_.begin()->second, o.splitReplies, o.byteGapUs);
            queue_.erase(queue_.begin());
        }
    }
    // How long the session may wait for the host before a reply is due.
    int waitMs(qint64 nowMs) const {
        if (queue_.empty())
            return kPollMs;
        return static_cast<int>(std::clamp<qint64>(queue_.begin()->first - nowMs, 0, kPollMs));
    }

private:
    ReplySchedule schedule_;
    std::multimap<qint64, QByteArray> queue_;
};

void linger(int fd, const QElapsedTimer& clock, StrayBytes& strays, int forMs) {
    const qint64 endMs = clock.elapsed() + forMs;
    QByteArray ignored;
    while (clock.elapsed() < endMs) {
        const Input got = readHost(fd, strays.waitMs(clock.elapsed(), kPollMs), ignored);
        strays.writeDue(fd, clock.elapsed(), got != Input::NoHost);
    }
}

bool timedOut(const QElapsedTimer& clock, int timeoutSeconds) {
    return timeoutSeconds > 0 && clock.elapsed() >= qint64(timeoutSeconds) * 1000;
}

int finalStatus(const MeterModel& model, int otherwise) {
    return model.sleepCommands() > 0 ? kExitSlept : otherwise;
}
}  // namespace

int runSession(int masterFd, MeterModel& model, const EmulatorOptions& options,
               const volatile std::sig_atomic_t& stopRequested) {
    QElapsedTimer clock;
    clock.start();
    QByteArray bytes;
    std::vector<bool> isCopy;
    ReplyQueue replies(options);
    StrayBytes strays(options.strayEveryMs, options.strayByte);
    while (!stopRequested) {
        if (timedOut(clock, options.timeoutSeconds))
            return finalStatus(model, kExitTimedOut);
        const qint64 nowMs = clock.elapsed();
        const int waitMs = std::min(replies.waitMs(nowMs), strays.waitMs(nowMs, kPollMs));
        const Input got = readHost(masterFd, waitMs, bytes);
        if (got == Input::Bytes) {
            const std::vector<QByteArray> answers = model.receive(bytes, &isCopy);
            replies.add(clock.elapsed(), answers, isCopy);
        }
        else if (got == Input::NoHost)
            std::this_thread::sleep_for(std::chrono::milliseconds(kNoHostPauseMs));
        replies.writeDue(masterFd, clock.elapsed(), options);
        strays.writeDue(masterFd, clock.elapsed(), got != Input::NoHost);
        if (model.sleepCommands() > 0 && !options.keepRunning && replies.empty()) {
            linger(masterFd, clock, strays, lingerMs(options));
            return kExitSlept;
        }
    }
    return finalStatus(model, kExitTerminated);
}

}  // namespace emulator
