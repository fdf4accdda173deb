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
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Hide && widget && widget->isWindow() && !checkPending_) {
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
