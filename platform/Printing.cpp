#include "platform/Printing.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "platform/core/NestedWait.h"

namespace platform {

namespace {
std::function<int(QPrintDialog&)>& dialogHook() {
    static std::function<int(QPrintDialog&)> hook;
    return hook;
}

// A PDF printer without a file has nowhere to write. Qt's PDF engine marks
// itself active before it finds that out and stays so after the failed
// start, refusing every later setting (the file the printer dialog picks,
// too): such a printer is not started at all, so the next print can work.
bool hasDestination(const QPrinter& printer) {
    return printer.outputFormat() != QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
}
}  // namespace

QPrinter& currentPrinter() {
    // Never destroyed: it must outlive every window, up to the program's end.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

bool PrintForm(QWidget* form, QPrinter& printer) {
    if (!form)
        return false;
    const QPixmap shot = form->grab();
    QPainter painter;
    if (shot.isNull() || !hasDestination(printer) || !painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    const QSize fitted = shot.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(page.topLeft(), fitted), shot);
    return painter.end();
}

bool ShowPrinterDialog(const QString& title) {
    QPrintDialog dialog(&currentPrinter());
    dialog.setWindowTitle(title);
    // The dialog's own event loop runs inside the handler that opened it.
    const NestedWait wait;
    const int answer = dialogHook() ? dialogHook()(dialog) : dialog.exec();
    return answer == QDialog::Accepted;
}

void setPrinterOutputFile(const QString& pdfPath) {
    currentPrinter().setOutputFormat(QPrinter::PdfFormat);
    currentPrinter().setOutputFileName(pdfPath);
}

void setPrintDialogHook(std::function<int(QPrintDialog&)> hook) {
    dialogHook() = std::move(hook);
}

}  // namespace platform
