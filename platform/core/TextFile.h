#pragma once
// Plain text files as the program keeps them: single-byte Latin-1 text,
// every line ended by CR LF. Whole-file rewrites go through writeLinesAtomic
// so a failed write never leaves a half-written file behind.
#include <QString>
#include <QStringList>

namespace platform {

bool fileExists(const QString& path);

// Reads every line of a file (CR LF, LF or CR ends a line; a last line
// without an ending still counts). Returns false when the file cannot be read.
bool readLines(const QString& path, QStringList& lines);

// Replaces the file whole: writes a temporary file in the same folder,
// flushes it and renames it over the old one. On failure the old file is
// left as it was and false is returned.
bool writeLinesAtomic(const QString& path, const QStringList& lines);

// Appends one line (CR LF added) to an existing file; when the file does not
// end with a line ending, one is written first so the new line stands alone.
bool appendLine(const QString& path, const QString& line);

// Copies a file whole over target (atomically). False when it cannot.
bool copyFileAtomic(const QString& source, const QString& target);

// Fault injection for tests: while on, every write above fails as a full
// disk would (tests run as root, where a read-only folder does not stop a write).
void setSimulateWriteFailure(bool on);

// True when every character can be written as a single Latin-1 byte.
bool isLatin1(const QString& text);

}  // namespace platform
