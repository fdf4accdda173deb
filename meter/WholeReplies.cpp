#include "meter/WholeReplies.h"

#include <algorithm>

using protocol::ReplyShape;

namespace {
bool beginsOne(const QByteArray& bytes, const std::vector<ReplyShape>& shapes) {
    return std::any_of(shapes.begin(), shapes.end(),
                       [&](const ReplyShape& s) { return s.starts(bytes, true); });
}
bool isOne(const QByteArray& bytes, const std::vector<ReplyShape>& shapes) {
    return std::any_of(shapes.begin(), shapes.end(),
                       [&](const ReplyShape& s) { return s.matches(bytes); });
}
}  // namespace

WholeReplies::Poll WholeReplies::poll(platform::SerialLink& link,
                                      const std::vector<ReplyShape>& awaited, int elapsedMs) {
    taken_.clear();
    if (!fetch(link))
        return Poll::LinkFailed;
    if (kept_.isEmpty())
        return Poll::Nothing;
    if (kept_.size() - heldBytes_ > protocol::kLongestReply) {
        hand(kept());
        return Poll::TooMany;
    }
    if (heldMs_ < kLongestWaitMs && beginsOne(kept_, awaited)) {
        heldBytes_ = kept();
        heldMs_ += elapsedMs;
        return Poll::Held;
    }
    // Bytes that came in one poll are one reply, as they always were; only
    // a beginning kept from before is cut off what followed it.
    hand(heldBytes_ > 0 ? cutAfterBeginning(awaited) : kept());
    return Poll::Reply;
}

// The longest whole reply at the front; else the longest beginning, which
// the time limit or a byte that does not fit it ended.
int WholeReplies::cutAfterBeginning(const std::vector<ReplyShape>& awaited) const {
    const int longest = std::min(kept(), protocol::kLongestReply);
    for (int n = longest; n > 0; --n)
        if (isOne(kept_.left(n), awaited))
            return n;
    for (int n = longest; n > 0; --n)
        if (beginsOne(kept_.left(n), awaited))
            return n;
    return std::min(heldBytes_, kept());
}

void WholeReplies::hand(int bytes) {
    taken_ = kept_.left(bytes);
    kept_.remove(0, bytes);
    heldBytes_ = 0;
    heldMs_ = 0;
}

bool WholeReplies::fetch(platform::SerialLink& link) {
    const int waiting = link.inBufferCount();
    if (waiting <= 0)
        return waiting == 0;
    QByteArray fresh;
    if (!link.input(fresh))
        return false;
    kept_ += fresh;
    return true;
}

bool WholeReplies::discard(platform::SerialLink& link) {
    kept_.clear();
    heldBytes_ = 0;
    heldMs_ = 0;
    return link.discardInput();
}
