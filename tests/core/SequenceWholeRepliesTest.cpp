// On a real line a reply's bytes come one by one, so a receive poll often
// finds only part of a reply. Whatever the poll's moment against the bytes,
// a healthy meter gives its exact readings, a reply that never completes
// saves nothing, a shifted exchange is never called complete, and nothing
// the link does after the end of a download reaches the window.
#include <gtest/gtest.h>
#include <set>

#include "tests/core/SequenceRig.h"

namespace {

constexpr int kLineByteUs = 1150;  // 9600 baud, 8 data bits, 2 stop bits
constexpr int kAdapterByteUs = 16000;  // a USB adapter's latency timer

// The command kind a reply answered, and after how many of its bytes a poll
// took it.
using SplitSeen = std::pair<quint8, int>;

}  // namespace

// Every reply is taken by some poll after each of its bytes: latencies one
// millisecond apart over a whole poll period, with the bytes of a real line
// and those of an adapter, on meters working side by side and queued.
TEST(SequenceWholeReplies, HealthyMeterGivesItsExactReadingsWhereverThePollFalls) {
    const struct {
        const char* name;
        bool queued;
        std::vector<int> latenciesMs;
        int jitterMs;
        long withinMs;
    } rows[] = {
        {"side by side", false, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19},
         0, 6000},
        {"side by side, jittering 2-15 ms", false, {2, 2, 2, 2, 2, 2, 2, 2}, 13, 6000},
        {"side by side, slow", false, {40, 250, 500, 999, 1000}, 0, 25000},
        {"queued", true, {5, 9, 16, 19}, 0, 8000},
        {"queued, jittering 2-15 ms", true, {2, 2, 2, 2}, 13, 8000},
        {"queued, slow", true, {250, 1000}, 0, 45000},
    };
    std::set<SplitSeen> seen;
    unsigned series = 0;  // each run its own jitter
    for (int gapUs : {kLineByteUs, kAdapterByteUs}) {
        for (const auto& row : rows) {
            for (int latencyMs : row.latenciesMs) {
                SCOPED_TRACE(std::string(row.name) + ", " + std::to_string(latencyMs) +
                             " ms, bytes " + std::to_string(gapUs) + " us apart");
                SequenceRig rig;
                rig.meterHolds(3);
                rig.link.meter.queued = row.queued;
                rig.link.meter.replyDelayMs = latencyMs;
                rig.link.meter.jitterMs = row.jitterMs;
                rig.link.meter.jitterSeries = ++series;
                rig.link.meter.byteGapUs = gapUs;
                rig.loadAndStart();
                expectOutcome(rig, 3, Outcome::Exact, row.withinMs);
                for (const auto& split : rig.link.splits)
                    seen.insert({static_cast<quint8>(split.command.at(0)), split.bytesCome});
            }
        }
    }
    const std::set<SplitSeen> everySplit = {{0x55, 1}, {0xBA, 1}, {0xBA, 2}, {0xAE, 1}, {0xAE, 2},
                                            {0xAC, 1}, {0xAC, 2}, {0xAD, 1}, {0xAD, 2}, {0xB5, 1},
                                            {0xB5, 2}};
    for (const SplitSeen& split : everySplit)
        EXPECT_TRUE(seen.count(split)) << "no poll took the reply to " << std::hex
                                       << int(split.first) << " after byte " << split.second;
}

// A beginning whose rest never comes is not a reply: dropped while linking
// up, where the command is repeated anyway, and the end of the download
// from the count request on.
TEST(SequenceWholeReplies, ReplyThatNeverCompletes) {
    const struct {
        const char* name;
        QByteArray command;
        int bytesSent;
        Outcome outcome;
        long withinMs;
    } rows[] = {
        {"link reply", protocol::linkTestByte(), 1, Outcome::Exact, 6000},
        {"hello reply", protocol::helloCommand(), 2, Outcome::Exact, 6000},
        {"count reply", protocol::countRequest(), 2, Outcome::Refused, 2000},
        {"glucose record", protocol::glucoseRequest(2), 1, Outcome::Refused, 3000},
        {"time record", protocol::timeRequest(3), 2, Outcome::Refused, 3000},
        {"sleep acknowledgement", protocol::sleepCommand(), 2, Outcome::Refused, 3000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SequenceRig rig;
        rig.meterHolds(3);
        rig.link.meter.byteGapUs = kLineByteUs;
        rig.link.meter.replyDelayMs = 7;
        rig.link.meter.cutFirstReply[row.command] = row.bytesSent;
        rig.loadAndStart();
        expectOutcome(rig, 3, row.outcome, row.withinMs);
    }
}

namespace {
struct Reading {
    int month, day, hour, minute, glucose, flag;
};
MeterReading recordsOf(const Reading& r) {
    QByteArray glucose(3, '\xAA'), time(3, '\xAA');
    glucose[0] = static_cast<char>(r.glucose & 0xFF);
    glucose[1] = static_cast<char>(r.month << 4 | r.flag << 2 | r.glucose >> 8);
    time[0] = static_cast<char>((r.hour & 3) << 6 | r.minute);
    time[1] = static_cast<char>(r.day << 3 | r.hour >> 2);
    return {glucose, time};
}
}  // namespace

// A meter that answers one glucose request twice, the copy taking no turn,
// puts every later reply one request late; the oldest reading's time record,
// day 11 at 10:42, is the bytes of the sleep acknowledgement.
TEST(SequenceWholeReplies, ShiftedExchangeIsNeverSaved) {
    for (int queuedMs : {60, 250}) {
        for (int copyGapMs : {60, 100, 150}) {
            SCOPED_TRACE("queued " + std::to_string(queuedMs) + " ms, copy after " +
                         std::to_string(copyGapMs) + " ms");
            SequenceRig rig;
            for (const Reading& r : {Reading{11, 14, 8, 0, 110, 0}, Reading{11, 13, 8, 0, 1023, 1},
                                     Reading{11, 11, 10, 42, 100, 0}})
                rig.link.meter.readings.push_back(recordsOf(r));
            ASSERT_EQ(rig.link.meter.readings[2].timeRecord, protocol::helloReply());
            rig.link.meter.queued = true;
            rig.link.meter.replyDelayMs = queuedMs;
            rig.link.meter.byteGapUs = kLineByteUs;
            rig.link.meter.answerTwice.insert(protocol::glucoseRequest(1));
            rig.link.meter.copyGapMs = copyGapMs;
            rig.loadAndStart();
            expectOutcome(rig, 3, Outcome::Refused, 15000);
        }
    }
}

// Once a download has ended, saved or with nothing new, a meter that goes
// away changes nothing on screen; the next "Start Reading" opens the port
// again and downloads afresh.
TEST(SequenceWholeReplies, MeterGoingAwayAfterTheEndChangesNothing) {
    for (int readings : {2, 0}) {
        SCOPED_TRACE(readings);
        SequenceRig rig;
        rig.meterHolds(readings);
        rig.link.meter.byteGapUs = kLineByteUs;
        rig.loadAndStart();
        ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }, 5000));
        const auto statuses = rig.window.statusTexts();
        const auto progress = rig.window.progressValues;
        rig.link.failBufferCount = rig.link.failInput = true;  // the cable is pulled
        rig.advance(3000);
        EXPECT_TRUE(rig.window.messages.empty());
        EXPECT_EQ(rig.window.statusTexts(), statuses);
        EXPECT_EQ(rig.window.progressValues, progress);
        EXPECT_FALSE(rig.link.isOpen());
        rig.link.failBufferCount = rig.link.failInput = false;  // and plugged in again
        rig.startReading();
        ASSERT_TRUE(rig.link.isOpen());
        ASSERT_TRUE(rig.runUntil([&] { return rig.window.statusTexts().size() > statuses.size() &&
                                              rig.completed(); },
                                 5000));
        EXPECT_TRUE(rig.window.messages.empty());
        EXPECT_EQ(rig.window.saves.size(), readings > 0 ? 2u : 0u);
    }
}
