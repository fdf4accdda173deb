#pragma once
// The rectangle that the letters of a text cover when it is written in
// `box` with `flags` (alignment, lines broken at '\n'): across, the width the
// text advances; up and down, the glyphs themselves, so the room a font keeps
// above capitals and below the line does not count as ink, nor does the
// space a letter-spaced font adds after the last letter.
#include <QFont>
#include <QRectF>
#include <QString>

namespace platform {

QRectF textInk(const QFont& font, const QRectF& box, int flags, const QString& text);

}  // namespace platform
