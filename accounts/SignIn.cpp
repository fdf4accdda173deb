#include "accounts/SignIn.h"

#include "accounts/Credentials.h"
#include "accounts/RegisterFile.h"
#include "meter/ReadingsFile.h"
#include "platform/core/TextFile.h"

namespace {

bool hasRow(const RegisterTable& t, const QString& id) {
    for (int r = 1; r <= t.UserCount; ++r)
        if (t.RegID[r] == id)
            return true;
    return false;
}

bool everyRowCarries(const RegisterTable& t, const QString& id, const QString& password) {
    for (int r = 1; r <= t.UserCount; ++r)
        if (t.RegID[r] == id && t.RegPasswd[r] != password)
            return false;
    return true;
}

}  // namespace

SignInVerdict checkSignIn(const RegisterTable& table, const QString& id, const QString& password) {
    if (id.isEmpty())
        return SignInVerdict::NoSuchUser;
    if (id == kGuestId)
        return hasRow(table, id) ? SignInVerdict::Accepted : SignInVerdict::NoSuchUser;
    if (password.isEmpty())
        return SignInVerdict::EmptyPassword;
    if (!isUsableUserId(id))
        return SignInVerdict::UnusableId;
    if (!hasRow(table, id))
        return SignInVerdict::NoSuchUser;
    if (!everyRowCarries(table, id, password))
        return SignInVerdict::WrongPassword;
    return SignInVerdict::Accepted;
}

bool prepareReadingsFile(const QString& id) {
    // Anything in the file's place, even what cannot be read, may hold the
    // user's readings: only the loader looks at it.
    if (id != kGuestId && platform::isPathTaken(readingsFilePath(id)))
        return true;
    return writePlaceholderReadingsFile(id);
}
