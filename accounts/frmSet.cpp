#include "accounts/frmSet.h"

frmSet& frmSet::instance() {
    static frmSet* form = new frmSet;
    return *form;
}

QWidget* frmSet::CreateControls() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Setting parameters"));
    return w;
}
