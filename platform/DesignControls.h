#pragma once
// Labels and text boxes made the way the report windows design them: at a
// position in twips, with a plain (not rich) text.
#include <QLabel>
#include <QLineEdit>
#include <QString>

namespace platform {

QLabel* newLabel(const QString& text, QWidget* parent, int left, int top, int width = 1800,
                 int height = 300);

// The three statistics rows every report shows: "Highest value :",
// "Lowest value :" and "Average :", each with its value ("- - -") and unit,
// one row every 360 twips from the top of 120.
struct StatisticsRows {
    QLabel** captions[3];
    QLabel** values[3];
    QLabel** units[3];
};
struct StatisticsColumns {
    int captionsLeft, valuesLeft, unitsLeft, valueWidth, unitWidth;
};
void newStatisticsRows(QWidget* parent, const StatisticsRows& rows, const StatisticsColumns& at,
                       const QString& unit);

// A text box laid over another control: no frame, read as it stands.
QLineEdit* newTextBox(const QString& text, QWidget* parent, int left, int top, int width,
                      int height);

// Widens a label, never below `widthTwips`, so that its text shows whole.
void widenToFit(QLabel* label, int widthTwips);

// Text colour of a label or a text box.
void setTextColor(QWidget* w, const QColor& color);

// Spaces the characters of the widget's font `pixels` apart, so that a line
// of text lines up with marks drawn beside it.
void setCharacterPitch(QWidget* w, double pixels);

}  // namespace platform
