#include "platform/TextInk.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>
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

// The contents less the margin and, on the side the text is aligned to, the
// indent; a framed label without an indent of its own keeps half an "x"
// clear of its frame.
QRectF textRoom(const QLabel* label) {
    const int m = label->margin();
    QRect room = label->contentsRect().adjusted(m, m, -m, -m);
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - m;
    if (indent > 0) {
        const Qt::Alignment a = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        room.adjust(a & Qt::AlignLeft ? indent : 0, a & Qt::AlignTop ? indent : 0,
                    a & Qt::AlignRight ? -indent : 0, a & Qt::AlignBottom ? -indent : 0);
    }
    return QRectF(room);
}

QStyleOptionFrame lineEditPanel(const QLineEdit* edit) {
    QStyleOptionFrame panel;
    panel.initFrom(edit);
    panel.rect = edit->rect();
    panel.lineWidth =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, edit) : 0;
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken;
    if (edit->isReadOnly())
        panel.state |= QStyle::State_ReadOnly;
    return panel;
}

// The contents of the edit's panel, less its text margins and the two
// pixels it keeps clear at either side of the text.
QRectF textRoom(const QLineEdit* edit) {
    constexpr int kClearAtEitherSide = 2;
    const QStyleOptionFrame panel = lineEditPanel(edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &panel, edit);
    return QRectF(contents.marginsRemoved(edit->textMargins()))
        .adjusted(kClearAtEitherSide, 0, -kClearAtEitherSide, 0);
}

namespace {

bool fitsAcross(const QFont& font, const QRectF& room, int flags, const QString& line) {
    const QRectF ink = textInk(font, room, flags, line);
    return ink.isEmpty() || (ink.left() >= room.left() - 0.5 && ink.right() <= room.right() + 0.5);
}

QString cutToFit(const QFont& font, const QRectF& room, int flags, const QString& text) {
    static const QString kCutMark = QStringLiteral("\u2026");
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (fitsAcross(font, room, flags, line))
            continue;
        line = QFontMetricsF(font).elidedText(line, Qt::ElideRight, room.width());
        if (!line.endsWith(kCutMark))
            line = kCutMark;  // not even the mark fits: it still shows that something is cut
    }
    return lines.join(QLatin1Char('\n'));
}

bool laidOutByQt(const QLabel* label) {
    const Qt::TextFormat format = label->textFormat();
    const bool rich = format == Qt::RichText || format == Qt::MarkdownText ||
                      (format == Qt::AutoText && Qt::mightBeRichText(label->text()));
    const bool selectable = label->textInteractionFlags() &
                            (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return rich || selectable || label->wordWrap() || label->buddy() || !label->pixmap().isNull();
}

}  // namespace

QString textShown(const QLabel* label) {
    if (label->text().isEmpty() || laidOutByQt(label))
        return label->text();
    return cutToFit(label->font(), textRoom(label), int(label->alignment()), label->text());
}

QString textShown(const QLineEdit* edit) {
    if (edit->displayText().isEmpty() || !edit->isReadOnly())
        return edit->displayText();
    return cutToFit(edit->font(), textRoom(edit), int(edit->alignment()), edit->displayText());
}

}  // namespace platform
