#include "platform/HScrollBar.h"

namespace platform {

HScrollBar::HScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setRange(0, 10000);
    setSingleStep(1);
    setPageStep(1);
    setValue(1);
    connect(this, &QScrollBar::valueChanged, this, [this] {
        if (isSliderDown())
            emit Scroll();
        else
            emit Change();
    });
    connect(this, &QScrollBar::sliderReleased, this, &HScrollBar::Change);
}

}  // namespace platform
