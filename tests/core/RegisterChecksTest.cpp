#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "accounts/Credentials.h"
#include "accounts/SettingsRows.h"
#include "accounts/SignIn.h"
#include "meter/ReadingsFile.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileBytes.h"

namespace {

RegisterTable tableOf(const QList<QStringList>& rows) {
    RegisterTable t;
    for (const QStringList& f : rows) {
        const int r = ++t.UserCount;
        t.ensureRow(r);
        t.RegID[r] = f.value(0);
        t.RegPasswd[r] = f.value(1);
        t.RegPort[r] = f.value(2);
        t.RegUnit[r] = f.value(3);
        t.RegTime[r] = f.value(4);
        t.RegMax[r] = f.value(5);
        t.RegMin[r] = f.value(6);
        t.RegMaxp[r] = f.value(7);
        t.RegMinp[r] = f.value(8);
    }
    return t;
}

// Port, unit, time format and the four limits, as numbers.
QList<qint16> numbersOf(const Module1::UserSettings& s) {
    return {s.ComPort, s.GluUnit, s.TimeFormat, s.LimitMax, s.LimitMin, s.LimitMaxp, s.LimitMinp};
}

const QStringList kGuest{"guest", "brisk", "1", "1", "1", "120", "80", "120", "80"};

}  // namespace

TEST(RegisterCredentials, RefusesIdsThatCannotBeFileNamesOrRegisterFields) {
    for (const QString& id : QStringList
         {"", "a/b", "a\\b", "c:", "a*", "a?", "say\"hi\"", "<x", "x>", "a|b", "a,b", "a\rb",
          "a\nb", "tab\there", QString(QChar(0x7f)), QString(QChar(0x85)), ".", "..",
          "ZuRegister", "zuregister", "ZUREGISTER", QString(201, QChar('x')),
          QString::fromUtf8("名前"), QString::fromUtf8("euro€")})
        EXPECT_FALSE(isUsableUserId(id)) << id.toStdString();
}

// Blanks alone, and characters that show nothing, would give an ID that
// cannot be told apart from another one in the user list.
TEST(RegisterCredentials, RefusesBlankIdsAndCharactersThatDoNotShow) {
    for (const char* id : {" ", "   ", "a\u00a0b", "\u00a0", "a\u00adb", "a\u200bb", "\u3000"})
        EXPECT_FALSE(isUsableUserId(QString::fromUtf8(id))) << id;
}

TEST(RegisterCredentials, AcceptsOrdinaryIds) {
    for (const QString& id : QStringList{"bob", " guest", "Guest", "a.b", "...", "ZuRegister2", "ann lee ",
                             QString(200, QChar('x')), QString::fromUtf8("José")})
        EXPECT_TRUE(isUsableUserId(id)) << id.toStdString();
}

TEST(RegisterCredentials, PasswordsRefuseCommaQuoteControlAndWideCharacters) {
    for (const QString& pw : QStringList{"a,b", "a\"b", "a\rb", "a\nb", "a\tb", QString::fromUtf8("pw€")})
        EXPECT_FALSE(isUsablePassword(pw)) << pw.toStdString();
    for (const QString& pw : QStringList{"brisk", "with space", "*star*", "a/b:c", QString::fromUtf8("ünï")})
        EXPECT_TRUE(isUsablePassword(pw)) << pw.toStdString();
}

TEST(RegisterSignIn, GuestNeedsNoPasswordButAGuestRow) {
    EXPECT_EQ(checkSignIn(tableOf({kGuest}), "guest", ""), SignInVerdict::Accepted);
    EXPECT_EQ(checkSignIn(tableOf({kGuest}), "guest", "wrong"), SignInVerdict::Accepted);
    EXPECT_EQ(checkSignIn(tableOf({{"bob", "pw"}}), "guest", ""), SignInVerdict::NoSuchUser);
}

TEST(RegisterSettings, TakesTheLastRowOfTheId) {
    const RegisterTable t = tableOf({{"bob", "pw", "2", "1", "1", "150", "70", "140", "60"},
                                     kGuest,
                                     {"bob", "pw", "3", "2", "2", "180", "90", "170", "65"}});
    const Module1::UserSettings s = settingsFromRegister(t, "bob");
    EXPECT_EQ(s.UserID, "bob");
    EXPECT_EQ(s.UserName, "bob");
    EXPECT_EQ(numbersOf(s), QList<qint16>({3, 2, 2, 180, 90, 170, 65}));
}

TEST(RegisterSettings, FieldsThatAreNoWhole16BitNumberTakeGuestDefaults) {
    const RegisterTable t =
        tableOf({{"bob", "pw", "", "x", "1.5", "32768", "-32769", "1e2", " 75 "}});
    EXPECT_EQ(numbersOf(settingsFromRegister(t, "bob")), QList<qint16>({1, 1, 1, 120, 80, 120, 75}));
    EXPECT_EQ(settingOrDefault("-32768", 1), -32768);
    EXPECT_EQ(settingOrDefault("32767", 1), 32767);
}

TEST(RegisterSettings, PutsSettingsIntoEveryRowOfTheIdOnly) {
    RegisterTable t = tableOf({{"bob", "pw", "1", "1", "1", "120", "80", "120", "80"},
                               kGuest,
                               {"bob", "pw2", "1", "1", "1", "120", "80", "120", "80"}});
    Module1::UserSettings s;
    s.UserID = "bob";
    s.ComPort = 4;
    s.GluUnit = 2;
    s.TimeFormat = 2;
    s.LimitMax = 121;
    s.LimitMin = 79;
    s.LimitMaxp = 126;
    s.LimitMinp = 68;
    putSettingsIntoRegister(t, s);
    for (int r : {1, 3}) {
        EXPECT_EQ(QStringList({t.RegPort[r], t.RegUnit[r], t.RegTime[r], t.RegMax[r], t.RegMin[r],
                               t.RegMaxp[r], t.RegMinp[r]}),
                  QStringList({"4", "2", "2", "121", "79", "126", "68"}));
    }
    EXPECT_EQ(t.RegPasswd[3], "pw2");
    EXPECT_EQ(t.RegPort[2], "1");
    EXPECT_EQ(t.RegMax[2], "120");
}

class RegisterReadingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    }
    void TearDown() override { platform::setSimulateWriteFailure(false); }
    static void write(const QString& id, const QByteArray& data) {
        writeBytes(readingsFilePath(id), data);
    }
    static QByteArray read(const QString& id) { return bytesOf(readingsFilePath(id)); }
    QTemporaryDir dir;
};

TEST_F(RegisterReadingsFile, GuestStartsAfreshOthersKeepTheirFile) {
    const QByteArray placeholder =
        "Test_No,Glucose,Month,Day,Hour,Minute,Event,Glucose_mmol,Year,Date & Time\r\n"
        "T0000,00000,00,00,00,00,0000,00000,0000,000000000000000000\r\n";
    write("guest", "old readings\r\n");
    write("bob", "bob's readings\r\n");
    ASSERT_TRUE(prepareReadingsFile("guest"));
    ASSERT_TRUE(prepareReadingsFile("bob"));
    ASSERT_TRUE(prepareReadingsFile("ann"));
    EXPECT_EQ(read("guest"), placeholder);
    EXPECT_EQ(read("bob"), QByteArray("bob's readings\r\n"));
    EXPECT_EQ(read("ann"), placeholder);
}

TEST_F(RegisterReadingsFile, ReportsAFileThatCannotBeWritten) {
    platform::setSimulateWriteFailure(true);
    EXPECT_FALSE(prepareReadingsFile("ann"));
    EXPECT_FALSE(prepareReadingsFile("guest"));
}

// An ID the new-user window accepts must be able to get its readings file and
// the copies kept aside (the last one has the longest name), or its owner
// could never sign in.
TEST_F(RegisterReadingsFile, EveryUsableIdCanHaveItsReadingsFileAndCopy) {
    const QString e = QString(QChar(0xE9));  // one Latin-1 character, two bytes in a file name
    for (const QString& id : {QString(200, QChar('x')), e.repeated(100), QString(198, QChar('x')) + e,
                              e.repeated(130), e.repeated(200)}) {
        SCOPED_TRACE(id.size());
        if (!isUsableUserId(id))
            continue;
        EXPECT_TRUE(prepareReadingsFile(id));
        EXPECT_TRUE(platform::copyFileNoReplace(readingsFilePath(id),
                                                readingsBackupPath(id, kMostReadingsBackups)));
    }
    EXPECT_TRUE(isUsableUserId(QString(200, QChar('x'))));
    EXPECT_TRUE(isUsableUserId(e.repeated(100)));
    EXPECT_FALSE(isUsableUserId(e.repeated(101)));
    EXPECT_FALSE(isUsableUserId(QString(199, QChar('x')) + e));
}
