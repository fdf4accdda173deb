#include "reports/frmR01unit.h"

frmR01unit& frmR01unit::instance() {
    static frmR01unit* form = new frmR01unit;
    return *form;
}
