#pragma once
// The common look of the welcome and report menu pages: a white page with
// Arial texts.
#include <QLabel>
#include <QString>
#include <QWidget>

namespace PageStyle {

// A page with the caption and a design size in twips.
QWidget* newPage(const QString& caption, int widthTwips, int heightTwips);
QLabel* heading(const QString& text, QWidget* parent);
QLabel* text(const QString& text, QWidget* parent);       // wrapped body text
QLabel* caption(const QString& text, QWidget* parent);    // centred under a picture

}  // namespace PageStyle
