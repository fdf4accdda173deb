#pragma once
// The room a window's design needs: its design size, grown to hold every
// control placed on it, those hidden for now included (they may be shown
// later, a scroll bar once there are enough readings).
#include <QSize>
#include <QWidget>

namespace platform {

QSize designExtent(const QWidget* window);

}  // namespace platform
