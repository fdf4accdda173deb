#pragma once
// A horizontal scroll bar: minimum 0, arrow and trough steps of 1. Change
// is raised after every change of the value (arrow, trough, key, the end of
// a thumb drag, or the program's own write); Scroll for each thumb position
// while the thumb is dragged, the value already holding that position.
#include <QScrollBar>

namespace platform {

class HScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit HScrollBar(QWidget* parent = nullptr);

signals:
    void Change();
    void Scroll();
};

}  // namespace platform
