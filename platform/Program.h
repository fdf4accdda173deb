#pragma once
// Ending the program at once ("Exit", "Cancel" of the sign-in window):
// no window is asked to close and nothing is saved. Tests replace the ending
// with a hook so the test process goes on.
#include <functional>

namespace platform {

void EndProgram();
void setEndProgramHook(std::function<void()> hook);  // empty: real ending

}  // namespace platform
