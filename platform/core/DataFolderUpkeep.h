#pragma once
// What the program tidies in its data folder when it starts, once it holds
// the folder alone (see FolderLock): what a killed program left behind, and
// permissions from before the files were kept private.
#include <QString>

namespace platform {

// Removes the temporary files of whole-file writes that never finished
// (see isRewriteTemporaryName) and nothing else: a user's own copies beside
// the program's files stay, whatever they are named. Returns how many were
// removed.
int removeLeftoverTemporaries(const QString& folder);

// The folder becomes owner only (0700) and every file in it 0600. Links
// (the COM<n> entries to serial devices) and what they point to are left alone.
void restrictToOwner(const QString& folder);

}  // namespace platform
