// A meter that writes one reply twice puts the copy on the line after the
// next request has gone out, where it reads as that request's answer; every
// later reply would then be taken one request late, until a request the
// meter leaves unanswered brings the stream back in step. So a reply counts
// only once the line has stayed quiet after it for longer than the slowest
// reply: the real answer then shows the copy for what it is.
//
// One case no host can tell: a copy followed by the meter ignoring the very
// request it was taken for is, byte for byte, that request's answer. The
// unanswered request here always comes well after the copy.
#include <gtest/gtest.h>

#include "tests/core/SequenceRig.h"

namespace {

constexpr int kReadings = 12;
constexpr int kLineByteUs = 1150;  // 9600 baud, 8 data bits, 2 stop bits

struct MeterKind {
    const char* name;
    bool queued;
    int delayMs;
    bool copyTakesATurn;
};

void meterIs(SequenceRig& rig, const MeterKind& kind) {
    rig.meterHolds(kReadings);
    rig.link.meter.queued = kind.queued;
    rig.link.meter.replyDelayMs = kind.delayMs;
    rig.link.meter.copyTakesATurn = kind.copyTakesATurn;
    rig.link.meter.byteGapUs = kLineByteUs;
}

}  // namespace

TEST(SequenceCopiedReply, CopyFollowedByAnUnansweredRequestIsNeverSaved) {
    const struct {
        MeterKind meter;
        std::vector<int> copyGapsMs;
        long withinMs;
    } meters[] = {
        {{"side by side, 2 ms", false, 2, false}, {20, 60, 100, 200, 400}, 3000},
        {{"side by side, 200 ms", false, 200, false}, {20, 60, 100, 200, 400}, 11000},
        {{"queued, 250 ms", true, 250, false}, {20, 60, 100, 200, 400}, 14000},
        {{"queued, 250 ms, the copy taking a turn", true, 250, true}, {0}, 14000},
    };
    const struct {
        const char* name;
        QByteArray copied;
        QByteArray unanswered;  // at its first sending
    } copies[] = {
        {"count reply", protocol::countRequest(), protocol::glucoseRequest(10)},
        {"glucose record 2", protocol::glucoseRequest(2), protocol::glucoseRequest(11)},
        {"time record 2", protocol::timeRequest(2), protocol::timeRequest(11)},
    };
    for (const auto& m : meters) {
        for (const auto& copy : copies) {
            for (int gapMs : m.copyGapsMs) {
                SCOPED_TRACE(std::string(m.meter.name) + ", " + copy.name + " again after " +
                             std::to_string(gapMs) + " ms");
                SequenceRig rig;
                meterIs(rig, m.meter);
                rig.link.meter.answerTwice.insert(copy.copied);
                rig.link.meter.copyGapMs = gapMs;
                rig.link.meter.ignoreFirst[copy.unanswered] = 1;
                rig.loadAndStart();
                expectOutcome(rig, kReadings, Outcome::Refused, m.withinMs);
            }
        }
    }
}

// The quiet after each reply costs a meter answering within milliseconds
// nothing; a slow meter pays about its own delay once more per request.
TEST(SequenceCopiedReply, HealthyMetersStillGiveTheirExactReadingsInTime) {
    const struct {
        MeterKind meter;
        long withinMs;
    } rows[] = {
        {{"side by side, 2 ms", false, 2, false}, 2600},
        {{"side by side, 200 ms", false, 200, false}, 20000},
        {{"side by side, 1000 ms", false, 1000, false}, 65000},
        {{"queued, 2 ms", true, 2, false}, 2600},
        {{"queued, 250 ms", true, 250, false}, 20000},
        {{"queued, 1000 ms", true, 1000, false}, 85000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.meter.name);
        SequenceRig rig;
        meterIs(rig, row.meter);
        rig.loadAndStart();
        expectOutcome(rig, kReadings, Outcome::Exact, row.withinMs);
    }
}
