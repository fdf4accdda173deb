#pragma once
// Plain text files as the program keeps them: single-byte Latin-1 text,
// every line ended by CR LF. Whole-file rewrites go through writeLinesAtomic
// so a failed write never leaves a half-written file behind.
#include <QFile>
#include <QString>
#include <QStringList>

namespace platform {

bool fileExists(const QString& path);

// True when anything stands at the path: a file, a folder, a device, a
// link (one that leads nowhere too). What stands there and cannot be read
// may still hold what must not be written over.
bool isPathTaken(const QString& path);

// Reads every line of a file (CR LF, LF or CR ends a line; a last line
// without an ending still counts). Returns false when the file cannot be
// read, and for anything but a plain file (a folder, or a pipe that would
// keep the reader waiting).
bool readLines(const QString& path, QStringList& lines);

// The program's files hold passwords and readings: their owner alone may
// read them.
constexpr QFile::Permissions kOwnerOnlyFile = QFile::ReadOwner | QFile::WriteOwner;

// Replaces the file whole: writes a temporary file in the same folder,
// syncs it to disk, renames it over the old one and syncs the folder. The
// new file is readable by its owner only. On failure, a character with no
// Latin-1 byte among them, the old file is left as it was, no temporary
// stays behind and false is returned. Through a symbolic link, the file it
// leads to is replaced.
bool writeLinesAtomic(const QString& path, const QStringList& lines);

// True for the name of a temporary file of a write above (never for a name
// a user or another program would give a file): ".<file>.ambrel-rewrite."
// and six letters or digits. One that is still there was left by a program
// that was killed while it wrote.
bool isRewriteTemporaryName(const QString& fileName);

// Appends one line (CR LF added) to an existing file and syncs it to disk;
// when the file does not end with a line ending, one is written first so the
// new line stands alone. False, with nothing written, when the file is
// missing, the line holds a character with no Latin-1 byte, or the write fails.
bool appendLine(const QString& path, const QString& line);

// Copies a file whole to target, owner only, only where nothing stands at
// target: what stands there, even if it appears while the copy is written,
// is never replaced. The copy appears whole or not at all, synced with its
// folder. False when it cannot be made (nothing is then left behind) or
// when its folder cannot be synced.
bool copyFileNoReplace(const QString& source, const QString& target);

// Fault injection for tests: while on, every write above fails as a full
// disk would (tests run as root, where a read-only folder does not stop a write).
void setSimulateWriteFailure(bool on);

// True when every character can be written as a single Latin-1 byte.
bool isLatin1(const QString& text);

}  // namespace platform
