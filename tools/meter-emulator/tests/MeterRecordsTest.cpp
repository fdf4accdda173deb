#include <QDate>
#include <QTime>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

#include "MeterRecords.h"
#include "ReadingsSource.h"
#include "TestBytes.h"

using namespace emulator;

TEST(MeterRecords, PackGlucoseMonthAndMealFlag) {
    const Reading r{6, 1, 0, 0, 379, 0};
    EXPECT_EQ(glucoseRecord(r), bytes({0x7B, 0x61, 0xAA}));
    EXPECT_EQ(glucoseRecord(Reading{6, 1, 0, 0, 379, 1}), bytes({0x7B, 0x65, 0xAA}));
    EXPECT_EQ(glucoseRecord(Reading{15, 1, 0, 0, 1023, 1}), bytes({0xFF, 0xF7, 0xAA}));
    EXPECT_EQ(glucoseRecord(Reading{0, 1, 0, 0, 0, 0}), bytes({0x00, 0x00, 0xAA}));
}

TEST(MeterRecords, PackDayHourAndMinute) {
    EXPECT_EQ(timeRecord(Reading{1, 27, 13, 5, 100, 0}), bytes({0x45, 0xDB, 0xAA}));
    EXPECT_EQ(timeRecord(Reading{1, 31, 31, 63, 100, 0}), bytes({0xFF, 0xFF, 0xAA}));
    EXPECT_EQ(timeRecord(Reading{1, 0, 0, 0, 100, 0}), bytes({0x00, 0x00, 0xAA}));
}

TEST(MeterRecords, FieldsMustFitTheirBits) {
    EXPECT_TRUE(fitsRecords(Reading{15, 31, 31, 63, 1023, 1}));
    EXPECT_TRUE(fitsRecords(Reading{0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(fitsRecords(Reading{16, 1, 1, 1, 1, 0}));
    EXPECT_FALSE(fitsRecords(Reading{1, 32, 1, 1, 1, 0}));
    EXPECT_FALSE(fitsRecords(Reading{1, 1, 32, 1, 1, 0}));
    EXPECT_FALSE(fitsRecords(Reading{1, 1, 1, 64, 1, 0}));
    EXPECT_FALSE(fitsRecords(Reading{1, 1, 1, 1, 1024, 0}));
    EXPECT_FALSE(fitsRecords(Reading{1, 1, 1, 1, 1, 2}));
    EXPECT_FALSE(fitsRecords(Reading{1, 1, 1, 1, -1, 0}));
}

TEST(MeterReadingsSource, ParsesLinesInOrderSkippingBlankOnes) {
    std::vector<Reading> readings;
    QString error;
    ASSERT_TRUE(parseReadings("6,27,13,5,379,0\r\n\n 12, 1, 0, 59, 1023, 1 \n", readings, error));
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(readings[0].month, 6);
    EXPECT_EQ(readings[0].glucose, 379);
    EXPECT_EQ(readings[1].minute, 59);
    EXPECT_EQ(readings[1].flag, 1);
}

TEST(MeterReadingsSource, RejectsBadLinesNamingTheLine) {
    std::vector<Reading> readings;
    QString error;
    EXPECT_FALSE(parseReadings("6,27,13,5,379,0\n6,27,13,5,379\n", readings, error));
    EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
    EXPECT_FALSE(parseReadings("6,27,13,5,x,0\n", readings, error));
    EXPECT_FALSE(parseReadings("6,27,13,5,1024,0\n", readings, error));
    EXPECT_FALSE(parseReadings("6,27,13,5,100,2\n", readings, error));
}

TEST(MeterReadingsSource, AcceptsAtMost255Readings) {
    QString text;
    for (int i = 0; i < 255; ++i)
        text += "1,1,1,1,100,0\n";
    std::vector<Reading> readings;
    QString error;
    EXPECT_TRUE(parseReadings(text, readings, error));
    EXPECT_EQ(readings.size(), 255u);
    EXPECT_FALSE(parseReadings(text + "1,1,1,1,100,0\n", readings, error));
}

TEST(MeterReadingsSource, GeneratesDistinctCalendarReadings) {
    EXPECT_TRUE(generateReadings(0).empty());
    const std::vector<Reading> readings = generateReadings(255);
    ASSERT_EQ(readings.size(), 255u);
    std::set<std::tuple<int, int, int, int>> moments;
    for (const Reading& r : readings) {
        EXPECT_TRUE(QDate(2023, r.month, r.day).isValid() ||
                    QDate(2024, r.month, r.day).isValid());
        EXPECT_TRUE(QTime(r.hour, r.minute).isValid());
        EXPECT_TRUE(fitsRecords(r));
        moments.insert({r.month, r.day, r.hour, r.minute});
    }
    EXPECT_EQ(moments.size(), 255u);
    EXPECT_EQ(generateReadings(3)[2].glucose, readings[2].glucose);
}
