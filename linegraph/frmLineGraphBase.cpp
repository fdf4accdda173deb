#include "linegraph/frmLineGraphBase.h"

#include <QCoreApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "app/Module1.h"
#include "linegraph/ReadingSelection.h"
#include "linegraph/ReadingTip.h"
#include "platform/DesignControls.h"
#include "platform/Twips.h"

using platform::placeTwips;

namespace {

constexpr int kChartTop = 1200;
const QString kNoTip = QStringLiteral("None Data");

QLabel* label(const QString& text, QWidget* parent, double points = 12, bool bold = false,
              const QString& family = QStringLiteral("Arial")) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    l->setFont(font);
    return l;
}

// A text box: a label painted on its own background.
QLabel* textBox(const QString& text, QWidget* parent, const QColor& textColour,
                const QColor& background, double points = 9, bool bold = false) {
    QLabel* box = label(text, parent, points, bold);
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, textColour);
    palette.setColor(QPalette::Window, background);
    box->setPalette(palette);
    box->setAutoFillBackground(background.isValid());
    return box;
}

void moveTwips(QWidget* w, double left, double top) {
    w->move(qRound(left / platform::kTwipsPerPixel), qRound(top / platform::kTwipsPerPixel));
}

void setTopTwips(QWidget* w, int top) {
    moveTwips(w, platform::pixelsToTwips(w->x()), top);
}

}  // namespace

LineGraphDesign graphDesign(GraphKind kind, GlucoseUnit unit) {
    const bool mmol = unit == GlucoseUnit::MmolL;
    if (kind == GraphKind::PostMeal)
        return {unit, 1920, 1920, 3720, 1335, 3360, QStringLiteral("PC Datas covered :"),
                mmol ? 2415 : 2295, mmol ? 2880 : 2760, 6240, 8400, 9600, mmol ? 1860 : 2100};
    return {unit, mmol ? 1920 : 1800, 1800, 3240, 1215, 3000, QStringLiteral("Datas covered :"),
            mmol ? 2415 : 2295, mmol ? 2880 : 2280, 7200, 8880, 9720, mmol ? 2100 : 2220};
}

QWidget* frmLineGraphBase::CreateControls() {
    ++opening_;
    lastPointer_.reset();
    auto* page = new QWidget;
    page->setWindowTitle(QStringLiteral("Line Graph"));
    page->resize(platform::twipsToPixels(10695), platform::twipsToPixels(6810));
    createHeader(page);
    createStatistics(page);
    createOwnControls(page);
    createChart(page);
    createChartCaptions(page);
    createDateRow(page);
    return page;
}

void frmLineGraphBase::createHeader(QWidget* page) {
    Label1 = label(QStringLiteral("ID :"), page);
    placeTwips(Label1, 240, 120, 1575, 375);
    Label5 = label(QStringLiteral("Name Not Yet Assigned"), page);
    placeTwips(Label5, design_.label5Left, 120, 2895, 375);
    Label3 = label(QStringLiteral("Report's date :"), page);
    placeTwips(Label3, 240, 480, 1575, 375);
    DTPicker1 = new platform::DatePicker(page);
    placeTwips(DTPicker1, design_.picker1Left, 480, design_.pickerWidth, 375);
    Label15 = label(QStringLiteral(" ~"), page);
    placeTwips(Label15, design_.label15Left, 480, 255, 375);
    DTPicker2 = new platform::DatePicker(page);
    placeTwips(DTPicker2, design_.picker2Left, 480, design_.pickerWidth, 375);
    connect(DTPicker1, &platform::DatePicker::Change, this, &frmLineGraphBase::DTPicker1_Change);
    connect(DTPicker2, &platform::DatePicker::Change, this, &frmLineGraphBase::DTPicker2_Change);
}

void frmLineGraphBase::createStatistics(QWidget* page) {
    Label4 = label(design_.countCaption, page);
    placeTwips(Label4, 240, 840, design_.label4Width, 375);
    Label2 = label(QStringLiteral("- -"), page);
    // Wide enough for the largest count, 10000.
    placeTwips(Label2, design_.label2Left, 840, 735, 375);
    platform::newStatisticsRows(page,
                                {{&Label7, &Label8, &Label9},
                                 {&Label12, &Label13, &Label14},
                                 {&Label6, &Label10, &Label11}},
                                {design_.captionsLeft, design_.valuesLeft, design_.unitsLeft, 735, 855},
                                unitText(design_.unit));
    for (QLabel* l : {Label7, Label8, Label9, Label12, Label13, Label14, Label6, Label10, Label11})
        l->setFont(Label4->font());
}

void frmLineGraphBase::createChart(QWidget* page) {
    MSChart1 = new platform::ChartControl(page);
    placeTwips(MSChart1, 0, kChartTop, 10695, 5415);
    const PlotGeometry plot = plotGeometry(design_.unit);
    MSChart1->setPlotAreaTwips(plot.left, PlotGeometry::kTop, plot.left + plot.width,
                               PlotGeometry::kBottom);
    if (design_.unit == GlucoseUnit::MmolL)
        MSChart1->setValueAxis(0, 35, 7);
    else
        MSChart1->setValueAxis(0, 600, 15);
    MSChart1->setValueAxisTitle(QStringLiteral("Glucose"));
    MSChart1->setSeriesColors({QColor(255, 0, 0), QColor(128, 0, 128), QColor(10, 128, 10),
                               QColor(255, 0, 255)});
    connect(MSChart1, &platform::ChartControl::MouseMove, this,
            &frmLineGraphBase::MSChart1_MouseMove);
}

void frmLineGraphBase::createChartCaptions(QWidget* page) {
    const bool mmol = design_.unit == GlucoseUnit::MmolL;
    const QColor none;
    Text7 = textBox(unitText(design_.unit), page, Qt::black, none, 9.75, true);
    placeTwips(Text7, 120, mmol ? 1200 : 1150, 735, mmol ? 195 : 255);
    // Both captions stand left of the value axis's labels, so that neither
    // covers the other: the mmol/L plot starts further left than the mg/dL one.
    HIGH = textBox(QStringLiteral("High"), page, QColor(255, 0, 0), none, 7.5);
    placeTwips(HIGH, 360, 1440, 375, mmol ? 225 : 300);
    LOW = textBox(mmol ? QStringLiteral("Low--") : QStringLiteral("Low"), page, QColor(255, 0, 0),
                  none, 7.5);
    placeTwips(LOW, 360, mmol ? 5400 : 5520, mmol ? 375 : 315, 180);
    Text4 = textBox(kNoTip, page, Qt::black, QColor(192, 255, 192), 8.25);
    placeTwips(Text4, 1125, 1200, design_.text4Width, 255);
    Text3 = textBox(QStringLiteral(" Y"), page, QColor(255, 0, 255), none);
    placeTwips(Text3, 1050, 1380, 255, 180);
}

void frmLineGraphBase::createDateRow(QWidget* page) {
    Text2 = textBox(QString(), page, Qt::black, Qt::white, 9, true);
    placeTwips(Text2, 1080, 5700, 9375, 435);
    // The labels stand 360 twips apart: a font small enough that "12/31"
    // keeps clear of its neighbours, written at the top of the box, above
    // the scroll bar.
    for (int k = 0; k < kDateLabels; ++k) {
        X[k] = textBox(QStringLiteral("--/--"), page, QColor(0, 0, 192), Qt::white, 6);
        X[k]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        placeTwips(X[k], 1080 + 360 * k, 5760, 375, 375);
    }
    HScroll1 = new platform::HScrollBar(page);
    placeTwips(HScroll1, 1080, 6000, 9375, 135);
    HScroll1->hide();
    connect(HScroll1, &platform::HScrollBar::Change, this, &frmLineGraphBase::HScroll1_Change);
    connect(HScroll1, &platform::HScrollBar::Scroll, this, &frmLineGraphBase::HScroll1_Scroll);
    Text1 = textBox(QStringLiteral("Date"), page, Qt::black, Qt::white, 12, true);
    placeTwips(Text1, 5760, 6360, 2535, 330);
    Text5 = textBox(QStringLiteral("month/day"), page, Qt::black, QColor(), 9.75, true);
    placeTwips(Text5, 9240, 6240, 1095, 315);
}

bool frmLineGraphBase::stillOpen(int opening) const {
    return opening == opening_ && isLoaded() && !QCoreApplication::closingDown();
}

ChartSettings frmLineGraphBase::chartSettings() const {
    const Module1::State& s = Module1::state();
    return {design_.unit, s.LimitMax, s.LimitMin, s.TimeFormat};
}

bool frmLineGraphBase::openWithReadings(const SelectionRule& rule) {
    stats = ReadingStats();
    Label5->setText(Module1::state().UserName);
    selectAll(Module1::state().readings, rule, points);
    if (points.PointCount == 0)
        points.PointCount = 1;
    return !hasNoReadings(points);
}

void frmLineGraphBase::showOpeningRange() {
    ShowStatistics();
    const int order = Module1::state().TimeFormat;
    if (order == 1 || order == 2)
        setPickersToSelection();
}

void frmLineGraphBase::DrawChart() {
    if (!isLoaded())
        return;
    if (points.PointCount <= kWindowRows)
        HScroll1->hide();
    const ChartDrawing drawing = planChart(points, chartSettings());
    if (drawing.rows == 0)
        return;
    RowsShown = drawing.rows;
    if (drawing.windowStart >= 0) {
        WindowStart = drawing.windowStart;
        HScroll1->show();
        // Either write may move the value and redraw the same window at once.
        HScroll1->setMaximum(WindowStart);
        HScroll1->setValue(WindowStart);
    }
    if (chartMovesFootStrip(drawing.rows)) {
        setTopTwips(Text2, std::max(5580, topClearOfReadings()));
        setTopTwips(LOW, 5280);
    }
    showLabels(drawing.rows, drawing.windowStart >= 0 ? WindowStart : 0);
    showChartData(drawing.table);
}

// The highest top, in twips, at which a box leaves every reading of the
// chart whole, a reading of 0 on the plot's foot included.
int frmLineGraphBase::topClearOfReadings() const {
    return platform::pixelsToTwips(MSChart1->y() +
                                   int(std::ceil(MSChart1->seriesAreaPixels().bottom())));
}

void frmLineGraphBase::DrawEmptyChart() {
    if (!isLoaded())
        return;
    showLabels(kWindowRows, 0);
    showChartData(emptyTable(chartSettings()));
}

void frmLineGraphBase::ScrollChart() {
    if (!isLoaded())
        return;
    RowsShown = kWindowRows;
    const int start = HScroll1->value();
    showLabels(kWindowRows, start);
    showChartData(windowTable(points, start, chartSettings()));
}

// The tip forgets the reading it named and looks again where it stands:
// the reading now drawn there, or "None Data" over an empty column.
void frmLineGraphBase::showChartData(const platform::ChartTable& table) {
    MSChart1->setChartData(table);
    Text4->setText(kNoTip);
    platform::widenToFit(Text4, design_.text4Width);
    if (lastPointer_)
        tipAt(static_cast<float>(lastPointer_->x()), static_cast<float>(lastPointer_->y()));
}

void frmLineGraphBase::showLabels(int rows, int start) {
    QStringList texts = dateLabelTexts();
    writeDateLabels(texts, points, rows, start, Module1::state().TimeFormat);
    setDateLabelTexts(texts);
}

void frmLineGraphBase::ClearEmptyDateLabels() {
    QStringList texts = dateLabelTexts();
    clearEmptyDateLabels(texts);
    setDateLabelTexts(texts);
}

QStringList frmLineGraphBase::dateLabelTexts() const {
    QStringList texts;
    for (const QLabel* x : X)
        texts << x->text();
    return texts;
}

void frmLineGraphBase::setDateLabelTexts(const QStringList& texts) {
    for (int k = 0; k < kDateLabels && k < texts.size(); ++k)
        X[k]->setText(texts[k]);
}

void frmLineGraphBase::MSChart1_MouseMove(qint16, qint16, float x, float y) {
    if (!isLoaded())
        return;
    lastPointer_ = QPointF(x, y);
    tipAt(x, y);
}

void frmLineGraphBase::tipAt(float x, float y) {
    const TipInput input{RowsShown, HScroll1->value(), Module1::state().TimeFormat, design_.unit};
    const TipUpdate update = readingTip(points, input, x, y);
    if (update.visible)
        Text4->setVisible(*update.visible);
    if (update.text) {
        Text4->setText(*update.text);
        platform::widenToFit(Text4, design_.text4Width);
    }
    if (update.marker)
        Text3->setText(*update.marker);
    if (update.top)
        moveTwips(Text4, platform::pixelsToTwips(Text4->x()), *update.top);
    if (update.tipLeft)
        moveTwips(Text4, *update.tipLeft, platform::pixelsToTwips(Text4->y()));
    if (update.markerLeft)
        moveTwips(Text3, *update.markerLeft, platform::pixelsToTwips(Text3->y()));
}

void frmLineGraphBase::showStatisticsLabels() {
    stats = statsOf(&points.PtValue[1], points.PointCount);
    stats.countLoneZeroAsNone();
    const StatsTexts texts = statsTexts(stats, design_.unit);
    Label2->setText(texts.count);
    Label12->setText(texts.highest);
    Label13->setText(texts.lowest);
    Label14->setText(texts.average);
}

void frmLineGraphBase::setPickersToSelection() {
    pickerToRow(DTPicker1, 1);
    pickerToRow(DTPicker2, points.PointCount);
}

// A reading without a calendar day leaves the picker on the day it has.
void frmLineGraphBase::pickerToRow(platform::DatePicker* picker, int row) {
    if (!points.holds(row))
        return;
    picker->setDateText(
        pickerDateText(points.PtYear[row], points.PtMonth[row], points.PtDay[row]));
}

void frmLineGraphBase::switchPickersOff() {
    DTPicker1->setEnabled(false);
    DTPicker2->setEnabled(false);
}
