#include "platform/EnterKey.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

bool isEnter(const QKeyEvent* key) {
    const Qt::KeyboardModifiers others = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && others == 0;
}

class EnterPresses : public QObject {
public:
    explicit EnterPresses(QAbstractButton* button) : QObject(button), button_(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent*>(event)))
            return QObject::eventFilter(watched, event);
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat() && button_ && button_->isEnabled())
            button_->click();
        return true;
    }

private:
    QPointer<QAbstractButton> button_;
};

}  // namespace

void pressOnEnter(QAbstractButton* button, const QList<QWidget*>& fields) {
    auto* presses = new EnterPresses(button);
    for (QWidget* field : fields)
        field->installEventFilter(presses);
}

}  // namespace platform
