#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "accounts/frmLogin.h"
#include "accounts/frmLoginAdd.h"
#include "platform/core/TextFile.h"
#include "tests/support/EventWait.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuiTest.h"

namespace {

const QByteArray kFirstStart =
    "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\nguest*,brisk*,1,1,1,120,80,120,80\r\n";
const QString kBadId = QString::fromUtf8("You can't use this User ID！");
const QString kBadPassword = QString::fromUtf8("You can't use this Password！");

}  // namespace

class NewUserWindowTest : public GuiTest {
protected:
    frmLoginAdd& add = frmLoginAdd::instance();
    frmLogin& login = frmLogin::instance();

    void SetUp() override {
        GuiTest::SetUp();
        writeBytes(registerFile(), kFirstStart);
        add.Show();
    }
    void TearDown() override {
        platform::setSimulateWriteFailure(false);
        add.Unload();
        login.Unload();
        GuiTest::TearDown();
    }

    QString registerFile() const { return dataFile("ZuRegister.txt"); }

    void type(const QString& id, const QString& password, const QString& check) {
        add.TextName->setText(id);
        add.TextPasswd->setText(password);
        add.TextCheck->setText(check);
    }

    QStringList boxes() const {
        return {add.TextName->text(), add.TextPasswd->text(), add.TextCheck->text()};
    }

    // Presses "OK" and returns the one message it showed.
    QString pressOk() {
        add.CommandAddOk->click();
        const auto m = messages();
        EXPECT_EQ(m.size(), 1);
        if (m.isEmpty())
            return QString();
        EXPECT_EQ(m[0].title, "Ambrel Management Software");
        EXPECT_EQ(m[0].icon, platform::MsgIcon::None);
        return m[0].text;
    }

    void expectRefused(const QString& id, const QString& password, const QString& check,
                       const QString& message) {
        type(id, password, check);
        EXPECT_EQ(pressOk(), message) << id.toStdString() << " / " << password.toStdString();
        EXPECT_TRUE(add.isLoaded());
        EXPECT_FALSE(login.isLoaded());
        EXPECT_EQ(bytesOf(registerFile()), kFirstStart);
    }
};

TEST_F(NewUserWindowTest, OpensEmptyWithoutMaximizeOrMinimize) {
    EXPECT_EQ(add.window()->windowTitle(), "Add New User");
    EXPECT_EQ(boxes(), QStringList({"", "", ""}));
    EXPECT_EQ(add.TextPasswd->echoMode(), QLineEdit::Password);
    EXPECT_EQ(add.TextCheck->echoMode(), QLineEdit::Password);
    const Qt::WindowFlags flags = add.window()->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
}

TEST_F(NewUserWindowTest, ChecksRunInOrderAndKeepTheBoxes) {
    expectRefused("", "", "", QString::fromUtf8("Please key in the User ID！"));
    expectRefused("guest", "", "", kBadId);
    expectRefused("ann", "", "x", QString::fromUtf8("Please key in the Password！"));
    expectRefused("ann", "x", "", "Please key in the Checking Password !");
    EXPECT_EQ(boxes(), QStringList({"ann", "x", ""}));
}

TEST_F(NewUserWindowTest, DifferentPasswordsEmptyBothPasswordBoxesOnly) {
    expectRefused("ann", "one", "two",
                  "The password and checking password is not the same , Please try again !");
    EXPECT_EQ(boxes(), QStringList({"ann", "", ""}));
}

TEST_F(NewUserWindowTest, IdsThatCannotBeFileNamesOrDoNotShowAreRefused) {
    for (const QString& id : QStringList{"a/b", "a,b", "..", "zuREGISTER", QString::fromUtf8("名前"),
                                         "   ", QString::fromUtf8("ann\u00a0")})
        expectRefused(id, "pw", "pw", kBadId);
}

TEST_F(NewUserWindowTest, PasswordsTheRegisterCannotHoldAreRefused) {
    for (const QString& pw : QStringList{"a,b", QString::fromUtf8("pw€")})
        expectRefused("ann", pw, pw, kBadPassword);
}

TEST_F(NewUserWindowTest, AnExistingIdIsRefused) {
    writeBytes(registerFile(), kFirstStart + "bob*,pw*,2,1,1,120,80,120,80\r\n");
    type("bob", "other", "other");
    EXPECT_EQ(pressOk(), kBadId);
    EXPECT_EQ(bytesOf(registerFile()), kFirstStart + "bob*,pw*,2,1,1,120,80,120,80\r\n");
}

TEST_F(NewUserWindowTest, AddsTheUserAndReturnsToSignInWithItChosen) {
    type("ann", "secret", "secret");
    EXPECT_EQ(pressOk(), "Add New User [ann] Successfully !!");
    EXPECT_EQ(bytesOf(registerFile()), kFirstStart + "ann*,secret*,1,1,1,120,80,120,80\r\n");
    EXPECT_FALSE(add.isLoaded());
    ASSERT_TRUE(login.isLoaded());
    EXPECT_FALSE(login.CommandAddNew->isEnabled());
    ASSERT_TRUE(test_wait::until([&] { return !login.Timerload->isActive(); }));
    ASSERT_EQ(login.ComboName->count(), 2);
    EXPECT_EQ(login.ComboName->currentIndex(), 1);
    EXPECT_EQ(login.ComboName->currentText(), "ann");
    EXPECT_TRUE(login.TextPasswd->isEnabled());
    EXPECT_EQ(login.TextPasswd->text(), "");
    EXPECT_FALSE(login.CommandAddNew->isEnabled());
}

TEST_F(NewUserWindowTest, GuestInAnotherCaseOrWithALeadingBlankIsAnOrdinaryId) {
    type(" guest", "pw", "pw");
    EXPECT_EQ(pressOk(), "Add New User [ guest] Successfully !!");
    login.Unload();
    add.Show();
    type("Guest", "pw", "pw");
    EXPECT_EQ(pressOk(), "Add New User [Guest] Successfully !!");
    EXPECT_EQ(bytesOf(registerFile()), kFirstStart + " guest*,pw*,1,1,1,120,80,120,80\r\n" +
                                           "Guest*,pw*,1,1,1,120,80,120,80\r\n");
}

TEST_F(NewUserWindowTest, RegisterWithoutLastLineEndGetsTheUserOnItsOwnLine) {
    writeBytes(registerFile(), kFirstStart.chopped(2));
    type("ann", "pw", "pw");
    pressOk();
    EXPECT_EQ(bytesOf(registerFile()), kFirstStart + "ann*,pw*,1,1,1,120,80,120,80\r\n");
}

TEST_F(NewUserWindowTest, MissingRegisterIsRecreatedBeforeTheAppend) {
    QFile::remove(registerFile());
    type("ann", "pw", "pw");
    EXPECT_EQ(pressOk(), "Add New User [ann] Successfully !!");
    EXPECT_EQ(bytesOf(registerFile()), kFirstStart + "ann*,pw*,1,1,1,120,80,120,80\r\n");
}

TEST_F(NewUserWindowTest, FailedAppendIsToldAndNotReportedAsSuccess) {
    platform::setSimulateWriteFailure(true);
    type("ann", "pw", "pw");
    const QString message = pressOk();
    EXPECT_TRUE(message.contains("ZuRegister.txt")) << message.toStdString();
    EXPECT_FALSE(message.contains("Successfully"));
    EXPECT_TRUE(add.isLoaded());
    EXPECT_FALSE(login.isLoaded());
    EXPECT_EQ(bytesOf(registerFile()), kFirstStart);
}

TEST_F(NewUserWindowTest, CancelWritesNothingAndKeepsAddNewUserOn) {
    type("ann", "pw", "pw");
    add.CommandCancel->click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(bytesOf(registerFile()), kFirstStart);
    EXPECT_FALSE(add.isLoaded());
    ASSERT_TRUE(login.isLoaded());
    EXPECT_TRUE(login.CommandAddNew->isEnabled());
}

TEST_F(NewUserWindowTest, ClosingFromTheTitleBarEndsTheProgram) {
    add.window()->close();
    EXPECT_EQ(endProgramCalls_, 1);
    EXPECT_EQ(bytesOf(registerFile()), kFirstStart);
}

TEST_F(NewUserWindowTest, EachShowingStartsWithEmptyBoxes) {
    type("ann", "pw", "pw");
    add.Unload();
    add.Show();
    EXPECT_EQ(boxes(), QStringList({"", "", ""}));
}

// Enter in any of the three boxes presses "OK" as a click does, once.
TEST_F(NewUserWindowTest, EnterInAnyBoxPressesOkOnce) {
    for (QLineEdit* box : {add.TextName, add.TextPasswd, add.TextCheck}) {
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(messageTexts(), QStringList{QString::fromUtf8("Please key in the User ID！")});
    }
    type("ann", "pw", "pw");
    QTest::keyClick(add.TextCheck, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(messageTexts(), QStringList{"Add New User [ann] Successfully !!"});
    EXPECT_EQ(bytesOf(registerFile()), kFirstStart + "ann*,pw*,1,1,1,120,80,120,80\r\n");
    EXPECT_FALSE(add.isLoaded());
}
