#include "accounts/Credentials.h"

#include <QFile>

#include "platform/core/TextFile.h"

namespace {

// The longest ID, counted in the bytes its file name takes on disk: a
// character beyond ASCII takes two, and the longest name made from it, the
// temporary ".<ID>.txt.bak.9999.ambrel-rewrite.XXXXXX" of the last backup
// copy (36 bytes more), must stay within the system's 255 bytes.
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

// A character that shows nothing on screen: a control or format character,
// a space other than the plain blank (the no-break space among them), a line
// or paragraph separator, or a code point with no character. Two IDs that
// differ only by one would look the same in the user list.
bool isInvisible(QChar c) {
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    case QChar::Separator_Space:
        return c != QLatin1Char(' ');
    default:
        return false;
    }
}

bool showsSomething(const QString& id) {
    bool anyVisible = false;
    for (const QChar c : id) {
        if (isInvisible(c))
            return false;
        anyVisible = anyVisible || c != QLatin1Char(' ');
    }
    return anyVisible;
}

bool isReservedName(const QString& id) {
    return id == QStringLiteral(".") || id == QStringLiteral("..") ||
           id.compare(QStringLiteral("ZuRegister"), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool isUsableUserId(const QString& id) {
    return showsSomething(id) && fitsFileName(id) && platform::isLatin1(id) &&
           !holdsAny(id, u"/\\:*?\"<>|,") && !isReservedName(id);
}

bool isUsablePassword(const QString& password) {
    return platform::isLatin1(password) && !holdsAny(password, u",\"");
}
