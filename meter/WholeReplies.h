#pragma once
// Takes the meter's replies off the serial link whole. A real line brings a
// reply's bytes about a millisecond apart, and a USB adapter may hold them
// back for its latency timer, so a receive poll often comes while a reply is
// still arriving. Bytes that begin a reply the download waits for are kept
// until the rest has come, or until they are too old to be part of one;
// only then are they handed on, so what the download sees never depends on
// when the poll ran.
#include <QByteArray>
#include <vector>

#include "meter/Protocol.h"
#include "platform/core/SerialLink.h"

class WholeReplies {
public:
    // Far longer than three bytes and an adapter's usual latency.
    static constexpr int kLongestWaitMs = 200;

    enum class Poll {
        Nothing,     // no bytes
        Held,        // the beginning of a reply; its rest is on its way
        Reply,       // taken(): a whole reply, or bytes that begin none
        TooMany,     // taken(): more bytes in one poll than any reply has
        LinkFailed,  // the link could not count or give its bytes
    };

    // One receive poll, `elapsedMs` after the one before, while the download
    // waits for replies of these shapes.
    Poll poll(platform::SerialLink& link, const std::vector<protocol::ReplyShape>& awaited,
              int elapsedMs);
    const QByteArray& taken() const { return taken_; }
    // Bytes taken off the link and not yet handed on.
    int kept() const { return static_cast<int>(kept_.size()); }
    // Drops what is kept and what the link holds; false when the link failed.
    bool discard(platform::SerialLink& link);

private:
    bool fetch(platform::SerialLink& link);
    int cutAfterBeginning(const std::vector<protocol::ReplyShape>& awaited) const;
    void hand(int bytes);

    QByteArray kept_;
    int heldBytes_ = 0;  // of kept_, those an earlier poll held as a beginning
    int heldMs_ = 0;
    QByteArray taken_;
};
