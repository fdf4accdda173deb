#include "platform/Form.h"

#include <QCloseEvent>
#include <QTimer>

#include "platform/CutTexts.h"
#include "platform/core/NestedWait.h"

namespace platform {

namespace {
ChildPageHost*& hostSlot() {
    static ChildPageHost* host = nullptr;
    return host;
}
}  // namespace

void setChildPageHost(ChildPageHost* host) {
    hostSlot() = host;
}
ChildPageHost* childPageHost() {
    return hostSlot();
}

Form::~Form() {
    delete window_.data();
}

void Form::Load() {
    if (isLoaded())
        return;
    window_ = CreateControls();
    window_->installEventFilter(this);
    markCutTexts(window_);
    Form_Load();
}

void Form::Show() {
    Load();
    if (!isLoaded())
        return;  // Form_Load may have unloaded the window again
    if (isChildPage() && childPageHost()) {
        childPageHost()->showChildPage(window_);
    } else {
        window_->show();
        window_->raise();
        window_->activateWindow();
    }
}

void Form::Unload() {
    if (!isLoaded() || unloading_)
        return;
    unloading_ = true;
    QWidget* w = window_;
    for (QTimer* t : w->findChildren<QTimer*>())
        t->stop();
    Form_Unload();
    window_ = nullptr;
    w->removeEventFilter(this);
    if (isChildPage() && childPageHost())
        childPageHost()->removeChildPage(w);
    w->hide();
    // The controls may be inside the handler that unloads them, or inside
    // one that waits while this runs: delete them once both have returned.
    deleteWhenNoWaitRuns(w);
    unloading_ = false;
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close && !unloading_) {
        event->ignore();
        TitleBarClose();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace platform
