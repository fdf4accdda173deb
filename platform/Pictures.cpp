#include "platform/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace platform {

namespace {

// Every picture is drawn on a 100 x 100 canvas and scaled to the size asked.
const QColor kInk(40, 60, 90);
const QColor kMeterBody(70, 110, 170);
const QColor kScreen(200, 230, 200);
const QColor kRed(200, 40, 40);
const QColor kPaper(250, 250, 245);
const QColor kLimit(230, 140, 30);

void drawMeter(QPainter& p, const QRectF& body) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(kMeterBody);
    p.drawRoundedRect(body, 12, 12);
    const QRectF screen(body.left() + body.width() * 0.15, body.top() + body.height() * 0.12,
                        body.width() * 0.7, body.height() * 0.38);
    p.setBrush(kScreen);
    p.drawRoundedRect(screen, 4, 4);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(qMax(6, int(screen.height() * 0.55)));
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(screen, Qt::AlignCenter, QStringLiteral("120"));
    p.setBrush(kPaper);
    const qreal r = body.width() * 0.1;
    p.drawEllipse(QPointF(body.center().x() - r * 1.4, body.bottom() - body.height() * 0.25), r, r);
    p.drawEllipse(QPointF(body.center().x() + r * 1.4, body.bottom() - body.height() * 0.25), r, r);
}

void drawStrip(QPainter& p, const QRectF& strip) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRect(strip);
    p.setBrush(QColor(220, 200, 60));
    p.drawRect(QRectF(strip.left(), strip.top(), strip.width(), strip.height() * 0.25));
}

void drawProduct(QPainter& p) {
    drawStrip(p, QRectF(42, 2, 16, 26));
    drawMeter(p, QRectF(20, 22, 60, 76));
}

void drawArrowDown(QPainter& p, const QPointF& tip, qreal size) {
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip.x() - size, tip.y() - size);
    arrow.lineTo(tip.x() - size / 2, tip.y() - size);
    arrow.lineTo(tip.x() - size / 2, tip.y() - size * 2);
    arrow.lineTo(tip.x() + size / 2, tip.y() - size * 2);
    arrow.lineTo(tip.x() + size / 2, tip.y() - size);
    arrow.lineTo(tip.x() + size, tip.y() - size);
    arrow.closeSubpath();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(60, 170, 80));
    p.drawPath(arrow);
}

void drawComputer(QPainter& p, const QRectF& screen) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(180, 200, 230));
    p.drawRect(screen);
    p.setBrush(kInk);
    p.drawRect(QRectF(screen.center().x() - 6, screen.bottom(), 12, 6));
    p.drawRect(QRectF(screen.center().x() - 16, screen.bottom() + 6, 32, 4));
}

void drawDownload(QPainter& p) {
    drawMeter(p, QRectF(4, 4, 40, 52));
    drawComputer(p, QRectF(46, 50, 50, 36));
    drawArrowDown(p, QPointF(71, 46), 14);
}

void drawSheet(QPainter& p) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 6, 84, 88));
}

void drawLimitLines(QPainter& p, qreal left, qreal right) {
    p.setPen(QPen(kLimit, 2, Qt::DashLine));
    p.drawLine(QPointF(left, 30), QPointF(right, 30));
    p.drawLine(QPointF(left, 74), QPointF(right, 74));
}

void drawLine(QPainter& p) {
    static const QPointF points[] = {{16, 62}, {28, 40}, {40, 55}, {52, 34},
                                     {64, 60}, {76, 46}, {86, 52}};
    p.setPen(QPen(QColor(30, 90, 200), 3));
    p.drawPolyline(points, 7);
    p.setBrush(QColor(30, 90, 200));
    for (const QPointF& pt : points)
        p.drawEllipse(pt, 2.5, 2.5);
}

void drawReports(QPainter& p) {
    drawSheet(p);
    drawLimitLines(p, 14, 86);
    drawLine(p);
}

void drawLineGraph(QPainter& p) {
    drawSheet(p);
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(14, 14), QPointF(14, 86));
    p.drawLine(QPointF(14, 86), QPointF(88, 86));
    drawLimitLines(p, 14, 88);
    drawLine(p);
}

void drawDataList(QPainter& p) {
    drawSheet(p);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(180, 200, 230));
    p.drawRect(QRectF(14, 14, 72, 12));
    for (int row = 0; row < 5; ++row)
        p.drawLine(QPointF(14, 38 + row * 11), QPointF(86, 38 + row * 11));
    p.drawLine(QPointF(38, 14), QPointF(38, 82));
    p.drawLine(QPointF(62, 14), QPointF(62, 82));
}

void drawStandardDay(QPainter& p) {
    drawSheet(p);
    drawLimitLines(p, 14, 86);
    static const QPointF points[] = {{18, 50}, {26, 66}, {34, 40}, {46, 58}, {54, 24},
                                     {62, 46}, {70, 70}, {78, 36}, {84, 52}};
    p.setPen(QPen(QColor(30, 90, 200), 1));
    p.setBrush(QColor(30, 90, 200));
    for (const QPointF& pt : points)
        p.drawEllipse(pt, 3.5, 3.5);
}

void drawHistogram(QPainter& p) {
    drawSheet(p);
    static const int heights[] = {14, 30, 52, 64, 40, 22, 10};
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(60, 170, 80));
    for (int i = 0; i < 7; ++i)
        p.drawRect(QRectF(16 + i * 10, 86 - heights[i], 8, heights[i]));
}

void drawDrop(QPainter& p) {
    drawStrip(p, QRectF(30, 64, 40, 30));
    QPainterPath drop;
    drop.moveTo(50, 6);
    drop.cubicTo(78, 44, 72, 62, 50, 62);
    drop.cubicTo(28, 62, 22, 44, 50, 6);
    p.setPen(QPen(QColor(120, 20, 20), 2));
    p.setBrush(kRed);
    p.drawPath(drop);
}

void drawHome(QPainter& p) {
    QPainterPath roof;
    roof.moveTo(50, 8);
    roof.lineTo(92, 46);
    roof.lineTo(8, 46);
    roof.closeSubpath();
    p.setPen(QPen(kInk, 3));
    p.setBrush(kRed);
    p.drawPath(roof);
    p.setBrush(kPaper);
    p.drawRect(QRectF(20, 46, 60, 46));
    p.setBrush(kMeterBody);
    p.drawRect(QRectF(42, 62, 16, 30));
}

void drawSettings(QPainter& p) {
    p.setPen(QPen(kInk, 3));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(10, 10, 80, 80), 8, 8);
    for (int i = 0; i < 3; ++i) {
        const qreal y = 28 + i * 22;
        p.drawLine(QPointF(20, y), QPointF(80, y));
        p.setBrush(kMeterBody);
        p.drawEllipse(QPointF(30 + i * 20, y), 7, 7);
    }
}

void drawMeterControl(QPainter& p) {
    drawMeter(p, QRectF(22, 4, 56, 72));
    p.setPen(QPen(kInk, 3));
    p.drawLine(QPointF(50, 76), QPointF(50, 96));
}

void drawPrinter(QPainter& p) {
    p.setPen(QPen(kInk, 3));
    p.setBrush(kPaper);
    p.drawRect(QRectF(26, 6, 48, 34));
    p.setBrush(QColor(150, 160, 175));
    p.drawRoundedRect(QRectF(8, 38, 84, 36), 6, 6);
    p.setBrush(kPaper);
    p.drawRect(QRectF(26, 62, 48, 32));
}

void drawOn(QPainter& p, Picture picture) {
    switch (picture) {
    case Picture::Product: return drawProduct(p);
    case Picture::Download: return drawDownload(p);
    case Picture::Reports: return drawReports(p);
    case Picture::Drop: return drawDrop(p);
    case Picture::DataList: return drawDataList(p);
    case Picture::StandardDay: return drawStandardDay(p);
    case Picture::LineGraph: return drawLineGraph(p);
    case Picture::Histogram: return drawHistogram(p);
    case Picture::Home: return drawHome(p);
    case Picture::Settings: return drawSettings(p);
    case Picture::MeterControl: return drawMeterControl(p);
    case Picture::Printer: return drawPrinter(p);
    }
}

}  // namespace

QPixmap drawPicture(Picture picture, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / 100.0, size.height() / 100.0);
    drawOn(p, picture);
    return pixmap;
}

QIcon pictureIcon(Picture picture) {
    QIcon icon;
    icon.addPixmap(drawPicture(picture, QSize(24, 24)));
    icon.addPixmap(drawPicture(picture, QSize(48, 48)));
    return icon;
}

QIcon productIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64})
        icon.addPixmap(drawPicture(Picture::Product, QSize(side, side)));
    return icon;
}

}  // namespace platform
