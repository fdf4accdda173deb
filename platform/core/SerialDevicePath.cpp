#include "platform/core/SerialDevicePath.h"

#include <QFileInfo>

#include "platform/core/DataFolder.h"

namespace platform {

bool isValidCommPort(int port) {
    return port >= kFirstCommPort && port <= kLastCommPort;
}

QString serialDevicePath(int port) {
    if (!isValidCommPort(port))
        return QString();
    const QFileInfo entry(dataPath(QStringLiteral("COM%1").arg(port)));
    if (entry.isSymLink()) {
        // Follow chains such as /dev/serial/by-id/... -> ../../ttyUSB0; a
        // dangling link still names its target so that the open fails on it.
        const QString device = entry.canonicalFilePath();
        return device.isEmpty() ? entry.symLinkTarget() : device;
    }
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

}  // namespace platform
