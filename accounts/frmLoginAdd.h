#pragma once
#include "platform/Form.h"

// Placeholder until this window is built.
class frmLoginAdd : public platform::Form {
    Q_OBJECT
public:
    static frmLoginAdd& instance();

protected:
    QWidget* CreateControls() override;
};
