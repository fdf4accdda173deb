#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "app/Module1.h"
#include "meter/Merge.h"
#include "meter/ReadingsFile.h"
#include "meter/ReadingsLoader.h"
#include "platform/core/Clock.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileBytes.h"

namespace {

struct Rec {
    int month, day, hour, minute, glucose;
    QVariant mark = 0;
};

constexpr int kStoreHolds = 10000;  // readings, the most a user's store keeps

QDateTime at(int y, int mo, int d, int h, int mi) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi));
}

// Every value of rows 1 to ReadCount, marks with their type, for exact comparison.
QStringList rowsOf(const ReadingList& t) {
    QStringList rows{QString::number(t.ReadCount)};
    for (int r = 1; r <= t.ReadCount; ++r)
        rows << QStringLiteral("%1/%2 %3:%4 g%5 y%6 %7:%8")
                    .arg(t.ReadMonth[r]).arg(t.ReadDay[r]).arg(t.ReadHour[r]).arg(t.ReadMinute[r])
                    .arg(t.ReadGlucose[r]).arg(t.ReadYear[r])
                    .arg(QString::fromLatin1(t.ReadEvent[r].typeName()), t.ReadEvent[r].toString());
    return rows;
}

// What stands at the path, down to its inode and last change: a rewrite,
// atomic or in place, changes one of them.
std::string identityOf(const QString& path) {
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return QStringLiteral("type %1 inode %2 size %3 changed %4.%5")
        .arg(st.st_mode & S_IFMT).arg(st.st_ino).arg(st.st_size)
        .arg(st.st_mtim.tv_sec).arg(st.st_mtim.tv_nsec).toStdString();
}

}  // namespace

class MergeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
        signIn(QStringLiteral("anna"));
        platform::setClock([] { return at(2009, 1, 5, 10, 0); });
    }
    void TearDown() override {
        platform::setClock({});
        platform::setSimulateWriteFailure(false);
    }

    // A fresh state for this user, without a readings file.
    void signIn(const QString& id) {
        s_ = std::make_unique<Module1::State>();
        s_->UserID = s_->UserName = id;
        QFile::remove(file());
    }
    // Stored readings, oldest first, all of 2008.
    void store(const std::vector<Rec>& recs) {
        ReadingList& t = s_->readings;
        t.ReadCount = static_cast<int>(recs.size());
        for (int r = 1; r <= t.ReadCount; ++r) {
            const Rec& x = recs[r - 1];
            t.ReadMonth[r] = x.month;
            t.ReadDay[r] = x.day;
            t.ReadHour[r] = x.hour;
            t.ReadMinute[r] = x.minute;
            t.ReadGlucose[r] = x.glucose;
            t.ReadYear[r] = 2008;
            t.ReadEvent[r] = QStringLiteral("C");
        }
    }
    // The meter's records as it sends them: the newest first.
    void meterHolds(const std::vector<Rec>& newestFirst) {
        MeterBatch& b = s_->batch;
        b.NewCount = static_cast<int>(newestFirst.size());
        for (int r = 1; r <= b.NewCount; ++r) {
            const Rec& x = newestFirst[r - 1];
            b.NewMonth[r] = x.month;
            b.NewDay[r] = x.day;
            b.NewHour[r] = x.hour;
            b.NewMinute[r] = x.minute;
            b.NewGlucose[r] = x.glucose;
            b.NewEvent[r] = x.mark;
        }
    }
    std::vector<int> glucoseColumn() const {
        std::vector<int> g;
        for (int r = 1; r <= s_->readings.ReadCount; ++r)
            g.push_back(s_->readings.ReadGlucose[r]);
        return g;
    }
    QString file() const { return readingsFilePath(s_->UserID); }

    QTemporaryDir dir_;
    std::unique_ptr<Module1::State> s_ = std::make_unique<Module1::State>();
};

// Three stored readings of December, oldest first.
const Rec kA{12, 1, 8, 0, 101}, kB{12, 2, 8, 0, 102}, kC{12, 3, 8, 0, 103};
const Rec kD{12, 4, 8, 0, 104}, kE{12, 5, 8, 0, 105};

TEST_F(MergeTest, FirstDownloadDropsThePlaceholder) {
    ASSERT_TRUE(writePlaceholderReadingsFile("anna"));
    loadReadingsFile(file(), *s_);
    meterHolds({kC, kB, kA});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    EXPECT_EQ(glucoseColumn(), (std::vector<int>{101, 102, 103}));
    EXPECT_FALSE(bytesOf(file()).contains("T0000,"));
    EXPECT_TRUE(bytesOf(file()).contains("T0001,00103,12,03,08,00,C,05.7,2008,2008/12/03 - 08:00\r\n"));
}

TEST_F(MergeTest, NothingNewAppendsNothingAndRewritesTheSameFile) {
    store({kA, kB, kC});
    ASSERT_TRUE(CreateAfile(*s_));
    const QByteArray before = bytesOf(file());
    meterHolds({kC, kB, kA});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    EXPECT_EQ(glucoseColumn(), (std::vector<int>{101, 102, 103}));
    EXPECT_EQ(bytesOf(file()), before);
}

// The newest stored reading found among the meter's records is the cut:
// only the records newer than its oldest copy are appended.
TEST_F(MergeTest, AppendsOnlyTheRecordsNewerThanTheCut) {
    const struct {
        const char* what;
        const char* user;
        std::vector<Rec> stored, meter;
        std::vector<int> expected;
    } cases[] = {
        {"since the last download", "anna", {kA, kB, kC}, {kE, kD, kC, kB, kA}, {101, 102, 103, 104, 105}},
        {"no match appends every record", "anna", {kA, kB}, {kE, kD}, {101, 102, 104, 105}},
        // kB twice: the older copy is the cut
        {"two matches", "anna", {kA, kB}, {kE, kB, kD, kB, kA}, {101, 102, 104, 102, 105}},
        {"a name merely like guest is not emptied", "Guest", {kA}, {kB}, {101, 102}},
    };
    for (const auto& c : cases) {
        signIn(QString::fromLatin1(c.user));
        store(c.stored);
        meterHolds(c.meter);
        EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved) << c.what;
        EXPECT_EQ(glucoseColumn(), c.expected) << c.what;
        for (size_t r = 1; r <= c.stored.size(); ++r)  // stored rows keep their years
            EXPECT_EQ(s_->readings.ReadYear[r], 2008) << c.what << " row " << r;
    }
}

TEST_F(MergeTest, GuestKeepsOnlyItsLatestDownload) {
    signIn(QStringLiteral("guest"));
    store({kA, kB, kC});
    meterHolds({kE, kD});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    EXPECT_EQ(glucoseColumn(), (std::vector<int>{104, 105}));
    EXPECT_EQ(bytesOf(file()).count("\r\n"), 3);
}

TEST_F(MergeTest, SingleRealReadingOfGlucoseZeroIsKept) {
    store({{12, 1, 8, 0, 0}});
    meterHolds({kE, kD});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    EXPECT_EQ(glucoseColumn(), (std::vector<int>{0, 104, 105}));
    EXPECT_EQ(s_->readings.ReadDay[1], 1);
}

// A lone reading of day 0 counts as no readings for the reports, but it holds
// a glucose, so a download keeps it.
TEST_F(MergeTest, SingleReadingOfDayZeroWithAGlucoseIsKept) {
    store({{12, 0, 8, 0, 120}});
    meterHolds({kE, kD});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    EXPECT_EQ(glucoseColumn(), (std::vector<int>{120, 104, 105}));
}

TEST_F(MergeTest, AppendedReadingsKeepTheMetersFlagAndTheFileGetsTheText) {
    store({kA});
    meterHolds({{12, 2, 9, 0, 150, 1}});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    EXPECT_EQ(s_->readings.ReadEvent[2], QVariant(1));
    EXPECT_TRUE(bytesOf(file()).contains("T0001,00150,12,02,09,00,PC,08.3,2008,"));
}

TEST(MergeYearRule, ReadingsLaterInTheYearThanNowAreFromTheYearBefore) {
    const QDateTime now = at(2009, 1, 5, 10, 0);
    EXPECT_EQ(assignedYear(1, 5, 9, 59, now), 2009);
    EXPECT_EQ(assignedYear(1, 5, 10, 0, now), 2009);
    EXPECT_EQ(assignedYear(1, 5, 10, 1, now), 2008);
    EXPECT_EQ(assignedYear(12, 31, 23, 59, now), 2008);
    EXPECT_EQ(assignedYear(1, 1, 0, 0, at(2009, 1, 1, 0, 0)), 2009);
}

TEST(MergeYearRule, MinuteKeyOrdersMonthDayHourMinute) {
    EXPECT_EQ(minuteKey(0, 0, 0, 0), 0);
    EXPECT_EQ(minuteKey(1, 5, 10, 1), 44640 + 5 * 1440 + 600 + 1);
    EXPECT_LT(minuteKey(1, 31, 23, 59), minuteKey(2, 1, 0, 0));
    EXPECT_LT(minuteKey(12, 31, 23, 58), minuteKey(12, 31, 23, 59));
}

TEST_F(MergeTest, MergeGivesYearsByTheClockAt10OnTheFifthOfJanuary) {
    store({kA});
    meterHolds({{1, 5, 10, 1, 90}, {1, 5, 10, 0, 80}, {1, 5, 9, 59, 70}, {12, 31, 23, 59, 60}});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    const ReadingList& t = s_->readings;
    ASSERT_EQ(t.ReadCount, 5);
    EXPECT_EQ(t.ReadYear[2], 2008);  // 31 December 23:59
    EXPECT_EQ(t.ReadYear[3], 2009);  // 5 January 09:59
    EXPECT_EQ(t.ReadYear[4], 2009);  // 5 January 10:00
    EXPECT_EQ(t.ReadYear[5], 2008);  // 5 January 10:01
}

TEST_F(MergeTest, ClockIsReadAnewForEachAppendedReading) {
    // The minute turns during the merge: the second reading already sees it.
    int calls = 0;
    platform::setClock([&calls] { return ++calls == 1 ? at(2009, 1, 5, 9, 59) : at(2009, 1, 5, 10, 0); });
    store({kA});
    meterHolds({{1, 5, 10, 0, 81}, {1, 5, 10, 0, 80}});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    EXPECT_EQ(s_->readings.ReadYear[2], 2008);
    EXPECT_EQ(s_->readings.ReadYear[3], 2009);
    EXPECT_EQ(calls, 2);
}

// A store with no room for the batch, and a file that cannot be written,
// leave the table and the file as they were and the batch as the meter sent it.
TEST_F(MergeTest, FullStoreAndWriteFailureChangeNothing) {
    const struct {
        const char* user;
        std::vector<Rec> stored;
        bool failWrites;
        SaveOutcome outcome;
    } cases[] = {{"anna", std::vector<Rec>(kStoreHolds - 1, kA), false, SaveOutcome::StoreFull},
                 {"guest", {kA, kB, kC}, true, SaveOutcome::WriteFailed}};
    for (const auto& c : cases) {
        signIn(QString::fromLatin1(c.user));
        store(c.stored);
        ASSERT_TRUE(CreateAfile(*s_)) << c.user;
        const QByteArray fileBefore = bytesOf(file());
        const QStringList tableBefore = rowsOf(s_->readings);
        meterHolds({kE, kD});
        platform::setSimulateWriteFailure(c.failWrites);
        EXPECT_EQ(SaveDownload(*s_), c.outcome) << c.user;
        platform::setSimulateWriteFailure(false);
        EXPECT_EQ(rowsOf(s_->readings), tableBefore) << c.user;
        EXPECT_EQ(bytesOf(file()), fileBefore) << c.user;
        EXPECT_EQ(s_->batch.NewGlucose[1], 105) << c.user;
    }
    EXPECT_EQ(saveOutcomeMessage(SaveOutcome::StoreFull),
              "The readings store is full (10000 readings) !! "
              "The new data were not saved; they are still in the meter.");
    EXPECT_EQ(saveOutcomeMessage(SaveOutcome::WriteFailed),
              "The readings file could not be written !! "
              "The new data were not saved; they are still in the meter.");
    EXPECT_EQ(saveOutcomeMessage(SaveOutcome::Saved), "");
}

TEST_F(MergeTest, ExactlyFullStoreStillSaves) {
    store(std::vector<Rec>(kStoreHolds - 2, kA));
    meterHolds({kE, kD});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    EXPECT_EQ(s_->readings.ReadCount, kStoreHolds);
}

TEST_F(MergeTest, DownloadAfterALossyLoadKeepsTheFileAsItWas) {
    const QByteArray original = kReadingsHeader.toLatin1() + "\r\n" +
                                "T0001,00103,12,03,08,00,C,05.7,2008,2008/12/03 - 08:00\r\n"
                                "T0002,oops,12,02,08,00,C,05.7,2008,2008/12/02 - 08:00\r\n";
    writeBytes(file(), original);
    EXPECT_EQ(loadReadingsFile(file(), *s_).linesLeftOut, 1);
    meterHolds({kD, kC});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
    EXPECT_EQ(bytesOf(readingsBackupPath("anna")), original);
    EXPECT_EQ(glucoseColumn(), (std::vector<int>{103, 104}));
}

// A copy may hold readings that no other file has any more: each lossy load
// keeps the file as it was under a name of its own, the one its sign-in
// message gives, and every earlier copy stays byte for byte.
TEST_F(MergeTest, EveryLossyLoadKeepsItsOwnCopyBesideTheEarlierOnes) {
    const QStringList names{"anna.txt.bak", "anna.txt.bak.2", "anna.txt.bak.3"};
    QList<QByteArray> copies;
    for (const QString& name : names) {
        copies << kReadingsHeader.toLatin1() + "\r\n" +
                      "T0001,00103,12,03,08,00,C,05.7,2008,2008/12/03 - 08:00\r\n" +
                      "T0002,unread " + name.toLatin1() + ",12,02,08,00,C,05.7,2008,x\r\n";
        writeBytes(file(), copies.last());
        const ReadingsLoadResult loaded = loadReadingsFile(file(), *s_);
        EXPECT_TRUE(linesLeftOutMessage(loaded, s_->readingsBackupPath)
                        .endsWith(" kept as " + name + " before it is saved again."))
            << name.toStdString();
        meterHolds({kD, kC});
        EXPECT_EQ(SaveDownload(*s_), SaveOutcome::Saved);
        for (int i = 0; i < copies.size(); ++i)
            EXPECT_EQ(bytesOf(QFileInfo(file()).dir().filePath(names[i])), copies[i])
                << names[i].toStdString();
    }
}

TEST_F(MergeTest, BackupThatCannotBeMadeFailsTheSave) {
    store({kA});
    ASSERT_TRUE(CreateAfile(*s_));
    const QByteArray fileBefore = bytesOf(file());
    s_->readingsBackupPath = readingsBackupPath("anna");
    ASSERT_TRUE(QDir().mkpath(readingsBackupPath("anna")));
    meterHolds({kB});
    EXPECT_EQ(SaveDownload(*s_), SaveOutcome::WriteFailed);
    EXPECT_EQ(glucoseColumn(), (std::vector<int>{101}));
    EXPECT_EQ(bytesOf(file()), fileBefore);
}

// Something in the readings file's place that cannot be read may hold every
// stored reading: the load takes none and the download after it writes
// nothing, neither the file nor its backup.
TEST_F(MergeTest, FileThatCannotBeReadAtSignInIsNeverWrittenOver) {
    const QByteArray stored = kReadingsHeader.toLatin1() + "\r\n" +
                              "T0001,00103,12,03,08,00,C,05.7,2008,2008/12/03 - 08:00\r\n";
    const QByteArray olderCopy = "an older copy\r\n";
    const struct {
        const char* what;
        std::function<void(const QString&)> make;
        bool rootReadsIt;
    } cases[] = {
        {"a folder", [&](const QString& p) { QDir().mkpath(p); writeBytes(p + "/in.txt", stored); },
         false},
        {"a pipe", [](const QString& p) { ::mkfifo(QFile::encodeName(p).constData(), 0600); },
         false},
        {"a file without read permission",
         [&](const QString& p) { writeBytes(p, stored); QFile::setPermissions(p, QFile::WriteOwner); },
         true},
    };
    for (const auto& c : cases) {
        if (c.rootReadsIt && ::geteuid() == 0)
            continue;  // root reads whatever the permissions say
        signIn(QStringLiteral("anna"));
        c.make(file());
        writeBytes(readingsBackupPath("anna"), olderCopy);
        const std::string before = identityOf(file());

        EXPECT_TRUE(loadReadingsFile(file(), *s_).fileUnreadable) << c.what;
        EXPECT_TRUE(s_->readingsFileUnreadable) << c.what;
        meterHolds({kD, kC});
        EXPECT_EQ(SaveDownload(*s_), SaveOutcome::StoredFileUnreadable) << c.what;
        EXPECT_EQ(identityOf(file()), before) << c.what;
        EXPECT_EQ(bytesOf(readingsBackupPath("anna")), olderCopy) << c.what;
        EXPECT_TRUE(holdsOnlyPlaceholder(s_->readings)) << c.what;
        EXPECT_EQ(s_->batch.NewGlucose[1], 104) << c.what;

        QDir(file()).removeRecursively();
        QFile::remove(file());
    }
    EXPECT_EQ(saveOutcomeMessage(SaveOutcome::StoredFileUnreadable),
              "The stored readings file could not be read at sign-in !! "
              "The new data were not saved and the file stays as it was; "
              "they are still in the meter.");
}
