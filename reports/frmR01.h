#pragma once
// The data list: the user's readings file as a grid, newest reading first.
// frmR01 shows glucose in mg/dL only; frmR01unit (mmol/L) also shows the
// file's mmol/L column.
#include "linegraph/GlucoseUnit.h"
#include "platform/DataGrid.h"
#include "platform/Form.h"

class frmR01 : public platform::Form {
    Q_OBJECT
public:
    static frmR01& instance();
    bool isChildPage() const override { return true; }

    platform::DataGrid* DBGrid1 = nullptr;

protected:
    explicit frmR01(GlucoseUnit unit = GlucoseUnit::MgDl) : unit_(unit) {}
    QWidget* CreateControls() override;
    void Form_Load() override;

private:
    const GlucoseUnit unit_;
};
