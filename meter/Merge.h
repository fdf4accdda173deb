#pragma once
// Adding a download's records to the readings table and rewriting the
// readings file.
#include <QString>

#include "app/Module1.h"

enum class SaveOutcome {
    Saved,        // table extended, file rewritten
    StoreFull,    // would pass the table's capacity: table and file unchanged
    WriteFailed,  // the file could not be written: table as before the merge
};

// Merges the staging table (NewCount records, record 1 the newest) into the
// readings table of `s` and rewrites the user's readings file.
SaveOutcome SaveDownload(Module1::State& s);

// The message shown for an outcome other than Saved.
QString saveOutcomeMessage(SaveOutcome outcome);
