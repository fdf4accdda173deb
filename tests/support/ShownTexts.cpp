#include "tests/support/ShownTexts.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "platform/ChartControl.h"
#include "platform/TextInk.h"

namespace {

template <typename Box>
ShownText textOf(QWidget* page, QWidget* control, const Box* box) {
    const QRectF room = platform::textRoom(box);
    const QRectF ink = platform::textInk(box->font(), room, int(box->alignment()), box->text());
    const QPointF at = box->mapTo(page, QPoint(0, 0));
    return {control, box->text(), room.translated(at), ink.translated(at)};
}

}  // namespace

QList<ShownText> shownTexts(QWidget* page) {
    QList<ShownText> out;
    for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(page))
            continue;
        const bool editBox = qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w);
        if (auto* label = qobject_cast<QLabel*>(w))
            out.append(textOf(page, w, label));
        else if (auto* edit = editBox ? w->findChild<QLineEdit*>() : qobject_cast<QLineEdit*>(w))
            out.append(textOf(page, w, edit));
        else if (auto* chart = qobject_cast<platform::ChartControl*>(w))
            for (const auto& t : chart->drawnTexts())
                out.append({chart, t.text, t.box.translated(chart->pos()), t.ink.translated(chart->pos())});
    }
    out.removeIf([](const ShownText& t) { return t.text.trimmed().isEmpty(); });
    return out;
}

QRectF coverOf(QWidget* w) {
    auto* label = qobject_cast<QLabel*>(w);
    if (!label || label->autoFillBackground())
        return w->geometry();
    return label->text().trimmed().isEmpty() ? QRectF() : textOf(w->parentWidget(), w, label).ink;
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
