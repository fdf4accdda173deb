#pragma once
// Moving a user's settings between the register's text columns and the
// 16-bit settings of the shared state.
#include "accounts/RegisterTable.h"
#include "app/Module1.h"

// The settings of the last register row with exactly this ID. A field that
// is not a whole number in 16 bits takes the guest row's value for it
// (1, 1, 1, 120, 80, 120, 80). UserID and UserName are set to `id`.
Module1::UserSettings settingsFromRegister(const RegisterTable& table, const QString& id);

// Puts the settings into every row whose ID equals settings.UserID exactly;
// the ID and password columns and every other row stay as they were.
void putSettingsIntoRegister(RegisterTable& table, const Module1::UserSettings& settings);

// A register field as a 16-bit whole number: optional blanks around, an
// optional sign, digits. Anything else gives `fallback`.
qint16 settingOrDefault(const QString& text, qint16 fallback);
