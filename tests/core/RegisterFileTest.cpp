#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "accounts/RegisterFile.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileBytes.h"

namespace {

const QByteArray kHeader = "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\n";
const QByteArray kFirstStart = kHeader + "guest*,brisk*,1,1,1,120,80,120,80\r\n";

// Every field of one row, in the order of the file's columns.
QStringList rowOf(const RegisterTable& t, int r) {
    return {t.RegID[r],  t.RegPasswd[r], t.RegPort[r], t.RegUnit[r], t.RegTime[r],
            t.RegMax[r], t.RegMin[r],    t.RegMaxp[r], t.RegMinp[r]};
}

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

// A register that lists no user and holds no line to keep is a first start;
// anything else, however odd, is left as it is.
TEST_F(RegisterFileTest, FirstStartWritesHeaderAndGuestRowOnlyWhenMissingOrEmpty) {
    const struct {
        const char* what;
        bool exists;
        QByteArray before;
        bool firstStart;
    } cases[] = {
        {"missing", false, {}, true},
        {"empty", true, "", true},
        {"blank lines only", true, "\r\n \r\n", true},
        {"header only", true, kHeader, true},
        {"header without its line end", true, kHeader.chopped(2), true},
        {"header and blank lines", true, kHeader + "\r\n\r\n", true},
        {"anything else", true, "anything at all", false},
        {"header and a user", true, kHeader + "bob*,pw*,1,1,1,120,80,120,80\r\n", false},
        {"the header twice", true, kHeader + kHeader, false},
        {"a blank first line", true, "\r\n" + kHeader, false},
    };
    for (const auto& c : cases) {
        QFile::remove(registerPath());
        if (c.exists)
            writeBytes(registerPath(), c.before);
        ASSERT_TRUE(createRegisterIfEmpty()) << c.what;
        EXPECT_EQ(bytesOf(registerPath()), c.firstStart ? kFirstStart : c.before) << c.what;
    }
}

TEST_F(RegisterFileTest, FirstStartReportsAFailedWrite) {
    platform::setSimulateWriteFailure(true);
    EXPECT_FALSE(createRegisterIfEmpty());
    EXPECT_FALSE(QFile::exists(registerPath()));
}

TEST_F(RegisterFileTest, ReadsRowsInFileOrderWithoutTheStars) {
    const RegisterTable t = readBack(kFirstStart + "bob*,pw 1*,3,2,2,150,70,140,60\r\n"
                                                   "bob*,other*,1,1,1,120,80,120,80\r\n");
    ASSERT_EQ(t.UserCount, 3);
    EXPECT_EQ(rowOf(t, 1), QStringList({"guest", "brisk", "1", "1", "1", "120", "80", "120", "80"}));
    EXPECT_EQ(rowOf(t, 2), QStringList({"bob", "pw 1", "3", "2", "2", "150", "70", "140", "60"}));
    EXPECT_EQ(rowOf(t, 3), QStringList({"bob", "other", "1", "1", "1", "120", "80", "120", "80"}));
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
        kHeader +
        "short*,pw*,2\r\n"                          // missing fields
        "\r\n"                                      // blank line
        "long*,pw*,1,2,1,100,70,110,60,extra,more\r\n"  // extra fields
        "nostar,plain,1,1,1,120,80,120,80\r\n"      // no trailing stars
        "*,*\r\n"                                   // empty ID and password
        "last*,x*,1,1,1,120,80,120,80");            // no line end
    ASSERT_EQ(t.UserCount, 5);
    EXPECT_EQ(rowOf(t, 1), QStringList({"short", "pw", "2", "", "", "", "", "", ""}));
    EXPECT_EQ(rowOf(t, 2), QStringList({"long", "pw", "1", "2", "1", "100", "70", "110", "60"}));
    EXPECT_EQ(rowOf(t, 3), QStringList({"nostar", "plain", "1", "1", "1", "120", "80", "120", "80"}));
    EXPECT_EQ(rowOf(t, 4).mid(0, 2), QStringList({"", ""}));
    EXPECT_EQ(rowOf(t, 5), QStringList({"last", "x", "1", "1", "1", "120", "80", "120", "80"}));
}

// Unchanged rewrites give back the bytes read: ordinary rows, hand-edited
// rows kept as read, Latin-1 text, and a register of over 10,000 rows.
TEST_F(RegisterFileTest, RewriteWithoutChangeEqualsTheFileReadByteForByte) {
    QByteArray large = kHeader;
    for (int i = 1; i <= 10050; ++i)
        large += "u" + QByteArray::number(i) + "*,p*,1,1,1,120,80,120,80\r\n";
    const struct {
        const char* what;
        QByteArray file;
        int rows;
        QString lastId;
    } cases[] = {
        {"ordinary", kFirstStart + "bob*,pw*,3,2,2,150,70,140,60\r\nbob*,pw*,1,1,1,120,80,120,80\r\n",
         3, "bob"},
        {"hand-edited",
         kHeader + "short*,pw*,2\r\nlong*,pw*,1,2,1,100,70,110,60,extra\r\n"
                   "nostar,plain,1,1,1,120,80,120,80\r\nodd*,p*,x,1,1,99999,80,120,80\r\n",
         4, "odd"},
        {"Latin-1", kFirstStart + "Jos\xe9*,caf\xe9*,1,1,1,120,80,120,80\r\n", 2,
         QString::fromUtf8("José")},
        {"large", large, 10050, "u10050"},
    };
    for (const auto& c : cases) {
        const RegisterTable t = readBack(c.file);
        ASSERT_EQ(t.UserCount, c.rows) << c.what;
        EXPECT_EQ(t.RegID[c.rows], c.lastId) << c.what;
        ASSERT_TRUE(rewriteRegister(t)) << c.what;
        EXPECT_EQ(bytesOf(registerPath()), c.file) << c.what;
    }
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
    EXPECT_EQ(bytesOf(registerPath()), kHeader + "ann*,a*,1,1,1,120,80,120,80\r\n");
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

TEST_F(RegisterFileTest, AppendAddsTheNewUserWithDefaultSettings) {
    ASSERT_TRUE(createRegisterIfEmpty());
    ASSERT_TRUE(appendNewUser(" guest", "secret"));
    EXPECT_EQ(bytesOf(registerPath()), kFirstStart + " guest*,secret*,1,1,1,120,80,120,80\r\n");
}

// Before the row goes in, a missing or empty register, or one of the header
// alone, gets its first-start lines and a last line without its ending gets one.
TEST_F(RegisterFileTest, AppendMakesAWholeRegisterFirst) {
    const struct {
        const char* what;
        bool exists;
        QByteArray before;
    } cases[] = {{"missing", false, {}},
                 {"empty", true, ""},
                 {"header only", true, kHeader},
                 {"unended", true, kFirstStart.chopped(2)}};
    for (const auto& c : cases) {
        QFile::remove(registerPath());
        if (c.exists)
            writeBytes(registerPath(), c.before);
        ASSERT_TRUE(appendNewUser("ann", "pw")) << c.what;
        EXPECT_EQ(bytesOf(registerPath()), kFirstStart + "ann*,pw*,1,1,1,120,80,120,80\r\n") << c.what;
        RegisterTable t;
        ASSERT_TRUE(readRegister(t)) << c.what;
        ASSERT_EQ(t.UserCount, 2) << c.what;
        EXPECT_EQ(t.RegID[2], "ann") << c.what;
    }
}

TEST_F(RegisterFileTest, FailedAppendReportsFailureAndKeepsTheFile) {
    ASSERT_TRUE(createRegisterIfEmpty());
    platform::setSimulateWriteFailure(true);
    EXPECT_FALSE(appendNewUser("ann", "pw"));
    EXPECT_EQ(bytesOf(registerPath()), kFirstStart);
}
