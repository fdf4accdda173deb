#include "meter/ReadingsFile.h"

#include "platform/core/DataFolder.h"
#include "platform/core/TextFile.h"

QString readingsFilePath(const QString& userId) {
    return platform::dataPath(userId + QStringLiteral(".txt"));
}

bool writePlaceholderReadingsFile(const QString& userId) {
    return platform::writeLinesAtomic(readingsFilePath(userId), {kReadingsHeader, kPlaceholderLine});
}
