#include "ReplyWriter.h"

#include <cerrno>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace emulator {

namespace {
bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, bytes.size() - done);
        if (n > 0) {
            done += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 10);
        } else {
            return false;
        }
    }
    return true;
}
std::vector<QByteArray> bytesOf(const QByteArray& reply) {
    std::vector<QByteArray> bytes;
    for (char b : reply)
        bytes.push_back(QByteArray(1, b));
    return bytes;
}
}  // namespace

std::vector<QByteArray> replyPieces(const QByteArray& reply, bool split) {
    if (!split || reply.size() < 2)
        return {reply};
    const qsizetype half = reply.size() / 2;
    return {reply.left(half), reply.mid(half)};
}

bool writeReply(int fd, const QByteArray& reply, bool split, int byteGapUs) {
    const bool bytewise = byteGapUs > 0;
    const std::vector<QByteArray> pieces =
        bytewise ? bytesOf(reply) : replyPieces(reply, split);
    const auto pause = std::chrono::microseconds(bytewise ? byteGapUs : kSplitPauseMs * 1000);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            std::this_thread::sleep_for(pause);
        if (!writeAll(fd, pieces[i]))
            return false;
    }
    return true;
}

}  // namespace emulator
