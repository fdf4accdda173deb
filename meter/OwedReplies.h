#pragma once
// The replies the meter still owes for the commands sent to it. A meter that
// works through its commands one at a time keeps answering the commands of a
// phase already over, and a request that was repeated may be answered once
// per try. Such a late reply is known by its bytes: the fixed reply of a
// link-up command, or the very bytes already taken as the answer to a record
// or count request. Bytes the meter owes nobody are not a late reply, so a
// noisy line can never pass for a meter that is still answering.
#include <QByteArray>
#include <map>
#include <vector>

class OwedReplies {
public:
    // One more reply is owed for `command`.
    void sent(const QByteArray& command);
    // `reply` was taken as the answer to `command`: one reply fewer is owed,
    // and any later one must bring the same bytes.
    void answered(const QByteArray& command, const QByteArray& reply);
    // True, and one reply fewer owed, when `bytes` is a reply still owed.
    bool takeLate(const QByteArray& bytes);
    int owedFor(const QByteArray& command) const;
    // The bytes of every reply still owed whose bytes are known.
    std::vector<QByteArray> knownOwed() const;
    // The line has stayed quiet long enough: whatever is still owed was lost.
    void forgive() { owed_.clear(); }

private:
    struct Owed {
        QByteArray reply;  // empty until known
        int count = 0;
    };
    std::map<QByteArray, Owed> owed_;  // by command
};
