#pragma once
// The user register in memory: one row per register line, every field as
// the text read. Rows are numbered from 1 (row 0 unused); the table grows as
// needed so no register line is ever dropped.
#include <QString>
#include <vector>

struct RegisterTable {
    int UserCount = 0;
    std::vector<QString> RegID{1}, RegPasswd{1}, RegPort{1}, RegUnit{1}, RegTime{1},
        RegMax{1}, RegMin{1}, RegMaxp{1}, RegMinp{1};
    // Each row's line as it stood in the file, so a row nobody changed is
    // written back byte for byte even when it was edited by hand.
    std::vector<QString> RegLine{1};
    // The first line of the file, which the reader takes as the header; null
    // when the file had no line. A register whose header was lost by hand
    // has a user's line there, and the rewrite must keep that line too.
    QString RegHeader;

    // Makes room for row `row` in every column.
    void ensureRow(int row);
};
