#pragma once
// What the line graph and the PC line graph windows share: the statistics
// labels, the two date pickers, the chart with its limit lines, the 26 date
// labels, the scroll bar over more than 150 readings and the reading tip.
// Each window adds how it selects readings and how it reports a refused
// range.
#include <QLabel>
#include <QPointF>
#include <array>
#include <optional>

#include "linegraph/ChartPlan.h"
#include "linegraph/GlucoseUnit.h"
#include "linegraph/PointTable.h"
#include "linegraph/ReadingSelection.h"
#include "linegraph/ReadingStats.h"
#include "platform/ChartControl.h"
#include "platform/DatePicker.h"
#include "platform/Form.h"
#include "platform/HScrollBar.h"

// Where the controls that differ between the four windows stand, in twips.
struct LineGraphDesign {
    GlucoseUnit unit;
    int label5Left;
    int picker1Left, picker2Left, pickerWidth, label15Left;
    QString countCaption;
    int label4Width, label2Left;
    int captionsLeft, valuesLeft, unitsLeft;
    int text4Width;
};

enum class GraphKind { AllReadings, PostMeal };
LineGraphDesign graphDesign(GraphKind kind, GlucoseUnit unit);

class frmLineGraphBase : public platform::Form {
    Q_OBJECT
public:
    bool isChildPage() const override { return true; }
    GlucoseUnit unit() const { return design_.unit; }

    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;
    platform::DatePicker* DTPicker1 = nullptr;
    QLabel* Label15 = nullptr;
    platform::DatePicker* DTPicker2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    platform::ChartControl* MSChart1 = nullptr;
    QLabel* Text7 = nullptr;
    QLabel* HIGH = nullptr;
    QLabel* LOW = nullptr;
    QLabel* Text4 = nullptr;
    QLabel* Text3 = nullptr;
    QLabel* Text2 = nullptr;
    std::array<QLabel*, kDateLabels> X{};  // X1 to X26
    platform::HScrollBar* HScroll1 = nullptr;
    QLabel* Text1 = nullptr;
    QLabel* Text5 = nullptr;

    // The window's own values; they outlive the controls.
    PointTable points;
    ReadingStats stats;
    int RowsShown = 0;
    int WindowStart = 0;

    void DrawChart();
    void DrawEmptyChart();
    void ScrollChart();
    void ClearEmptyDateLabels();
    void HScroll1_Change() { ScrollChart(); }
    void HScroll1_Scroll() { ScrollChart(); }
    void MSChart1_MouseMove(qint16 button, qint16 shift, float x, float y);
    virtual void ShowStatistics() = 0;
    virtual void DTPicker1_Change() = 0;
    virtual void DTPicker2_Change() = 0;

protected:
    explicit frmLineGraphBase(const LineGraphDesign& design) : design_(design) {}

    QWidget* CreateControls() override;
    // The controls a window has beyond the shared ones.
    virtual void createOwnControls(QWidget* page) { (void)page; }

    // True while the opening that `opening` names is still on screen: a
    // handler that waited with the event loop running ends when the window
    // was closed, opened anew or the program is ending meanwhile.
    int opening() const { return opening_; }
    bool stillOpen(int opening) const;

    ChartSettings chartSettings() const;
    // The opening's selection: every reading the rule admits, whatever its
    // date. False when there is none (a lone row of zeros is then shown).
    bool openWithReadings(const SelectionRule& rule);
    // Statistics of the opening's selection, pickers on its first and last day.
    void showOpeningRange();
    // Statistics of the selection, a lone reading of 0 counted as none.
    void showStatisticsLabels();
    // Both pickers on the days of the first and the last selected reading.
    void setPickersToSelection();
    void switchPickersOff();
    QStringList dateLabelTexts() const;
    void setDateLabelTexts(const QStringList& texts);

private:
    void createHeader(QWidget* page);
    void createStatistics(QWidget* page);
    void createChart(QWidget* page);
    void createChartCaptions(QWidget* page);
    void createDateRow(QWidget* page);
    void showLabels(int rows, int start);
    void pickerToRow(platform::DatePicker* picker, int row);
    int topClearOfReadings() const;
    // Every drawing goes through here, so that the tip never names a
    // reading the new chart no longer draws at its place.
    void showChartData(const platform::ChartTable& table);
    void tipAt(float x, float y);

    LineGraphDesign design_;
    int opening_ = 0;  // counts the openings, so a wait can tell it outlived its own
    // Where the last pointer move over the chart of this opening was, in
    // twips of the chart: where the tip and its marker stand.
    std::optional<QPointF> lastPointer_;
};
