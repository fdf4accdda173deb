// The report windows over a full readings table (10000 readings): opening
// each, drawing a day, and a scroll step and a pointer move of the line graph.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/Module1.h"
#include "linegraph/frmR02.h"
#include "meter/ReadingsFile.h"
#include "pclinegraph/frmR02p.h"
#include "platform/MessageBox.h"
#include "reports/frmR01.h"
#include "reports/frmR04.h"
#include "reports/frmR05.h"

namespace {

// 10000 readings over about 14 months, several a day, and their file.
bool signInWithFullTable() {
    Module1::State& s = Module1::state();
    s.UserID = s.UserName = QStringLiteral("bench");
    s.GluUnit = 1;
    s.TimeFormat = 1;
    s.LimitMax = 120;
    s.LimitMin = 80;
    ReadingList& t = s.readings;
    t.ReadCount = kMaxReadings;
    for (int r = 1; r <= kMaxReadings; ++r) {
        const int day = (r - 1) / 24;
        t.ReadYear[r] = 2006 + day / 336;
        t.ReadMonth[r] = 1 + day / 28 % 12;
        t.ReadDay[r] = 1 + day % 28;
        t.ReadHour[r] = (r - 1) % 24;
        t.ReadMinute[r] = r % 60;
        t.ReadGlucose[r] = 40 + r % 500;
        t.ReadEvent[r] = r % 2 ? QStringLiteral("PC") : QStringLiteral("C");
    }
    return CreateAfile(s);
}

// Loads the window and renders it once, as opening it on screen does.
void openAndRender(platform::Form& form) {
    form.Show();
    benchmark::DoNotOptimize(form.window()->grab());
}

void closeUntimed(benchmark::State& state, platform::Form& form) {
    state.PauseTiming();
    form.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
}

void BM_OpenDataList(benchmark::State& state) {
    for (auto _ : state) {
        openAndRender(frmR01::instance());
        closeUntimed(state, frmR01::instance());
    }
}
BENCHMARK(BM_OpenDataList)->Unit(benchmark::kMillisecond);

void BM_OpenHistogram(benchmark::State& state) {
    for (auto _ : state) {
        openAndRender(frmR05::instance());
        closeUntimed(state, frmR05::instance());
    }
}
BENCHMARK(BM_OpenHistogram)->Unit(benchmark::kMillisecond);

void BM_OpenStandardDay(benchmark::State& state) {
    for (auto _ : state) {
        openAndRender(frmR04::instance());
        closeUntimed(state, frmR04::instance());
    }
}
BENCHMARK(BM_OpenStandardDay)->Unit(benchmark::kMillisecond);

void BM_DrawStandardDay(benchmark::State& state) {
    frmR04& w = frmR04::instance();
    openAndRender(w);
    for (auto _ : state) {
        w.Combo4->setCurrentIndex(w.Combo4->count() / 2);
        w.Combo4_Click();
        benchmark::DoNotOptimize(w.window()->grab());
    }
    if (w.Label18->text() != QStringLiteral("24"))
        state.SkipWithError("the chosen day was not drawn");
    w.Unload();
}
BENCHMARK(BM_DrawStandardDay)->Unit(benchmark::kMillisecond);

template <typename Window>
void BM_OpenLineGraph(benchmark::State& state) {
    Window& w = Window::instance();
    for (auto _ : state) {
        w.Load();  // the controls, then the selection, statistics and chart
        if (w.RowsShown != 150)
            state.SkipWithError("the newest 150 readings were not drawn");
        closeUntimed(state, w);
    }
}
BENCHMARK_TEMPLATE(BM_OpenLineGraph, frmR02)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenLineGraph, frmR02unit)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenLineGraph, frmR02p)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenLineGraph, frmR02unitp)->Unit(benchmark::kMillisecond);

void BM_LineGraphScrollStep(benchmark::State& state) {
    frmR02& w = frmR02::instance();
    w.Load();
    int position = 0;
    for (auto _ : state) {
        w.HScroll1->setValue(position);  // runs ScrollChart
        position = (position + 1) % 9850;
    }
    w.Unload();
}
BENCHMARK(BM_LineGraphScrollStep)->Unit(benchmark::kMicrosecond);

void BM_LineGraphPointerMove(benchmark::State& state) {
    frmR02& w = frmR02::instance();
    w.Load();
    float x = 1125;
    for (auto _ : state) {
        w.MSChart1_MouseMove(0, 0, x, 2000);
        x = x >= 10400 ? 1125 : x + 7;
    }
    w.Unload();
}
BENCHMARK(BM_LineGraphPointerMove)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dataHome;  // the readings file lives in a throwaway data folder
    if (!dataHome.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    platform::setRecordMessages(true);
    if (!signInWithFullTable())
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
