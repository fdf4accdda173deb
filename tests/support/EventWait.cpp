#include "tests/support/EventWait.h"

#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace test_wait {

bool until(const std::function<bool()>& condition, int deadlineMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > deadlineMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

QMessageBox* shownMessageBox() {
    for (QWidget* w : QApplication::allWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    return nullptr;
}

WhenReady::WhenReady(std::function<bool()> ready, std::function<void()> act, const char* what,
                     int deadlineMs)
    : ready_(std::move(ready)), act_(std::move(act)), what_(what), deadlineMs_(deadlineMs) {
    clock_.start();
    QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
    poll_.start(10);
}

WhenReady::~WhenReady() {
    if (!acted_ && !failed_)
        ADD_FAILURE() << what_ << " never came";
}

void WhenReady::look() {
    if (ready_()) {
        poll_.stop();
        acted_ = true;
        act_();
    } else if (!failed_ && clock_.elapsed() > deadlineMs_) {
        failed_ = true;
        ADD_FAILURE() << what_ << " did not come within " << deadlineMs_ << " ms";
    }
}

MessageBoxWatch::MessageBoxWatch(std::function<void(QMessageBox&)> act, std::function<bool()> ready,
                                 int deadlineMs)
    : deadlineMs_(deadlineMs),
      watch_([ready] { return shownMessageBox() && ready(); },
             [this, act] {
                 const QPointer<QMessageBox> box = shownMessageBox();  // `act` may end it
                 act(*box);
                 closeIfStillOpen(box);
             },
             "a message box", deadlineMs) {}

void MessageBoxWatch::closeIfStillOpen(const QPointer<QMessageBox>& box) {
    QTimer::singleShot(deadlineMs_, &guard_, [box, ms = deadlineMs_] {
        if (!box || !box->isVisible())
            return;
        ADD_FAILURE() << "the message box \"" << box->text().toStdString()
                      << "\" was still open after " << ms << " ms; closed it";
        box->done(QMessageBox::Ok);
    });
}

}  // namespace test_wait
