#include "accounts/Credentials.h"

#include "platform/core/TextFile.h"

namespace {

constexpr int kMaxIdLength = 200;

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
    return !id.isEmpty() && id.size() <= kMaxIdLength && platform::isLatin1(id) &&
           !holdsAny(id, u"/\\:*?\"<>|,") && !isReservedName(id);
}

bool isUsablePassword(const QString& password) {
    return platform::isLatin1(password) && !holdsAny(password, u",\"");
}
