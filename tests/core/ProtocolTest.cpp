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
}

TEST(ProtocolClassification, HelloPatternDependsOnState) {
    const QByteArray b = hex("AA5AAA");
    EXPECT_EQ(protocol::classify(b, inState(1)), Reply::Hello);
    EXPECT_EQ(protocol::classify(b, inState(2)), Reply::Count);
    EXPECT_EQ(protocol::countOf(b), 170);
    EXPECT_EQ(protocol::classify(b, inState(3, 1)), Reply::GlucoseRecord);
    EXPECT_EQ(protocol::classify(b, inState(4)), Reply::SleepAck);
    EXPECT_EQ(protocol::classify(b, inState(0)), Reply::None);
}

TEST(ProtocolClassification, WakeAndLinkRepliesOnlyWhileWaking) {
    EXPECT_EQ(protocol::classify(hex("00"), inState(1)), Reply::Wake);
    for (int state : {0, 2, 3, 4})
        EXPECT_EQ(protocol::classify(hex("00"), inState(state, 1)), Reply::None) << state;
    EXPECT_EQ(protocol::classify(hex("54F1"), inState(1)), Reply::Link);
    EXPECT_EQ(protocol::classify(hex("54F1"), inState(2)), Reply::None);
    EXPECT_EQ(protocol::classify(hex("54"), inState(1)), Reply::None);
    EXPECT_EQ(protocol::classify(hex("F1"), inState(1)), Reply::None);
    // two wake replies within one poll are one 2-byte reply
    EXPECT_EQ(protocol::classify(hex("0000"), inState(1)), Reply::None);
}

TEST(ProtocolClassification, CountReply) {
    EXPECT_EQ(protocol::classify(hex("005AAA"), inState(2)), Reply::Count);
    EXPECT_EQ(protocol::countOf(hex("005AAA")), 0);
    EXPECT_EQ(protocol::countOf(hex("FF5AAA")), 255);
    EXPECT_EQ(protocol::classify(hex("035AAB"), inState(2)), Reply::None);
    EXPECT_EQ(protocol::classify(hex("035BAA"), inState(2)), Reply::None);
}

TEST(ProtocolClassification, RecordsFollowTheIndices) {
    const QByteArray r = hex("7B61AA");
    EXPECT_EQ(protocol::classify(r, inState(3, 1, 2)), Reply::GlucoseRecord);
    EXPECT_EQ(protocol::classify(r, inState(3, 3, 0)), Reply::GlucoseRecord);
    EXPECT_EQ(protocol::classify(r, inState(3, 0, 1)), Reply::TimeRecord);
    EXPECT_EQ(protocol::classify(r, inState(3, 0, 3)), Reply::TimeRecord);
    EXPECT_EQ(protocol::classify(r, inState(3, 0, 0)), Reply::None);
    EXPECT_EQ(protocol::classify(r, inState(3, 4, 4)), Reply::None);  // beyond the count
    EXPECT_EQ(protocol::classify(hex("7B61AB"), inState(3, 1)), Reply::None);
    EXPECT_EQ(protocol::classify(r, inState(2, 1)), Reply::None);
}

TEST(ProtocolClassification, MoreThanThreeBytesIsAnErrorInAnyState) {
    for (int state : {0, 1, 2, 3, 4}) {
        EXPECT_EQ(protocol::classify(hex("AA5AAA00"), inState(state, 1)), Reply::ReceiveError);
        EXPECT_EQ(protocol::classify(hex("7B61AA45DBAA"), inState(state, 1)), Reply::ReceiveError);
    }
    EXPECT_EQ(protocol::classify(QByteArray(), inState(1)), Reply::None);
}
