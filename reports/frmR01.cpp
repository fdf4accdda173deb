#include "reports/frmR01.h"

#include "app/Module1.h"
#include "meter/ReadingsFile.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "reports/ReportReadings.h"

namespace {

constexpr int kMmolColumn = 7;

QList<platform::GridColumn> gridColumns(GlucoseUnit unit) {
    const QString glucose = unit == GlucoseUnit::MmolL ? QStringLiteral("Glucose")
                                                       : QStringLiteral("Glucose_mg/dL");
    return {{"Test_No", "Test_No"},         {glucose, "Glucose"},
            {"Month", "Month"},             {"Day", "Day"},
            {"Hour", "Hour"},               {"Minute", "Minute"},
            {"Event", "Event"},             {"Glucose_mmol/L", "Glucose_mmol"},
            {"Year", "Year"},               {"Date & Time", "Date & Time"}};
}

}  // namespace

frmR01& frmR01::instance() {
    static frmR01* form = new frmR01;
    return *form;
}

QWidget* frmR01::CreateControls() {
    const int gridHeight = unit_ == GlucoseUnit::MmolL ? 6645 : 7125;
    auto* page = new QWidget;
    page->setWindowTitle(QStringLiteral("Data List"));
    page->resize(platform::twipsToPixels(10725), platform::twipsToPixels(gridHeight));
    DBGrid1 = new platform::DataGrid(gridColumns(unit_), page);
    platform::placeTwips(DBGrid1, 0, 0, 10725, gridHeight);
    DBGrid1->setColumnHidden(kMmolColumn, unit_ != GlucoseUnit::MmolL);
    return page;
}

// The mg/dL list of a user without readings stays empty under its headers;
// the mmol/L list says so and shows the file's placeholder row.
void frmR01::Form_Load() {
    const Module1::State& s = Module1::state();
    if (hasNoReadings(s.readings)) {
        if (unit_ != GlucoseUnit::MmolL)
            return;
        platform::MsgBox(kNoReadingsMessage);
    }
    DBGrid1->bindTextFile(readingsFilePath(s.UserID));
}
