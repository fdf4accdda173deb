#include "tests/e2e/support/EmulatedMeter.h"

#include <QFile>

#include "platform/core/DataFolder.h"

EmulatedMeter::~EmulatedMeter() {
    stop();
}

bool EmulatedMeter::start(const QList<MeterReading>& readings, const QStringList& extraArgs) {
    stop();
    readingsPath_ = platform::dataFolder() + QStringLiteral("/meter-readings.csv");
    QFile file(readingsPath_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const MeterReading& r : readings)
        file.write(QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                       .arg(r.month).arg(r.day).arg(r.hour).arg(r.minute).arg(r.glucose).arg(r.flag)
                       .toLatin1());
    file.close();
    QStringList args{"--data-folder", platform::dataFolder(), "--port", "1",
                     "--readings",    readingsPath_,          "--timeout",
                     "300"};
    if (keepRunning)
        args << "--keep-running";
    process_.start(QStringLiteral(METER_EMULATOR_PATH), args + extraArgs);
    if (!process_.waitForStarted(5000))
        return false;
    while (!process_.canReadLine())
        if (!process_.waitForReadyRead(5000))
            return false;
    return process_.readLine().startsWith("ready ");
}

void EmulatedMeter::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000))
        process_.kill();
    process_.waitForFinished(1000);
}
