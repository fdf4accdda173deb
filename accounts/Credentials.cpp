#include "accounts/Credentials.h"

#include <QFile>

#include "platform/core/TextFile.h"

namespace {

// The longest ID, counted in the bytes its file name takes on disk: a
// character beyond ASCII takes two, and "<ID>.txt.bak" with the temporary
// name of an atomic write must stay within the system's 255 bytes.
constexpr int kMaxIdLength = 200;

bool fitsFileName(const QString& id) {
    return id.size() <= kMaxIdLength && QFile::encodeName(id).size() <= kMaxIdLength;
}

bool isControl(QChar c) {
    return c.category() == QChar::Other_Control;
}

bool holdsAny(const QString& text, QStringView forbidden) {
    for (const QChar c : text)
        if (isControl(c) || forbidden.contains(c))
            return true;
    return false;
}

bool isReservedName(const QString& id) {
    return id == QStringLiteral(".") || id == QStringLiteral("..") ||
           id.compare(QStringLiteral("ZuRegister"), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool isUsableUserId(const QString& id) {
    return !id.isEmpty() && fitsFileName(id) && platform::isLatin1(id) &&
           !holdsAny(id, u"/\\:*?\"<>|,") && !isReservedName(id);
}

bool isUsablePassword(const QString& password) {
    return platform::isLatin1(password) && !holdsAny(password, u",\"");
}
