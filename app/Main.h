#pragma once

class frmMain;

// The start procedure: splash, hidden main window, one-second wait, sign-in.
void Main();

// The main window made by Main; null before Main has run.
frmMain* MainForm();
