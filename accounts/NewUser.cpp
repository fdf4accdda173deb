#include "accounts/NewUser.h"

#include "accounts/Credentials.h"
#include "accounts/RegisterFile.h"

namespace {

// An ID that is already registered would get a second line whose password
// must match the first one's, locking its owner out.
bool isRegistered(const RegisterTable& t, const QString& id) {
    for (int r = 1; r <= t.UserCount; ++r)
        if (t.RegID[r] == id)
            return true;
    return false;
}

}  // namespace

NewUserVerdict checkNewUser(const QString& id, const QString& password, const QString& check,
                            const RegisterTable& registered) {
    if (id.isEmpty())
        return NewUserVerdict::NoId;
    if (id == kGuestId || !isUsableUserId(id) || isRegistered(registered, id))
        return NewUserVerdict::UnusableId;
    if (password.isEmpty())
        return NewUserVerdict::NoPassword;
    if (!isUsablePassword(password))
        return NewUserVerdict::UnusablePassword;
    if (check.isEmpty())
        return NewUserVerdict::NoCheck;
    if (password != check)
        return NewUserVerdict::Mismatch;
    return NewUserVerdict::Accepted;
}
