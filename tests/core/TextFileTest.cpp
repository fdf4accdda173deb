#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/core/DigitPattern.h"
#include "platform/core/TextFile.h"
#include "platform/core/TextTable.h"
#include "tests/support/FileBytes.h"

using namespace platform;

class TextFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& n) { return dir.filePath(n); }
    void TearDown() override { setSimulateWriteFailure(false); }
};

TEST_F(TextFileTest, WritesLatin1LinesEndedByCrLfAndReadsThemBack) {
    const QString p = path("a.txt");
    ASSERT_TRUE(writeLinesAtomic(p, {"ID,Passwd", QString::fromLatin1("caf\xe9")}));
    EXPECT_EQ(bytesOf(p), QByteArray("ID,Passwd\r\ncaf\xe9\r\n"));
    QStringList lines;
    ASSERT_TRUE(readLines(p, lines));
    EXPECT_EQ(lines, (QStringList{"ID,Passwd", QString::fromLatin1("caf\xe9")}));
}

TEST_F(TextFileTest, ReadAcceptsMixedLineEndsAndALastLineWithoutEnding) {
    const QString p = path("b.txt");
    writeBytes(p, "one\r\ntwo\nthree\rfour");
    QStringList lines;
    ASSERT_TRUE(readLines(p, lines));
    EXPECT_EQ(lines, (QStringList{"one", "two", "three", "four"}));
    EXPECT_FALSE(readLines(path("missing.txt"), lines));
}

TEST_F(TextFileTest, FailedRewriteLeavesTheOldFileWhole) {
    const QString p = path("c.txt");
    ASSERT_TRUE(writeLinesAtomic(p, {"old"}));
    setSimulateWriteFailure(true);
    EXPECT_FALSE(writeLinesAtomic(p, {"new"}));
    EXPECT_FALSE(appendLine(p, "more"));
    EXPECT_EQ(bytesOf(p), QByteArray("old\r\n"));
    // A folder that does not exist cannot take the file either.
    setSimulateWriteFailure(false);
    EXPECT_FALSE(writeLinesAtomic(path("no/such/folder.txt"), {"x"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"c.txt"});
    // Nor can a folder that stands in the file's place: its temporary goes too.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
    EXPECT_FALSE(writeLinesAtomic(path("folder.txt"), {"x"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"c.txt"});
}

// A copy never takes the place of anything: the file, link or folder that
// stands at its name stays as it was, and no temporary is left behind.
TEST_F(TextFileTest, CopyNeverReplacesWhatStandsAtItsName) {
    writeBytes(path("source.txt"), "new\r\n");
    writeBytes(path("file.bak"), "older copy\r\n");
    ASSERT_TRUE(QFile::link(path("nowhere.txt"), path("link.bak")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bak"));
    for (const char* taken : {"file.bak", "link.bak", "folder.bak"})
        EXPECT_FALSE(copyFileNoReplace(path("source.txt"), path(taken))) << taken;
    EXPECT_EQ(bytesOf(path("file.bak")), QByteArray("older copy\r\n"));
    EXPECT_TRUE(QFileInfo(path("link.bak")).isSymLink());
    EXPECT_FALSE(QFile::exists(path("nowhere.txt")));
    EXPECT_TRUE(QFileInfo(path("folder.bak")).isDir());
    EXPECT_FALSE(copyFileNoReplace(path("missing.txt"), path("free.bak")));
    const auto everything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    EXPECT_EQ(QDir(dir.path()).entryList(everything).size(), 4);
    ASSERT_TRUE(copyFileNoReplace(path("source.txt"), path("free.bak")));
    EXPECT_EQ(bytesOf(path("free.bak")), QByteArray("new\r\n"));
}

TEST_F(TextFileTest, RewriteThroughALinkReplacesTheFileItLeadsTo) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere"));
    writeBytes(path("elsewhere/real.txt"), "old\r\n");
    ASSERT_TRUE(QFile::link(path("elsewhere/real.txt"), path("link.txt")));
    ASSERT_TRUE(writeLinesAtomic(path("link.txt"), {"new"}));
    EXPECT_TRUE(QFileInfo(path("link.txt")).isSymLink());
    EXPECT_EQ(bytesOf(path("elsewhere/real.txt")), QByteArray("new\r\n"));
}

// Only what the program's own writes leave behind: a start deletes what this
// takes for one.
TEST(RewriteTemporaryNameTest, OnlyTheProgramsOwnTemporariesAreTakenForOnes) {
    const struct {
        const char* name;
        bool ours;
    } cases[] = {
        {".anna.txt.ambrel-rewrite.Ab3dE9", true},
        {".ZuRegister.txt.ambrel-rewrite.QQQQQQ", true},
        {".anna.txt.bak.2.ambrel-rewrite.x1y2z3", true},
        {"alice.txt.backup", false},
        {"ZuRegister.txt.backup", false},
        {"diary.txt.Backup", false},
        {"alice.txt.old123", false},
        {"alice.txt.2024v1", false},
        {"alice.txt.bak.backup", false},
        {"ZuRegister.txt.Ab3dE9", false},  // another program's way of naming them
        {"anna.txt.ambrel-rewrite.Ab3dE9", false},  // not hidden
        {".anna.txt.ambrel-rewrite.Ab3dE", false},
        {".anna.txt.ambrel-rewrite.Ab3dE9x", false},
        {".anna.txt.ambrel-rewrite.Ab-dE9", false},
        {".ambrel-rewrite.Ab3dE9", false},  // no file it was for
    };
    for (const auto& c : cases)
        EXPECT_EQ(isRewriteTemporaryName(c.name), c.ours) << c.name;
}

TEST_F(TextFileTest, AppendStartsANewLineWhenTheFileLacksOne) {
    const QString p = path("d.txt");
    writeBytes(p, "header\r\nrow");
    ASSERT_TRUE(appendLine(p, "next"));
    EXPECT_EQ(bytesOf(p), QByteArray("header\r\nrow\r\nnext\r\n"));
    ASSERT_TRUE(appendLine(p, "last"));
    EXPECT_EQ(bytesOf(p), QByteArray("header\r\nrow\r\nnext\r\nlast\r\n"));
    EXPECT_FALSE(appendLine(path("sub/none.txt"), "x"));
    EXPECT_FALSE(appendLine(path("none.txt"), "x"));
    EXPECT_FALSE(QFile::exists(path("none.txt")));
}

// "?" in place of a character would read back as another ID or password.
TEST_F(TextFileTest, CharactersWithoutALatin1ByteFailTheWriteAndKeepTheOldFile) {
    const QString p = path("e.txt");
    ASSERT_TRUE(writeLinesAtomic(p, {"old"}));
    EXPECT_FALSE(writeLinesAtomic(p, {"fine", QString::fromUtf8("euro\u20ac")}));
    EXPECT_FALSE(appendLine(p, QString::fromUtf8("\u540d\u524d")));
    EXPECT_EQ(bytesOf(p), QByteArray("old\r\n"));
}

TEST_F(TextFileTest, EveryWriterLeavesTheFileReadableByItsOwnerOnly) {
    writeBytes(path("open.txt"), "x\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(path("open.txt")).constData(), 0644), 0);
    ASSERT_TRUE(writeLinesAtomic(path("new.txt"), {"a"}));
    ASSERT_TRUE(copyFileNoReplace(path("new.txt"), path("copy.txt")));
    ASSERT_TRUE(writeLinesAtomic(path("open.txt"), {"b"}));  // an old file's looser mode is not kept
    for (const char* name : {"new.txt", "copy.txt", "open.txt"})
        EXPECT_EQ(unixMode(path(name)), 0600) << name;
}

TEST(DigitPatternTest, ZeroPaddingAndOneDecimalWithAPoint) {
    EXPECT_EQ(zeroPadded(95, 5), "00095");
    EXPECT_EQ(zeroPadded(10000, 4), "10000");
    EXPECT_EQ(zeroPadded(0, 2), "00");
    EXPECT_EQ(oneDecimal(95 / 18.0, 2), "05.3");
    EXPECT_EQ(oneDecimal(1023 / 18.0, 2), "56.8");
    EXPECT_EQ(oneDecimal(0, 2), "00.0");
    EXPECT_EQ(oneDecimal(126 / 18.0, 2), "07.0");
    EXPECT_EQ(oneDecimal(120 / 18.0, 1), "6.7");
    EXPECT_EQ(oneDecimal(80 / 18.0, 1), "4.4");
    EXPECT_EQ(oneDecimal(100 / 18.0, 1), "5.6");
}

TEST(DigitPatternTest, HalvesRoundToTheEvenNumber) {
    EXPECT_EQ(roundHalfEven(120.5), 120);
    EXPECT_EQ(roundHalfEven(121.5), 122);
    EXPECT_EQ(roundHalfEven(6.75 * 18), 122);
    EXPECT_EQ(roundHalfEven(6.25 * 18), 112);
    EXPECT_EQ(roundHalfEven(6.7 * 18), 121);
    EXPECT_EQ(roundHalfEven(3.8 * 18), 68);
}

TEST_F(TextFileTest, TableSkipsBlankLinesAndTypesNumbers) {
    const QString p = path("t.txt");
    writeBytes(p, "A,B,C\r\nx,0000,5.5\r\n\r\n  \r\ny\r\n");
    TextTable t;
    ASSERT_TRUE(loadTextTable(p, t));
    EXPECT_EQ(t.fieldNames, (QStringList{"A", "B", "C"}));
    ASSERT_EQ(t.rows.size(), 2);
    EXPECT_EQ(t.field(1, 0), "y");
    EXPECT_EQ(t.field(1, 2), "");  // short row: missing field is empty
    EXPECT_EQ(fieldValue(t.field(0, 1)), QVariant(0LL));
    EXPECT_EQ(fieldValue(t.field(0, 2)).toDouble(), 5.5);
    EXPECT_EQ(fieldValue("PC"), QVariant(QString("PC")));
}
