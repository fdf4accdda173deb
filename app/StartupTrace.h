#pragma once
// Start-up timing for measuring: with AMBREL_STARTUP_TRACE set, each step of
// the start prints one line "ambrel: <step>" on standard error, so a script
// can time the steps from the program's launch.
void traceStartup(const char* step);
