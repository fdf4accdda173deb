#include "platform/ChartControl.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/Twips.h"

namespace platform {

ChartControl::ChartControl(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAutoFillBackground(true);
}

void ChartControl::setKind(Kind kind) {
    kind_ = kind;
    update();
}

void ChartControl::setValueAxis(double minimum, double maximum, int divisions) {
    automatic_ = false;
    minimum_ = minimum;
    maximum_ = maximum > minimum ? maximum : minimum + 1;
    divisions_ = divisions > 0 ? divisions : 1;
    update();
}

void ChartControl::setValueAxisAutomatic() {
    automatic_ = true;
    update();
}

double ChartControl::axisMinimum() const {
    return automatic_ ? 0 : minimum_;
}

double ChartControl::axisMaximum() const {
    return maximum_;
}

int ChartControl::axisDivisions() const {
    return divisions_;
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
    update();
}

void ChartControl::setChartData(const ChartTable& table) {
    data_ = table;
    update();
}

QRectF ChartControl::plotPixels() const {
    const QRect t = plotTwips_;
    return QRectF(t.left() / double(kTwipsPerPixel), t.top() / double(kTwipsPerPixel),
                  (t.right() - t.left()) / double(kTwipsPerPixel),
                  (t.bottom() - t.top()) / double(kTwipsPerPixel));
}

double ChartControl::columnCentrePixels(int row) const {
    const QRectF plot = plotPixels();
    const int rows = data_.rowCount() > 0 ? data_.rowCount() : 1;
    return plot.left() + (row - 0.5) * plot.width() / rows;
}

double ChartControl::valueYPixels(double value) const {
    const QRectF plot = plotPixels();
    const double span = axisMaximum() - axisMinimum();
    return plot.bottom() - (value - axisMinimum()) / span * plot.height();
}

QColor ChartControl::seriesColor(int series) const {
    return series >= 1 && series <= colors_.size() ? colors_[series - 1] : QColor(Qt::black);
}

void ChartControl::paintEvent(QPaintEvent*) {}

void ChartControl::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    emit MouseMove(static_cast<qint16>(event->buttons()), static_cast<qint16>(event->modifiers() >> 25),
                   static_cast<float>(pos.x() * kTwipsPerPixel),
                   static_cast<float>(pos.y() * kTwipsPerPixel));
}

void ChartControl::paintAxis(QPainter&, const QRectF&) const {}
void ChartControl::paintLines(QPainter&, const QRectF&) const {}
void ChartControl::paintBars(QPainter&, const QRectF&) const {}
void ChartControl::paintRowLabels(QPainter&, const QRectF&) const {}

}  // namespace platform
