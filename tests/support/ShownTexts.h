#pragma once
// What a page shows as text, and where (pixels of the page): every visible
// label, text box, picker, combo box and chart text, with the room its box
// gives it and what its letters cover.
#include <QImage>
#include <QList>
#include <QRectF>
#include <QWidget>

struct ShownText {
    QWidget* widget = nullptr;  // the page's control; the chart for its own texts
    QString text;
    QRectF room, ink;
    bool fits() const { return room.adjusted(-0.5, -0.5, 0.5, 0.5).contains(ink); }
};
QList<ShownText> shownTexts(QWidget* page);

// What `w` hides of what lies under it: its box when it paints a
// background, else its letters.
QRectF coverOf(QWidget* w);
// Whether `upper` is painted after its sibling `lower`, so over it.
bool paintedAbove(const QWidget* upper, const QWidget* lower);

int pixelsOfColour(const QImage& image, const QRect& area, const QColor& colour);
