#pragma once

// The start procedure: splash, hidden main window, one-second wait, sign-in.
void Main();
