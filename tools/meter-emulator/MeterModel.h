#pragma once
// The meter's side of the link, without any device: it takes the bytes the
// host sends, cuts them into commands and returns the replies to write.
// The host may send several commands back to back, so the input is parsed
// as a stream; bytes that start no command are skipped.
#include <QByteArray>
#include <vector>

#include "MeterRecords.h"

namespace emulator {

// Misbehaviours a test can ask of the meter.
struct MeterFaults {
    bool neverAnswer = false;    // stays silent, but still goes to sleep
    int wakeAfter = 1;           // the wake byte is answered from this try on
    bool doubleReplies = false;  // every reply is sent twice in one piece
    bool noCountAnswer = false;  // the count request goes unanswered
    int skipRecord = 0;          // first glucose request for this index unanswered
    int answerTwice = 0;         // first glucose request for this index answered twice
};

class MeterModel {
public:
    // readings[0] is record 1, the newest; at most 255 are reported.
    explicit MeterModel(std::vector<Reading> readings, MeterFaults faults = {});

    // Each element is one reply, to be written in one piece (a reply given
    // twice is two elements). When isCopy is given it gets one flag a reply,
    // true for the copy of the reply before it.
    std::vector<QByteArray> receive(const QByteArray& bytes, std::vector<bool>* isCopy = nullptr);

    int sleepCommands() const { return sleepCommands_; }

private:
    void take(char byte, std::vector<QByteArray>& replies);
    void takeLongCommand(std::vector<QByteArray>& replies);
    void answer(const QByteArray& command, std::vector<QByteArray>& replies);
    QByteArray replyTo(const QByteArray& command);
    QByteArray wakeReply();
    QByteArray glucoseReply(int index);
    QByteArray timeReply(int index);
    const Reading* reading(int index) const;

    std::vector<Reading> readings_;
    MeterFaults faults_;
    QByteArray pending_;  // an unfinished 3-byte command
    int wakeTries_ = 0;
    bool recordSkipped_ = false;
    bool answeredTwice_ = false;
    bool answerAgain_ = false;  // the reply being given goes out twice
    std::vector<bool> copyFlags_;  // of the replies to the bytes being taken
    int sleepCommands_ = 0;
};

}  // namespace emulator
