// The report windows over a full readings table (10000 readings): opening,
// one scroll step and one pointer move of the line graphs.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/Module1.h"
#include "linegraph/frmR02.h"
#include "pclinegraph/frmR02p.h"

namespace {

void fillFullTable(ReadingList& t) {
    t.ReadCount = kMaxReadings;
    for (int r = 1; r <= kMaxReadings; ++r) {
        const QDate day = QDate(1990, 1, 1).addDays(r / 3);
        t.ReadYear[r] = static_cast<qint16>(day.year());
        t.ReadMonth[r] = static_cast<qint16>(day.month());
        t.ReadDay[r] = static_cast<qint16>(day.day());
        t.ReadHour[r] = static_cast<qint16>(r % 24);
        t.ReadMinute[r] = static_cast<qint16>(r % 60);
        t.ReadGlucose[r] = static_cast<qint16>(40 + r % 500);
        t.ReadEvent[r] = (r % 2 == 0) ? QVariant(QStringLiteral("PC")) : QVariant(0);
    }
}

void setUpUser() {
    Module1::State& s = Module1::state();
    s.UserName = QStringLiteral("bench");
    s.TimeFormat = 1;
    s.LimitMax = 180;
    s.LimitMin = 70;
    fillFullTable(s.readings);
}

void unloadAndSettle(platform::Form& form) {
    form.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <typename Window>
void BM_OpenLineGraph(benchmark::State& state) {
    setUpUser();
    Window& w = Window::instance();
    for (auto _ : state) {
        w.Load();  // the controls, then the selection, statistics and chart
        state.PauseTiming();
        if (w.RowsShown != 150)
            state.SkipWithError("the newest 150 readings were not drawn");
        unloadAndSettle(w);
        state.ResumeTiming();
    }
}
BENCHMARK_TEMPLATE(BM_OpenLineGraph, frmR02)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenLineGraph, frmR02unit)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenLineGraph, frmR02p)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenLineGraph, frmR02unitp)->Unit(benchmark::kMillisecond);

void BM_LineGraphScrollStep(benchmark::State& state) {
    setUpUser();
    frmR02& w = frmR02::instance();
    w.Load();
    int position = 0;
    for (auto _ : state) {
        w.HScroll1->setValue(position);  // runs ScrollChart
        position = (position + 1) % 9850;
    }
    unloadAndSettle(w);
}
BENCHMARK(BM_LineGraphScrollStep)->Unit(benchmark::kMicrosecond);

void BM_LineGraphPointerMove(benchmark::State& state) {
    setUpUser();
    frmR02& w = frmR02::instance();
    w.Load();
    float x = 1125;
    for (auto _ : state) {
        w.MSChart1_MouseMove(0, 0, x, 2000);
        x = x >= 10400 ? 1125 : x + 7;
    }
    unloadAndSettle(w);
}
BENCHMARK(BM_LineGraphPointerMove)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir dataHome;
    if (!dataHome.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
