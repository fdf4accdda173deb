#pragma once
// The emulator's main loop: reads the host's bytes from the pseudo-terminal,
// lets the model answer them and writes the replies, and any stray bytes
// between them, until the sleep command, the time limit or a stop request.
#include <csignal>

#include "EmulatorOptions.h"
#include "MeterModel.h"

namespace emulator {

// Returns the exit status (see ExitStatus). stopRequested is set by a
// signal handler.
int runSession(int masterFd, MeterModel& model, const EmulatorOptions& options,
               const volatile std::sig_atomic_t& stopRequested);

}  // namespace emulator
