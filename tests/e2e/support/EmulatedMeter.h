#pragma once
// Runs the meter emulator program on a pseudo-terminal linked as COM1 in the
// data folder, for tests and the download benchmark.
#include <QProcess>
#include <QString>
#include <QStringList>

struct MeterReading {
    int month, day, hour, minute, glucose, flag;
};

class EmulatedMeter {
public:
    ~EmulatedMeter();
    // Starts the emulator with these readings (first the newest); false when
    // it did not report its link within a few seconds.
    bool start(const QList<MeterReading>& readings, const QStringList& extraArgs = {});
    void stop();

    // Otherwise the emulator ends by itself soon after the sleep command.
    bool keepRunning = true;

private:
    QProcess process_;
    QString readingsPath_;
};
