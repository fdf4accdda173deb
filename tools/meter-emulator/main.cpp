// meter-emulator: an emulated blood-glucose meter on a pseudo-terminal, for
// trying and testing downloads without a meter. See --help.
#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <cstdio>

#include "ComLink.h"
#include "EmulatorOptions.h"
#include "MeterSession.h"
#include "PseudoTerminal.h"
#include "ReadingsSource.h"

using namespace emulator;

namespace {
volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

// No SA_RESTART, so a signal also cuts the session's wait short.
void installStopHandlers() {
    struct sigaction action = {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int fail(const QString& message) {
    std::fprintf(stderr, "meter-emulator: %s\n", qPrintable(message));
    return kExitUsage;
}

bool loadReadings(const EmulatorOptions& o, std::vector<Reading>& readings, QString& error) {
    if (o.readingsFile.isEmpty()) {
        readings = generateReadings(o.generatedCount);
        return true;
    }
    QFile file(o.readingsFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read %1").arg(o.readingsFile);
        return false;
    }
    return parseReadings(QString::fromUtf8(file.readAll()), readings, error);
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    EmulatorOptions options;
    QString error;
    if (!parseOptions(app.arguments(), options, error))
        return fail(error + QStringLiteral(" (see --help)"));
    if (options.helpWanted) {
        std::printf("%s", qPrintable(helpText()));
        return kExitSlept;
    }
    std::vector<Reading> readings;
    if (!loadReadings(options, readings, error))
        return fail(error);
    installStopHandlers();
    PseudoTerminal pty;
    ComLink link;
    if (!pty.open(error) ||
        !link.create(options.dataFolder, options.port, pty.slavePath(), error))
        return fail(error);
    std::printf("ready %s\n", qPrintable(pty.slavePath()));
    std::fflush(stdout);
    MeterModel model(std::move(readings), options.faults);
    return runSession(pty.masterFd(), model, options, stopRequested);
}
