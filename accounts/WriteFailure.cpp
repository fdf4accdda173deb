#include "accounts/WriteFailure.h"

#include <QDir>

QString writeFailureMessage(const QString& path) {
    return QStringLiteral("Can't write the file [") + QDir::toNativeSeparators(path) +
           QStringLiteral("] ! Nothing was saved, please check the disk and try again !");
}
