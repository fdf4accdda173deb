#pragma once
#include "platform/Form.h"

// Placeholder until this window is built.
class frmMenu : public platform::Form {
    Q_OBJECT
public:
    static frmMenu& instance();
    bool isChildPage() const override { return true; }
protected:
    QWidget* CreateControls() override;
};
