#include "platform/core/DataFolder.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

QString dataFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    const QString folder = base + QStringLiteral("/ambrel");
    if (!QFileInfo(folder).isDir()) {
        QDir().mkpath(base);
        QDir().mkdir(folder, kOwnerOnlyFolder);
    }
    return folder;
}

QString dataPath(const QString& fileName) {
    return dataFolder() + QLatin1Char('/') + fileName;
}

}  // namespace platform
