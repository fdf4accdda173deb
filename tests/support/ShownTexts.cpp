#include "tests/support/ShownTexts.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "platform/ChartControl.h"
#include "platform/TextInk.h"

namespace {

constexpr double kRounding = 0.5;  // a box's edges lie on whole pixels

QRectF inPage(QWidget* page, QWidget* w, const QRectF& r) {
    return r.translated(w->mapTo(page, QPoint(0, 0)));
}

ShownText labelText(QWidget* page, QLabel* label) {
    const QRectF room = QRectF(label->contentsRect()).adjusted(label->margin(), label->margin(),
                                                              -label->margin(), -label->margin());
    const QRectF ink = platform::textInk(label->font(), room,
                                         int(label->alignment()), label->text());
    return {label, label->text(), inPage(page, label, room), inPage(page, label, ink)};
}

// Where a line edit writes its text: the contents of its panel, less its
// text margins and the two pixels it keeps clear at either side.
ShownText lineEditText(QWidget* page, QWidget* control, QLineEdit* edit) {
    QStyleOptionFrame panel;
    panel.initFrom(edit);
    panel.rect = edit->rect();
    panel.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                    &panel, edit)
                                       : 0;
    QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &panel, edit);
    contents = contents.marginsRemoved(edit->textMargins());
    const QRectF room = QRectF(contents).adjusted(2, 0, -2, 0);
    const QRectF ink =
        platform::textInk(edit->font(), room, int(edit->alignment()), edit->text());
    return {control, edit->text(), inPage(page, edit, room), inPage(page, edit, ink)};
}

void addChartTexts(QWidget* page, platform::ChartControl* chart, QList<ShownText>& out) {
    for (const platform::ChartControl::DrawnText& t : chart->drawnTexts())
        out.append({chart, t.text, inPage(page, chart, t.box), inPage(page, chart, t.ink)});
}

}  // namespace

bool ShownText::fits() const {
    return room.adjusted(-kRounding, -kRounding, kRounding, kRounding).contains(ink);
}

QList<ShownText> shownTexts(QWidget* page) {
    QList<ShownText> out;
    for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(page))
            continue;
        QLineEdit* edit = qobject_cast<QLineEdit*>(w);
        if (qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w))
            edit = w->findChild<QLineEdit*>();
        if (auto* label = qobject_cast<QLabel*>(w))
            out.append(labelText(page, label));
        else if (edit)
            out.append(lineEditText(page, w, edit));
        else if (auto* chart = qobject_cast<platform::ChartControl*>(w))
            addChartTexts(page, chart, out);
    }
    out.erase(std::remove_if(out.begin(), out.end(),
                             [](const ShownText& t) { return t.text.trimmed().isEmpty(); }),
              out.end());
    return out;
}

QRectF coverOf(QWidget* w) {
    auto* label = qobject_cast<QLabel*>(w);
    if (label && !label->autoFillBackground()) {
        if (label->text().trimmed().isEmpty())
            return {};
        return labelText(w->parentWidget(), label).ink;
    }
    return w->geometry();
}

bool paintedAbove(const QWidget* upper, const QWidget* lower) {
    const QObjectList& siblings = upper->parentWidget()->children();
    return siblings.indexOf(upper) > siblings.indexOf(lower);
}

int pixelsOfColour(const QImage& image, const QRect& area, const QColor& colour) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += QColor(image.pixel(x, y)) == colour;
    return n;
}
