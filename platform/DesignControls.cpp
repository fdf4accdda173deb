#include "platform/DesignControls.h"

#include <QFontMetricsF>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "platform/TextInk.h"
#include "platform/Twips.h"

namespace platform {

QLabel* newLabel(const QString& text, QWidget* parent, int left, int top, int width, int height) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    placeTwips(label, left, top, width, height);
    return label;
}

void newStatisticsRows(QWidget* parent, const StatisticsRows& rows, const StatisticsColumns& at,
                       const QString& unit) {
    static const char* const kCaptions[] = {"Highest value :", "Lowest value :", "Average :"};
    for (int i = 0; i < 3; ++i) {
        const int top = 120 + 360 * i;
        *rows.captions[i] = newLabel(QString::fromLatin1(kCaptions[i]), parent, at.captionsLeft, top);
        *rows.values[i] = newLabel(QStringLiteral("- - -"), parent, at.valuesLeft, top, at.valueWidth);
        *rows.units[i] = newLabel(unit, parent, at.unitsLeft, top, at.unitWidth);
    }
}

QLineEdit* newTextBox(const QString& text, QWidget* parent, int left, int top, int width,
                      int height) {
    auto* box = new QLineEdit(text, parent);
    box->setFrame(false);
    box->setReadOnly(true);
    box->setCursorPosition(0);
    placeTwips(box, left, top, width, height);
    return box;
}

void widenToFit(QLabel* label, int widthTwips) {
    const double needed = QFontMetricsF(label->font()).horizontalAdvance(label->text()) +
                          label->width() - textRoom(label).width();
    label->resize(std::max(twipsToPixels(widthTwips), int(std::ceil(needed))), label->height());
}

void setTextColor(QWidget* w, const QColor& color) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    w->setPalette(palette);
}

}  // namespace platform

namespace platform {

void setCharacterPitch(QWidget* w, double pixels) {
    QFont font = w->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const double natural = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    font.setLetterSpacing(QFont::AbsoluteSpacing, pixels - natural);
    w->setFont(font);
}

}  // namespace platform
