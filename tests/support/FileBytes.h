#pragma once
// Reading and writing whole files byte for byte in tests, so the exact form
// of the program's files (CR LF, single-byte text) can be set up and checked.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace test_files {

// The file's bytes; empty when it cannot be read (a missing file too).
inline QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file with exactly these bytes.
inline void writeBytes(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

// Replaces the file with these lines, each in Latin-1 and ended by CR LF.
inline void writeCrLfLines(const QString& path, const QStringList& lines) {
    QByteArray data;
    for (const QString& line : lines)
        data += line.toLatin1() + "\r\n";
    writeBytes(path, data);
}

// The file's permission bits as the system keeps them (0600, 0700, ...);
// -1 when it cannot be read.
inline int unixMode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

}  // namespace test_files

using test_files::bytesOf;
using test_files::unixMode;
using test_files::writeBytes;
using test_files::writeCrLfLines;
