#include "platform/CutTexts.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QToolTip>

#include "platform/TextInk.h"

namespace platform {

namespace {

// The label's frame, drawn as QFrame draws it.
void drawFrame(QLabel* label, QPainter& p) {
    if (label->frameShape() == QFrame::NoFrame)
        return;
    QStyleOptionFrame frame;
    frame.initFrom(label);
    frame.rect = label->frameRect();
    frame.frameShape = label->frameShape();
    const bool ownWidths = frame.frameShape == QFrame::Box || frame.frameShape == QFrame::HLine ||
                           frame.frameShape == QFrame::VLine || frame.frameShape == QFrame::Panel ||
                           frame.frameShape == QFrame::StyledPanel;
    frame.lineWidth = ownWidths ? label->lineWidth() : label->frameWidth();
    frame.midLineWidth = ownWidths ? label->midLineWidth() : 0;
    if (label->frameShadow() == QFrame::Sunken)
        frame.state |= QStyle::State_Sunken;
    else if (label->frameShadow() == QFrame::Raised)
        frame.state |= QStyle::State_Raised;
    label->style()->drawControl(QStyle::CE_ShapedFrame, &frame, &p, label);
}

void paintShown(QLabel* label, const QString& shown) {
    QPainter p(label);
    drawFrame(label, p);
    QStyleOption option;
    option.initFrom(label);
    const int flags = int(QStyle::visualAlignment(label->layoutDirection(), label->alignment())) |
                      (shown.isRightToLeft() ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight);
    label->style()->drawItemText(&p, textRoom(label).toRect(), flags, option.palette,
                                 label->isEnabled(), shown, label->foregroundRole());
}

// The text stands where the edit would write it: at the top, the foot or
// the middle of its room, one pixel clear of the top and the foot.
void paintShown(QLineEdit* edit, const QString& shown) {
    constexpr int kClearAboveAndBelow = 1;
    QPainter p(edit);
    const QStyleOptionFrame panel = lineEditPanel(edit);
    edit->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, edit);
    const QRect room = textRoom(edit).toRect();
    const int height = edit->fontMetrics().height();
    const Qt::Alignment align = QStyle::visualAlignment(edit->layoutDirection(), edit->alignment());
    int top = room.y() + (room.height() - height + 1) / 2;
    if (align & Qt::AlignTop)
        top = room.y() + kClearAboveAndBelow;
    else if (align & Qt::AlignBottom)
        top = room.bottom() + 1 - height - kClearAboveAndBelow;
    p.setClipRect(room);
    p.setPen(panel.palette.color(QPalette::Text));
    p.drawText(QRect(room.x(), top, room.width(), height),
               int(align & Qt::AlignHorizontal_Mask) | Qt::AlignTop, shown);
}

// The whole text for the tip, in lines no wider than half the screen, broken
// between words where it can be, so that a long text stays on the screen.
QString tipText(const QString& whole, const QWidget* box) {
    if (!box->screen())
        return whole;
    const qreal widest = box->screen()->availableGeometry().width() / 2.0;
    QTextLayout layout(whole, QToolTip::font());
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(widest);
        lines << whole.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

template <typename Box>
bool markIfCut(Box* box, const QString& whole, QEvent* event) {
    const QString shown = textShown(box);
    if (shown == whole)
        return false;
    if (event->type() == QEvent::ToolTip)
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tipText(whole, box), box,
                           box->rect());
    else
        paintShown(box, shown);
    return true;
}

class CutTextMarks : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint && event->type() != QEvent::ToolTip)
            return false;
        if (auto* label = qobject_cast<QLabel*>(watched))
            return markIfCut(label, label->text(), event);
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            return markIfCut(edit, edit->displayText(), event);
        return false;
    }
};

}  // namespace

void markCutTexts(QWidget* window) {
    static CutTextMarks* const marks = new CutTextMarks;
    for (QLabel* label : window->findChildren<QLabel*>())
        label->installEventFilter(marks);
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        edit->installEventFilter(marks);
}

}  // namespace platform
