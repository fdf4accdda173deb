#include "platform/core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
bool& simulatedFailure() {
    static bool on = false;
    return on;
}

// The bytes of the lines, each ended by CR LF; nothing when a character has
// no Latin-1 byte (it would be written as "?" and read back as another text).
std::optional<QByteArray> latin1CrLf(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        if (!isLatin1(line))
            return std::nullopt;
        out += line.toLatin1();
        out += "\r\n";
    }
    return out;
}

// A rename is only lasting once the folder that holds the name is on disk
// too; before that a power cut can bring back the old file or none at all.
bool syncFolderOf(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Every temporary of the program is named ".<file>.ambrel-rewrite.XXXXXX":
// hidden, and marked so that neither a user's own copy nor another program's
// temporary can ever be taken for one.
constexpr QLatin1String kTemporaryMarker(".ambrel-rewrite.");

QByteArray temporaryTemplateBeside(const QString& target) {
    const QFileInfo info(target);
    return QFile::encodeName(info.absolutePath() + QLatin1String("/.") + info.fileName() +
                             kTemporaryMarker + QLatin1String("XXXXXX"));
}

bool writeAll(int fd, const QByteArray& data) {
    const char* next = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
}

// A new, empty, owner-only file beside the target, created exclusively under
// a name nothing else uses. It is removed again unless it took a place.
class Temporary {
public:
    explicit Temporary(const QString& target)
        : path_(temporaryTemplateBeside(target)), fd_(::mkostemp(path_.data(), O_CLOEXEC)) {}
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        if (fd_ >= 0)
            ::close(fd_);
        if (created_ && !placed_)
            ::unlink(path_.constData());
    }

    // Writes every byte, syncs them to disk and closes the file.
    bool write(const QByteArray& data) {
        if (fd_ < 0)
            return false;
        const bool written =
            ::fchmod(fd_, S_IRUSR | S_IWUSR) == 0 && writeAll(fd_, data) && ::fsync(fd_) == 0;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return written && closed;
    }

    bool renameOver(const QString& target) {
        placed_ = ::rename(path_.constData(), QFile::encodeName(target).constData()) == 0;
        return placed_;
    }

    // Takes the target's name only while nothing stands there.
    bool placeAtFreeName(const QString& target) {
        const QByteArray to = QFile::encodeName(target);
        placed_ = ::renameat2(AT_FDCWD, path_.constData(), AT_FDCWD, to.constData(),
                              RENAME_NOREPLACE) == 0;
        if (placed_ || (errno != EINVAL && errno != ENOSYS))
            return placed_;
        // A filesystem that knows no such rename: a hard link refuses a taken
        // name too; the temporary's own name is then removed as it would be
        // after a failure.
        return ::link(path_.constData(), to.constData()) == 0;
    }

private:
    QByteArray path_;
    int fd_;
    const bool created_ = fd_ >= 0;
    bool placed_ = false;
};

// A rewrite through a symbolic link replaces the file it leads to, not the
// link; a chain of links that never ends is replaced as it stands.
QString linkedFile(const QString& path) {
    constexpr int kMostLinks = 128;
    QFileInfo info(path);
    for (int i = 0; i < kMostLinks && info.isSymLink(); ++i)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

// Writes `data` as the whole new content of `path`, readable by its owner
// only: a temporary file in the same folder, synced, then renamed over the
// old file, and the folder synced. A file its owner made read-only is left be.
bool replaceWhole(const QString& path, const QByteArray& data) {
    const QString target = linkedFile(path);
    const QFileInfo existing(target);
    if (existing.exists() && !existing.isWritable())
        return false;
    Temporary temporary(target);
    return temporary.write(data) && temporary.renameOver(target) && syncFolderOf(target);
}

}  // namespace

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

bool isPathTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool readLines(const QString& path, QStringList& lines) {
    lines.clear();
    if (!fileExists(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    qsizetype start = 0;
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        lines << QString::fromLatin1(data.constData() + start, i - start);
        if (c == '\r' && i + 1 < n && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << QString::fromLatin1(data.constData() + start, n - start);
    return true;
}

void setSimulateWriteFailure(bool on) {
    simulatedFailure() = on;
}

bool writeLinesAtomic(const QString& path, const QStringList& lines) {
    if (simulatedFailure())
        return false;
    const std::optional<QByteArray> data = latin1CrLf(lines);
    return data && replaceWhole(path, *data);
}

bool appendLine(const QString& path, const QString& line) {
    if (simulatedFailure() || !isLatin1(line))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly))
        return false;
    QByteArray data;
    if (file.size() > 0) {
        if (!file.seek(file.size() - 1))
            return false;
        const QByteArray last = file.read(1);
        if (last != "\n")
            data += "\r\n";
    }
    data += line.toLatin1();
    data += "\r\n";
    const qint64 oldSize = file.size();
    if (!file.seek(oldSize))
        return false;
    const bool ok = file.write(data) == data.size() && file.flush() && ::fsync(file.handle()) == 0;
    if (!ok)
        file.resize(oldSize);  // a line cut short by a full disk must not stay behind
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}

bool copyFileNoReplace(const QString& source, const QString& target) {
    if (simulatedFailure())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    Temporary temporary(target);
    return temporary.write(data) && temporary.placeAtFreeName(target) && syncFolderOf(target);
}

bool isRewriteTemporaryName(const QString& fileName) {
    static const QRegularExpression kOurs(QStringLiteral("^\\..+%1[A-Za-z0-9]{6}$")
                                              .arg(QRegularExpression::escape(kTemporaryMarker)));
    return kOurs.match(fileName).hasMatch();
}

bool isLatin1(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

}  // namespace platform
