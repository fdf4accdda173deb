#pragma once
// Fills the readings table from the signed-in user's readings file at
// sign-in. The file holds the newest reading first; the table the oldest.
#include <QString>

#include "app/Module1.h"

struct ReadingsLoadResult {
    int readingsLoaded = 0;  // lines taken into the table
    int linesLeftOut = 0;    // unreadable lines and lines beyond the capacity
    int readingsBeyondCapacity = 0;  // of those, the readings older than the newest 10000
    bool fileUnreadable = false;     // something stands at the path but cannot be read
};

// Loads the readings file at `path` into `s.readings`, using `s.batch` as scratch
// (its NewCount is left alone). A missing or unreadable file, or one without
// reading lines, loads as the placeholder row. A line whose glucose, month,
// day, hour, minute or year is not a 16-bit whole number is left out, and so
// is a first line that is not the header (it is taken as one); after
// 10000 readings the remaining (older) lines are left out. When any line is
// left out, s.readingsBackupPath is set to the first free backup name of
// s.UserID so the file as it was is kept there before it is first
// rewritten; it is cleared otherwise. s.readingsFileUnreadable is set when
// something stands at the path that cannot be read as a file (a missing file
// is no such thing) and cleared otherwise.
ReadingsLoadResult loadReadingsFile(const QString& path, Module1::State& s);

// The message telling the user how many lines could not be read and how
// many older readings the store had no room for, and the name of the file
// at `backupPath` the file as it was will be kept as.
QString linesLeftOutMessage(const ReadingsLoadResult& result, const QString& backupPath);

// The message telling the user that the readings file at `path` could not
// be read and is left as it is.
QString unreadableFileMessage(const QString& path);
