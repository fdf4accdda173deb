#pragma once
#include "platform/Form.h"

// Placeholder until this window is built.
class frmReadOldData : public platform::Form {
    Q_OBJECT
public:
    static frmReadOldData& instance();

protected:
    QWidget* CreateControls() override;
};
