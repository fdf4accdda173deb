#include "platform/core/NestedWait.h"

#include <QList>
#include <QPointer>

namespace platform {

namespace {
int& depth() {
    static int d = 0;
    return d;
}
QList<QPointer<QObject>>& parked() {
    static QList<QPointer<QObject>> objects;
    return objects;
}
}  // namespace

NestedWait::NestedWait() {
    ++depth();
}

NestedWait::~NestedWait() {
    if (--depth() > 0)
        return;
    // The handler that waited is still running; deleteLater() lets the
    // event loop it returns to delete the widgets, not this one.
    const QList<QPointer<QObject>> objects = std::move(parked());
    parked().clear();
    for (const QPointer<QObject>& o : objects)
        if (o)
            o->deleteLater();
}

bool NestedWait::running() {
    return depth() > 0;
}

void deleteWhenNoWaitRuns(QObject* object) {
    if (!object)
        return;
    if (NestedWait::running())
        parked().append(object);
    else
        object->deleteLater();
}

}  // namespace platform
