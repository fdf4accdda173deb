#include "platform/TextInk.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>

namespace platform {

QRectF textInk(const QFont& font, const QRectF& box, int flags, const QString& text) {
    const QFontMetricsF fm(font);
    QRectF laidOut = fm.boundingRect(box, flags, text);
    if (font.letterSpacingType() == QFont::AbsoluteSpacing && !(flags & Qt::AlignRight))
        laidOut.setWidth(std::max(0.0, laidOut.width() - std::max(0.0, font.letterSpacing())));
    const QStringList lines = text.split(QLatin1Char('\n'));
    QRectF ink;
    for (int i = 0; i < lines.size(); ++i) {
        const QRectF glyphs = fm.tightBoundingRect(lines[i]);
        if (glyphs.isEmpty())
            continue;
        const double baseline = laidOut.top() + i * fm.lineSpacing() + fm.ascent();
        ink |= QRectF(laidOut.left(), baseline + glyphs.top(), laidOut.width(), glyphs.height());
    }
    return ink;
}

}  // namespace platform
