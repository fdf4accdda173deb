#include "accounts/frmLogin.h"

frmLogin& frmLogin::instance() {
    static frmLogin* form = new frmLogin;
    return *form;
}

QWidget* frmLogin::CreateControls() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("User Login"));
    return w;
}
