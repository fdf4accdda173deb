#pragma once
// What a window shows a user as text, and where: every visible label, text
// box, picker, combo box and chart text of a page, with the room its box
// gives it and the rectangle its letters cover, in pixels of the page. Used
// to check that no text is cut by its box or covered by another control.
#include <QList>
#include <QRectF>
#include <QString>
#include <QWidget>

struct ShownText {
    QWidget* widget = nullptr;  // the control; the chart for the texts it draws
    QString text;
    QRectF room;  // where the box lets the text stand
    QRectF ink;   // what the letters cover
    bool fits() const;
};

// The texts of the page's direct children that are visible, with the
// texts drawn by each chart control.
QList<ShownText> shownTexts(QWidget* page);

// The part of the page that `w` hides of what lies under it: its whole box
// when it paints a background, else only its letters.
QRectF coverOf(QWidget* w);

// Whether `upper` is painted after `lower` (later sibling, so on top).
bool paintedAbove(const QWidget* upper, const QWidget* lower);

// Pixels of `image` within `area` whose colour is exactly `colour`.
int pixelsOfColour(const QImage& image, const QRect& area, const QColor& colour);
