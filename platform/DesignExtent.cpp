#include "platform/DesignExtent.h"

#include <QRect>

namespace platform {

QSize designExtent(const QWidget* window) {
    QRect extent(QPoint(0, 0), window->size());
    for (const QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isWindow())
            extent |= control->geometry();
    }
    return QSize(extent.right() + 1, extent.bottom() + 1);
}

}  // namespace platform
