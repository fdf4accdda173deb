#include "app/StartupTrace.h"

#include <QtGlobal>
#include <cstdio>

void traceStartup(const char* step) {
    static const bool enabled = !qEnvironmentVariableIsEmpty("AMBREL_STARTUP_TRACE");
    if (!enabled)
        return;
    std::fprintf(stderr, "ambrel: %s\n", step);
    std::fflush(stderr);
}
