#include "meter/OwedReplies.h"

#include "meter/Protocol.h"

namespace {
// The reply of a command whose reply is always the same; empty for the
// count and record requests, whose reply is known once it came.
QByteArray fixedReplyOf(const QByteArray& command) {
    if (command == protocol::wakeByte())
        return protocol::wakeReply();
    if (command == protocol::linkTestByte())
        return protocol::linkReply();
    if (command == protocol::helloCommand() || command == protocol::sleepCommand())
        return protocol::helloReply();
    return {};
}
}  // namespace

void OwedReplies::sent(const QByteArray& command) {
    Owed& owed = owed_[command];
    if (owed.reply.isEmpty())
        owed.reply = fixedReplyOf(command);
    ++owed.count;
}

void OwedReplies::answered(const QByteArray& command, const QByteArray& reply) {
    const auto it = owed_.find(command);
    if (it == owed_.end())
        return;
    it->second.reply = reply;
    if (it->second.count > 0)
        --it->second.count;
}

bool OwedReplies::takeLate(const QByteArray& bytes) {
    for (auto& [command, owed] : owed_) {
        if (owed.count > 0 && owed.reply == bytes) {
            --owed.count;
            return true;
        }
    }
    return false;
}

int OwedReplies::owedFor(const QByteArray& command) const {
    const auto it = owed_.find(command);
    return it == owed_.end() ? 0 : it->second.count;
}

std::vector<QByteArray> OwedReplies::knownOwed() const {
    std::vector<QByteArray> out;
    for (const auto& [command, owed] : owed_)
        if (owed.count > 0 && !owed.reply.isEmpty())
            out.push_back(owed.reply);
    return out;
}
