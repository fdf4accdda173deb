#pragma once
// The chart control: draws a whole ChartTable (see platform/core/ChartTable.h)
// as lines over equal columns or as bars, on a value axis that is either
// fixed or scaled to the data, and reports pointer moves in twips of the
// control. It prints as it shows, since it paints only in paintEvent.
#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

#include "platform/core/ChartAxis.h"
#include "platform/core/ChartGeometry.h"
#include "platform/core/ChartTable.h"

namespace platform {

class ChartControl : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Line, Bar };

    explicit ChartControl(QWidget* parent = nullptr);

    void setKind(Kind kind);
    Kind kind() const { return kind_; }

    // A fixed value axis: minimum at the bottom of the plot, maximum at the
    // top, with a grid line at each of `divisions` equal steps.
    void setValueAxis(double minimum, double maximum, int divisions);
    // A value axis from 0 to a round number at or above the largest point.
    void setValueAxisAutomatic();
    bool valueAxisAutomatic() const { return automatic_; }
    // The axis in effect for the data on hand (after any scaling).
    double axisMinimum() const;
    double axisMaximum() const;
    int axisDivisions() const;

    void setValueAxisTitle(const QString& title);
    void setCategoryAxisTitle(const QString& title);
    // One colour per series, in column order.
    void setSeriesColors(const QList<QColor>& colors);
    // Whether the row labels (column 1) are written under the columns.
    void setRowLabelsShown(bool shown);

    // The plot area in twips of the control. Row j of R lies in the column
    // from left + (j - 1) * w / R to left + j * w / R (w = right - left); a
    // line point stands at its centre. Without it the plot takes margins
    // from the control's size and font.
    void setPlotAreaTwips(int left, int top, int right, int bottom);
    QRect plotAreaTwips() const { return plotTwips_; }

    // Takes a copy of the table and redraws.
    void setChartData(const ChartTable& table);
    const ChartTable& chartData() const { return data_; }

    // The centre of row j and the height of a value, in pixels of the
    // control, as they are drawn.
    double columnCentrePixels(int row) const;
    double valueYPixels(double value) const;

    // Where the series may paint, in pixels of the control: the plot grown
    // by half a point's dot, so that a point on the frame shows whole.
    QRectF seriesAreaPixels() const;

    // A text the control writes: the axis labels, the row labels and the
    // titles. `box` is where it is laid out, `ink` what it covers, both in
    // pixels of the control; a vertical text is written bottom to top.
    struct DrawnText {
        QString text;
        QRectF box;
        QRectF ink;
        int flags = 0;
        bool vertical = false;
    };
    QList<DrawnText> drawnTexts() const;

signals:
    // Button state, shift state, then X and Y in twips of the control.
    void MouseMove(qint16 button, qint16 shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const ValueAxis& valueAxis() const;
    QRectF plotPixels() const;
    ChartGeometry geometry() const;
    QFont smallFont() const;
    void paintGrid(class QPainter& p, const QRectF& plot) const;
    void paintLines(class QPainter& p) const;
    void paintBars(class QPainter& p) const;
    void paintTexts(class QPainter& p) const;
    void addAxisLabels(QList<DrawnText>& texts, const QRectF& plot) const;
    void addRowLabels(QList<DrawnText>& texts, const QRectF& plot) const;
    void addTitles(QList<DrawnText>& texts, const QRectF& plot) const;
    QColor seriesColor(int series) const;
    // The series' values, row after row, NaN where a row has no point.
    const double* seriesValues(int series) const;
    void takeValues();

    Kind kind_ = Kind::Line;
    bool automatic_ = true;
    ValueAxis fixedAxis_;
    ValueAxis automaticAxis_;
    QString valueTitle_;
    QString categoryTitle_;
    QList<QColor> colors_;
    bool rowLabelsShown_ = false;
    bool plotAreaSet_ = false;
    QRect plotTwips_;
    ChartTable data_;
    QVector<double> values_;
    mutable LineShapes shapes_;  // reused by every paint
};

}  // namespace platform
