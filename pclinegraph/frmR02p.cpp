#include "pclinegraph/frmR02p.h"

#include "app/Module1.h"
#include "linegraph/ReadingSelection.h"
#include "platform/MessageBox.h"
#include "reports/ReportReadings.h"

namespace {

const SelectionRule kPostMeal{true, std::nullopt};

}  // namespace

frmR02p::frmR02p(GlucoseUnit unit) : frmLineGraphBase(graphDesign(GraphKind::PostMeal, unit)) {}
frmR02unitp::frmR02unitp() : frmR02p(GlucoseUnit::MmolL) {}

frmR02p& frmR02p::instance() {
    return platform::singleForm<frmR02p>();
}
frmR02unitp& frmR02unitp::instance() {
    return platform::singleForm<frmR02unitp>();
}

void frmR02p::Form_Load() {
    if (!openWithReadings(kPostMeal)) {
        platform::MsgBox(kNoReadingsMessage);
        switchPickersOff();
        DrawEmptyChart();
    } else {
        showOpeningRange();
    }
    DrawChart();
}

void frmR02p::Reselect() {
    if (!isLoaded())
        return;
    const int current = opening();
    SelectReadings();
    if (!stillOpen(current))
        return;  // closed (or opened anew) while the range message was open
    ShowStatistics();
    DrawChart();
}

void frmR02p::SelectReadings() {
    if (DTPicker1->date() > DTPicker2->date()) {
        const int current = opening();
        platform::MsgBox(QStringLiteral("There's an error in your range of data !"));
        if (stillOpen(current) && points.PointCount != 0)
            setPickersToSelection();
        return;
    }
    selectRange(Module1::state().readings, kPostMeal, DTPicker1->date(), DTPicker2->date(),
                points);
    if (points.PointCount == 0)
        DrawEmptyChart();
}
