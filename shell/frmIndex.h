#pragma once
#include "platform/Form.h"

// Placeholder until this window is built.
class frmIndex : public platform::Form {
    Q_OBJECT
public:
    static frmIndex& instance();
    bool isChildPage() const override { return true; }
protected:
    QWidget* CreateControls() override;
};
