#pragma once
// The checks of a sign-in, made on the whole register before anything is
// set or written, and the readings file a signed-in user starts with.
#include <QString>

#include "accounts/RegisterTable.h"

enum class SignInVerdict {
    Accepted,
    NoSuchUser,     // no ID chosen, or no register row with that ID
    EmptyPassword,  // an ID other than "guest" with the password box empty
    UnusableId,     // a hand-edited ID the register cannot hold (see Credentials.h)
    WrongPassword,  // a row with the ID carries another password
};

// "guest" signs in without a password when the register has a guest row;
// any other ID only when every row with it carries `password`.
SignInVerdict checkSignIn(const RegisterTable& table, const QString& id, const QString& password);

// "guest" starts every sign-in with a new file holding only the placeholder
// row; others get that file only when nothing stands in its place. False
// when the file could not be written.
bool prepareReadingsFile(const QString& id);
