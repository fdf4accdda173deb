#pragma once
// Where a control writes its text, and what the letters of a text cover:
// across, the width the text advances; up and down, the glyphs themselves,
// so the room a font keeps above capitals and below the line is not ink,
// nor is the space a letter-spaced font adds after the last letter.
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStyleOptionFrame>

class QLabel;
class QLineEdit;

namespace platform {

// The ink of `text` written in `box` with `flags` (alignment, '\n' between lines).
QRectF textInk(const QFont& font, const QRectF& box, int flags, const QString& text);

// The room a label or a line edit gives its text, in its own pixels.
QRectF textRoom(const QLabel* label);
QRectF textRoom(const QLineEdit* edit);

// The edit's panel as the style draws it.
QStyleOptionFrame lineEditPanel(const QLineEdit* edit);

// What a label or a read-only text box shows of its text: the whole text
// when it fits across its room, else, line by line, as much as fits followed
// by "…". A label that wraps its words, lays out rich text or lets the
// user select it shows the text as Qt lays it out, and so does a box the user
// types in, which scrolls to the cursor instead.
QString textShown(const QLabel* label);
QString textShown(const QLineEdit* edit);

}  // namespace platform
