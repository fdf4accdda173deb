// A download's ordinary course and the wake-up, link test and hello phases.
#include <gtest/gtest.h>
#include <algorithm>

#include "tests/core/SequenceRig.h"

namespace {
const QString kWaitText = QStringLiteral("Meter Wake Up...Please Wait!");
const QString kFailed = QStringLiteral("Meter Wake Up...Failed");
const QString kLinkTesting = QStringLiteral("Link Testing...");

QString waiting(int seconds) {
    return QStringLiteral("Meter Wake Up...Waiting(%1s)").arg(seconds);
}
std::vector<QString> wakeUpCountdownFrom(int firstSecond) {
    std::vector<QString> out;
    for (int s = firstSecond; s <= 4; ++s) {
        out.push_back(QString());
        out.push_back(waiting(s));
    }
    out.push_back(QString());
    out.push_back(kFailed);
    return out;
}
std::vector<QString> concat(std::vector<QString> a, const std::vector<QString>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST(SequenceDownload, FirstTryMeterGivesTheStatusTextsInOrderAndProgressThroughBothPasses) {
    SequenceRig rig;
    rig.meterHolds(3);
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    const std::vector<QString> expected = {kWaitText, QStringLiteral("Linking..."),
                                           QStringLiteral("On Line..."),
                                           QStringLiteral(" ( 3 ) Data in Meter !!"),
                                           QStringLiteral("Complete! Receive ( 3 ) Data from Meter !!")};
    EXPECT_EQ(rig.window.statusTexts(), expected);
    EXPECT_TRUE(rig.window.messages.empty());
    EXPECT_EQ(rig.seq.DownloadState, 4);
    EXPECT_EQ(rig.window.progressMaximum, 6);
    EXPECT_EQ(rig.window.progressValues, (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(SequenceDownload, RecordsAreStagedAndSavedOnceTheSleepIsAcknowledged) {
    SequenceRig rig;
    rig.meterHolds(3);
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.window.saves.empty(); }));
    // The save waits for the acknowledgement, the last reply of a download,
    // and the completion text comes with it.
    EXPECT_TRUE(rig.completed());
    EXPECT_EQ(rig.link.writes.back().bytes, protocol::sleepCommand());
    ASSERT_FALSE(rig.link.arrivals.empty());
    EXPECT_EQ(rig.link.arrivals.back().command, protocol::sleepCommand());
    rig.advance(5000);
    ASSERT_EQ(rig.window.saves.size(), 1u);
    const auto& saved = rig.window.saves.front();
    ASSERT_EQ(saved.size(), 3u);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(saved[i - 1], SequenceRig::expectedReading(i)) << i;
    EXPECT_TRUE(rig.completed());
    // A finished download keeps the port, DTR and the receive poll.
    EXPECT_TRUE(rig.link.isOpen());
    EXPECT_TRUE(rig.link.dtr);
    EXPECT_TRUE(rig.window.isOn(DownloadTimer::TimerRt));
    EXPECT_EQ(rig.link.countWrites(protocol::sleepCommand()), 1);
}

TEST(SequenceDownload, CommandsGoOutInOrderWithTheirTiming) {
    SequenceRig rig;
    rig.meterHolds(1);
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    const std::vector<QByteArray> expected = {
        protocol::wakeByte(),        protocol::linkTestByte(),     protocol::helloCommand(),
        protocol::countRequest(),    protocol::glucoseRequest(1),  protocol::timeRequest(1),
        protocol::sleepCommand()};
    ASSERT_EQ(rig.link.writes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rig.link.writes[i].bytes, expected[i]) << i;
    // wake reply taken at 20 ms; link test 100 ms later; link reply at 140,
    // hello 1000 ms later; count request with the hello reply's poll; then
    // one request per 50 ms tick, the sleep command on the tick after the last.
    const std::vector<long> at = {0, 120, 1140, 1160, 1230, 1280, 1330};
    for (size_t i = 0; i < at.size(); ++i)
        EXPECT_EQ(rig.link.writes[i].atMs, at[i]) << i;
}

TEST(SequenceDownload, EmptyMeterIsSentToSleepAtOnceAndNothingIsSaved) {
    SequenceRig rig;
    rig.meterHolds(0);
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    const auto texts = rig.window.statusTexts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], QStringLiteral("There is no new data in meter !!"));
    EXPECT_EQ(texts.back(), QStringLiteral("Complete! Receive ( 0 ) Data from Meter !!"));
    EXPECT_TRUE(rig.window.saves.empty());
    EXPECT_TRUE(rig.window.progressValues.empty());
    EXPECT_EQ(rig.window.progressMaximum, 100);
    const auto& w = rig.link.writes;
    ASSERT_GE(w.size(), 2u);
    EXPECT_EQ(w[w.size() - 2].bytes, protocol::countRequest());
    EXPECT_EQ(w.back().bytes, protocol::sleepCommand());
    EXPECT_EQ(w.back().atMs - w[w.size() - 2].atMs, 20);  // the count reply's poll
}

TEST(SequenceDownload, SaveThatFailsIsReportedAndNeverCalledComplete) {
    SequenceRig rig;
    rig.meterHolds(2);
    rig.window.outcome = SaveOutcome::WriteFailed;
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.window.saves.empty(); }));
    rig.advance(2000);
    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_EQ(rig.window.messages.front(), saveOutcomeMessage(SaveOutcome::WriteFailed));
    EXPECT_FALSE(rig.completed());
    EXPECT_EQ(rig.link.countWrites(protocol::sleepCommand()), 1);
}

TEST(SequenceWakeUp, SilentMeterCountsDownAndFailsAtTick50) {
    SequenceRig rig;
    rig.link.meter.silent = true;
    rig.loadAndStart();
    rig.advance(50 * 50);
    std::vector<std::pair<int, QString>> seen;
    for (const auto& s : rig.window.statuses)
        seen.push_back({s.wakeTicks, s.text});
    const std::vector<std::pair<int, QString>> expected = {
        {9, ""},  {10, waiting(1)}, {19, ""}, {20, waiting(2)}, {29, ""},
        {30, waiting(3)}, {39, ""}, {40, waiting(4)}, {49, ""}, {50, kFailed}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(rig.link.countWrites(protocol::wakeByte()), 51);
    EXPECT_FALSE(rig.window.isOn(DownloadTimer::TimerOP));
    EXPECT_TRUE(rig.window.isOn(DownloadTimer::TimerRt));
    EXPECT_TRUE(rig.link.isOpen());
    rig.advance(5000);
    EXPECT_EQ(rig.link.writes.size(), 51u);
}

TEST(SequenceWakeUp, LinkTestGivesUpAtItsEleventhTickAndTheWakeUpGoesOnCounting) {
    SequenceRig rig;
    // The byte of wake tick 3 is the first one answered, and the only one.
    rig.link.meter.ignoreFirst[protocol::wakeByte()] = 3;
    rig.link.meter.answerLimit[protocol::wakeByte()] = 1;
    rig.link.meter.answerLimit[protocol::linkTestByte()] = 0;
    rig.loadAndStart();
    rig.advance(20000);
    EXPECT_EQ(rig.link.countWrites(protocol::linkTestByte()), 11);
    EXPECT_EQ(rig.window.statusTexts(),
              concat({kWaitText, kLinkTesting}, wakeUpCountdownFrom(1)));
    EXPECT_EQ(rig.window.statuses.back().wakeTicks, 50);
    EXPECT_EQ(rig.link.countWrites(protocol::wakeByte()), 51);
    EXPECT_EQ(rig.seq.LinkTicks, 0);
}

TEST(SequenceWakeUp, HelloGivesUpAtItsSixthTick) {
    SequenceRig rig;
    rig.link.meter.answerLimit[protocol::wakeByte()] = 1;
    rig.link.meter.answerLimit[protocol::linkTestByte()] = 1;
    rig.link.meter.answerLimit[protocol::helloCommand()] = 0;
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.window.statusTexts().size() == 3; }));
    EXPECT_EQ(rig.window.statusTexts().back(), kLinkTesting);
    EXPECT_EQ(rig.link.countWrites(protocol::helloCommand()), 6);
    EXPECT_FALSE(rig.window.isOn(DownloadTimer::Timer2));
    EXPECT_TRUE(rig.window.isOn(DownloadTimer::TimerOP));
    EXPECT_EQ(rig.seq.HelloTicks, 0);
    EXPECT_EQ(rig.seq.DownloadState, 1);
    // wake reply at tick 0's poll, link reply at 140 ms, six hellos a second apart
    EXPECT_EQ(rig.now, 140 + 6 * 1000);
}

TEST(SequenceWakeUp, LateWakeReplyAfterFailureStillMovesTheDownloadOn) {
    SequenceRig rig;
    rig.meterHolds(1);
    rig.link.meter.ignoreFirst[protocol::wakeByte()] = 51;
    rig.loadAndStart();
    rig.advance(50 * 50 + 10);
    ASSERT_EQ(rig.window.statusTexts().back(), kFailed);
    rig.link.inject(protocol::wakeByte());
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
    EXPECT_EQ(rig.window.saves.size(), 1u);
}

TEST(SequenceWakeUp, LinkTestAfterAHelloGiveUpCountsOnFromItsEarlierTicks) {
    SequenceRig rig;
    rig.link.meter.answerLimit[protocol::wakeByte()] = 2;
    rig.link.meter.ignoreFirst[protocol::linkTestByte()] = 2;  // passes at its 3rd tick
    rig.link.meter.answerLimit[protocol::linkTestByte()] = 1;
    rig.link.meter.answerLimit[protocol::helloCommand()] = 0;
    rig.loadAndStart();
    rig.advance(20000);
    // 3 ticks to pass, then a give-up at the 8th tick of the second test
    EXPECT_EQ(rig.link.countWrites(protocol::linkTestByte()), 3 + 8);
    EXPECT_EQ(rig.link.countWrites(protocol::helloCommand()), 6);
    EXPECT_EQ(rig.window.statusTexts().back(), kFailed);
}

namespace {
bool isLinkUpCommand(const QByteArray& command) {
    return command == protocol::wakeByte() || command == protocol::linkTestByte() ||
           command == protocol::helloCommand();
}
}  // namespace

// A meter that works through a queue of commands keeps answering the
// wake-up, the link test and the hello long after the download has moved
// on; none of those replies may be taken for a later one (a stale hello
// reply in place of the count reply would be a count of 170). A meter
// that leaves no stale reply keeps the timing it has without them.
TEST(SequenceStaleReplies, ReplyOfAnEarlierPhaseIsNeverTakenAndWithoutOneNoWaitIsAdded) {
    const struct {
        const char* name;
        bool queued;
        int replyDelayMs, firstHelloDelayMs, wakesIgnored;
        long countRequestAtMs;  // 0: whenever the line has settled
    } cases[] = {
        {"answers at once", false, 0, 0, 0, 1160},
        {"answers its third wake byte at once", false, 0, 0, 2, 1260},
        {"queued, 250 ms a command", true, 250, 0, 0, 0},
        {"queued, 500 ms a command", true, 500, 0, 0, 0},
        {"first hello answered after the second", false, 0, 1100, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SequenceRig rig;
        rig.meterHolds(3);
        FakeMeter& meter = rig.link.meter;
        meter.queued = c.queued;
        meter.replyDelayMs = c.replyDelayMs;
        meter.ignoreFirst[protocol::wakeByte()] = c.wakesIgnored;
        if (c.firstHelloDelayMs)
            meter.firstReplyDelayMs[protocol::helloCommand()] = c.firstHelloDelayMs;
        rig.loadAndStart();
        ASSERT_TRUE(rig.runUntil([&] { return rig.completed(); }));
        EXPECT_TRUE(rig.window.messages.empty());
        ASSERT_EQ(rig.window.saves.size(), 1u);
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(rig.window.saves.front()[i - 1], SequenceRig::expectedReading(i)) << i;
        const auto texts = rig.window.statusTexts();
        for (const QString& once : {QStringLiteral("Linking..."), QStringLiteral("On Line..."),
                                    QStringLiteral(" ( 3 ) Data in Meter !!")})
            EXPECT_EQ(std::count(texts.begin(), texts.end(), once), 1) << once.toStdString();
        ASSERT_EQ(rig.link.countWrites(protocol::countRequest()), 1);
        long countAt = 0;
        for (const auto& w : rig.link.writes)
            if (w.bytes == protocol::countRequest())
                countAt = w.atMs;
        if (c.countRequestAtMs) {
            EXPECT_EQ(countAt, c.countRequestAtMs);
        }
        for (const auto& a : rig.link.arrivals)
            EXPECT_FALSE(isLinkUpCommand(a.command) && a.atMs > countAt)
                << "a reply to " << a.command.toHex().toStdString() << " came at " << a.atMs
                << " ms, after the count request at " << countAt << " ms";
    }
}
