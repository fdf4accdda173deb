#pragma once
// A handler that waits with the event loop running (a wait of whole seconds,
// a modal message box) is still on the call stack, and so is the control
// whose event started it. Any window closed during the wait must keep its
// widgets until every such wait has ended: they are hidden at once and
// deleted only afterwards, once control is back in the event loop.
#include <QObject>

namespace platform {

// Marks a wait that runs the event loop, for as long as it lives.
class NestedWait {
public:
    NestedWait();
    ~NestedWait();
    NestedWait(const NestedWait&) = delete;
    NestedWait& operator=(const NestedWait&) = delete;

    static bool running();
};

// deleteLater() now, or once the last running wait has ended.
void deleteWhenNoWaitRuns(QObject* object);

}  // namespace platform
