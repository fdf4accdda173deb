#pragma once
// A comma-separated text file read as a table: the first line gives the
// field names, every further non-blank line is one row, in file order.
// Fields are split on single commas with no quoting.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace platform {

struct TextTable {
    QStringList fieldNames;
    QList<QStringList> rows;

    // The text of field `position` (from 0) of a row; empty when the row
    // is shorter.
    QString field(int row, int position) const;
};

// False when the file cannot be read; a file with no lines gives an empty table.
bool loadTextTable(const QString& path, TextTable& table);

// A field the way the table hands it out: a whole number as a number (so
// "0000" is 0), a decimal number as a double, anything else as its text.
QVariant fieldValue(const QString& text);

// The field written the way the table hands it out: a number without the
// digit pattern it was written with ("00095" is "95", "05.3" is "5.3"),
// anything else as it stands.
QString fieldText(const QString& text);

}  // namespace platform
