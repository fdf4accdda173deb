// The readings loader on any file: it must not crash, and the table it fills
// stays within its capacity and holds at least the placeholder row.
#include <memory>

#include "fuzz/FuzzSupport.h"
#include "meter/ReadingsFile.h"
#include "meter/ReadingsLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::useTemporaryDataFolder();
    const QString path = readingsFilePath(QStringLiteral("fuzz"));
    fuzz::writeInput(path, data, size);
    auto s = std::make_unique<Module1::State>();
    s->UserID = QStringLiteral("fuzz");
    const ReadingsLoadResult r = loadReadingsFile(path, *s);
    fuzz::check(r.readingsLoaded >= 0 && r.linesLeftOut >= 0, "counts are not negative");
    fuzz::check(s->readings.ReadCount >= 1, "the table holds at least the placeholder");
    fuzz::check(r.readingsLoaded <= 10000, "no more readings than the table holds");
    fuzz::check(s->readingsBackupPath.isEmpty() == (r.linesLeftOut == 0),
                "a file with lines left out is kept aside");
    return 0;
}
