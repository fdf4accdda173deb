#include "shell/LastWindowWatch.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

LastWindowWatch::LastWindowWatch(std::function<void()> onLastWindowGone, QObject* parent)
    : QObject(parent), onLastWindowGone_(std::move(onLastWindowGone)) {
    qApp->installEventFilter(this);
}

bool LastWindowWatch::anyWindowVisible() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w->isVisible() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop)
            return true;
    }
    return false;
}

bool LastWindowWatch::eventFilter(QObject* watched, QEvent* event) {
    // Every event of the program passes here, also those the web view sends
    // to objects of its own, built without type information; only a hide is
    // looked at, and only then is the receiver asked what it is.
    if (event->type() != QEvent::Hide || checkPending_)
        return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->isWindow()) {
        // Look once the current handler is done: a handler that closes one
        // window and then opens the next leaves the program running.
        checkPending_ = true;
        QTimer::singleShot(0, this, &LastWindowWatch::check);
    }
    return QObject::eventFilter(watched, event);
}

void LastWindowWatch::check() {
    checkPending_ = false;
    if (!anyWindowVisible())
        onLastWindowGone_();
}
