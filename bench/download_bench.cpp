// Wall time of a download of 255 readings from the emulated meter, from
// "Start Reading" to the completion text, against the floor set by the
// timers: about 1.1 s of link-up, two 50 ms requests per reading and the
// 50 ms before the sleep command.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/Module1.h"
#include "meter/ReadingsFile.h"
#include "meter/frmMeterRead.h"
#include "tests/e2e/support/EmulatedMeter.h"

namespace {

constexpr int kReadings = 255;
constexpr double kFloorSeconds = 1.1 + 2 * kReadings * 0.050 + 0.050;

QList<MeterReading> meterReadings() {
    QList<MeterReading> out;
    for (int i = 0; i < kReadings; ++i)
        out.append({1 + i % 12, 1 + i % 28, i % 24, i % 60, 50 + i, i % 2});
    return out;
}

double downloadSeconds() {
    Module1::resetState();
    auto& s = Module1::state();
    s.UserID = s.UserName = QStringLiteral("bench");
    s.ComPort = 1;
    writePlaceholderReadingsFile(s.UserID);
    EmulatedMeter meter;
    if (!meter.start(meterReadings()))
        return -1;
    frmMeterRead& page = frmMeterRead::instance();
    page.Show();
    QElapsedTimer t;
    t.start();
    page.CommandMR->click();
    while (!page.LabelRead->text().startsWith(QStringLiteral("Complete!")) && t.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double seconds = t.elapsed() / 1000.0;
    page.Unload();
    return seconds;
}

void BM_Download255(benchmark::State& state) {
    for (auto _ : state) {
        const double seconds = downloadSeconds();
        if (seconds < 0) {
            state.SkipWithError("the emulated meter did not start");
            return;
        }
        state.SetIterationTime(seconds);
        state.counters["floor_s"] = kFloorSeconds;
        state.counters["ratio_to_floor"] = seconds / kFloorSeconds;
    }
}
BENCHMARK(BM_Download255)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
