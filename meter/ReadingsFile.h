#pragma once
// A user's readings file "<ID>.txt" in the data folder: header line, then one
// line per reading, newest first, every line ended by CR LF.
#include <QString>
#include <QStringList>

inline const QString kReadingsHeader =
    QStringLiteral("Test_No,Glucose,Month,Day,Hour,Minute,Event,Glucose_mmol,Year,Date & Time");
inline const QString kPlaceholderLine =
    QStringLiteral("T0000,00000,00,00,00,00,0000,00000,0000,000000000000000000");

QString readingsFilePath(const QString& userId);

// Writes the file of a user without readings: the header and the placeholder
// line, replacing any file of that name. False when it cannot be written.
bool writePlaceholderReadingsFile(const QString& userId);
