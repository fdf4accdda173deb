#pragma once
// The message shown when a file of the program could not be written; the
// file then still holds what it held before.
#include <QString>

QString writeFailureMessage(const QString& path);
