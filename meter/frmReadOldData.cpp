#include "meter/frmReadOldData.h"

frmReadOldData& frmReadOldData::instance() {
    static frmReadOldData* form = new frmReadOldData;
    return *form;
}

QWidget* frmReadOldData::CreateControls() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral(""));
    return w;
}
