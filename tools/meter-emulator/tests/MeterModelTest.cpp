#include <gtest/gtest.h>

#include "MeterModel.h"
#include "ReadingsSource.h"
#include "TestBytes.h"

using namespace emulator;

namespace {
const QByteArray kWake = bytes({0x00});
const QByteArray kLink = bytes({0x55});
const QByteArray kHello = bytes({0xBA, 0xA5, 0xA9});
const QByteArray kCount = bytes({0xAE, 0xA5, 0xA9});
const QByteArray kSleep = bytes({0xB5, 0xA5, 0xA9});
const QByteArray kOnLine = bytes({0xAA, 0x5A, 0xAA});

QByteArray glucoseRequest(int i) {
    return bytes({0xAC, static_cast<unsigned char>(i), 0xA9});
}
QByteArray timeRequest(int i) {
    return bytes({0xAD, static_cast<unsigned char>(i), 0xA9});
}

const std::vector<Reading> kThree = {
    {6, 27, 13, 5, 379, 0}, {5, 2, 7, 30, 95, 1}, {4, 30, 23, 59, 600, 0}};

using Replies = std::vector<QByteArray>;
}  // namespace

TEST(MeterModel, AnswersEveryCommandOfADownload) {
    MeterModel meter(kThree);
    EXPECT_EQ(meter.receive(kWake), Replies{kWake});
    EXPECT_EQ(meter.receive(kLink), Replies{bytes({0x54, 0xF1})});
    EXPECT_EQ(meter.receive(kHello), Replies{kOnLine});
    EXPECT_EQ(meter.receive(kCount), Replies{bytes({0x03, 0x5A, 0xAA})});
    EXPECT_EQ(meter.receive(glucoseRequest(1)), Replies{bytes({0x7B, 0x61, 0xAA})});
    EXPECT_EQ(meter.receive(glucoseRequest(2)), Replies{glucoseRecord(kThree[1])});
    EXPECT_EQ(meter.receive(timeRequest(1)), Replies{bytes({0x45, 0xDB, 0xAA})});
    EXPECT_EQ(meter.receive(timeRequest(3)), Replies{timeRecord(kThree[2])});
    EXPECT_EQ(meter.sleepCommands(), 0);
    EXPECT_EQ(meter.receive(kSleep), Replies{kOnLine});
    EXPECT_EQ(meter.sleepCommands(), 1);
}

TEST(MeterModel, CountCoversEmptyAndFullMeter) {
    EXPECT_EQ(MeterModel({}).receive(kCount), Replies{bytes({0x00, 0x5A, 0xAA})});
    EXPECT_EQ(MeterModel(generateReadings(255)).receive(kCount),
              Replies{bytes({0xFF, 0x5A, 0xAA})});
    std::vector<Reading> tooMany(300, kThree[0]);
    EXPECT_EQ(MeterModel(tooMany).receive(kCount), Replies{bytes({0xFF, 0x5A, 0xAA})});
}

TEST(MeterModel, RecordIndexOutsideTheMeterGetsNoAnswer) {
    MeterModel meter(kThree);
    EXPECT_TRUE(meter.receive(glucoseRequest(0)).empty());
    EXPECT_TRUE(meter.receive(glucoseRequest(4)).empty());
    EXPECT_TRUE(meter.receive(timeRequest(0)).empty());
}

TEST(MeterModel, ParsesCommandsSentBackToBackOrInPieces) {
    MeterModel meter(kThree);
    EXPECT_EQ(meter.receive(kWake + kWake + kWake), (Replies{kWake, kWake, kWake}));
    EXPECT_EQ(meter.receive(kLink + kHello + kCount),
              (Replies{bytes({0x54, 0xF1}), kOnLine, bytes({0x03, 0x5A, 0xAA})}));
    EXPECT_TRUE(meter.receive(glucoseRequest(2).left(1)).empty());
    EXPECT_TRUE(meter.receive(glucoseRequest(2).mid(1, 1)).empty());
    EXPECT_EQ(meter.receive(glucoseRequest(2).mid(2)), Replies{glucoseRecord(kThree[1])});
}

TEST(MeterModel, IndexBytesThatLookLikeCommandsStayIndices) {
    // Index 85 is the link test byte, 0 the wake byte, 174 the count request's
    // first byte; none of them may start a command of its own.
    const std::vector<Reading> many = generateReadings(100);
    MeterModel meter(many);
    EXPECT_EQ(meter.receive(glucoseRequest(0x55)), Replies{glucoseRecord(many[84])});
    EXPECT_EQ(meter.receive(timeRequest(0xAE) + kLink), Replies{bytes({0x54, 0xF1})});
    EXPECT_EQ(meter.receive(glucoseRequest(0) + kLink), Replies{bytes({0x54, 0xF1})});
}

TEST(MeterModel, SkipsStrayBytesAndResyncsAfterABrokenCommand) {
    MeterModel meter(kThree);
    EXPECT_TRUE(meter.receive(bytes({0x12, 0xA9, 0xFF})).empty());
    // A hello cut short must not swallow the wake byte that follows it.
    EXPECT_EQ(meter.receive(bytes({0xBA, 0x00, 0xA9})), Replies{kWake});
    EXPECT_EQ(meter.receive(bytes({0xAE, 0xA5}) + kHello), Replies{kOnLine});
}

TEST(MeterModelFaults, NeverAnswerStaysSilentButStillSleeps) {
    MeterModel meter(kThree, MeterFaults{true, 1, false, false, 0});
    EXPECT_TRUE(meter.receive(kWake + kLink + kHello + kCount + glucoseRequest(1)).empty());
    EXPECT_TRUE(meter.receive(kSleep).empty());
    EXPECT_EQ(meter.sleepCommands(), 1);
}

TEST(MeterModelFaults, WakeAfterAnswersFromTheKthTryOn) {
    MeterFaults faults;
    faults.wakeAfter = 3;
    MeterModel meter(kThree, faults);
    EXPECT_TRUE(meter.receive(kWake).empty());
    EXPECT_TRUE(meter.receive(kWake).empty());
    EXPECT_EQ(meter.receive(kWake), Replies{kWake});
    EXPECT_EQ(meter.receive(kWake), Replies{kWake});
}

TEST(MeterModelFaults, DoubleRepliesComeInOnePiece) {
    MeterFaults faults;
    faults.doubleReplies = true;
    MeterModel meter(kThree, faults);
    EXPECT_EQ(meter.receive(kWake), Replies{kWake + kWake});
    EXPECT_EQ(meter.receive(glucoseRequest(1)),
              Replies{glucoseRecord(kThree[0]) + glucoseRecord(kThree[0])});
}

TEST(MeterModelFaults, NoCountAnswerLeavesOtherCommandsAlone) {
    MeterFaults faults;
    faults.noCountAnswer = true;
    MeterModel meter(kThree, faults);
    EXPECT_TRUE(meter.receive(kCount).empty());
    EXPECT_EQ(meter.receive(kHello), Replies{kOnLine});
    EXPECT_EQ(meter.receive(glucoseRequest(3)), Replies{glucoseRecord(kThree[2])});
}

TEST(MeterModelFaults, AnswerTwiceRepliesTwiceToTheFirstGlucoseRequestForIt) {
    MeterFaults faults;
    faults.answerTwice = 2;
    MeterModel meter(kThree, faults);
    EXPECT_EQ(meter.receive(glucoseRequest(1)), Replies{glucoseRecord(kThree[0])});
    EXPECT_EQ(meter.receive(timeRequest(2)), Replies{timeRecord(kThree[1])});
    const QByteArray second = glucoseRecord(kThree[1]);
    std::vector<bool> isCopy;
    EXPECT_EQ(meter.receive(glucoseRequest(2) + kWake, &isCopy), (Replies{second, second, kWake}));
    EXPECT_EQ(isCopy, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(meter.receive(glucoseRequest(2)), Replies{second});
}

TEST(MeterModelFaults, SkipRecordMissesOnlyTheFirstGlucoseRequestForIt) {
    MeterFaults faults;
    faults.skipRecord = 2;
    MeterModel meter(kThree, faults);
    EXPECT_EQ(meter.receive(glucoseRequest(1)), Replies{glucoseRecord(kThree[0])});
    EXPECT_EQ(meter.receive(timeRequest(2)), Replies{timeRecord(kThree[1])});
    EXPECT_TRUE(meter.receive(glucoseRequest(2)).empty());
    EXPECT_EQ(meter.receive(glucoseRequest(2)), Replies{glucoseRecord(kThree[1])});
    EXPECT_EQ(meter.receive(glucoseRequest(2)), Replies{glucoseRecord(kThree[1])});
}
