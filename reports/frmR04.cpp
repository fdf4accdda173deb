#include "reports/frmR04.h"

#include <algorithm>
#include <cmath>

#include "app/Module1.h"
#include "platform/DesignControls.h"
#include "platform/MessageBox.h"
#include "platform/TextInk.h"
#include "platform/Twips.h"
#include "reports/ReportReadings.h"
#include "reports/StandardDay.h"

using platform::newLabel;
using platform::newTextBox;

namespace {

// Where the plot puts the hours of the day, in twips of the window: the
// hour marks below the chart are written in a fixed pitch of four characters
// to the hour, each centred under its hour.
constexpr double kMidnightTwips = 1160;
constexpr double kHourTwips = 9030 / 24.0;
constexpr double kPitchTwips = kHourTwips / 4;
constexpr double kTextOriginTwips = 30;  // a text box's text starts 2 pixels in
// The plot lies between the unit caption Text7 over its top left corner and
// the ruler under it (both in twips of the chart): the top value's label
// stands clear below the caption, and a reading of 0, dot and all, above
// the ruler.
constexpr int kPlotTopTwips = 540;
constexpr int kPlotBottomTwips = 4260;
constexpr int kRulerCharacters = 88;  // a bar and 87 underscores

QString hourMark(int hour) {
    if (hour % 12 != 0)
        return QString::number(hour % 12);
    return hour == 12 ? QStringLiteral("12P") : QStringLiteral("12A");
}

// The marks of hours `first` to `last` for a text box whose left edge is at
// `boxLeft` twips.
QString hourMarkLine(int boxLeft, int first, int last) {
    QString line;
    for (int hour = first; hour <= last; ++hour) {
        const QString mark = hourMark(hour);
        const double centre =
            (kMidnightTwips + hour * kHourTwips - boxLeft - kTextOriginTwips) / kPitchTwips;
        const int earliest = line.isEmpty() ? 0 : int(line.size()) + 1;
        const int start = std::max(int(std::lround(centre - mark.size() / 2.0)), earliest);
        line = line.leftJustified(start, QLatin1Char(' ')) + mark;
    }
    return line;
}

}  // namespace

frmR04& frmR04::instance() {
    static frmR04* form = new frmR04;
    return *form;
}

QWidget* frmR04::CreateControls() {
    auto* page = new QWidget;
    page->setWindowTitle(QStringLiteral("Standard Day"));
    page->resize(platform::twipsToPixels(10800), platform::twipsToPixels(6720));
    createHeader(page);
    createChart(page);
    createTimeAxis(page);
    connect(Combo4, &platform::EditCombo::Click, this, &frmR04::Combo4_Click);
    return page;
}

void frmR04::createHeader(QWidget* page) {
    Label1 = newLabel(QStringLiteral("ID :"), page, 240, 120);
    Label5 = newLabel(QStringLiteral("Name Not Yet Assigned"), page, 1920, 120, 4200);
    Label3 = newLabel(QStringLiteral("Report's date :"), page, 240, 480);
    // Only a pick from the list draws; typed text only stands in the box.
    Combo4 = new platform::EditCombo(page);
    Combo4->setEditText(QStringLiteral("Search"));
    platform::placeTwips(Combo4, 1920, 480, 2535, 300);
    Label4 = newLabel(QStringLiteral("Days covered :"), page, 240, 840);
    Label2 = newLabel(QStringLiteral("1"), page, 2040, 840, 600);
    Label19 = newLabel(QStringLiteral("Datas covered :"), page, 2760, 840);
    Label18 = newLabel(QStringLiteral("- -"), page, 4680, 840, 1200);
    platform::newStatisticsRows(page,
                                {{&Label7, &Label8, &Label9},
                                 {&Label12, &Label13, &Label14},
                                 {&Label6, &Label10, &Label11}},
                                {6240, 8400, 9720, 1200, 960}, QStringLiteral("mg/dL"));
}

void frmR04::createChart(QWidget* page) {
    MSChart1 = new platform::ChartControl(page);
    platform::placeTwips(MSChart1, 120, 1200, 10455, 5415);
    MSChart1->setKind(platform::ChartControl::Kind::Line);
    MSChart1->setValueAxisAutomatic();
    MSChart1->setValueAxisTitle(QStringLiteral("Glucose"));
    MSChart1->setSeriesColors({QColor(255, 0, 0), QColor(128, 0, 128), QColor(10, 128, 10)});
    // The day's 24 hours lie over the ruler and the hour marks below them.
    MSChart1->setPlotAreaTwips(int(kMidnightTwips) - 120, kPlotTopTwips,
                               int(kMidnightTwips) + 9030 - 120, kPlotBottomTwips);
    Text7 = newTextBox(QStringLiteral("mg/dL"), page, 120, 1320, 735, 315);
}

void frmR04::createTimeAxis(QWidget* page) {
    Text2 = newTextBox(QStringLiteral("|") + QString(87, QLatin1Char('_')), page, 1260, 5520,
                       9030, 540);
    Text2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text2->setFont(QFont(QStringLiteral("Monospace"), 8));
    // The ruler's characters fill its narrowest width, the mg/dL one.
    platform::setCharacterPitch(Text2, platform::textRoom(Text2).width() / kRulerCharacters);
    Text3 = newTextBox(hourMarkLine(1080, 0, 24), page, 1080, 5760, 9375, 255);
    Text4 = newTextBox(hourMarkLine(3240, 6, 7), page, 3240, 5760, 615, 180);
    Text5 = newTextBox(hourMarkLine(5520, 12, 13), page, 5520, 5760, 735, 180);
    Text6 = newTextBox(hourMarkLine(7800, 18, 19), page, 7800, 5760, 615, 180);
    const QColor colours[] = {Qt::blue, QColor(255, 128, 0), Qt::red, QColor(128, 0, 128)};
    QLineEdit* marks[] = {Text3, Text4, Text5, Text6};
    for (int i = 0; i < 4; ++i) {
        marks[i]->setFont(QFont(QStringLiteral("Monospace"), 7));
        marks[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        platform::setCharacterPitch(marks[i], kPitchTwips / platform::kTwipsPerPixel);
        platform::setTextColor(marks[i], colours[i]);
    }
    Text1 = newTextBox(QStringLiteral("Time of Day"), page, 5040, 6120, 2535, 330);
    Text8 = newTextBox(QStringLiteral("hr"), page, 9600, 6000, 735, 195);
}

void frmR04::placeRuler(int left, int width) {
    platform::placeTwips(Text2, left, 5520, width, 540);
}

void frmR04::Form_Load() {
    Module1::State& s = Module1::state();
    Label5->setText(s.UserName);
    if (hasNoReadings(s.readings)) {
        platform::MsgBox(kNoReadingsMessage);
        Combo4->setEnabled(false);
    }
    placeRuler(1265, 9030);
    const GlucoseUnit unit = reportUnit(s.GluUnit);
    if (unit == GlucoseUnit::MmolL) {
        placeRuler(1110, 9175);
        for (QLabel* label : {Label6, Label10, Label11})
            label->setText(unitText(unit));
        Text7->setText(unitText(unit));
    }
    Combo4->addItems(dayListEntries(s.readings, s.TimeFormat));
    Combo4->setEditText(QStringLiteral("Search"));
    MSChart1->setChartData(emptyDayTable(unit, s.LimitMax, s.LimitMin));
}

void frmR04::Combo4_Click() {
    DrawStandardDay();
}

void frmR04::DrawStandardDay() {
    const QString chosen = Combo4->currentText();
    if (chosen.isEmpty())
        return;
    const Module1::State& s = Module1::state();
    const GlucoseUnit unit = reportUnit(s.GluUnit);
    if (unit == GlucoseUnit::MmolL)
        placeRuler(1190, 9110);
    const StandardDay day = drawDay(s.readings, chosen, unit, s.LimitMax, s.LimitMin);
    if (day.stats.DataCount > 0) {
        const StatsTexts texts = statsTexts(day.stats, unit);
        Label5->setText(s.UserName);
        Label12->setText(texts.highest);
        Label13->setText(texts.lowest);
        Label14->setText(texts.average);
        Label18->setText(texts.count);
    }
    MSChart1->setChartData(day.table);
}
