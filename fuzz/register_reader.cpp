// The register reader on any file: it must not crash, and a register read and
// written back unchanged must read back as the same table, since the rewrite
// promises to keep every line nobody changed.
#include "accounts/RegisterFile.h"
#include "fuzz/FuzzSupport.h"

namespace {

bool sameRows(const RegisterTable& a, const RegisterTable& b) {
    if (a.UserCount != b.UserCount || a.RegHeader != b.RegHeader)
        return false;
    for (int row = 1; row <= a.UserCount; ++row) {
        if (a.RegID[row] != b.RegID[row] || a.RegPasswd[row] != b.RegPasswd[row] ||
            a.RegPort[row] != b.RegPort[row] || a.RegUnit[row] != b.RegUnit[row] ||
            a.RegTime[row] != b.RegTime[row] || a.RegMax[row] != b.RegMax[row] ||
            a.RegMin[row] != b.RegMin[row] || a.RegMaxp[row] != b.RegMaxp[row] ||
            a.RegMinp[row] != b.RegMinp[row])
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::useTemporaryDataFolder();
    fuzz::writeInput(registerPath(), data, size);
    RegisterTable first;
    fuzz::check(readRegister(first), "a register that exists is read");
    for (int row = 1; row <= first.UserCount; ++row)
        registerRowText(first, row);
    if (first.RegHeader.isNull())
        return 0;  // an empty file gets no rewrite worth comparing
    fuzz::check(rewriteRegister(first), "the register is rewritten");
    RegisterTable second;
    fuzz::check(readRegister(second), "the rewritten register is read");
    fuzz::check(sameRows(first, second), "an unchanged register reads back the same");
    return 0;
}
