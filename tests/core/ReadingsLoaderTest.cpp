#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "app/Module1.h"
#include "meter/ReadingsFile.h"
#include "meter/ReadingsLoader.h"
#include "tests/support/FileBytes.h"

namespace {

void writeFile(const QString& path, const QStringList& readingLines) {
    writeCrLfLines(path, QStringList{kReadingsHeader} + readingLines);
}

QString line(int number, int glucose, int day, const QString& mark) {
    return QStringLiteral("T%1,%2,03,%3,07,09,%4,05.3,2008,x")
        .arg(number, 4, 10, QLatin1Char('0'))
        .arg(glucose, 5, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(mark);
}

}  // namespace

class ReadingsLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
        s_->UserID = QStringLiteral("u1");
    }
    QString file() const { return readingsFilePath(s_->UserID); }
    ReadingsLoadResult load() { return loadReadingsFile(file(), *s_); }

    void expectPlaceholderRow() {
        const ReadingList& t = s_->readings;
        ASSERT_EQ(t.ReadCount, 1);
        EXPECT_EQ(t.ReadGlucose[1], 0);
        EXPECT_EQ(t.ReadMonth[1], 0);
        EXPECT_EQ(t.ReadDay[1], 0);
        EXPECT_EQ(t.ReadHour[1], 0);
        EXPECT_EQ(t.ReadMinute[1], 0);
        EXPECT_EQ(t.ReadYear[1], 0);
        EXPECT_NE(t.ReadEvent[1].typeId(), QMetaType::QString);
        EXPECT_EQ(t.ReadEvent[1].toInt(), 0);
        EXPECT_TRUE(holdsOnlyPlaceholder(t));
    }

    QTemporaryDir dir_;
    std::unique_ptr<Module1::State> s_ = std::make_unique<Module1::State>();
};

TEST_F(ReadingsLoaderTest, FileOrderNewestFirstGivesTableOldestFirst) {
    // Line numbers out of order play no part: the lines' order counts.
    writeFile(file(), {line(2, 111, 10, "PC"), line(1, 222, 9, "C"), line(3, 333, 8, "QC")});
    s_->batch.NewCount = 17;
    const ReadingsLoadResult r = load();
    const ReadingList& t = s_->readings;
    ASSERT_EQ(t.ReadCount, 3);
    EXPECT_EQ(r.linesLeftOut, 0);
    EXPECT_EQ(t.ReadGlucose[1], 333);
    EXPECT_EQ(t.ReadDay[1], 8);
    EXPECT_EQ(t.ReadEvent[1], QVariant(QStringLiteral("QC")));
    EXPECT_EQ(t.ReadGlucose[2], 222);
    EXPECT_EQ(t.ReadEvent[2], QVariant(QStringLiteral("C")));
    EXPECT_EQ(t.ReadGlucose[3], 111);
    EXPECT_EQ(t.ReadEvent[3], QVariant(QStringLiteral("PC")));
    EXPECT_EQ(t.ReadMonth[3], 3);
    EXPECT_EQ(t.ReadHour[3], 7);
    EXPECT_EQ(t.ReadMinute[3], 9);
    EXPECT_EQ(t.ReadYear[3], 2008);
    EXPECT_EQ(s_->batch.NewCount, 17);
    EXPECT_EQ(s_->readingsBackupPath, QString());
}

TEST_F(ReadingsLoaderTest, PlaceholderLineLoadsAsTheAllZeroRow) {
    ASSERT_TRUE(writePlaceholderReadingsFile("u1"));
    EXPECT_EQ(load().linesLeftOut, 0);
    expectPlaceholderRow();
}

// A missing file is no file that cannot be read: downloads save into it.
TEST_F(ReadingsLoaderTest, MissingFileLoadsAsThePlaceholderRow) {
    s_->readings.ReadCount = 5;
    s_->readingsFileUnreadable = true;  // as an earlier sign-in left it
    EXPECT_EQ(load().linesLeftOut, 0);
    expectPlaceholderRow();
    EXPECT_EQ(s_->readingsBackupPath, QString());
    EXPECT_FALSE(s_->readingsFileUnreadable);
}

TEST_F(ReadingsLoaderTest, HeaderOnlyFileLoadsAsThePlaceholderRow) {
    writeFile(file(), {});
    EXPECT_EQ(load().linesLeftOut, 0);
    expectPlaceholderRow();
}

TEST_F(ReadingsLoaderTest, LeavesOutLinesWithUnreadableNumbersAndAsksForABackup) {
    writeFile(file(), {line(1, 101, 1, "C"),
                       "T0002,,03,04,07,09,C,05.3,2008,x",       // empty glucose
                       "T0003,00095,March,04,07,09,C,05.3,2008,x",  // month not a number
                       "T0004,00095,03,04,07,09,C,05.3,40000,x",  // year beyond 16 bits
                       "T0005,00095,03,04,07,09,C",               // too short for a year
                       "T0006,00095,03,04,07,1e1,C,05.3,2008,x",  // an exponent is no number
                       line(7, 107, 2, "PC")});
    const ReadingsLoadResult r = load();
    EXPECT_EQ(r.linesLeftOut, 5);
    ASSERT_EQ(s_->readings.ReadCount, 2);
    EXPECT_EQ(s_->readings.ReadGlucose[1], 107);
    EXPECT_EQ(s_->readings.ReadGlucose[2], 101);
    EXPECT_EQ(s_->readingsBackupPath, readingsBackupPath("u1"));
}

// A file edited by hand or by another program may hold "12.0" for 12.
TEST_F(ReadingsLoaderTest, DecimalNumbersAreRoundedHalfToEven) {
    const QStringList texts{"12.0", "9.5", "10.5", " 7.49 ", ".5", "126.", "-2.5", "32767.4",
                            "32767.5", "1.2.3", "1e2", "inf", "9.5x"};
    const QList<int> loaded{12, 10, 10, 7, 0, 126, -2, 32767};  // the rest are left out
    for (int i = 0; i < texts.size(); ++i) {
        writeFile(file(), {QStringLiteral("T0001,%1,03,04,07,09,C,05.3,2008.0,x").arg(texts[i])});
        const bool read = i < loaded.size();  // else the placeholder row stands
        EXPECT_EQ(load().readingsLoaded, read ? 1 : 0) << texts[i].toStdString();
        EXPECT_EQ(s_->readings.ReadGlucose[1], read ? loaded[i] : 0) << texts[i].toStdString();
        EXPECT_EQ(s_->readings.ReadYear[1], read ? 2008 : 0);
    }
}

TEST_F(ReadingsLoaderTest, OnlyBadLinesLoadAsThePlaceholderRowAndAskForABackup) {
    writeFile(file(), {"garbage", "T0002,,,,,,,,,"});
    EXPECT_EQ(load().linesLeftOut, 2);
    expectPlaceholderRow();
    EXPECT_EQ(s_->readingsBackupPath, readingsBackupPath("u1"));
}

// A file whose header line was lost: its first line is taken as the header,
// so it must be counted as left out and kept by the copy, not dropped unseen.
TEST_F(ReadingsLoaderTest, FirstLineThatIsNotTheHeaderCountsAsLeftOut) {
    writeCrLfLines(file(), {line(1, 101, 3, "C"), line(2, 102, 2, "C"), line(3, 103, 1, "C")});
    const ReadingsLoadResult r = load();
    EXPECT_EQ(r.linesLeftOut, 1);
    ASSERT_EQ(s_->readings.ReadCount, 2);
    EXPECT_EQ(s_->readings.ReadGlucose[2], 102);
    EXPECT_EQ(s_->readingsBackupPath, readingsBackupPath("u1"));
}

// Past the store's capacity the older readings are left out and counted as
// such; a line that cannot be read counts as unreadable wherever it stands.
TEST_F(ReadingsLoaderTest, LongFileLoadsTheNewestTenThousand) {
    const int storeHolds = 10000;
    const struct {
        const char* what;
        int badLineAt;  // 0: none
        int leftOut, beyondCapacity;
    } cases[] = {
        {"readings only", 0, 3, 3},
        {"a bad line among the newest", 5, 4, 3},
        {"a bad line among the older", storeHolds + 2, 4, 3},
    };
    for (const auto& c : cases) {
        QStringList lines;
        for (int i = 1; i <= storeHolds + 3; ++i)
            lines << line(i, i % 30000, 1 + i % 28, "C");
        if (c.badLineAt > 0)
            lines.insert(c.badLineAt - 1, "T0000,oops,03,04,07,09,C,05.3,2008,x");
        writeFile(file(), lines);
        const ReadingsLoadResult r = load();
        EXPECT_EQ(r.linesLeftOut, c.leftOut) << c.what;
        EXPECT_EQ(r.readingsBeyondCapacity, c.beyondCapacity) << c.what;
        ASSERT_EQ(s_->readings.ReadCount, storeHolds) << c.what;
        EXPECT_EQ(s_->readings.ReadGlucose[storeHolds], 1) << c.what;  // the file's first reading
        EXPECT_EQ(s_->readings.ReadGlucose[1], storeHolds) << c.what;  // its 10000th
        EXPECT_EQ(s_->readingsBackupPath, readingsBackupPath("u1")) << c.what;
    }
}

TEST_F(ReadingsLoaderTest, WrittenFileLoadsBackToTheSameTable) {
    ReadingList& t = s_->readings;
    t.ReadCount = 3;
    for (int r = 1; r <= 3; ++r) {
        t.ReadGlucose[r] = 90 + r;
        t.ReadMonth[r] = r;
        t.ReadDay[r] = 10 + r;
        t.ReadHour[r] = r;
        t.ReadMinute[r] = 50 + r;
        t.ReadYear[r] = 2007 + r;
        t.ReadEvent[r] = QStringLiteral("PC");
    }
    const QStringList before = readingsFileLines(t);
    ASSERT_TRUE(CreateAfile(*s_));
    t.ReadCount = 0;
    load();
    EXPECT_EQ(t.ReadCount, 3);
    EXPECT_EQ(readingsFileLines(t), before);
}

TEST(ReadingsLoaderMessage, TellsWhatWasLeftOutAndWhereTheFileIsKept) {
    const struct {
        int leftOut, beyondCapacity;
        QString backup, expected;
    } cases[] = {
        {12, 0, "/data/anna.txt.bak",
         "12 line(s) of the readings file could not be loaded and were left out !! "
         "The file as it was will be kept as anna.txt.bak before it is saved again."},
        {1, 0, "/data/anna.txt.bak.2",
         "1 line(s) of the readings file could not be loaded and were left out !! "
         "The file as it was will be kept as anna.txt.bak.2 before it is saved again."},
        {3, 3, "/data/anna.txt.bak",
         "The readings store keeps 10000 readings: the 3 older reading(s) of the file were not "
         "loaded !! The file as it was, older readings included, will be kept as anna.txt.bak "
         "before it is saved again."},
        {5, 3, "/data/anna.txt.bak.17",
         "2 line(s) of the readings file could not be loaded and were left out !! "
         "The readings store keeps 10000 readings: the 3 older reading(s) of the file were not "
         "loaded !! The file as it was, older readings included, will be kept as anna.txt.bak.17 "
         "before it is saved again."},
    };
    for (const auto& c : cases) {
        ReadingsLoadResult result;
        result.linesLeftOut = c.leftOut;
        result.readingsBeyondCapacity = c.beyondCapacity;
        EXPECT_EQ(linesLeftOutMessage(result, c.backup), c.expected);
    }
}
