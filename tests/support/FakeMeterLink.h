#pragma once
// A serial link with a scripted meter behind it, for driving downloads
// without a port: every command written gets the meter's reply in the
// receive buffer after the meter's delay (at once by default), and every
// write is logged, failed and closed ones included, so tests can tell what
// reached the meter and when.
#include <QByteArray>
#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "meter/Protocol.h"
#include "platform/core/SerialLink.h"

struct MeterReading {
    QByteArray glucoseRecord;  // 3 bytes ending in AA
    QByteArray timeRecord;
};

class FakeMeter {
public:
    std::vector<MeterReading> readings;
    bool silent = false;
    // Command -> how many of its first sendings go unanswered.
    std::map<QByteArray, int> ignoreFirst;
    // Command -> how many times at most it is answered.
    std::map<QByteArray, int> answerLimit;
    // Commands answered twice; the copy comes copyGapMs after the reply.
    std::set<QByteArray> answerTwice;
    int copyGapMs = 30;
    // A noisy line: these bytes arrive every strayEveryMs (0: never), whatever
    // was sent.
    int strayEveryMs = 0;
    QByteArray strayBytes = QByteArray(1, '\x00');
    int replyDelayMs = 0;
    // One command at a time: each reply comes replyDelayMs after its command
    // or after the reply before it, whichever is later.
    bool queued = false;
    // Command -> delay of its first reply, in place of replyDelayMs.
    std::map<QByteArray, int> firstReplyDelayMs;
    // Command -> bytes sent in place of the ordinary reply.
    std::map<QByteArray, QByteArray> replaceReply;

    QByteArray replyTo(const QByteArray& command) {
        const int sent = ++sendings_[command];
        if (silent || sent <= ignoreFirst[command])
            return {};
        const auto limit = answerLimit.find(command);
        if (limit != answerLimit.end() && answered_[command] >= limit->second)
            return {};
        ++answered_[command];
        const auto replaced = replaceReply.find(command);
        return replaced != replaceReply.end() ? replaced->second : ordinaryReply(command);
    }
    // Of the reply just given to `command`.
    int delayOf(const QByteArray& command) {
        const auto first = firstReplyDelayMs.find(command);
        return first != firstReplyDelayMs.end() && answered_[command] == 1 ? first->second
                                                                            : replyDelayMs;
    }

private:
    QByteArray ordinaryReply(const QByteArray& c) const {
        if (c == protocol::wakeByte())
            return QByteArray(1, '\x00');
        if (c == protocol::linkTestByte())
            return QByteArray::fromHex("54F1");
        if (c == protocol::helloCommand() || c == protocol::sleepCommand())
            return QByteArray::fromHex("AA5AAA");
        if (c == protocol::countRequest())
            return QByteArray(1, static_cast<char>(readings.size())) + QByteArray::fromHex("5AAA");
        const int index = c.size() == 3 ? static_cast<quint8>(c.at(1)) : 0;
        if (index < 1 || index > static_cast<int>(readings.size()))
            return {};
        if (c == protocol::glucoseRequest(index))
            return readings[index - 1].glucoseRecord;
        if (c == protocol::timeRequest(index))
            return readings[index - 1].timeRecord;
        return {};
    }

    std::map<QByteArray, int> sendings_;
    std::map<QByteArray, int> answered_;
};

class FakeMeterLink : public platform::SerialLink {
public:
    struct Write {
        QByteArray bytes;
        bool portOpen = false;
        bool succeeded = false;
        long atMs = 0;
    };
    struct Arrival {
        QByteArray command;  // the one the reply answers
        long atMs = 0;
    };

    FakeMeter meter;
    std::vector<Write> writes;
    std::vector<Arrival> arrivals;
    int commPort = 0;
    bool dtr = false;
    bool refuseOpen = false;
    bool failBufferCount = false;
    bool failInput = false;
    std::function<bool(const QByteArray&)> failWrite = [](const QByteArray&) { return false; };
    const long* clockMs = nullptr;  // stamps writes when set

    void inject(const QByteArray& bytes) { buffer_ += bytes; }

    bool setCommPort(int port) override {
        commPort = port;
        return port >= 1 && port <= 5;
    }
    bool open() override {
        open_ = !refuseOpen;
        return open_;
    }
    void close() override {  // a closed port drops what it had received
        open_ = false;
        buffer_.clear();
        inFlight_.clear();
    }
    bool isOpen() const override { return open_; }
    bool setDtr(bool on) override {
        dtr = on;
        return open_;
    }
    int inBufferCount() override {
        arrive();
        return failBufferCount || !open_ ? -1 : static_cast<int>(buffer_.size());
    }
    bool input(QByteArray& bytes) override {
        if (failInput || !open_)
            return false;
        arrive();
        bytes = buffer_.left(platform::kMostInputBytes);
        buffer_.remove(0, bytes.size());
        return true;
    }
    bool discardInput() override {
        arrive();
        buffer_.clear();
        return open_;
    }
    bool output(const QByteArray& bytes) override {
        const bool ok = open_ && !failWrite(bytes);
        writes.push_back({bytes, open_, ok, clockMs ? *clockMs : 0});
        if (ok)
            queueReply(bytes);
        return ok;
    }

    int countWrites(const QByteArray& bytes) const {
        int n = 0;
        for (const Write& w : writes)
            n += w.bytes == bytes ? 1 : 0;
        return n;
    }
    int writesWhileClosed() const {
        int n = 0;
        for (const Write& w : writes)
            n += w.portOpen ? 0 : 1;
        return n;
    }

private:
    long now() const { return clockMs ? *clockMs : 0; }
    void queueReply(const QByteArray& command) {
        const QByteArray reply = meter.replyTo(command);
        if (reply.isEmpty())
            return;
        const long start = meter.queued ? std::max(now(), lastDueMs_) : now();
        const long due = start + meter.delayOf(command);
        lastDueMs_ = due;
        inFlight_.emplace(due, InFlight{command, reply});
        if (meter.answerTwice.count(command))
            inFlight_.emplace(due + meter.copyGapMs, InFlight{command, reply});
        arrive();
    }
    void arrive() {
        addStrayBytes();
        while (!inFlight_.empty() && inFlight_.begin()->first <= now()) {
            buffer_ += inFlight_.begin()->second.reply;
            arrivals.push_back({inFlight_.begin()->second.command, inFlight_.begin()->first});
            inFlight_.erase(inFlight_.begin());
        }
    }

    void addStrayBytes() {
        if (meter.strayEveryMs <= 0)
            return;
        for (; nextStrayMs_ <= now(); nextStrayMs_ += meter.strayEveryMs)
            if (nextStrayMs_ > 0)
                inFlight_.emplace(nextStrayMs_, InFlight{QByteArray(), meter.strayBytes});
    }

    struct InFlight {
        QByteArray command;
        QByteArray reply;
    };

    bool open_ = false;
    QByteArray buffer_;
    std::multimap<long, InFlight> inFlight_;  // replies on their way, by arrival
    long lastDueMs_ = 0;
    long nextStrayMs_ = 0;
};
