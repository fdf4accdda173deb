// The record passes wait for their last reply, end when their index has
// gone to 0, and "Start Reading" restarts cleanly at any moment.
#include <gtest/gtest.h>

#include "tests/core/SequenceRig.h"

namespace {
// Position of the first write of `bytes`, or -1.
int firstWrite(const FakeMeterLink& link, const QByteArray& bytes) {
    for (size_t i = 0; i < link.writes.size(); ++i)
        if (link.writes[i].bytes == bytes)
            return static_cast<int>(i);
    return -1;
}
int lastWrite(const FakeMeterLink& link, const QByteArray& bytes) {
    for (size_t i = link.writes.size(); i-- > 0;)
        if (link.writes[i].bytes == bytes)
            return static_cast<int>(i);
    return -1;
}
void expectSavedAsInMeter(const SequenceRig& rig, int count) {
    ASSERT_EQ(rig.window.saves.size(), 1u);
    ASSERT_EQ(rig.window.saves.front().size(), static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i)
        EXPECT_EQ(rig.window.saves.front()[i - 1], SequenceRig::expectedReading(i)) << i;
}
}  // namespace

// However slow the meter, below a second, each record is asked for once and
// taken for the index it answers.
TEST(SequencePasses, MeterAnsweringWithinASecondGivesAnExactDownload) {
    for (int delayMs : {0, 60, 250, 900}) {
        SCOPED_TRACE(delayMs);
        SequenceRig rig;
        rig.meterHolds(3);
        rig.link.meter.replyDelayMs = delayMs;
        rig.loadAndStart();
        ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
        expectSavedAsInMeter(rig, 3);
        EXPECT_TRUE(rig.window.messages.empty());
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(rig.link.countWrites(protocol::glucoseRequest(i)), 1) << i;
            EXPECT_EQ(rig.link.countWrites(protocol::timeRequest(i)), 1) << i;
        }
    }
}

// A lost reply: the request goes out again a second later, the passes wait.
TEST(SequencePasses, UnansweredRequestIsRepeatedAfterASecond) {
    for (const QByteArray& request :
         {protocol::countRequest(), protocol::glucoseRequest(3), protocol::timeRequest(3)}) {
        SCOPED_TRACE(request.toHex().toStdString());
        SequenceRig rig;
        rig.meterHolds(3);
        rig.link.meter.ignoreFirst[request] = 2;
        rig.loadAndStart();
        ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
        ASSERT_EQ(rig.link.countWrites(request), 3);
        const int first = firstWrite(rig.link, request);
        const long spanMs =
            rig.link.writes[lastWrite(rig.link, request)].atMs - rig.link.writes[first].atMs;
        EXPECT_GE(spanMs, 2000);
        EXPECT_LE(spanMs, 2040);  // within a poll of a second per try
        for (int i = first + 1; rig.link.writes[i].bytes != request; ++i)
            FAIL() << "another command while the request was unanswered";
        expectSavedAsInMeter(rig, 3);
    }
}

// The first try's reply comes after the repeat's: a copy, not the next record.
TEST(SequencePasses, LateReplyToARepeatedRequestIsDroppedAsACopy) {
    SequenceRig rig;
    rig.meterHolds(3);
    rig.link.meter.replyDelayMs = 60;
    rig.link.meter.firstReplyDelayMs[protocol::glucoseRequest(2)] = 1100;
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    EXPECT_EQ(rig.link.countWrites(protocol::glucoseRequest(2)), 2);
    EXPECT_TRUE(rig.window.messages.empty());
    expectSavedAsInMeter(rig, 3);
}

TEST(SequenceRestart, StartReadingDuringThePassesStopsThemFirst) {
    SequenceRig rig;
    rig.meterHolds(3);
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.seq.GlucoseIndex == 2; }));
    rig.link.meter.silent = true;
    rig.startReading();
    for (DownloadTimer t : kAllDownloadTimers) {
        const bool shouldRun = t == DownloadTimer::TimerRt || t == DownloadTimer::TimerOP;
        EXPECT_EQ(rig.window.isOn(t), shouldRun) << static_cast<int>(t);
    }
    const size_t restartAt = rig.link.writes.size();
    rig.advance(3000);
    for (size_t i = restartAt; i < rig.link.writes.size(); ++i)
        EXPECT_EQ(rig.link.writes[i].bytes, protocol::wakeByte()) << i;
    rig.link.meter.silent = false;
    rig.startReading();
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    expectSavedAsInMeter(rig, 3);
}

TEST(SequenceRestart, StartReadingWhileTheHelloRunsLeavesOnlyTheWakeUp) {
    SequenceRig rig;
    rig.link.meter.answerLimit[protocol::helloCommand()] = 0;
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.window.isOn(DownloadTimer::Timer2); }));
    rig.link.meter.silent = true;
    rig.startReading();
    rig.advance(10000);
    EXPECT_EQ(rig.link.countWrites(protocol::helloCommand()), 0);
    EXPECT_EQ(rig.window.statusTexts().back(), QStringLiteral("Meter Wake Up...Failed"));
}

TEST(SequenceRestart, PortThatWillNotOpenIsASettingError) {
    SequenceRig rig;
    rig.meterHolds(1);
    rig.link.meter.replaceReply[protocol::wakeByte()] = QByteArray::fromHex("00000000");
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.link.isOpen(); }));
    rig.link.refuseOpen = true;
    const size_t writes = rig.link.writes.size();
    rig.startReading();
    EXPECT_EQ(rig.window.portFailures, 1);
    EXPECT_FALSE(rig.window.anyTimerOn());
    EXPECT_EQ(rig.link.writes.size(), writes);
}

TEST(SequenceRestart, PortNumberOutsideOneToFiveIsASettingError) {
    for (int port : {0, 6, -1}) {
        SequenceRig rig;
        rig.window.port = port;
        EXPECT_FALSE(rig.seq.OpenPort()) << port;
        rig.startReading();
        EXPECT_EQ(rig.window.portFailures, 2) << port;
        EXPECT_FALSE(rig.link.isOpen());
        EXPECT_FALSE(rig.window.anyTimerOn());
        EXPECT_TRUE(rig.link.writes.empty());
    }
}

TEST(SequenceRestart, LoadOpensThePortWithDtrOff) {
    SequenceRig rig;
    rig.window.port = 5;
    rig.link.dtr = true;
    EXPECT_TRUE(rig.seq.OpenPort());
    EXPECT_EQ(rig.link.commPort, 5);
    EXPECT_TRUE(rig.link.isOpen());
    EXPECT_FALSE(rig.link.dtr);
    EXPECT_EQ(rig.window.portFailures, 0);
    rig.seq.Stop();
    EXPECT_FALSE(rig.link.isOpen());
}
