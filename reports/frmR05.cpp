#include "reports/frmR05.h"

#include "app/Module1.h"
#include "platform/DesignControls.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "reports/Histogram.h"
#include "reports/ReportReadings.h"

using platform::newLabel;

frmR05& frmR05::instance() {
    static frmR05* form = new frmR05;
    return *form;
}

QWidget* frmR05::CreateControls() {
    auto* page = new QWidget;
    page->setWindowTitle(QStringLiteral("Histogram"));
    page->resize(platform::twipsToPixels(10800), platform::twipsToPixels(6780));
    createLabels(page);
    createChart(page);
    return page;
}

void frmR05::createLabels(QWidget* page) {
    Label1 = newLabel(QStringLiteral("ID :"), page, 240, 120);
    Label5 = newLabel(QStringLiteral("Name Not Yet Assigned"), page, 1920, 120, 4200);
    Label3 = newLabel(QStringLiteral("Report's date :"), page, 240, 480);
    Label15 = newLabel(QStringLiteral("- - - -/ - - / - - ~ - - - - / - - / - -"), page, 1920, 480,
                       4200);
    Label4 = newLabel(QStringLiteral("Datas covered :"), page, 240, 840);
    Label2 = newLabel(QStringLiteral("- -"), page, 2040, 840, 1200);
    platform::newStatisticsRows(page,
                                {{&Label7, &Label8, &Label9},
                                 {&Label12, &Label13, &Label14},
                                 {&Label6, &Label10, &Label11}},
                                {6240, 8400, 9720, 1200, 960}, QStringLiteral("mg/dL"));
}

void frmR05::createChart(QWidget* page) {
    MSChart1 = new platform::ChartControl(page);
    platform::placeTwips(MSChart1, 0, 1200, 10695, 5475);
    MSChart1->setKind(platform::ChartControl::Kind::Bar);
    MSChart1->setValueAxisAutomatic();
    MSChart1->setCategoryAxisTitle(QStringLiteral("Glucose mg/dL"));
    MSChart1->setValueAxisTitle(QStringLiteral("# of Blood Glucose Readings"));
    MSChart1->setSeriesColors({QColor(0, 0, 255)});
    MSChart1->setRowLabelsShown(true);
    MSChart1->setPlotAreaTwips(1200, 360, 10400, 4200);
    // Stands over the category-axis title in mmol/L.
    Text2 = platform::newTextBox(QStringLiteral("Glucose mmol/L"), page, 4800, 6000, 2055, 495);
    QFont bold(QStringLiteral("Arial"), 12);
    bold.setBold(true);
    Text2->setFont(bold);
    Text2->setAlignment(Qt::AlignCenter);
    Text2->setVisible(false);
}

void frmR05::Form_Load() {
    const Module1::State& s = Module1::state();
    Label5->setText(s.UserName);
    const GlucoseUnit unit = reportUnit(s.GluUnit);
    Histogram histogram;
    // An empty table takes the same road as the placeholder row: there is
    // nothing to count or to average.
    if (hasNoReadings(s.readings)) {
        platform::MsgBox(kNoReadingsMessage);
    } else {
        histogram = countReadings(s.readings);
        showStatistics(histogram.stats);
    }
    showUnit();
    MSChart1->setChartData(histogramTable(histogram.counts, unit));
}

void frmR05::showStatistics(const ReadingStats& stats) {
    const Module1::State& s = Module1::state();
    const StatsTexts texts = statsTexts(stats, reportUnit(s.GluUnit));
    Label2->setText(texts.count);
    const QString span = dateSpanText(s.readings, s.TimeFormat);
    if (!span.isNull())
        Label15->setText(span);
    Label12->setText(texts.highest);
    Label13->setText(texts.lowest);
    Label14->setText(texts.average);
}

void frmR05::showUnit() {
    if (reportUnit(Module1::state().GluUnit) != GlucoseUnit::MmolL)
        return;
    // The box names the axis in mmol/L; the chart's own mg/dL title goes.
    Text2->setVisible(true);
    MSChart1->setCategoryAxisTitle(QString());
    for (QLabel* label : {Label6, Label10, Label11})
        label->setText(unitText(GlucoseUnit::MmolL));
}
