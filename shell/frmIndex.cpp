#include "shell/frmIndex.h"

frmIndex& frmIndex::instance() {
    static frmIndex* form = new frmIndex;
    return *form;
}

QWidget* frmIndex::CreateControls() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Welcome!"));
    return w;
}
