#pragma once
#include "platform/Form.h"

// Placeholder until this window is built.
class frmLogin : public platform::Form {
    Q_OBJECT
public:
    static frmLogin& instance();

protected:
    QWidget* CreateControls() override;
};
