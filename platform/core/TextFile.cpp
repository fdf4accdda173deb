#include "platform/core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <fcntl.h>
#include <optional>
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

// Writes `data` as the whole new content of `path`, readable by its owner
// only: a temporary file in the same folder, synced, then renamed over the
// old file, and the folder synced.
bool replaceWhole(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!file.setPermissions(kOwnerOnlyFile) || file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit() && syncFolderOf(path);
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

bool copyFileAtomic(const QString& source, const QString& target) {
    if (simulatedFailure())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = in.readAll();
    return in.error() == QFileDevice::NoError && replaceWhole(target, data);
}

bool isLatin1(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

}  // namespace platform
