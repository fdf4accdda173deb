#include "ComLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace emulator {

bool ComLink::create(const QString& folder, int port, const QString& target, QString& error) {
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    const QString path = QDir(folder).filePath(QStringLiteral("COM%1").arg(port));
    if (QFileInfo(path).isSymLink() || QFileInfo::exists(path))
        QFile::remove(path);
    if (!QFile::link(target, path)) {
        error = QStringLiteral("cannot link %1 to %2").arg(path, target);
        return false;
    }
    path_ = path;
    target_ = target;
    return true;
}

void ComLink::remove() {
    if (path_.isEmpty())
        return;
    if (QFileInfo(path_).symLinkTarget() == target_)
        QFile::remove(path_);
    path_.clear();
}

}  // namespace emulator
