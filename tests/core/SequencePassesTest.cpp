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

TEST(SequencePasses, LastGlucoseRequestIsRepeatedUntilItsReplyComes) {
    SequenceRig rig;
    rig.meterHolds(3);
    rig.link.meter.ignoreFirst[protocol::glucoseRequest(3)] = 2;
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    EXPECT_EQ(rig.link.countWrites(protocol::glucoseRequest(3)), 3);
    EXPECT_GT(firstWrite(rig.link, protocol::timeRequest(1)),
              lastWrite(rig.link, protocol::glucoseRequest(3)));
    expectSavedAsInMeter(rig, 3);
    EXPECT_EQ(rig.window.progressValues, (std::vector<int>{1, 2, 3, 3, 3, 4, 5, 6}));
}

TEST(SequencePasses, SaveWaitsForTheLastTimeRecord) {
    SequenceRig rig;
    rig.meterHolds(3);
    rig.link.meter.ignoreFirst[protocol::timeRequest(3)] = 2;
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    EXPECT_EQ(rig.link.countWrites(protocol::timeRequest(3)), 3);
    EXPECT_GT(firstWrite(rig.link, protocol::sleepCommand()),
              lastWrite(rig.link, protocol::timeRequest(3)));
    expectSavedAsInMeter(rig, 3);
}

TEST(SequencePasses, MissingTimeRecordsAreNeverSavedWithAnEarlierDownloadsValues) {
    SequenceRig rig;
    rig.meterHolds(2);
    for (int i = 1; i <= 2; ++i) {
        rig.window.staging->NewDay[i] = 31;
        rig.window.staging->NewHour[i] = 23;
        rig.window.staging->NewMinute[i] = 59;
    }
    rig.link.meter.answerLimit[protocol::timeRequest(2)] = 0;
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.seq.TimeIndex == 2; }));
    EXPECT_EQ(rig.window.staging->NewDay[2], 0);
    EXPECT_EQ(rig.window.staging->NewHour[2], 0);
    EXPECT_EQ(rig.window.staging->NewMinute[2], 0);
    rig.advance(10000);
    EXPECT_TRUE(rig.window.saves.empty());
    EXPECT_EQ(rig.link.countWrites(protocol::sleepCommand()), 0);
    EXPECT_GT(rig.link.countWrites(protocol::timeRequest(2)), 100);
}

TEST(SequencePasses, DuplicateGlucoseReplyEndsThePassWithoutAskingForIndexZero) {
    SequenceRig rig;
    rig.meterHolds(2);
    rig.link.meter.answerTwice.insert(protocol::glucoseRequest(1));
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    EXPECT_EQ(rig.link.countWrites(protocol::glucoseRequest(0)), 0);
    EXPECT_EQ(rig.link.countWrites(protocol::timeRequest(0)), 0);
    EXPECT_EQ(rig.link.countWrites(protocol::timeRequest(1)), 1);
    EXPECT_EQ(rig.window.saves.size(), 1u);
}

TEST(SequencePasses, DuplicateTimeReplyEndsThePassWithoutAskingForIndexZero) {
    SequenceRig rig;
    rig.meterHolds(2);
    rig.link.meter.answerTwice.insert(protocol::timeRequest(1));
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    EXPECT_EQ(rig.link.countWrites(protocol::timeRequest(0)), 0);
    EXPECT_EQ(rig.link.countWrites(protocol::sleepCommand()), 1);
    EXPECT_EQ(rig.window.saves.size(), 1u);
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
