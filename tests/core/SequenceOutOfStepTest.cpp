// A reading is saved only from an exchange in which every reply answered
// the request outstanding: a repeated reply, a stray byte or a reading
// outside the calendar from the count request on ends the download with
// nothing saved, and a noisy line never keeps a download from ending.
#include <gtest/gtest.h>

#include "tests/core/SequenceRig.h"

namespace {

struct MeterKind {
    const char* name;
    bool queued;
    int delayMs;
};
constexpr MeterKind kMeters[] = {{"at once", false, 0}, {"late", false, 250}, {"queued", true, 250}};

void meterIs(SequenceRig& rig, const MeterKind& kind) {
    rig.meterHolds(3);
    rig.link.meter.queued = kind.queued;
    rig.link.meter.replyDelayMs = kind.delayMs;
}

}  // namespace

TEST(SequenceOutOfStep, ReplyRepeatedAtEachStep) {
    const struct {
        QByteArray command;
        Outcome outcome;
    } rows[] = {
        // Before the count a copy answers nothing asked and is dropped.
        {protocol::wakeByte(), Outcome::Exact},
        {protocol::linkTestByte(), Outcome::Exact},
        // A copy of the hello reply reads as a count of 170.
        {protocol::helloCommand(), Outcome::Refused},
        {protocol::countRequest(), Outcome::Refused},
        {protocol::glucoseRequest(1), Outcome::Refused},
        {protocol::glucoseRequest(3), Outcome::Refused},
        {protocol::timeRequest(1), Outcome::Refused},
        {protocol::timeRequest(3), Outcome::Refused},
        // A copy of the acknowledgement looks like the real one coming after a
        // time record of the same bytes: nothing is saved, and the meter still
        // holds its readings for the next try.
        {protocol::sleepCommand(), Outcome::Refused},
    };
    for (const MeterKind& kind : kMeters) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(kind.name) + ", twice: " + row.command.toHex().toStdString());
            SequenceRig rig;
            meterIs(rig, kind);
            rig.link.meter.answerTwice.insert(row.command);
            rig.loadAndStart();
            expectOutcome(rig, 3, row.outcome, 15000);
        }
    }
}

TEST(SequenceOutOfStep, StrayByteAtEachStep) {
    const struct {
        DownloadStep step;
        Outcome outcome;
    } rows[] = {
        {DownloadStep::Waking, Outcome::Exact},  // taken for the wake reply, which is harmless
        {DownloadStep::LinkTest, Outcome::Exact},
        {DownloadStep::Hello, Outcome::Exact},
        {DownloadStep::Counting, Outcome::Refused},
        {DownloadStep::Glucose, Outcome::Refused},
        {DownloadStep::Time, Outcome::Refused},
        {DownloadStep::Sleeping, Outcome::Refused},
    };
    for (const MeterKind& kind : kMeters) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(kind.name) + ", step " +
                         std::to_string(static_cast<int>(row.step)));
            SequenceRig rig;
            meterIs(rig, kind);
            rig.loadAndStart();
            ASSERT_TRUE(rig.runUntil([&] { return rig.seq.step() == row.step; }));
            rig.link.inject(QByteArray(1, '\x00'));
            expectOutcome(rig, 3, row.outcome, 15000);
        }
    }
}

// A stray byte more often than the quiet time, for ever: the link-up ends
// at its limit with the failure of its phase.
TEST(SequenceOutOfStep, NoisyLineEndsTheDownloadInTime) {
    const long limit = DownloadSequence::kLinkUpLimitMs + 100;
    const struct {
        const char* name;
        QByteArray stray;
        int everyMs;
        bool meterAnswers;
        long withinMs;
    } rows[] = {
        {"00 every 100 ms, meter answering", QByteArray(1, '\x00'), 100, true, 2000},
        {"00 every 100 ms, no meter", QByteArray(1, '\x00'), 100, false, limit},
        {"54 F1 every 100 ms, no meter", QByteArray::fromHex("54F1"), 100, false, limit},
        {"00 every 1.4 s, no meter", QByteArray(1, '\x00'), 1400, false, limit},
        {"54 F1 every 1.4 s, no meter", QByteArray::fromHex("54F1"), 1400, false, limit},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SequenceRig rig;
        rig.meterHolds(3);
        rig.link.meter.silent = !row.meterAnswers;
        rig.link.meter.strayEveryMs = row.everyMs;
        rig.link.meter.strayBytes = row.stray;
        rig.loadAndStart();
        expectOutcome(rig, 3, Outcome::Refused, row.withinMs);
        EXPECT_FALSE(rig.window.anyTimerOn());
    }
}

// Bytes that answer nothing while the meter sleeps: its own wake-up failure
// stands, and the link-up stops listening at its limit.
TEST(SequenceOutOfStep, NoisyLineWithoutAMeterStopsAsAFailedWakeUp) {
    SequenceRig rig;
    rig.link.meter.silent = true;
    rig.link.meter.strayEveryMs = 100;
    rig.link.meter.strayBytes = QByteArray::fromHex("13");
    rig.loadAndStart();
    rig.advance(DownloadSequence::kLinkUpLimitMs + 100);
    EXPECT_EQ(rig.window.statusTexts().back(), QStringLiteral("Meter Wake Up...Failed"));
    EXPECT_FALSE(rig.window.anyTimerOn());
    EXPECT_TRUE(rig.window.messages.empty());
}

TEST(SequenceOutOfStep, ReadingOutsideTheCalendarOrSleepNeverAcknowledged) {
    const struct {
        const char* name;
        QByteArray command;
        QByteArray reply;  // empty: never answered
    } rows[] = {
        {"month 0", protocol::glucoseRequest(2), QByteArray::fromHex("7B01AA")},
        {"month 13", protocol::glucoseRequest(2), QByteArray::fromHex("7BD1AA")},
        {"day 0", protocol::timeRequest(2), QByteArray::fromHex("4503AA")},
        {"hour 27", protocol::timeRequest(2), QByteArray::fromHex("C5DEAA")},
        {"minute 63", protocol::timeRequest(2), QByteArray::fromHex("7FDBAA")},
        {"no acknowledgement", protocol::sleepCommand(), QByteArray()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SequenceRig rig;
        rig.meterHolds(3);
        if (row.reply.isEmpty())
            rig.link.meter.answerLimit[row.command] = 0;
        else
            rig.link.meter.replaceReply[row.command] = row.reply;
        rig.loadAndStart();
        expectOutcome(rig, 3, Outcome::Refused, 10000);
    }
}

// A meter that handles one command at a time answers a repeated glucose
// request with a copy after the next request has gone out, so every later
// reply would be taken one request late.
TEST(SequenceOutOfStep, QueuedMeterAnsweringTwiceNeverGivesAWrongReading) {
    for (int delayMs : {60, 100, 250, 500}) {
        for (int index : {1, 3, 6}) {
            for (int gapMs : {30, 60, 100, 150}) {
                SCOPED_TRACE(std::to_string(delayMs) + " ms a command, copy of glucose " +
                             std::to_string(index) + " after " + std::to_string(gapMs) + " ms");
                SequenceRig rig;
                rig.meterHolds(6);
                rig.link.meter.queued = true;
                rig.link.meter.replyDelayMs = delayMs;
                rig.link.meter.answerTwice.insert(protocol::glucoseRequest(index));
                rig.link.meter.copyGapMs = gapMs;
                rig.loadAndStart();
                expectOutcome(rig, 6, Outcome::Refused, 30000);
            }
        }
    }
}

// A second a command: the meter answers twenty wake bytes before anything
// else, and its link-up still ends in time for an exact download.
TEST(SequenceOutOfStep, MeterTakingASecondACommandStillLinksUpInTime) {
    SequenceRig rig;
    rig.meterHolds(3);
    rig.link.meter.queued = true;
    rig.link.meter.replyDelayMs = 1000;
    rig.loadAndStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.seq.step() == DownloadStep::Counting; },
                             DownloadSequence::kLinkUpLimitMs));
    expectOutcome(rig, 3, Outcome::Exact, 20000);
}
