#pragma once
// What the download sequence needs from the window that runs it: its seven
// timers, the status line, the progress bar, message boxes, the save and the
// staging table. The window implements it; tests implement it with fakes.
#include <QString>

#include "meter/Merge.h"
#include "meter/ReadingTables.h"

enum class DownloadTimer { TimerRt, TimerOP, Timer1, Timer2, Timer3, Timer4, TimerSleep };

constexpr DownloadTimer kAllDownloadTimers[] = {
    DownloadTimer::TimerRt, DownloadTimer::TimerOP, DownloadTimer::Timer1,
    DownloadTimer::Timer2,  DownloadTimer::Timer3,  DownloadTimer::Timer4,
    DownloadTimer::TimerSleep,
};

// The interval of each timer in milliseconds.
constexpr int timerPeriodMs(DownloadTimer t) {
    switch (t) {
    case DownloadTimer::TimerRt: return 20;
    case DownloadTimer::Timer1: return 100;
    case DownloadTimer::Timer2: return 1000;
    default: return 50;
    }
}

class DownloadHost {
public:
    virtual ~DownloadHost() = default;

    // Switching on a timer that already runs leaves its rhythm alone.
    virtual void setTimerEnabled(DownloadTimer timer, bool on) = 0;
    virtual void showStatus(const QString& text) = 0;
    virtual void setProgressValue(int value) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void showMessage(const QString& text) = 0;
    // The port could not be set up: tell the user, switch "Start Reading" off.
    virtual void portOpenFailed() = 0;
    virtual int comPort() const = 0;
    virtual MeterBatch& batch() = 0;
    virtual SaveOutcome saveDownload() = 0;
};
