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
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "meter/Protocol.h"
#include "platform/core/Clock.h"
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
    // Commands answered twice; the copy comes copyGapMs after the reply, or,
    // queued with copyTakesATurn, as a reply of its own after it.
    std::set<QByteArray> answerTwice;
    int copyGapMs = 30;
    bool copyTakesATurn = false;
    // A noisy line: these bytes arrive every strayEveryMs (0: never), whatever
    // was sent.
    int strayEveryMs = 0;
    QByteArray strayBytes = QByteArray(1, '\x00');
    int replyDelayMs = 0;
    // Every reply up to this much later still, drawn from the series `jitterSeries` names.
    int jitterMs = 0;
    unsigned jitterSeries = 1;
    // A real line: a reply's bytes follow each other this many microseconds
    // apart (0: the whole reply at once), and no two replies share the line.
    int byteGapUs = 0;
    // One command at a time: each reply comes replyDelayMs after its command
    // or after the reply before it, whichever is later.
    bool queued = false;
    // Command -> delay of its first reply, in place of replyDelayMs.
    std::map<QByteArray, int> firstReplyDelayMs;
    // Command -> bytes sent in place of the ordinary reply.
    std::map<QByteArray, QByteArray> replaceReply;
    // Command -> how many bytes of its first reply are sent; the rest is lost.
    std::map<QByteArray, int> cutFirstReply;

    QByteArray replyTo(const QByteArray& command) {
        const int sent = ++sendings_[command];
        if (silent || sent <= ignoreFirst[command])
            return {};
        const auto limit = answerLimit.find(command);
        if (limit != answerLimit.end() && answered_[command] >= limit->second)
            return {};
        ++answered_[command];
        const auto replaced = replaceReply.find(command);
        const QByteArray reply =
            replaced != replaceReply.end() ? replaced->second : ordinaryReply(command);
        const auto cut = cutFirstReply.find(command);
        return cut != cutFirstReply.end() && answered_[command] == 1 ? reply.left(cut->second)
                                                                      : reply;
    }
    // Of the reply just given to `command`.
    int delayOf(const QByteArray& command) {
        const auto first = firstReplyDelayMs.find(command);
        if (first != firstReplyDelayMs.end() && answered_[command] == 1)
            return first->second;
        if (jitterMs == 0)
            return replyDelayMs;
        if (!jitter_)
            jitter_.emplace(jitterSeries);
        return replyDelayMs + static_cast<int>((*jitter_)() % (jitterMs + 1));
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
    std::optional<std::minstd_rand> jitter_;
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
        long atMs = 0;       // of its last byte
    };
    // A poll took part of a reply: the bytes of it that had come by then.
    struct Split {
        QByteArray command;
        int bytesCome = 0;
    };

    FakeMeter meter;
    std::vector<Write> writes;
    std::vector<Arrival> arrivals;
    std::vector<Split> splits;
    int commPort = 0;
    bool dtr = false;
    bool refuseOpen = false;
    bool failBufferCount = false;
    bool failInput = false;
    std::function<bool(const QByteArray&)> failWrite = [](const QByteArray&) { return false; };
    const long* simulatedMs = nullptr;  // the clock of writes and arrivals, when set

    void inject(const QByteArray& bytes) {
        buffer_ += bytes;
        lastArrivalMs_ = clockMs();
    }

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
        partial_.clear();
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
        noteSplits();
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
        writes.push_back({bytes, open_, ok, now()});
        if (ok)
            queueReply(bytes);
        return ok;
    }

    // Without a simulated clock, replies come at once and the line is timed
    // by the real one.
    qint64 clockMs() const override { return simulatedMs ? *simulatedMs : platform::steadyMs(); }
    qint64 lastArrivalMs() const override { return lastArrivalMs_; }

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
    struct InFlight {  // one byte of a reply on its way
        int reply = 0;  // number of the reply it belongs to
        QByteArray command;
        char byte = 0;
        int position = 0;  // from 1
        int length = 0;    // of its reply
    };

    long now() const { return simulatedMs ? *simulatedMs : 0; }
    void queueReply(const QByteArray& command) {
        const QByteArray reply = meter.replyTo(command);
        if (reply.isEmpty())
            return;
        const long start = meter.queued ? std::max(now(), lastDueMs_) : now();
        const long due = start + meter.delayOf(command);
        lastDueMs_ = due;
        put(command, reply, due);
        if (meter.answerTwice.count(command)) {
            const bool turn = meter.queued && meter.copyTakesATurn;
            const long copyDue = turn ? due + meter.delayOf(command) : due + meter.copyGapMs;
            lastDueMs_ = turn ? copyDue : lastDueMs_;
            put(command, reply, copyDue);
        }
        arrive();
    }
    // Bytes go on the line one after another from `dueMs` on, after any
    // reply already on it at that time.
    void put(const QByteArray& command, const QByteArray& reply, long dueMs) {
        const long spanUs = static_cast<long>(reply.size()) * meter.byteGapUs;
        long startUs = dueMs * 1000;
        while (!lineBusyUs_.empty() && lineBusyUs_.begin()->second < now() * 1000)
            lineBusyUs_.erase(lineBusyUs_.begin());
        for (auto busy = lineBusyUs_.begin(); busy != lineBusyUs_.end(); ++busy)
            if (spanUs > 0 && busy->first < startUs + spanUs && startUs < busy->second)
                startUs = busy->second;
        if (spanUs > 0)
            lineBusyUs_.emplace(startUs, startUs + spanUs);
        ++replies_;
        for (int i = 0; i < reply.size(); ++i) {
            const long atMs = (startUs + i * meter.byteGapUs + 999) / 1000;
            inFlight_.emplace(atMs, InFlight{replies_, command, reply.at(i), i + 1,
                                             static_cast<int>(reply.size())});
        }
    }
    void arrive() {
        addStrayBytes();
        while (!inFlight_.empty() && inFlight_.begin()->first <= now()) {
            const InFlight& b = inFlight_.begin()->second;
            buffer_ += b.byte;
            lastArrivalMs_ = simulatedMs ? inFlight_.begin()->first : clockMs();
            partial_[b.reply] = {b.command, b.position};
            if (b.position == b.length) {
                partial_.erase(b.reply);
                arrivals.push_back({b.command, inFlight_.begin()->first});
            }
            inFlight_.erase(inFlight_.begin());
        }
    }
    void noteSplits() {
        for (const auto& [reply, split] : partial_)
            splits.push_back(split);
    }

    void addStrayBytes() {
        if (meter.strayEveryMs <= 0)
            return;
        for (; nextStrayMs_ <= now(); nextStrayMs_ += meter.strayEveryMs)
            if (nextStrayMs_ > 0)
                put(QByteArray(), meter.strayBytes, nextStrayMs_);
    }

    bool open_ = false;
    QByteArray buffer_;
    std::multimap<long, InFlight> inFlight_;  // bytes on their way, by arrival
    std::map<long, long> lineBusyUs_;         // start to end of each reply's bytes
    std::map<int, Split> partial_;            // replies of which some bytes came
    int replies_ = 0;
    long lastDueMs_ = 0;
    qint64 lastArrivalMs_ = 0;
    long nextStrayMs_ = 0;
};
