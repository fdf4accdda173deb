// The receive error and the link error: each ends the download at once,
// with every timer off, the port closed and nothing written after.
#include <gtest/gtest.h>

#include "tests/core/SequenceRig.h"

namespace {
const QString kLinkError = QStringLiteral("Link Error !");

// What every error path leaves behind, whatever the phase it hit.
void expectDownloadOver(SequenceRig& rig) {
    EXPECT_FALSE(rig.window.anyTimerOn());
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_EQ(rig.seq.DownloadState, 4);
    ASSERT_FALSE(rig.window.progressValues.empty());
    EXPECT_EQ(rig.window.progressValues.back(), 0);
    EXPECT_TRUE(rig.window.saves.empty());
    const size_t writes = rig.link.writes.size();
    const size_t statuses = rig.window.statuses.size();
    rig.advance(10000);
    EXPECT_EQ(rig.link.writes.size(), writes);
    EXPECT_EQ(rig.link.writesWhileClosed(), 0);
    EXPECT_EQ(rig.window.statuses.size(), statuses);
}

void expectSleepTriedLast(const SequenceRig& rig) {
    ASSERT_FALSE(rig.link.writes.empty());
    EXPECT_EQ(rig.link.writes.back().bytes, protocol::sleepCommand());
    EXPECT_TRUE(rig.link.writes.back().portOpen);
}
}  // namespace

TEST(SequenceErrors, SixBytesInOnePollEndTheDownloadWithTheirDump) {
    SequenceRig rig;
    rig.meterHolds(3);
    rig.link.meter.replaceReply[protocol::glucoseRequest(2)] = QByteArray::fromHex("7B61AA45DBAA");
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.window.messages.empty(); }));
    EXPECT_EQ(rig.window.messages.front(),
              QStringLiteral("Data Receiving Error! Got 6 byte--it's [7B][61][AA][45][DB][AA]"));
    EXPECT_EQ(rig.window.statusTexts().back(), QStringLiteral(" ( 3 ) Data in Meter !!"));
    expectSleepTriedLast(rig);
    expectDownloadOver(rig);
    EXPECT_EQ(rig.window.messages.size(), 1u);
}

std::string timerName(const ::testing::TestParamInfo<DownloadTimer>& info) {
    static const char* const names[] = {"TimerRt", "TimerOP", "Timer1",    "Timer2",
                                        "Timer3",  "Timer4",  "TimerSleep"};
    return names[static_cast<int>(info.param)];
}

// A phase and the timer whose switching on starts it.
class SequenceErrorsInEveryPhase : public ::testing::TestWithParam<DownloadTimer> {};

TEST_P(SequenceErrorsInEveryPhase, NoTimerWritesToTheClosedPort) {
    SequenceRig rig;
    rig.meterHolds(2);
    bool injected = false;
    rig.window.whenEnabled = [&](DownloadTimer t) {
        if (t == GetParam() && !injected) {
            rig.link.inject(QByteArray::fromHex("AA5AAA00"));
            injected = true;
        }
    };
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.window.messages.empty(); }));
    ASSERT_TRUE(injected);
    EXPECT_TRUE(rig.window.messages.front().startsWith(
        QStringLiteral("Data Receiving Error! Got ")));
    expectSleepTriedLast(rig);
    expectDownloadOver(rig);
}

INSTANTIATE_TEST_SUITE_P(Phases, SequenceErrorsInEveryPhase,
                         ::testing::Values(DownloadTimer::TimerOP, DownloadTimer::Timer1,
                                           DownloadTimer::Timer2, DownloadTimer::Timer3,
                                           DownloadTimer::Timer4),
                         timerName);

// No download waits for ever (five tries a second apart), and a reply nobody
// asked for (the meter answered twice) may already have been taken for the
// next index: either way the link error, and nothing saved.
TEST(SequenceErrors, RequestUnansweredFiveTimesOrAnsweredTwiceIsALinkError) {
    const QByteArray count = protocol::countRequest(), glucose2 = protocol::glucoseRequest(2),
                     time2 = protocol::timeRequest(2);
    for (const auto& [request, twice] : {std::pair{count, false}, {glucose2, false}, {time2, false},
                                         {count, true}, {glucose2, true}, {time2, true}}) {
        SCOPED_TRACE(request.toHex().toStdString() + (twice ? " twice" : " never"));
        SequenceRig rig;
        rig.meterHolds(2);
        if (twice)
            rig.link.meter.answerTwice.insert(request);
        else
            rig.link.meter.answerLimit[request] = 0;
        rig.loadAndStart();
        ASSERT_TRUE(rig.runUntil([&] { return !rig.window.messages.empty(); }));
        EXPECT_EQ(rig.window.messages, std::vector<QString>{kLinkError});
        EXPECT_EQ(rig.link.countWrites(request), twice ? 1 : 5);
        EXPECT_EQ(rig.link.writes[rig.link.writes.size() - 2].bytes, request);
        expectDownloadOver(rig);
    }
}

TEST(SequenceErrors, FourBytesWhileWakingGiveTheDumpOfTheExample) {
    SequenceRig rig;
    rig.link.meter.silent = true;
    rig.loadAndStart();
    rig.advance(100);
    rig.link.inject(QByteArray::fromHex("AA5AAA00"));
    rig.advance(20);
    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_EQ(rig.window.messages.front(),
              QStringLiteral("Data Receiving Error! Got 4 byte--it's [AA][5A][AA][0]"));
    expectDownloadOver(rig);
}

TEST(SequenceErrors, BabblingDeviceGivesOnePollOf4KBAndAShortDump) {
    SequenceRig rig;
    rig.meterHolds(2);
    rig.link.inject(QByteArray(100, '\xEE'));  // before "Start Reading": dropped
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.window.isOn(DownloadTimer::Timer3); }));
    EXPECT_TRUE(rig.window.messages.empty());
    rig.link.inject(QByteArray(10000, '\xEE'));
    rig.advance(20);
    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_EQ(rig.window.messages.front(), "Data Receiving Error! Got 4096 byte--it's " +
                                               QString("[EE]").repeated(16) + "...");
    expectDownloadOver(rig);
}

TEST(SequenceErrors, FailedCountRequestIsALinkErrorAndSleepIsTriedOnce) {
    SequenceRig rig;
    rig.meterHolds(2);
    rig.link.failWrite = [](const QByteArray& b) {
        return b == protocol::countRequest() || b == protocol::sleepCommand();
    };
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.window.messages.empty(); }));
    EXPECT_EQ(rig.window.messages, std::vector<QString>{kLinkError});
    EXPECT_EQ(rig.window.statusTexts().back(), QStringLiteral("On Line..."));
    EXPECT_EQ(rig.link.countWrites(protocol::countRequest()), 1);
    EXPECT_EQ(rig.link.countWrites(protocol::sleepCommand()), 1);
    expectSleepTriedLast(rig);
    expectDownloadOver(rig);
}

TEST(SequenceErrors, FailedSleepForAnEmptyMeterIsALinkError) {
    SequenceRig rig;
    rig.meterHolds(0);
    rig.link.failWrite = [](const QByteArray& b) { return b == protocol::sleepCommand(); };
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.window.messages.empty(); }));
    EXPECT_EQ(rig.window.messages, std::vector<QString>{kLinkError});
    // the poll's own sleep command, then the error path's single try
    EXPECT_EQ(rig.link.countWrites(protocol::sleepCommand()), 2);
    for (const QString& text : rig.window.statusTexts())
        EXPECT_NE(text, QStringLiteral("There is no new data in meter !!"));
    expectDownloadOver(rig);
}

TEST(SequenceErrors, FailureToCountOrTakeWaitingBytesIsALinkError) {
    for (bool failCount : {true, false}) {
        SCOPED_TRACE(failCount ? "bytes waiting" : "taking them");
        SequenceRig rig;
        rig.meterHolds(2);
        rig.loadAndStart();
        ASSERT_TRUE(rig.runUntil([&] { return rig.window.isOn(DownloadTimer::Timer3); }));
        rig.link.inject(QByteArray::fromHex("00"));  // something is waiting
        (failCount ? rig.link.failBufferCount : rig.link.failInput) = true;
        rig.advance(20);
        EXPECT_EQ(rig.window.messages, std::vector<QString>{kLinkError});
        expectDownloadOver(rig);
    }
}

TEST(SequenceErrors, StartReadingAfterAnErrorReopensAndStartsFromTheWakeUp) {
    SequenceRig rig;
    rig.meterHolds(1);
    rig.link.meter.replaceReply[protocol::glucoseRequest(1)] = QByteArray::fromHex("7B61AA00");
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.window.messages.empty(); }));
    ASSERT_FALSE(rig.link.isOpen());
    rig.link.meter.replaceReply.clear();
    rig.link.dtr = false;
    rig.window.port = 3;  // changed in the settings window meanwhile
    const size_t before = rig.link.writes.size();
    rig.startReading();
    EXPECT_TRUE(rig.link.isOpen());
    EXPECT_EQ(rig.link.commPort, 1);
    EXPECT_TRUE(rig.link.dtr);
    EXPECT_EQ(rig.seq.DownloadState, 1);
    ASSERT_EQ(rig.link.writes.size(), before + 1);
    EXPECT_EQ(rig.link.writes.back().bytes, protocol::wakeByte());
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    EXPECT_EQ(rig.window.saves.size(), 1u);
}
