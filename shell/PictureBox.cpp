#include "shell/PictureBox.h"

#include <QMouseEvent>

PictureBox::PictureBox(const QPixmap& picture, QWidget* parent) : QLabel(parent) {
    setPixmap(picture);
    setAlignment(Qt::AlignCenter);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release of the left button over the picture.
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit Click();
}
