#pragma once
// Where a control writes its text, and what the letters of a text cover:
// across, the width the text advances; up and down, the glyphs themselves,
// so the room a font keeps above capitals and below the line is not ink,
// nor is the space a letter-spaced font adds after the last letter.
#include <QFont>
#include <QRectF>
#include <QString>

class QLabel;
class QLineEdit;

namespace platform {

// The ink of `text` written in `box` with `flags` (alignment, '\n' between lines).
QRectF textInk(const QFont& font, const QRectF& box, int flags, const QString& text);

// The room a label or a line edit gives its text, in its own pixels.
QRectF textRoom(const QLabel* label);
QRectF textRoom(const QLineEdit* edit);

}  // namespace platform
