#pragma once
// A user's readings file "<ID>.txt" in the data folder: header line, then one
// line per reading, newest first, every line ended by CR LF.
#include <QString>
#include <QStringList>

#include "app/Module1.h"
#include "meter/ReadingTables.h"

inline const QString kReadingsHeader =
    QStringLiteral("Test_No,Glucose,Month,Day,Hour,Minute,Event,Glucose_mmol,Year,Date & Time");
inline const QString kPlaceholderLine =
    QStringLiteral("T0000,00000,00,00,00,00,0000,00000,0000,000000000000000000");

QString readingsFilePath(const QString& userId);

// Where the file as it was is kept when the loader had to leave lines out:
// "<ID>.txt.bak" for the first copy, then "<ID>.txt.bak.2", "<ID>.txt.bak.3"
// and on up to kMostReadingsBackups, since a copy once made is never replaced.
constexpr int kMostReadingsBackups = 9999;
QString readingsBackupPath(const QString& userId, int number = 1);

// The first of those names that nothing stands at. When every one is taken,
// the last: no copy can be made there, so the file is then not rewritten.
QString freeReadingsBackupPath(const QString& userId);

// Writes the file of a user without readings: the header and the placeholder
// line, replacing any file of that name. False when it cannot be written.
bool writePlaceholderReadingsFile(const QString& userId);

// The file's meal mark for a reading: the number 0, an empty mark or "C"
// give "C"; 1 or "PC" give "PC"; 2 or "QC" give "QC"; anything else "C".
// Text that reads as a number counts as that number.
QString eventMarkText(const EventMark& mark);

// Reading line number `lineNumber` (1 for the newest), made from table row `row`.
QString readingLine(const ReadingList& table, int row, int lineNumber);

// The whole file for a table: the header, then rows ReadCount down to 1.
QStringList readingsFileLines(const ReadingList& table);

// Rewrites the user's readings file from the readings table, replacing the
// old file atomically. When the loader left lines out, the file as it was is
// first copied to s.readingsBackupPath, a name that must still be free; if
// that copy fails nothing is rewritten. False when the file was not
// rewritten (the old one is then untouched).
bool CreateAfile(Module1::State& s);
