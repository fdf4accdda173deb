#include "app/Main.h"

// Filled in with the start-up windows.
void Main() {}
