#pragma once
#include "platform/Form.h"

// Placeholder until this window is built.
class frmSet : public platform::Form {
    Q_OBJECT
public:
    static frmSet& instance();

protected:
    QWidget* CreateControls() override;
};
