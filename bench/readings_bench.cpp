// Load and rewrite of a full readings file (10000 readings).
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

#include "app/Module1.h"
#include "meter/ReadingsFile.h"
#include "meter/ReadingsLoader.h"

namespace {

void fillFullTable(ReadingList& t) {
    t.ReadCount = kMaxReadings;
    for (int r = 1; r <= kMaxReadings; ++r) {
        t.ReadMonth[r] = 1 + r % 12;
        t.ReadDay[r] = 1 + r % 28;
        t.ReadHour[r] = r % 24;
        t.ReadMinute[r] = r % 60;
        t.ReadGlucose[r] = 40 + r % 500;
        t.ReadYear[r] = 2000 + r % 10;
        t.ReadEvent[r] = (r % 3 == 0) ? QVariant(QStringLiteral("PC")) : QVariant(r % 2);
    }
}

std::unique_ptr<Module1::State> fullState() {
    auto s = std::make_unique<Module1::State>();
    s->UserID = s->UserName = QStringLiteral("bench");
    fillFullTable(s->readings);
    return s;
}

void BM_RewriteReadingsFile(benchmark::State& state) {
    auto s = fullState();
    for (auto _ : state) {
        if (!CreateAfile(*s))
            state.SkipWithError("readings file could not be written");
    }
}
BENCHMARK(BM_RewriteReadingsFile)->Unit(benchmark::kMillisecond);

void BM_LoadReadingsFile(benchmark::State& state) {
    auto s = fullState();
    if (!CreateAfile(*s)) {
        state.SkipWithError("readings file could not be written");
        return;
    }
    const QString path = readingsFilePath(s->UserID);
    for (auto _ : state) {
        const ReadingsLoadResult r = loadReadingsFile(path, *s);
        benchmark::DoNotOptimize(r);
        if (r.readingsLoaded != kMaxReadings)
            state.SkipWithError("not every reading was loaded");
    }
}
BENCHMARK(BM_LoadReadingsFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir dataHome;  // the readings file lives in a throwaway data folder
    if (!dataHome.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
