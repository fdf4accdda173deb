#pragma once
#include <QString>

class frmMain;

// The start procedure: splash, hidden main window, one-second wait, sign-in.
// It first takes the data folder for this program and tidies it; when
// another running program has the folder it says so and ends the program,
// changing nothing.
void Main();

// The message of a start while another program has the data folder.
QString alreadyRunningMessage(const QString& folder);

// The main window made by Main; null before Main has run.
frmMain* MainForm();
