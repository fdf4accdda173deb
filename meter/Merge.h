#pragma once
// Adding a download's records to the readings table and rewriting the
// readings file.
#include <QDateTime>
#include <QString>

#include "app/Module1.h"

enum class SaveOutcome {
    Saved,        // table extended, file rewritten
    StoreFull,    // would pass the table's capacity: table and file unchanged
    WriteFailed,  // the file could not be written: table as before the merge
    StoredFileUnreadable,  // the file could not be read at sign-in: nothing merged or written
};

// Merges the staging table (NewCount records, record 1 the newest) into the
// readings table of `s` and rewrites the user's readings file.
SaveOutcome SaveDownload(Module1::State& s);

// The message shown for an outcome other than Saved.
QString saveOutcomeMessage(SaveOutcome outcome);

// Puts the batch oldest first, finds the newest stored reading among its
// records and appends the records after it, each with its year. False, with
// table and batch unchanged, when the table has no room for them.
bool NewOldCutCombin(Module1::State& s);

// A month counts as 31 days of 1440 minutes, so a later month, day, hour and
// minute always gives a larger key.
int minuteKey(int month, int day, int hour, int minute);

// The meter gives no year: a reading not later in the year than `now` is
// from this year, a later one from the year before.
qint16 assignedYear(int month, int day, int hour, int minute, const QDateTime& now);
