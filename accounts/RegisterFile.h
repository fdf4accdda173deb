#pragma once
// The user register file "ZuRegister.txt" in the data folder: a header line,
// then one comma-separated line per user, "<ID>*,<password>*,port,unit,
// time,max,min,maxp,minp", every line ended by CR LF, single-byte text.
#include <QString>

#include "accounts/RegisterTable.h"

inline const QString kRegisterHeader = QStringLiteral("ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp");
inline const QString kGuestRow = QStringLiteral("guest*,brisk*,1,1,1,120,80,120,80");
inline const QString kGuestId = QStringLiteral("guest");

QString registerPath();

// Writes the header and the guest row, as at the first start, when the file
// is missing or holds nothing to keep (no line, or the header alone: no
// user could sign in); any other file, one that cannot be read too, is left
// alone. False only when the file could not be written.
bool createRegisterIfEmpty();

// Reads every user line into a fresh table, in file order. Blank lines are
// skipped, a missing field reads as empty, extra fields are ignored, and the
// trailing "*" of the ID and password is dropped only when it is there.
// False (and an empty table) when the file cannot be read.
bool readRegister(RegisterTable& table);

// The line written for table row `row`: the line as read when the row still
// holds what was read from it, otherwise the row composed from its fields.
QString registerRowText(const RegisterTable& table, int row);

// Replaces the file whole (the header line as read, the standard one for a
// table not read from a file, then rows 1 to UserCount) atomically:
// on failure the old file stays as it was and false is returned.
bool rewriteRegister(const RegisterTable& table);

// The line of a new user: the default settings of the guest row.
QString newUserRowText(const QString& id, const QString& password);

// Appends a new user's line; a register that createRegisterIfEmpty would
// write is first written so. False when anything could not be written.
bool appendNewUser(const QString& id, const QString& password);
