#include "accounts/frmLoginAdd.h"

frmLoginAdd& frmLoginAdd::instance() {
    static frmLoginAdd* form = new frmLoginAdd;
    return *form;
}

QWidget* frmLoginAdd::CreateControls() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Add New User"));
    return w;
}
