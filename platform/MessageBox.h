#pragma once
// Every message of the program goes through MsgBox, so tests can record the
// messages instead of blocking on a modal box.
#include <QList>
#include <QString>

namespace platform {

enum class MsgIcon { None, Critical };

inline const QString kAppTitle = QStringLiteral("Ambrel Management Software");

struct RecordedMessage {
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::None;
};

// Shows a modal message box with the OK button only.
void MsgBox(const QString& text, MsgIcon icon = MsgIcon::None, const QString& title = kAppTitle);

// While recording is on, MsgBox stores the message and returns at once.
void setRecordMessages(bool on);
QList<RecordedMessage> takeRecordedMessages();

}  // namespace platform
