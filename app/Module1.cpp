#include "app/Module1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <memory>

#include "platform/core/NestedWait.h"

namespace Module1 {

namespace {
std::unique_ptr<State>& holder() {
    static std::unique_ptr<State> s = std::make_unique<State>();
    return s;
}
}  // namespace

State& state() {
    return *holder();
}

void resetState() {
    holder() = std::make_unique<State>();
}

void WaitSeconds(int seconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 limitMs = static_cast<qint64>(seconds) * 1000;
    const platform::NestedWait wait;
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (elapsed.elapsed() < limitMs)
            QThread::msleep(1);  // keep the loop from spinning a core at 100 %
    } while (elapsed.elapsed() < limitMs);
}

}  // namespace Module1
