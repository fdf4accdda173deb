#pragma once
// One running program per data folder. Two programs on one folder would
// each rewrite the register and the readings files from their own copy and
// lose what the other wrote. The lock is an exclusive lock on a file in the
// folder, held while the object lives; the system drops it when the program
// ends however it ends, so a killed program leaves no stale lock behind.
#include <QString>

namespace platform {

class FolderLock {
public:
    enum class Outcome {
        Held,           // this object holds the folder
        HeldElsewhere,  // another running program (or object) holds it
        Unavailable,    // the lock file could not be opened or locked
    };

    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    Outcome outcome() const { return outcome_; }
    const QString& folder() const { return folder_; }

    static QString lockFileName();  // "ambrel.lock"

private:
    QString folder_;
    int fd_ = -1;
    Outcome outcome_ = Outcome::Unavailable;
};

}  // namespace platform
