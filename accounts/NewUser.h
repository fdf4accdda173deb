#pragma once
// The checks a new user's ID and password go through before the register
// gets a line for them, in the order the user is told about them.
#include <QString>

#include "accounts/RegisterTable.h"

enum class NewUserVerdict {
    Accepted,
    NoId,              // the ID box is empty
    UnusableId,        // "guest", an ID already registered, or one the files cannot hold
    NoPassword,        // the password box is empty
    UnusablePassword,  // a password the register line cannot hold
    NoCheck,           // the checking password box is empty
    Mismatch,          // the two passwords differ
};

NewUserVerdict checkNewUser(const QString& id, const QString& password, const QString& check,
                            const RegisterTable& registered);
