#pragma once
// Waiting for what the windows do on their timers and in their modal loops.
// Every wait has a deadline and fails the test when its condition never
// comes, so a broken window fails its test instead of hanging it, and a busy
// machine only makes a test slower, never wrong.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QMessageBox;

namespace test_wait {

// Far above any wait of the program (at most a few seconds); a wait whose
// condition holds ends at once.
constexpr int kDeadlineMs = 10000;

// Runs the event loop until `condition` holds; false when the deadline
// passed first.
bool until(const std::function<bool()>& condition, int deadlineMs = kDeadlineMs);

// The message box on screen, if any.
QMessageBox* shownMessageBox();

// Acts once, as soon as `ready` holds, from inside whatever event loop runs
// then (a modal box, a wait of seconds): it looks every 10 ms from the
// event loop. A test failure names `what` when it is not ready by the
// deadline or by the end of the watch; after the deadline it still acts, so
// a late box is closed and nothing hangs.
class WhenReady {
public:
    WhenReady(std::function<bool()> ready, std::function<void()> act, const char* what,
              int deadlineMs = kDeadlineMs);
    ~WhenReady();
    WhenReady(const WhenReady&) = delete;
    WhenReady& operator=(const WhenReady&) = delete;

private:
    void look();

    std::function<bool()> ready_;
    std::function<void()> act_;
    const char* what_;
    int deadlineMs_;
    QElapsedTimer clock_;
    QTimer poll_;
    bool acted_ = false;
    bool failed_ = false;
};

// Hands the message box to `act` once one is on screen and `ready` holds.
// A box that `act` leaves open is closed at the deadline, as a failure.
class MessageBoxWatch {
public:
    explicit MessageBoxWatch(std::function<void(QMessageBox&)> act,
                             std::function<bool()> ready = [] { return true; },
                             int deadlineMs = kDeadlineMs);

private:
    void closeIfStillOpen(const QPointer<QMessageBox>& box);

    QObject guard_;  // ends the pending close with the watch
    int deadlineMs_;
    WhenReady watch_;
};

}  // namespace test_wait
