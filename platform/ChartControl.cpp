#include "platform/ChartControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/Twips.h"

namespace platform {

namespace {
constexpr double kGap = 4;           // pixels between a label and what it names
constexpr double kLinePen = 2;       // width of a series line
constexpr double kDotRadius = 2.5;   // a point with no neighbour
constexpr int kMeasuredTicks = 50;   // tick labels measured for the margin
const QColor kGridColor(215, 215, 215);
const QColor kFrameColor(128, 128, 128);

// Every how many divisions (or columns) a label fits in `spacing` pixels.
int labelStride(double needed, double spacing) {
    constexpr double kNever = 1e6;  // beyond any row or division count, yet no overflow
    return spacing > 0 ? int(std::clamp(std::ceil(needed / spacing), 1.0, kNever)) : int(kNever);
}

// The shift state of the mouse event: 1 = Shift, 2 = Ctrl, 4 = Alt.
qint16 shiftState(Qt::KeyboardModifiers m) {
    return qint16((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                  (m & Qt::AltModifier ? 4 : 0));
}

// The button state: 1 = left, 2 = right, 4 = middle.
qint16 buttonState(Qt::MouseButtons b) {
    return qint16((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                  (b & Qt::MiddleButton ? 4 : 0));
}
}  // namespace

ChartControl::ChartControl(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAutoFillBackground(true);
    takeValues();
}

void ChartControl::setKind(Kind kind) {
    kind_ = kind;
    update();
}

void ChartControl::setValueAxis(double minimum, double maximum, int divisions) {
    automatic_ = false;
    fixedAxis_ = fixedValueAxis(minimum, maximum, divisions);
    update();
}

void ChartControl::setValueAxisAutomatic() {
    automatic_ = true;
    update();
}

const ValueAxis& ChartControl::valueAxis() const {
    return automatic_ ? automaticAxis_ : fixedAxis_;
}

double ChartControl::axisMinimum() const {
    return valueAxis().minimum;
}

double ChartControl::axisMaximum() const {
    return valueAxis().maximum;
}

int ChartControl::axisDivisions() const {
    return valueAxis().divisions;
}

void ChartControl::setValueAxisTitle(const QString& title) {
    valueTitle_ = title;
    update();
}

void ChartControl::setCategoryAxisTitle(const QString& title) {
    categoryTitle_ = title;
    update();
}

void ChartControl::setSeriesColors(const QList<QColor>& colors) {
    colors_ = colors;
    update();
}

void ChartControl::setRowLabelsShown(bool shown) {
    rowLabelsShown_ = shown;
    update();
}

void ChartControl::setPlotAreaTwips(int left, int top, int right, int bottom) {
    plotTwips_ = QRect(QPoint(left, top), QPoint(right, bottom));
    plotAreaSet_ = true;
    update();
}

void ChartControl::setChartData(const ChartTable& table) {
    data_ = table;
    takeValues();
    update();
}

void ChartControl::takeValues() {
    const int rows = data_.rowCount();
    values_.resize(data_.seriesCount() * rows);
    double largest = 0;
    bool wholeNumbers = true;
    for (int s = 1; s <= data_.seriesCount(); ++s) {
        for (int r = 1; r <= rows; ++r) {
            const std::optional<double> v = data_.point(r, s);
            values_[(s - 1) * rows + r - 1] = v ? *v : std::nan("");
            if (v) {
                largest = std::max(largest, *v);
                wholeNumbers = wholeNumbers && *v == std::floor(*v);
            }
        }
    }
    automaticAxis_ = automaticValueAxis(largest, wholeNumbers);
}

const double* ChartControl::seriesValues(int series) const {
    return values_.constData() + (series - 1) * data_.rowCount();
}

QFont ChartControl::smallFont() const {
    QFont f = font();
    f.setPointSizeF(7.5);
    return f;
}

QRectF ChartControl::plotPixels() const {
    if (plotAreaSet_) {
        const QRect t = plotTwips_;
        return QRectF(t.left() / double(kTwipsPerPixel), t.top() / double(kTwipsPerPixel),
                      (t.right() - t.left()) / double(kTwipsPerPixel),
                      (t.bottom() - t.top()) / double(kTwipsPerPixel));
    }
    const QFontMetricsF fm(smallFont());
    const ValueAxis& axis = valueAxis();
    double labelWidth = 0;
    for (int i = 0; i <= axis.divisions; i += std::max(1, axis.divisions / kMeasuredTicks))
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(axisLabelText(axis.tickValue(i))));
    const double line = fm.height() + kGap;
    const double left = 2 * kGap + labelWidth + (valueTitle_.isEmpty() ? 0 : line);
    const double top = line;
    const double bottom =
        line + (rowLabelsShown_ ? line : 0) + (categoryTitle_.isEmpty() ? 0 : line);
    return QRectF(left, top, std::max(0.0, width() - left - 3 * kGap),
                  std::max(0.0, height() - top - bottom));
}

ChartGeometry ChartControl::geometry() const {
    return ChartGeometry{plotPixels(), std::max(1, data_.rowCount()), valueAxis()};
}

double ChartControl::columnCentrePixels(int row) const {
    return geometry().columnCentre(row);
}

double ChartControl::valueYPixels(double value) const {
    return geometry().valueY(value);
}

QColor ChartControl::seriesColor(int series) const {
    return series >= 1 && series <= colors_.size() ? colors_[series - 1] : QColor(Qt::black);
}

void ChartControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF plot = plotPixels();
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    p.setFont(smallFont());
    p.fillRect(plot, Qt::white);
    paintAxis(p, plot);
    p.save();
    p.setClipRect(plot);
    if (kind_ == Kind::Line)
        paintLines(p, plot);
    else
        paintBars(p, plot);
    p.restore();
    if (rowLabelsShown_)
        paintRowLabels(p, plot);
    paintTitles(p, plot);
}

void ChartControl::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    emit MouseMove(buttonState(event->buttons()), shiftState(event->modifiers()),
                   static_cast<float>(pos.x() * kTwipsPerPixel),
                   static_cast<float>(pos.y() * kTwipsPerPixel));
}

void ChartControl::paintAxis(QPainter& p, const QRectF& plot) const {
    const ChartGeometry g = geometry();
    const double textHeight = p.fontMetrics().height();
    const double divisionPixels = plot.height() / g.axis.divisions;
    const int gridStride = labelStride(2, divisionPixels);
    const int labelEvery = labelStride(textHeight, divisionPixels);
    p.setPen(kGridColor);
    for (int i = gridStride; i < g.axis.divisions; i += gridStride) {
        const double y = g.valueY(g.axis.tickValue(i));
        p.drawLine(QLineF(plot.left(), y, plot.right(), y));
    }
    p.setPen(kFrameColor);
    p.drawRect(plot);
    p.setPen(palette().color(QPalette::WindowText));
    const double labelWidth = plot.left() - 2 * kGap;
    for (int i = 0; i <= g.axis.divisions; i += labelEvery) {
        const double y = g.valueY(g.axis.tickValue(i));
        p.drawText(QRectF(kGap, y - textHeight / 2, labelWidth, textHeight),
                   Qt::AlignRight | Qt::AlignVCenter, axisLabelText(g.axis.tickValue(i)));
    }
}

void ChartControl::paintLines(QPainter& p, const QRectF&) const {
    const ChartGeometry g = geometry();
    p.setRenderHint(QPainter::Antialiasing);
    for (int s = 1; s <= data_.seriesCount(); ++s) {
        buildLineShapes(g, seriesValues(s), shapes_);
        const QColor color = seriesColor(s);
        p.setPen(QPen(color, kLinePen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLines(shapes_.segments);
        p.setBrush(color);
        for (const QPointF& dot : shapes_.dots)
            p.drawEllipse(dot, kDotRadius, kDotRadius);
    }
}

void ChartControl::paintBars(QPainter& p, const QRectF&) const {
    const ChartGeometry g = geometry();
    const int series = data_.seriesCount();
    for (int s = 1; s <= series; ++s) {
        const double* values = seriesValues(s);
        for (int r = 1; r <= data_.rowCount(); ++r) {
            if (!std::isnan(values[r - 1]))
                p.fillRect(g.barRect(r, s, series, values[r - 1]), seriesColor(s));
        }
    }
}

void ChartControl::paintRowLabels(QPainter& p, const QRectF& plot) const {
    const ChartGeometry g = geometry();
    const QFontMetricsF fm(p.font());
    double widest = 0;
    for (int r = 1; r <= data_.rowCount(); ++r)
        widest = std::max(widest, fm.horizontalAdvance(data_.rowLabel(r)));
    const int every = labelStride(widest + kGap, g.columnWidth());
    p.setPen(palette().color(QPalette::WindowText));
    for (int r = 1; r <= data_.rowCount(); r += every) {
        const double width = std::max(widest, g.columnWidth());
        const QRectF box(g.columnCentre(r) - width / 2, plot.bottom() + kGap, width, fm.height());
        p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, data_.rowLabel(r));
    }
}

void ChartControl::paintTitles(QPainter& p, const QRectF& plot) const {
    const double line = p.fontMetrics().height();
    p.setPen(palette().color(QPalette::WindowText));
    if (!categoryTitle_.isEmpty()) {
        const double top = plot.bottom() + kGap + (rowLabelsShown_ ? line + kGap : 0);
        p.drawText(QRectF(plot.left(), top, plot.width(), line), Qt::AlignHCenter | Qt::AlignTop,
                   categoryTitle_);
    }
    if (!valueTitle_.isEmpty()) {
        p.save();
        p.translate(kGap, plot.center().y());
        p.rotate(-90);
        const QRectF along(-plot.height() / 2, 0, plot.height(), line);
        p.drawText(along, Qt::AlignCenter, valueTitle_);
        p.restore();
    }
}

}  // namespace platform
