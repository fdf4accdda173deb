#include "MeterSession.h"

#include <QElapsedTimer>
#include <cerrno>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "ReplyWriter.h"

namespace emulator {

namespace {
constexpr int kPollMs = 10;
// While no host holds the slave side open, the master reports a hang-up at
// once; waiting a little keeps the loop from spinning.
constexpr int kNoHostPauseMs = 20;
// After the sleep acknowledgement the pty stays up a while, so the host's
// 20 ms poll takes the reply before the device goes away.
constexpr int kLingerMs = 300;

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

void answerHost(int fd, MeterModel& model, const QByteArray& bytes, bool split) {
    for (const QByteArray& reply : model.receive(bytes))
        writeReply(fd, reply, split);
}

void linger(int fd) {
    QElapsedTimer clock;
    clock.start();
    QByteArray ignored;
    while (clock.elapsed() < kLingerMs)
        readHost(fd, kPollMs, ignored);
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
    while (!stopRequested) {
        if (timedOut(clock, options.timeoutSeconds))
            return finalStatus(model, kExitTimedOut);
        const Input got = readHost(masterFd, kPollMs, bytes);
        if (got == Input::Bytes)
            answerHost(masterFd, model, bytes, options.splitReplies);
        else if (got == Input::NoHost)
            std::this_thread::sleep_for(std::chrono::milliseconds(kNoHostPauseMs));
        if (model.sleepCommands() > 0 && !options.keepRunning) {
            linger(masterFd);
            return kExitSlept;
        }
    }
    return finalStatus(model, kExitTerminated);
}

}  // namespace emulator
