#pragma once
// The emulator's command line.
#include <QString>
#include <QStringList>
#include <optional>

#include "MeterModel.h"

namespace emulator {

enum ExitStatus {
    kExitSlept = 0,       // the host sent the sleep command
    kExitUsage = 1,       // bad command line, readings file or pseudo-terminal
    kExitTimedOut = 2,    // no sleep command within the time limit
    kExitTerminated = 3,  // SIGTERM or SIGINT before any sleep command
};

struct EmulatorOptions {
    QString dataFolder;
    int port = 1;
    QString readingsFile;  // empty: generate generatedCount readings
    int generatedCount = 12;
    MeterFaults faults;
    bool splitReplies = false;
    int byteGapUs = 0;  // 0: each reply in one write
    int replyDelayMs = 0;
    int queuedDelayMs = 0;  // 0: commands are answered side by side
    std::optional<int> copyGapMs;  // none: a copy is timed like a reply of its own
    int strayEveryMs = 0;          // 0: no stray bytes
    char strayByte = '\0';
    bool keepRunning = false;
    int timeoutSeconds = 60;  // 0: no limit
    bool helpWanted = false;
};

// args[0] is the program name. False with a message for a bad command line.
bool parseOptions(const QStringList& args, EmulatorOptions& options, QString& error);

QString helpText();

}  // namespace emulator
