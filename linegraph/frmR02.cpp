#include "linegraph/frmR02.h"

#include "app/Module1.h"
#include "platform/Twips.h"

using platform::placeTwips;

namespace {

const QString kRangeError = QStringLiteral("Range of date Error!");

}  // namespace

frmR02& frmR02::instance() {
    return platform::singleForm<frmR02>();
}
frmR02unit& frmR02unit::instance() {
    return platform::singleForm<frmR02unit>();
}

frmR02::frmR02(GlucoseUnit unit) : frmLineGraphBase(graphDesign(GraphKind::AllReadings, unit)) {}
frmR02unit::frmR02unit() : frmR02(GlucoseUnit::MmolL) {}

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
    for (QComboBox* box : {ComboLO, ComboHI})
        box->setFont(QFont(QStringLiteral("Arial"), 9));
    ComboLO->setEditText(QStringLiteral("0"));
    ComboHI->setEditText(QStringLiteral("24"));
    connect(ComboLO, &platform::EditCombo::Change, this, &frmR02::ComboLO_Change);
    connect(ComboHI, &platform::EditCombo::Change, this, &frmR02::ComboHI_Change);
    connect(ComboLO, &platform::EditCombo::Click, this, &frmR02::ComboLO_Click);
    connect(ComboHI, &platform::EditCombo::Click, this, &frmR02::ComboHI_Click);
}

void frmR02::Form_Load() {
    for (int n = 0; n <= 24; ++n) {
        ComboLO->addItem(QString::number(n));
        ComboHI->addItem(QString::number(n));
    }
    // Adding items must not replace the texts the boxes open with.
    ComboLO->setEditText(QStringLiteral("0"));
    ComboHI->setEditText(QStringLiteral("24"));
    noData_ = !openWithReadings(SelectionRule());
    if (noData_) {
        LabelError->setText(QStringLiteral("No data !"));
        switchPickersOff();
    } else {
        showOpeningRange();
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
// so does every change while the user has no readings. A refused hour
// range runs a whole reselection (with its one-second wait) inside
// SelectReadings, during which the window may go.
void frmR02::Reselect() {
    if (!isLoaded() || noData_ || !hourRange())
        return;
    const int current = opening();
    SelectReadings();
    if (!stillOpen(current) || !showStatisticsAndWait())
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
    const int current = opening();
    Module1::WaitSeconds(1);
    if (!stillOpen(current))
        return false;
    LabelError->setText(QString());
    return true;
}
