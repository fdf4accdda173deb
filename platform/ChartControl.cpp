#include "platform/ChartControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/TextInk.h"
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

QRectF ChartControl::seriesAreaPixels() const {
    const double reach = kDotRadius + kLinePen / 2;
    return plotPixels().adjusted(-reach, -reach, reach, reach);
}

void ChartControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF plot = plotPixels();
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    p.setFont(smallFont());
    p.fillRect(plot, Qt::white);
    paintGrid(p, plot);
    p.save();
    // Values beyond the axis stand on the frame; a point or a line lying on
    // it shows whole.
    p.setClipRect(seriesAreaPixels());
    if (kind_ == Kind::Line)
        paintLines(p);
    else
        paintBars(p);
    p.restore();
    paintTexts(p);
}

void ChartControl::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    emit MouseMove(buttonState(event->buttons()), shiftState(event->modifiers()),
                   static_cast<float>(pos.x() * kTwipsPerPixel),
                   static_cast<float>(pos.y() * kTwipsPerPixel));
}

void ChartControl::paintGrid(QPainter& p, const QRectF& plot) const {
    const ChartGeometry g = geometry();
    const int gridStride = labelStride(2, plot.height() / g.axis.divisions);
    p.setPen(kGridColor);
    for (int i = gridStride; i < g.axis.divisions; i += gridStride) {
        const double y = g.valueY(g.axis.tickValue(i));
        p.drawLine(QLineF(plot.left(), y, plot.right(), y));
    }
    p.setPen(kFrameColor);
    p.drawRect(plot);
}

void ChartControl::paintLines(QPainter& p) const {
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

void ChartControl::paintBars(QPainter& p) const {
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

QList<ChartControl::DrawnText> ChartControl::drawnTexts() const {
    QList<DrawnText> texts;
    const QRectF plot = plotPixels();
    if (plot.width() <= 0 || plot.height() <= 0)
        return texts;
    addAxisLabels(texts, plot);
    if (rowLabelsShown_)
        addRowLabels(texts, plot);
    addTitles(texts, plot);
    const QFont font = smallFont();
    for (DrawnText& t : texts) {
        if (!t.vertical) {
            t.ink = textInk(font, t.box, t.flags, t.text);
            continue;
        }
        const QRectF along = textInk(font, QRectF(0, 0, t.box.height(), t.box.width()), t.flags, t.text);
        t.ink = QRectF(t.box.left() + along.top(), t.box.bottom() - along.right(), along.height(),
                       along.width());
    }
    return texts;
}

void ChartControl::paintTexts(QPainter& p) const {
    p.setPen(palette().color(QPalette::WindowText));
    for (const DrawnText& t : drawnTexts()) {
        if (!t.vertical) {
            p.drawText(t.box, t.flags, t.text);
            continue;
        }
        p.save();
        p.translate(t.box.left(), t.box.bottom());
        p.rotate(-90);
        p.drawText(QRectF(0, 0, t.box.height(), t.box.width()), t.flags, t.text);
        p.restore();
    }
}

void ChartControl::addAxisLabels(QList<DrawnText>& texts, const QRectF& plot) const {
    const ChartGeometry g = geometry();
    const double textHeight = QFontMetricsF(smallFont()).height();
    const int labelEvery = labelStride(textHeight, plot.height() / g.axis.divisions);
    const double labelWidth = plot.left() - 2 * kGap;
    for (int i = 0; i <= g.axis.divisions; i += labelEvery) {
        const double y = g.valueY(g.axis.tickValue(i));
        texts.append({axisLabelText(g.axis.tickValue(i)), QRectF(kGap, y - textHeight / 2, labelWidth, textHeight),
                      {}, int(Qt::AlignRight | Qt::AlignVCenter)});
    }
}

namespace {
// A label too wide for its column is written on two lines, broken after its
// dash: "10.1-11.6" becomes "10.1-" over "11.6".
QString fittedRowLabel(const QString& label, const QFontMetricsF& fm, double room) {
    const qsizetype dash = label.indexOf(QLatin1Char('-'), 1);
    if (fm.horizontalAdvance(label) <= room || dash < 0 || dash == label.size() - 1)
        return label;
    return label.left(dash + 1) + QLatin1Char('\n') + label.mid(dash + 1);
}

double widestLine(const QString& text, const QFontMetricsF& fm) {
    double widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}
}  // namespace

void ChartControl::addRowLabels(QList<DrawnText>& texts, const QRectF& plot) const {
    const ChartGeometry g = geometry();
    const QFontMetricsF fm(smallFont());
    QStringList labels;
    double widest = 0;
    for (int r = 1; r <= data_.rowCount(); ++r) {
        labels << fittedRowLabel(data_.rowLabel(r), fm, g.columnWidth() - kGap);
        widest = std::max(widest, widestLine(labels.back(), fm));
    }
    const int every = labelStride(widest + kGap, g.columnWidth());
    const double width = std::max(widest, g.columnWidth());
    for (int r = 1; r <= data_.rowCount(); r += every) {
        const int lines = int(labels[r - 1].count(QLatin1Char('\n'))) + 1;
        const QRectF box(g.columnCentre(r) - width / 2, plot.bottom() + kGap, width, lines * fm.height());
        texts.append({labels[r - 1], box, {}, int(Qt::AlignHCenter | Qt::AlignTop)});
    }
}

void ChartControl::addTitles(QList<DrawnText>& texts, const QRectF& plot) const {
    const double line = QFontMetricsF(smallFont()).height();
    if (!categoryTitle_.isEmpty()) {
        double top = plot.bottom() + kGap;
        for (const DrawnText& t : texts)  // under the row labels, when there are any
            if (t.box.top() >= plot.bottom())
                top = std::max(top, t.box.bottom() + kGap);
        texts.append({categoryTitle_, QRectF(plot.left(), top, plot.width(), line), {},
                      int(Qt::AlignHCenter | Qt::AlignTop)});
    }
    if (!valueTitle_.isEmpty())
        texts.append({valueTitle_, QRectF(kGap, plot.top(), line, plot.height()), {},
                      int(Qt::AlignCenter), true});
}

}  // namespace platform
