#pragma once
// Ends the program when its last window has gone from the screen, whichever
// way that window was closed (its own button, the title bar, unloading).
#include <QObject>
#include <functional>

class LastWindowWatch : public QObject {
    Q_OBJECT
public:
    // `onLastWindowGone` runs once no window of the program is left visible.
    explicit LastWindowWatch(std::function<void()> onLastWindowGone,
                             QObject* parent = nullptr);

    static bool anyWindowVisible();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void check();

    std::function<void()> onLastWindowGone_;
    bool checkPending_ = false;
};
