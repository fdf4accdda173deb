#include "accounts/RegisterTable.h"

void RegisterTable::ensureRow(int row) {
    const size_t needed = static_cast<size_t>(row) + 1;
    if (RegID.size() >= needed)
        return;
    for (auto* column : {&RegID, &RegPasswd, &RegPort, &RegUnit, &RegTime, &RegMax, &RegMin,
                         &RegMaxp, &RegMinp, &RegLine})
        column->resize(needed);
}
