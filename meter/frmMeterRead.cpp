#include "meter/frmMeterRead.h"

frmMeterRead& frmMeterRead::instance() {
    static frmMeterRead* form = new frmMeterRead;
    return *form;
}

QWidget* frmMeterRead::CreateControls() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Download Meter Readings"));
    return w;
}
