#include "platform/core/TextTable.h"

#include "platform/core/TextFile.h"

namespace platform {

QString TextTable::field(int row, int position) const {
    if (row < 0 || row >= rows.size())
        return QString();
    const QStringList& fields = rows.at(row);
    return position >= 0 && position < fields.size() ? fields.at(position) : QString();
}

bool loadTextTable(const QString& path, TextTable& table) {
    table = TextTable();
    QStringList lines;
    if (!readLines(path, lines))
        return false;
    if (lines.isEmpty())
        return true;
    table.fieldNames = lines.takeFirst().split(QLatin1Char(','));
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            table.rows << line.split(QLatin1Char(','));
    return true;
}

QVariant fieldValue(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong whole = t.toLongLong(&ok);
    if (ok)
        return QVariant(whole);
    const double real = t.toDouble(&ok);
    if (ok)
        return QVariant(real);
    return QVariant(text);
}

QString fieldText(const QString& text) {
    return fieldValue(text).toString();
}

}  // namespace platform
