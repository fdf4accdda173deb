#include "linegraph/frmR02.h"

#include <QCoreApplication>

#include "app/Module1.h"
#include "platform/Twips.h"

using platform::placeTwips;

namespace {

const QString kRangeError = QStringLiteral("Range of date Error!");

LineGraphDesign lineGraphDesign(GlucoseUnit unit) {
    const bool mmol = unit == GlucoseUnit::MmolL;
    return {unit,
            mmol ? 1920 : 1800,
            1800, 3240, 1215, 3000,
            QStringLiteral("Datas covered :"),
            mmol ? 2415 : 2295, mmol ? 2880 : 2280,
            7200, 8880, 9720,
            mmol ? 2100 : 2220};
}

}  // namespace

frmR02& frmR02::instance() {
    static frmR02* form = new frmR02;
    return *form;
}

frmR02::frmR02() : frmR02(lineGraphDesign(GlucoseUnit::MgDl)) {}

frmR02::frmR02(const LineGraphDesign& design) : frmLineGraphBase(design) {}

frmR02unit& frmR02unit::instance() {
    static frmR02unit* form = new frmR02unit;
    return *form;
}

frmR02unit::frmR02unit() : frmR02(lineGraphDesign(GlucoseUnit::MmolL)) {}

void frmR02::createOwnControls(QWidget* page) {
    const bool mmol = unit() == GlucoseUnit::MmolL;
    LabelError = new QLabel(page);
    LabelError->setTextFormat(Qt::PlainText);
    placeTwips(LabelError, mmol ? 4920 : 4680, 240, 2295, 255);
    Label16 = new QLabel(QStringLiteral("Hour :"), page);
    placeTwips(Label16, mmol ? 4560 : 4800, 520, 735, 375);
    ComboLO = new platform::EditCombo(page);
    placeTwips(ComboLO, mmol ? 5280 : 5520, 520, 615, 300);
    Label17 = new QLabel(QStringLiteral(" ~"), page);
    placeTwips(Label17, mmol ? 5880 : 6120, 520, 255, 375);
    ComboHI = new platform::EditCombo(page);
    placeTwips(ComboHI, mmol ? 6120 : 6360, 520, 615, 300);
    for (QLabel* l : {Label16, Label17})
        l->setFont(Label1->font());
    ComboLO->setEditText(QStringLiteral("0"));
    ComboHI->setEditText(QStringLiteral("24"));
    connect(ComboLO, &platform::EditCombo::Change, this, &frmR02::ComboLO_Change);
    connect(ComboHI, &platform::EditCombo::Change, this, &frmR02::ComboHI_Change);
    connect(ComboLO, &platform::EditCombo::Click, this, &frmR02::ComboLO_Click);
    connect(ComboHI, &platform::EditCombo::Click, this, &frmR02::ComboHI_Click);
}

void frmR02::Form_Load() {
    ++opening_;
    stats = ReadingStats();
    Label5->setText(Module1::state().UserName);
    for (int n = 0; n <= 24; ++n) {
        ComboLO->addItem(QString::number(n));
        ComboHI->addItem(QString::number(n));
    }
    // Adding items must not replace the texts the boxes open with.
    ComboLO->setEditText(QStringLiteral("0"));
    ComboHI->setEditText(QStringLiteral("24"));
    selectAll(Module1::state().readings, SelectionRule(), points);
    if (points.PointCount == 0)
        points.PointCount = 1;
    noData_ = points.PointCount == 1 && points.PtDay[1] == 0;
    if (noData_) {
        LabelError->setText(QStringLiteral("No data !"));
        switchPickersOff();
    } else {
        ShowStatistics();
        const int order = Module1::state().TimeFormat;
        if (order == 1 || order == 2)
            setPickersToSelection();
    }
    DrawChart();
}

std::optional<HourRange> frmR02::hourRange() const {
    const std::optional<int> lowest = wholeHour(ComboLO->text());
    const std::optional<int> highest = wholeHour(ComboHI->text());
    if (!lowest || !highest)
        return std::nullopt;
    return HourRange{*lowest, *highest};
}

// An hour box being edited (empty, or a word) keeps the selection shown;
// so does every change while the user has no readings.
void frmR02::Reselect() {
    if (!isLoaded() || noData_ || !hourRange())
        return;
    SelectReadings();
    if (!showStatisticsAndWait())
        return;
    DrawChart();
}

void frmR02::SelectReadings() {
    if (DTPicker1->date() > DTPicker2->date()) {
        LabelError->setText(kRangeError);
        if (points.PointCount != 0)
            setPickersToSelection();
        return;
    }
    const std::optional<HourRange> hours = hourRange();
    if (!hours)
        return;
    if (hours->highest < hours->lowest) {
        LabelError->setText(kRangeError);
        ComboLO->setText(QStringLiteral("0"));  // runs ComboLO_Change at once when it changes
        return;
    }
    selectRange(Module1::state().readings, SelectionRule{false, hours}, DTPicker1->date(),
                DTPicker2->date(), points);
    if (points.PointCount == 0)
        DrawEmptyChart();
}

void frmR02::ShowStatistics() {
    showStatisticsAndWait();
}

// The range message stays for one second while other events run; when the
// window was closed, opened anew or the program is ending meanwhile, the
// waiting event ends there.
bool frmR02::showStatisticsAndWait() {
    showStatisticsLabels();
    if (LabelError->text() != kRangeError)
        return true;
    const int opening = opening_;
    Module1::WaitSeconds(1);
    if (opening != opening_ || !isLoaded() || QCoreApplication::closingDown())
        return false;
    LabelError->setText(QString());
    return true;
}
