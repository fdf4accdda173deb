#include "shell/frmMenu.h"

frmMenu& frmMenu::instance() {
    static frmMenu* form = new frmMenu;
    return *form;
}

QWidget* frmMenu::CreateControls() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("View Reports"));
    return w;
}
