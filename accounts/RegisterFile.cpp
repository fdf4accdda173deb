#include "accounts/RegisterFile.h"

#include <QStringList>

#include "platform/core/DataFolder.h"
#include "platform/core/TextFile.h"
#include "platform/core/TextTable.h"

namespace {

constexpr int kFieldCount = 9;

QString withoutStar(const QString& field) {
    return field.endsWith(QLatin1Char('*')) ? field.chopped(1) : field;
}

// The nine fields a register line reads as, missing ones empty.
QStringList parsedFields(const QStringList& raw) {
    QStringList fields;
    for (int k = 0; k < kFieldCount; ++k)
        fields << (k < raw.size() ? raw.at(k) : QString());
    fields[0] = withoutStar(fields[0]);
    fields[1] = withoutStar(fields[1]);
    return fields;
}

QStringList rowFields(const RegisterTable& t, int r) {
    return {t.RegID[r],  t.RegPasswd[r], t.RegPort[r], t.RegUnit[r], t.RegTime[r],
            t.RegMax[r], t.RegMin[r],    t.RegMaxp[r], t.RegMinp[r]};
}

void storeRow(RegisterTable& t, int r, const QStringList& f, const QString& line) {
    t.ensureRow(r);
    t.RegID[r] = f[0];
    t.RegPasswd[r] = f[1];
    t.RegPort[r] = f[2];
    t.RegUnit[r] = f[3];
    t.RegTime[r] = f[4];
    t.RegMax[r] = f[5];
    t.RegMin[r] = f[6];
    t.RegMaxp[r] = f[7];
    t.RegMinp[r] = f[8];
    t.RegLine[r] = line;
}

// A register that lists no user and keeps no line: no line but blank ones
// after a first line that is blank or the header.
bool holdsNothing(const QStringList& lines) {
    for (int i = 0; i < lines.size(); ++i) {
        const bool blank = lines[i].trimmed().isEmpty();
        if (!blank && !(i == 0 && lines[i] == kRegisterHeader))
            return false;
    }
    return true;
}

QString composedRow(const QStringList& f) {
    return f[0] + QStringLiteral("*,") + f[1] + QStringLiteral("*,") +
           f.mid(2).join(QLatin1Char(','));
}

}  // namespace

QString registerPath() {
    return platform::dataPath(QStringLiteral("ZuRegister.txt"));
}

bool createRegisterIfEmpty() {
    QStringList lines;
    if (platform::fileExists(registerPath()) &&
        (!platform::readLines(registerPath(), lines) || !holdsNothing(lines)))
        return true;
    return platform::writeLinesAtomic(registerPath(), {kRegisterHeader, kGuestRow});
}

bool readRegister(RegisterTable& table) {
    table = RegisterTable();
    platform::TextTable file;
    if (!platform::loadTextTable(registerPath(), file))
        return false;
    if (!file.fieldNames.isEmpty())
        table.RegHeader = file.fieldNames.join(QLatin1Char(','));
    for (const QStringList& raw : file.rows) {
        const int row = table.UserCount + 1;
        storeRow(table, row, parsedFields(raw), raw.join(QLatin1Char(',')));
        table.UserCount = row;
    }
    return true;
}

QString registerRowText(const RegisterTable& table, int row) {
    const QStringList fields = rowFields(table, row);
    const QString& line = table.RegLine[row];
    if (!line.isNull() && parsedFields(line.split(QLatin1Char(','))) == fields)
        return line;
    return composedRow(fields);
}

bool rewriteRegister(const RegisterTable& table) {
    QStringList lines{table.RegHeader.isNull() ? kRegisterHeader : table.RegHeader};
    for (int row = 1; row <= table.UserCount; ++row)
        lines << registerRowText(table, row);
    return platform::writeLinesAtomic(registerPath(), lines);
}

QString newUserRowText(const QString& id, const QString& password) {
    return id + QStringLiteral("*,") + password + QStringLiteral("*,1,1,1,120,80,120,80");
}

bool appendNewUser(const QString& id, const QString& password) {
    // A register emptied to nothing has lost its header as well: the new
    // line would be read as the header and its user never listed. One with
    // the header alone gets the guest row back with it, as sign-in gives it.
    if (!createRegisterIfEmpty())
        return false;
    return platform::appendLine(registerPath(), newUserRowText(id, password));
}
