#pragma once
// The data list for mmol/L users: the mg/dL column captioned "Glucose" and
// the file's mmol/L column beside the others.
#include "reports/frmR01.h"

class frmR01unit : public frmR01 {
    Q_OBJECT
public:
    static frmR01unit& instance();

private:
    frmR01unit() : frmR01(GlucoseUnit::MmolL) {}
};
