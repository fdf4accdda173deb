#include "platform/core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

namespace {
bool& simulatedFailure() {
    static bool on = false;
    return on;
}

QByteArray joinCrLf(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += line.toLatin1();
        out += "\r\n";
    }
    return out;
}
}  // namespace

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

bool readLines(const QString& path, QStringList& lines) {
    lines.clear();
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = joinCrLf(lines);
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool appendLine(const QString& path, const QString& line) {
    if (simulatedFailure())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
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
    const bool ok = file.write(data) == data.size() && file.flush();
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
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(data) != data.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool isLatin1(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

}  // namespace platform
