#pragma once
// Form printing: a window is printed as it is shown on screen. The printer
// and the printer dialog's answer can be replaced, so tests print into a PDF
// file and answer the dialog without a user.
#include <QString>
#include <functional>

class QPrinter;
class QPrintDialog;
class QWidget;

namespace platform {

// The current printer, made on first use and kept for the run.
QPrinter& currentPrinter();

// Renders the window onto the printer, scaled to fit one page. False when
// the printer cannot print.
bool PrintForm(QWidget* form, QPrinter& printer);

// Shows the printer dialog for the current printer; true when the user
// confirms it, false on cancel.
bool ShowPrinterDialog(const QString& title);

// Tests: print into this PDF file instead of a printer.
void setPrinterOutputFile(const QString& pdfPath);
// Tests: answer the printer dialog (QDialog::Accepted or Rejected) instead
// of showing it. An empty function shows the real dialog again.
void setPrintDialogHook(std::function<int(QPrintDialog&)> hook);

}  // namespace platform
