#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/core/NestedWait.h"

namespace platform {

namespace {
struct Recorder {
    bool on = false;
    QList<RecordedMessage> messages;
};
Recorder& recorder() {
    static Recorder r;
    return r;
}
}  // namespace

void MsgBox(const QString& text, MsgIcon icon, const QString& title) {
    if (recorder().on) {
        recorder().messages.append({text, title, icon});
        return;
    }
    // Without a parent widget: the window under the box may be unloaded (its
    // widgets deleted) by a timer while the box waits for OK, and the box
    // must stay until the user has read it.
    QMessageBox box(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, title,
                    text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    const NestedWait wait;
    box.exec();
}

void setRecordMessages(bool on) {
    recorder().on = on;
    recorder().messages.clear();
}

QList<RecordedMessage> takeRecordedMessages() {
    QList<RecordedMessage> out;
    out.swap(recorder().messages);
    return out;
}

}  // namespace platform
