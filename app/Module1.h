#pragma once
// The shared application state through which all windows exchange data, and
// WaitSeconds. No window is handed arguments; each reads what it shows here.
#include <QString>

#include "accounts/RegisterTable.h"
#include "meter/ReadingTables.h"

namespace Module1 {

struct UserSettings {
    QString UserID;    // stem of the readings file name
    QString UserName;  // copy of UserID, used in captions and the "guest" test
    qint16 ComPort = 0;
    qint16 GluUnit = 0;     // 1 mg/dL, 2 mmol/L
    qint16 TimeFormat = 0;  // 1 year/month/day, 2 day/month/year
    qint16 LimitMax = 0, LimitMin = 0, LimitMaxp = 0, LimitMinp = 0;  // whole mg/dL
};

struct State : UserSettings {
    ReadingList readings;
    MeterBatch batch;
    RegisterTable reg;
    // Set by the loader when it had to leave lines of the readings file out:
    // the free name the file as it was is copied to before it is first
    // rewritten. Empty when no copy is needed, or once it is made.
    QString readingsBackupPath;
    // Set by the loader when something stands in the readings file's place
    // but cannot be read: whatever it holds is kept, so no download is saved
    // over it until a later sign-in can read it.
    bool readingsFileUnreadable = false;
};

State& state();

// Back to the start-of-run state (every number 0, every text empty).
void resetState();

// Waits at least `seconds` whole seconds while the event loop keeps running;
// always runs at least one pass of the event loop. Unaffected by midnight.
void WaitSeconds(int seconds);

}  // namespace Module1
