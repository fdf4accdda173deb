#include "platform/core/DataFolderUpkeep.h"

#include <QDir>
#include <QFileInfo>

#include "platform/core/DataFolder.h"
#include "platform/core/TextFile.h"

namespace platform {

namespace {

// Regular files only, never a link.
QFileInfoList ownFiles(const QString& folder) {
    return QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
}

}  // namespace

int removeLeftoverTemporaries(const QString& folder) {
    int removed = 0;
    for (const QFileInfo& f : ownFiles(folder))
        if (isRewriteTemporaryName(f.fileName()) && QFile::remove(f.filePath()))
            ++removed;
    return removed;
}

void restrictToOwner(const QString& folder) {
    QFile::setPermissions(folder, kOwnerOnlyFolder);
    for (const QFileInfo& f : ownFiles(folder))
        QFile::setPermissions(f.filePath(), kOwnerOnlyFile);
}

}  // namespace platform
