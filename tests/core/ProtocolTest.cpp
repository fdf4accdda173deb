#include <gtest/gtest.h>

#include "meter/Protocol.h"

using protocol::PollContext;
using protocol::Reply;

namespace {
QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}
PollContext inState(int state, int glucoseIndex = 0, int timeIndex = 0, int count = 3) {
    return {state, glucoseIndex, timeIndex, count};
}
PollContext nothingAsked(PollContext p) {
    p.requestUnanswered = false;
    return p;
}
void expectGlucoseRecord(const char* record, int month, int mealFlag, int glucose) {
    SCOPED_TRACE(record);
    const auto f = protocol::decodeGlucoseRecord(hex(record));
    EXPECT_EQ(f.month, month);
    EXPECT_EQ(f.mealFlag, mealFlag);
    EXPECT_EQ(f.glucose, glucose);
}
void expectTimeRecord(const char* record, int day, int hour, int minute) {
    SCOPED_TRACE(record);
    const auto f = protocol::decodeTimeRecord(hex(record));
    EXPECT_EQ(f.day, day);
    EXPECT_EQ(f.hour, hour);
    EXPECT_EQ(f.minute, minute);
}
}  // namespace

TEST(ProtocolCommands, BytesOnTheWire) {
    EXPECT_EQ(protocol::wakeByte(), hex("00"));
    EXPECT_EQ(protocol::linkTestByte(), hex("55"));
    EXPECT_EQ(protocol::helloCommand(), hex("BAA5A9"));
    EXPECT_EQ(protocol::countRequest(), hex("AEA5A9"));
    EXPECT_EQ(protocol::sleepCommand(), hex("B5A5A9"));
    EXPECT_EQ(protocol::glucoseRequest(1), hex("AC01A9"));
    EXPECT_EQ(protocol::glucoseRequest(255), hex("ACFFA9"));
    EXPECT_EQ(protocol::timeRequest(12), hex("AD0CA9"));
}

TEST(ProtocolDecoding, GlucoseRecordWorkedExamples) {
    expectGlucoseRecord("7B61AA", 6, 0, 379);
    expectGlucoseRecord("7B65AA", 6, 1, 379);  // after a meal
}

TEST(ProtocolDecoding, GlucoseRecordIgnoresBitThreeAndKeepsOutOfCalendarMonths) {
    expectGlucoseRecord("7B69AA", 6, 0, 379);
    expectGlucoseRecord("FFFFAA", 15, 1, 1023);
}

TEST(ProtocolDecoding, TimeRecordWorkedExampleAndFullRange) {
    expectTimeRecord("45DBAA", 27, 13, 5);
    expectTimeRecord("FFFFAA", 31, 31, 63);
}

TEST(ProtocolDump, BracketedUpperCaseHexWithoutLeadingZero) {
    EXPECT_EQ(protocol::dumpText(hex("0A5AAA00")), QStringLiteral("[A][5A][AA][0]"));
    EXPECT_EQ(protocol::dumpText(hex("7B61AA45dbaa")), QStringLiteral("[7B][61][AA][45][DB][AA]"));
    EXPECT_EQ(protocol::dumpText(QByteArray()), QString());
    // past 16 bytes only an ellipsis
    EXPECT_EQ(protocol::dumpText(QByteArray(16, '\x01')), QString("[1]").repeated(16));
    EXPECT_EQ(protocol::dumpText(QByteArray(17, '\x01')), QString("[1]").repeated(16) + "...");
}

// What a poll's bytes are taken for in each state (0 idle, 1 waking, 2
// counting, 3 records, 4 going to sleep) with the record indices.
TEST(ProtocolClassification, RepliesByStateAndIndices) {
    const QByteArray hello = hex("AA5AAA"), record = hex("7B61AA");
    const struct {
        QByteArray bytes;
        PollContext context;
        Reply expected;
    } cases[] = {
        // the hello pattern depends on the state
        {hello, inState(1), Reply::Hello},
        {hello, inState(2), Reply::Count},
        {hello, inState(3, 1), Reply::GlucoseRecord},
        {hello, inState(4), Reply::SleepAck},
        {hello, inState(0), Reply::None},
        // wake and link replies only while waking
        {hex("00"), inState(1), Reply::Wake},
        {hex("00"), inState(0, 1), Reply::None},
        {hex("00"), inState(2, 1), Reply::None},
        {hex("00"), inState(3, 1), Reply::None},
        {hex("00"), inState(4, 1), Reply::None},
        {hex("54F1"), inState(1), Reply::Link},
        {hex("54F1"), inState(2), Reply::None},
        {hex("54"), inState(1), Reply::None},
        {hex("F1"), inState(1), Reply::None},
        {hex("0000"), inState(1), Reply::None},  // two wake replies in one poll are one reply
        // the count reply
        {hex("005AAA"), inState(2), Reply::Count},
        {hex("035AAB"), inState(2), Reply::None},
        {hex("035BAA"), inState(2), Reply::None},
        // records follow the indices
        {record, inState(3, 1, 2), Reply::GlucoseRecord},
        {record, inState(3, 3, 0), Reply::GlucoseRecord},
        {record, inState(3, 0, 1), Reply::TimeRecord},
        {record, inState(3, 0, 3), Reply::TimeRecord},
        {record, inState(3, 0, 0), Reply::None},
        {record, inState(3, 4, 4), Reply::None},  // beyond the count
        {hex("7B61AB"), inState(3, 1), Reply::None},
        {record, inState(2, 1), Reply::None},
        {QByteArray(), inState(1), Reply::None},
        // a count or a record while no request is unanswered, whatever the indices
        {record, nothingAsked(inState(3, 1, 0)), Reply::Unasked},
        {record, nothingAsked(inState(3, 0, 0)), Reply::Unasked},
        {hello, nothingAsked(inState(4)), Reply::SleepAck},
        {hello, nothingAsked(inState(2)), Reply::Unasked},  // a stale hello, not a count of 170
        {hex("7B61AB"), nothingAsked(inState(3, 1)), Reply::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(protocol::classify(c.bytes, c.context), c.expected)
            << c.bytes.toHex().toStdString() << " in state " << c.context.downloadState << " indices "
            << c.context.glucoseIndex << "/" << c.context.timeIndex;
    EXPECT_EQ(protocol::countOf(hello), 170);
    EXPECT_EQ(protocol::countOf(hex("005AAA")), 0);
    EXPECT_EQ(protocol::countOf(hex("FF5AAA")), 255);
}

TEST(ProtocolClassification, MoreThanThreeBytesIsAnErrorInAnyState) {
    for (int state : {0, 1, 2, 3, 4}) {
        EXPECT_EQ(protocol::classify(hex("AA5AAA00"), inState(state, 1)), Reply::ReceiveError);
        EXPECT_EQ(protocol::classify(hex("7B61AA45DBAA"), inState(state, 1)), Reply::ReceiveError);
    }
}
