#pragma once
#include "platform/Form.h"

// Placeholder until this window is built.
class frmMeterRead : public platform::Form {
    Q_OBJECT
public:
    static frmMeterRead& instance();
    bool isChildPage() const override { return true; }
protected:
    QWidget* CreateControls() override;
};
