#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "accounts/RegisterFile.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileBytes.h"

namespace {

const QByteArray kFirstStart =
    "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\nguest*,brisk*,1,1,1,120,80,120,80\r\n";

}  // namespace

class RegisterFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    }
    void TearDown() override { platform::setSimulateWriteFailure(false); }

    RegisterTable readBack(const QByteArray& data) {
        writeBytes(registerPath(), data);
        RegisterTable t;
        EXPECT_TRUE(readRegister(t));
        return t;
    }

    QTemporaryDir dir;
};

TEST_F(RegisterFileTest, FirstStartWritesHeaderAndGuestRowOnlyWhenMissing) {
    ASSERT_TRUE(createRegisterIfMissing());
    EXPECT_EQ(bytesOf(registerPath()), kFirstStart);

    writeBytes(registerPath(), "anything at all");
    ASSERT_TRUE(createRegisterIfMissing());
    EXPECT_EQ(bytesOf(registerPath()), QByteArray("anything at all"));
}

TEST_F(RegisterFileTest, FirstStartReportsAFailedWrite) {
    platform::setSimulateWriteFailure(true);
    EXPECT_FALSE(createRegisterIfMissing());
    EXPECT_FALSE(QFile::exists(registerPath()));
}

TEST_F(RegisterFileTest, ReadsRowsInFileOrderWithoutTheStars) {
    const RegisterTable t = readBack(kFirstStart + "bob*,pw 1*,3,2,2,150,70,140,60\r\n"
                                                   "bob*,other*,1,1,1,120,80,120,80\r\n");
    ASSERT_EQ(t.UserCount, 3);
    EXPECT_EQ(t.RegID[1], "guest");
    EXPECT_EQ(t.RegPasswd[1], "brisk");
    EXPECT_EQ(t.RegID[2], "bob");
    EXPECT_EQ(t.RegPasswd[2], "pw 1");
    EXPECT_EQ(t.RegPort[2], "3");
    EXPECT_EQ(t.RegUnit[2], "2");
    EXPECT_EQ(t.RegTime[2], "2");
    EXPECT_EQ(t.RegMax[2], "150");
    EXPECT_EQ(t.RegMin[2], "70");
    EXPECT_EQ(t.RegMaxp[2], "140");
    EXPECT_EQ(t.RegMinp[2], "60");
    EXPECT_EQ(t.RegPasswd[3], "other");
}

TEST_F(RegisterFileTest, ReadingTwiceGivesTheSameTableNotTwiceTheRows) {
    writeBytes(registerPath(), kFirstStart + "ann*,a*,1,1,1,120,80,120,80\r\n");
    RegisterTable t;
    ASSERT_TRUE(readRegister(t));
    ASSERT_TRUE(readRegister(t));
    EXPECT_EQ(t.UserCount, 2);
}

TEST_F(RegisterFileTest, MissingFileReadsAsEmptyTable) {
    RegisterTable t;
    t.UserCount = 5;
    EXPECT_FALSE(readRegister(t));
    EXPECT_EQ(t.UserCount, 0);
}

TEST_F(RegisterFileTest, HandEditedLinesReadWithoutCrashing) {
    const RegisterTable t = readBack(
        "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\n"
        "short*,pw*,2\r\n"                          // missing fields
        "\r\n"                                      // blank line
        "long*,pw*,1,2,1,100,70,110,60,extra,more\r\n"  // extra fields
        "nostar,plain,1,1,1,120,80,120,80\r\n"      // no trailing stars
        "*,*\r\n"                                   // empty ID and password
        "last*,x*,1,1,1,120,80,120,80");            // no line end
    ASSERT_EQ(t.UserCount, 5);
    EXPECT_EQ(t.RegID[1], "short");
    EXPECT_EQ(t.RegPort[1], "2");
    EXPECT_EQ(t.RegUnit[1], "");
    EXPECT_EQ(t.RegMinp[1], "");
    EXPECT_EQ(t.RegID[2], "long");
    EXPECT_EQ(t.RegMinp[2], "60");
    EXPECT_EQ(t.RegID[3], "nostar");
    EXPECT_EQ(t.RegPasswd[3], "plain");
    EXPECT_EQ(t.RegID[4], "");
    EXPECT_EQ(t.RegPasswd[4], "");
    EXPECT_EQ(t.RegID[5], "last");
}

TEST_F(RegisterFileTest, RewriteWithoutChangeEqualsTheFileRead) {
    const QByteArray file = kFirstStart + "bob*,pw*,3,2,2,150,70,140,60\r\n"
                                          "bob*,pw*,1,1,1,120,80,120,80\r\n";
    const RegisterTable t = readBack(file);
    ASSERT_TRUE(rewriteRegister(t));
    EXPECT_EQ(bytesOf(registerPath()), file);
}

TEST_F(RegisterFileTest, RewriteKeepsHandEditedRowsAsRead) {
    const QByteArray rows = "short*,pw*,2\r\n"
                            "long*,pw*,1,2,1,100,70,110,60,extra\r\n"
                            "nostar,plain,1,1,1,120,80,120,80\r\n"
                            "odd*,p*,x,1,1,99999,80,120,80\r\n";
    const RegisterTable t =
        readBack("ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\n" + rows);
    ASSERT_TRUE(rewriteRegister(t));
    EXPECT_EQ(bytesOf(registerPath()), "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\n" + rows);
}

// The reader takes the first line as the header whatever it holds; when a
// hand edit removed the header, that line is a user's and must survive.
TEST_F(RegisterFileTest, RewriteKeepsAFirstLineThatIsNotTheHeader) {
    const QByteArray file = "bob*,pw*,3,2,2,150,70,140,60\r\n"
                            "guest*,brisk*,1,1,1,120,80,120,80\r\n";
    RegisterTable t = readBack(file);
    ASSERT_EQ(t.UserCount, 1);
    ASSERT_TRUE(rewriteRegister(t));
    EXPECT_EQ(bytesOf(registerPath()), file);
    t.RegMax[1] = "150";
    ASSERT_TRUE(rewriteRegister(t));
    EXPECT_EQ(bytesOf(registerPath()),
              "bob*,pw*,3,2,2,150,70,140,60\r\nguest*,brisk*,1,1,1,150,80,120,80\r\n");
}

TEST_F(RegisterFileTest, RewriteOfATableNotReadFromAFileWritesTheHeader) {
    RegisterTable t;
    t.UserCount = 1;
    t.ensureRow(1);
    t.RegID[1] = "ann";
    t.RegPasswd[1] = "a";
    for (auto* column : {&t.RegPort, &t.RegUnit, &t.RegTime})
        (*column)[1] = "1";
    t.RegMax[1] = t.RegMaxp[1] = "120";
    t.RegMin[1] = t.RegMinp[1] = "80";
    ASSERT_TRUE(rewriteRegister(t));
    EXPECT_EQ(bytesOf(registerPath()),
              "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\nann*,a*,1,1,1,120,80,120,80\r\n");
}

TEST_F(RegisterFileTest, ChangedRowIsComposedFromItsFields) {
    RegisterTable t = readBack(kFirstStart + "nostar,plain,1,1,1,120,80,120,80,extra\r\n");
    t.RegUnit[2] = "2";
    EXPECT_EQ(registerRowText(t, 2), "nostar*,plain*,1,2,1,120,80,120,80");
    EXPECT_EQ(registerRowText(t, 1), "guest*,brisk*,1,1,1,120,80,120,80");
}

TEST_F(RegisterFileTest, FailedRewriteLeavesTheOldFileWhole) {
    const RegisterTable t = readBack(kFirstStart);
    RegisterTable changed = t;
    changed.RegMax[1] = "150";
    platform::setSimulateWriteFailure(true);
    EXPECT_FALSE(rewriteRegister(changed));
    EXPECT_EQ(bytesOf(registerPath()), kFirstStart);
}

TEST_F(RegisterFileTest, KeepsEveryRowOfALargeRegister) {
    QByteArray file = "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\n";
    for (int i = 1; i <= 10050; ++i)
        file += "u" + QByteArray::number(i) + "*,p*,1,1,1,120,80,120,80\r\n";
    const RegisterTable t = readBack(file);
    ASSERT_EQ(t.UserCount, 10050);
    EXPECT_EQ(t.RegID[10050], "u10050");
    ASSERT_TRUE(rewriteRegister(t));
    EXPECT_EQ(bytesOf(registerPath()), file);
}

TEST_F(RegisterFileTest, Latin1TextRoundTripsByteForByte) {
    const QByteArray file = kFirstStart + "Jos\xe9*,caf\xe9*,1,1,1,120,80,120,80\r\n";
    const RegisterTable t = readBack(file);
    EXPECT_EQ(t.RegID[2], QString::fromUtf8("José"));
    ASSERT_TRUE(rewriteRegister(t));
    EXPECT_EQ(bytesOf(registerPath()), file);
}

TEST_F(RegisterFileTest, AppendAddsTheNewUserWithDefaultSettings) {
    ASSERT_TRUE(createRegisterIfMissing());
    ASSERT_TRUE(appendNewUser(" guest", "secret"));
    EXPECT_EQ(bytesOf(registerPath()), kFirstStart + " guest*,secret*,1,1,1,120,80,120,80\r\n");
}

TEST_F(RegisterFileTest, AppendToAnEmptyRegisterWritesTheHeaderFirst) {
    writeBytes(registerPath(), "");
    ASSERT_TRUE(appendNewUser("ann", "pw"));
    EXPECT_EQ(bytesOf(registerPath()), kFirstStart + "ann*,pw*,1,1,1,120,80,120,80\r\n");
    RegisterTable t;
    ASSERT_TRUE(readRegister(t));
    ASSERT_EQ(t.UserCount, 2);
    EXPECT_EQ(t.RegID[2], "ann");
}

TEST_F(RegisterFileTest, AppendStartsOnANewLineWhenTheFileLacksItsEnding) {
    writeBytes(registerPath(), kFirstStart.chopped(2));
    ASSERT_TRUE(appendNewUser("ann", "pw"));
    EXPECT_EQ(bytesOf(registerPath()), kFirstStart + "ann*,pw*,1,1,1,120,80,120,80\r\n");
}

TEST_F(RegisterFileTest, AppendRecreatesAMissingRegisterFirst) {
    ASSERT_TRUE(appendNewUser("ann", "pw"));
    EXPECT_EQ(bytesOf(registerPath()), kFirstStart + "ann*,pw*,1,1,1,120,80,120,80\r\n");
}

TEST_F(RegisterFileTest, FailedAppendReportsFailureAndKeepsTheFile) {
    ASSERT_TRUE(createRegisterIfMissing());
    platform::setSimulateWriteFailure(true);
    EXPECT_FALSE(appendNewUser("ann", "pw"));
    EXPECT_EQ(bytesOf(registerPath()), kFirstStart);
}
