#include "pclinegraph/frmR02p.h"

#include "app/Module1.h"
#include "linegraph/ReadingSelection.h"
#include "platform/MessageBox.h"

namespace {

LineGraphDesign postMealDesign(GlucoseUnit unit) {
    const bool mmol = unit == GlucoseUnit::MmolL;
    return {unit,
            1920,
            1920, 3720, 1335, 3360,
            QStringLiteral("PC Datas covered :"),
            mmol ? 2415 : 2295, mmol ? 2880 : 2760,
            6240, 8400, 9600,
            mmol ? 1860 : 2100};
}

const SelectionRule kPostMeal{true, std::nullopt};

}  // namespace

frmR02p& frmR02p::instance() {
    static frmR02p* form = new frmR02p;
    return *form;
}

frmR02p::frmR02p() : frmR02p(postMealDesign(GlucoseUnit::MgDl)) {}

frmR02p::frmR02p(const LineGraphDesign& design) : frmLineGraphBase(design) {}

frmR02unitp& frmR02unitp::instance() {
    static frmR02unitp* form = new frmR02unitp;
    return *form;
}

frmR02unitp::frmR02unitp() : frmR02p(postMealDesign(GlucoseUnit::MmolL)) {}

void frmR02p::Form_Load() {
    stats = ReadingStats();
    Label5->setText(Module1::state().UserName);
    selectAll(Module1::state().readings, kPostMeal, points);
    if (points.PointCount == 0)
        points.PointCount = 1;
    if (points.PointCount == 1 && points.PtDay[1] == 0) {
        platform::MsgBox(QStringLiteral("This ID have no Glucose data !! Please read from Meter!!"));
        switchPickersOff();
        DrawEmptyChart();
    } else {
        ShowStatistics();
        const int order = Module1::state().TimeFormat;
        if (order == 1 || order == 2)
            setPickersToSelection();
    }
    DrawChart();
}

void frmR02p::Reselect() {
    if (!isLoaded())
        return;
    SelectReadings();
    if (!isLoaded())
        return;  // closed while the range message was open
    ShowStatistics();
    DrawChart();
}

void frmR02p::SelectReadings() {
    if (DTPicker1->date() > DTPicker2->date()) {
        platform::MsgBox(QStringLiteral("There's an error in your range of data !"));
        if (isLoaded() && points.PointCount != 0)
            setPickersToSelection();
        return;
    }
    selectRange(Module1::state().readings, kPostMeal, DTPicker1->date(), DTPicker2->date(),
                points);
    if (points.PointCount == 0)
        DrawEmptyChart();
}
