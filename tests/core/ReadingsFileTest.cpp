#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "app/Module1.h"
#include "meter/ReadingsFile.h"
#include "platform/core/DigitPattern.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileBytes.h"

namespace {

void setRow(ReadingList& t, int row, int glucose, int month, int day, int hour, int minute,
            int year, const QVariant& mark) {
    t.ReadGlucose[row] = glucose;
    t.ReadMonth[row] = month;
    t.ReadDay[row] = day;
    t.ReadHour[row] = hour;
    t.ReadMinute[row] = minute;
    t.ReadYear[row] = year;
    t.ReadEvent[row] = mark;
}

const QByteArray kHeaderLine =
    "Test_No,Glucose,Month,Day,Hour,Minute,Event,Glucose_mmol,Year,Date & Time\r\n";

}  // namespace

class ReadingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
        s_->UserID = s_->UserName = QStringLiteral("u1");
    }
    void TearDown() override {
        platform::setSimulateWriteFailure(false);
        QLocale::setDefault(QLocale::c());
    }
    QString file() const { return readingsFilePath(s_->UserID); }

    QTemporaryDir dir_;
    std::unique_ptr<Module1::State> s_ = std::make_unique<Module1::State>();
};

// Every mark becomes "C", "PC" or "QC". The mark is written with "####"
// before it is compared, which rounds a number to a whole one, and text that
// reads as a number counts as that number.
TEST(ReadingsFileMarkRule, MarksBecomeOneOfThreeTextsNumbersRoundedFirst) {
    const struct {
        QVariant mark;
        const char* text;
    } cases[] = {
        {0, "C"}, {qlonglong(0), "C"}, {1, "PC"}, {2, "QC"}, {7, "C"},
        {QString(), "C"}, {QVariant(), "C"},
        {QStringLiteral("C"), "C"}, {QStringLiteral("PC"), "PC"}, {QStringLiteral("QC"), "QC"},
        {QStringLiteral("pc"), "C"}, {QStringLiteral("XY"), "C"},
        // rounded to whole numbers
        {1.4, "PC"}, {0.5, "PC"}, {1.5, "QC"}, {2.4, "QC"}, {2.5, "C"}, {0.4, "C"}, {-1.0, "C"},
        {QStringLiteral("1.4"), "PC"}, {QStringLiteral("1.6"), "QC"},
        // text read as a number
        {QStringLiteral("1"), "PC"}, {QStringLiteral("2"), "QC"}, {QStringLiteral("0000"), "C"},
        {QStringLiteral("7"), "C"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(eventMarkText(c.mark), c.text)
            << QString::fromLatin1(c.mark.typeName()).toStdString() << " "
            << c.mark.toString().toStdString();
}

TEST_F(ReadingsFileTest, ReadingLineFollowsTheDigitPatterns) {
    ReadingList& t = s_->readings;
    setRow(t, 1, 95, 3, 4, 7, 9, 2008, 1);
    EXPECT_EQ(readingLine(t, 1, 1), "T0001,00095,03,04,07,09,PC,05.3,2008,2008/03/04 - 07:09");
    setRow(t, 2, 1023, 12, 31, 23, 59, 2009, QStringLiteral("QC"));
    EXPECT_EQ(readingLine(t, 2, 12), "T0012,01023,12,31,23,59,QC,56.8,2009,2009/12/31 - 23:59");
    setRow(t, 3, 0, 1, 1, 0, 0, 2009, 0);
    EXPECT_EQ(readingLine(t, 3, 1), "T0001,00000,01,01,00,00,C,00.0,2009,2009/01/01 - 00:00");
    setRow(t, 4, 126, 1, 1, 0, 0, 2009, QString());
    EXPECT_EQ(readingLine(t, 4, 1), "T0001,00126,01,01,00,00,C,07.0,2009,2009/01/01 - 00:00");
}

TEST_F(ReadingsFileTest, MmolColumnKeepsThePointUnderACommaLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    setRow(s_->readings, 1, 95, 3, 4, 7, 9, 2008, 0);
    EXPECT_EQ(readingLine(s_->readings, 1, 1).split(',').at(7), "05.3");
}

TEST_F(ReadingsFileTest, WritesTheWholeFileNewestFirstWithCrLf) {
    ReadingList& t = s_->readings;
    setRow(t, 1, 95, 3, 4, 7, 9, 2008, 0);                      // oldest
    setRow(t, 2, 1023, 3, 5, 8, 0, 2008, 1);
    setRow(t, 3, 126, 3, 6, 21, 30, 2008, QStringLiteral("QC"));  // newest
    t.ReadCount = 3;
    ASSERT_TRUE(CreateAfile(*s_));
    EXPECT_EQ(bytesOf(file()),
              kHeaderLine + "T0001,00126,03,06,21,30,QC,07.0,2008,2008/03/06 - 21:30\r\n"
                            "T0002,01023,03,05,08,00,PC,56.8,2008,2008/03/05 - 08:00\r\n"
                            "T0003,00095,03,04,07,09,C,05.3,2008,2008/03/04 - 07:09\r\n");
}

TEST_F(ReadingsFileTest, EmptyTableGivesTheHeaderAlone) {
    s_->readings.ReadCount = 0;
    ASSERT_TRUE(CreateAfile(*s_));
    EXPECT_EQ(bytesOf(file()), kHeaderLine);
}

TEST_F(ReadingsFileTest, TenThousandthLineIsNumberedWithFiveDigits) {
    ReadingList& t = s_->readings;
    for (int r = 1; r <= 10000; ++r)
        setRow(t, r, 100, 1, 1, 0, 0, 2009, 0);
    t.ReadCount = 10000;
    const QStringList lines = readingsFileLines(t);
    ASSERT_EQ(lines.size(), 10001);
    EXPECT_TRUE(lines.at(9999).startsWith("T9999,"));
    EXPECT_TRUE(lines.last().startsWith("T10000,"));
}

TEST_F(ReadingsFileTest, FailedWriteLeavesTheOldFileWhole) {
    writeBytes(file(), "old contents\r\n");
    setRow(s_->readings, 1, 95, 3, 4, 7, 9, 2008, 0);
    s_->readings.ReadCount = 1;
    platform::setSimulateWriteFailure(true);
    EXPECT_FALSE(CreateAfile(*s_));
    EXPECT_EQ(bytesOf(file()), "old contents\r\n");
}

TEST_F(ReadingsFileTest, KeepsTheOldFileOnceBeforeTheFirstRewriteWhenAsked) {
    writeBytes(file(), "as loaded\r\n");
    s_->readingsBackupPath = readingsBackupPath("u1");
    s_->readings.ReadCount = 0;
    ASSERT_TRUE(CreateAfile(*s_));
    EXPECT_EQ(bytesOf(readingsBackupPath("u1")), "as loaded\r\n");
    EXPECT_EQ(s_->readingsBackupPath, QString());
    ASSERT_TRUE(CreateAfile(*s_));  // a second rewrite keeps the first copy
    EXPECT_EQ(bytesOf(readingsBackupPath("u1")), "as loaded\r\n");
}

// Whatever took the copy's name since the sign-in, a folder or a file, is
// never written over, and then neither is the readings file.
TEST_F(ReadingsFileTest, NoRewriteWhenTheOldFileCannotBeKept) {
    const QString backup = readingsBackupPath("u1", 2);
    for (const bool folderInTheWay : {true, false}) {
        writeBytes(file(), "as loaded\r\n");
        if (folderInTheWay)
            ASSERT_TRUE(QDir().mkpath(backup));
        else
            writeBytes(backup, "a copy made since\r\n");
        s_->readingsBackupPath = backup;
        s_->readings.ReadCount = 0;
        EXPECT_FALSE(CreateAfile(*s_)) << folderInTheWay;
        EXPECT_EQ(bytesOf(file()), "as loaded\r\n") << folderInTheWay;
        EXPECT_EQ(bytesOf(backup), folderInTheWay ? "" : "a copy made since\r\n") << folderInTheWay;
        EXPECT_EQ(s_->readingsBackupPath, backup) << folderInTheWay;
        QDir(backup).removeRecursively();
    }
}

TEST_F(ReadingsFileTest, PlaceholderFileIsHeaderAndPlaceholderLine) {
    ASSERT_TRUE(writePlaceholderReadingsFile("u1"));
    EXPECT_EQ(bytesOf(file()), kHeaderLine + "T0000,00000,00,00,00,00,0000,00000,0000,000000000000000000\r\n");
}

TEST_F(ReadingsFileTest, EveryGlucoseIsWrittenLikeTheSharedDigitPatterns) {
    ReadingList& t = s_->readings;
    for (int glucose = -40; glucose <= 2000; ++glucose) {
        setRow(t, 1, glucose, 1, 2, 3, 4, 2009, 0);
        const QStringList fields = readingLine(t, 1, glucose + 41).split(',');
        ASSERT_EQ(fields.size(), 10);
        EXPECT_EQ(fields.at(0), "T" + platform::zeroPadded(glucose + 41, 4));
        EXPECT_EQ(fields.at(1), platform::zeroPadded(glucose, 5));
        EXPECT_EQ(fields.at(7), platform::oneDecimal(glucose / 18.0, 2)) << glucose;
    }
}
