#pragma once
// Which IDs and passwords the register can hold. An ID becomes the name of
// the user's readings file "<ID>.txt" and both are stored in a comma-
// separated single-byte line without quoting, so characters that would break
// the file name or the line are refused.
#include <QString>

// False for: a character that is not a single Latin-1 byte, a control
// character, a comma, any of / \ : * ? " < > |, the names "." and "..",
// "ZuRegister" in any case, and more than 200 characters or more than 200
// bytes as a file name (a character beyond ASCII takes two). An empty ID, one
// of blanks only, and one holding a character that does not show (format
// characters such as the soft hyphen, the no-break space and every other
// space but the blank) are refused too.
bool isUsableUserId(const QString& id);

// False for a character that is not a single Latin-1 byte, a control
// character, a comma or a double quote.
bool isUsablePassword(const QString& password);
