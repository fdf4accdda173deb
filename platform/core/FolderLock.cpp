#include "platform/core/FolderLock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

QString FolderLock::lockFileName() {
    return QStringLiteral("ambrel.lock");
}

FolderLock::FolderLock(const QString& folder) : folder_(folder) {
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + lockFileName());
    fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return;
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        outcome_ = Outcome::Held;
        return;
    }
    outcome_ = errno == EWOULDBLOCK ? Outcome::HeldElsewhere : Outcome::Unavailable;
    ::close(fd_);
    fd_ = -1;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0)
        ::close(fd_);  // closing drops the lock
}

}  // namespace platform
