#include "platform/TextInk.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionFrame>
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

QRectF textRoom(const QLabel* label) {
    const int m = label->margin();
    return QRectF(label->contentsRect()).adjusted(m, m, -m, -m);
}

// The contents of the edit's panel, less its text margins and the two
// pixels it keeps clear at either side of the text.
QRectF textRoom(const QLineEdit* edit) {
    constexpr int kClearAtEitherSide = 2;
    QStyleOptionFrame panel;
    panel.initFrom(edit);
    panel.rect = edit->rect();
    panel.lineWidth =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, edit) : 0;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &panel, edit);
    return QRectF(contents.marginsRemoved(edit->textMargins()))
        .adjusted(kClearAtEitherSide, 0, -kClearAtEitherSide, 0);
}

}  // namespace platform
