#include "PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace emulator {

namespace {
QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

// Raw mode: no echo of the host's commands and no translation of bytes such
// as 0D or 11 that occur in records.
bool makeRaw(int fd) {
    termios t;
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

// A slave side that was never opened looks like an idle host, and bytes
// written meanwhile would reach the host in one pile when it opens. Opened
// and closed once, it reports a hang-up until a host opens it.
bool hangUpUntilOpened(const char* slavePath) {
    const int slave = ::open(slavePath, O_RDWR | O_NOCTTY | O_NONBLOCK);
    return slave >= 0 && ::close(slave) == 0;
}
}  // namespace

PseudoTerminal::~PseudoTerminal() {
    if (master_ >= 0)
        ::close(master_);
}

bool PseudoTerminal::open(QString& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = systemError("grantpt/unlockpt");
        return false;
    }
    const char* name = ptsname(master_);
    if (!name || !makeRaw(master_) || !hangUpUntilOpened(name)) {
        error = systemError("ptsname/raw mode/slave side");
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    if (fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0) {
        error = systemError("fcntl");
        return false;
    }
    return true;
}

}  // namespace emulator
