#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "accounts/frmLogin.h"
#include "accounts/frmLoginAdd.h"
#include "app/Module1.h"
#include "meter/ReadingsFile.h"
#include "meter/frmReadOldData.h"
#include "platform/core/TextFile.h"
#include "shell/frmIndex.h"
#include "tests/support/EventWait.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuiTest.h"

namespace {

const QByteArray kHeader = "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\n";
const QByteArray kGuestLine = "guest*,brisk*,1,1,1,120,80,120,80\r\n";
const QByteArray kPlaceholderFile =
    "Test_No,Glucose,Month,Day,Hour,Minute,Event,Glucose_mmol,Year,Date & Time\r\n"
    "T0000,00000,00,00,00,00,0000,00000,0000,000000000000000000\r\n";
const QString kChoose = "Please Chose your User ID And key in your password !!";
const QString kWrongBob = "User ID [bob] ! Your Password have some error ! Please try again !";

QStringList entries(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// Port, unit, time format and the four limits of the signed-in user.
QList<qint16> settings() {
    const Module1::State& s = Module1::state();
    return {s.ComPort, s.GluUnit, s.TimeFormat, s.LimitMax, s.LimitMin, s.LimitMaxp, s.LimitMinp};
}

}  // namespace

class LoginWindowTest : public GuiTest {
protected:
    frmLogin& login = frmLogin::instance();

    void TearDown() override {
        platform::setSimulateWriteFailure(false);
        for (platform::Form* f : std::initializer_list<platform::Form*>{
                 &login, &frmLoginAdd::instance(), &frmIndex::instance(),
                 &frmReadOldData::instance()})
            f->Unload();
        GuiTest::TearDown();
    }

    void writeRegister(const QByteArray& rows) { writeBytes(dataFile("ZuRegister.txt"), kHeader + rows); }

    // Shows the window and waits for its delayed load of the register.
    void openLogin() {
        login.Show();
        ASSERT_TRUE(test_wait::until([this] { return !login.Timerload->isActive(); }))
            << "the register was never loaded";
    }

    void choose(const QString& id) {
        login.ComboName->setCurrentIndex(login.ComboName->findText(id));
        ASSERT_EQ(login.ComboName->currentText(), id);
    }

    void signInAs(const QString& id, const QString& password) {
        choose(id);
        login.TextPasswd->setText(password);
        login.CommandLoginIn->click();
    }

    void expectNoSignIn() {
        EXPECT_TRUE(login.isLoaded());
        EXPECT_FALSE(frmIndex::instance().isLoaded());
        EXPECT_EQ(Module1::state().UserID, "");
        EXPECT_EQ(Module1::state().UserName, "");
        EXPECT_EQ(Module1::state().ComPort, 0);
        EXPECT_EQ(Module1::state().LimitMax, 0);
    }

    // Exactly one message was shown, this one.
    void expectMessage(const QString& text, const QString& title, platform::MsgIcon icon) {
        const auto m = messages();
        ASSERT_EQ(m.size(), 1);
        EXPECT_EQ(m[0].text, text);
        EXPECT_EQ(m[0].title, title);
        EXPECT_EQ(m[0].icon, icon);
    }
    void expectChooseMessage() { expectMessage(kChoose, "Error", platform::MsgIcon::Critical); }
    void expectWrongPassword() {
        expectMessage(kWrongBob, "Ambrel Management Software", platform::MsgIcon::None);
    }
};

// First in this program: the readings loader loads once per run, at the
// first sign-in (ctest also runs each test in a process of its own).
TEST_F(LoginWindowTest, ReadingsFileThatCannotBeReadIsToldAndLeftAsItIs) {
    writeRegister("bob*,pw*,1,1,1,120,80,120,80\r\n");
    ASSERT_TRUE(QDir().mkpath(dataFile("bob.txt")));
    openLogin();
    signInAs("bob", "pw");
    expectMessage("The readings file [" + dataFile("bob.txt") +
                      "] is there but could not be read !! It is left as it is: the reports show "
                      "no data, and no download is saved into it until a sign-in can read it again.",
                  "Ambrel Management Software", platform::MsgIcon::None);
    EXPECT_TRUE(frmIndex::instance().isLoaded());
    EXPECT_EQ(Module1::state().UserID, "bob");
    EXPECT_TRUE(Module1::state().readingsFileUnreadable);
    EXPECT_TRUE(hasNoReadings(Module1::state().readings));
    EXPECT_TRUE(QFileInfo(dataFile("bob.txt")).isDir());
}

TEST_F(LoginWindowTest, FirstStartCreatesTheRegisterAndListsGuestAfterTheDelay) {
    QElapsedTimer sinceShown;
    sinceShown.start();
    login.Show();
    EXPECT_EQ(login.window()->windowTitle(), "User Login");
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")), kHeader + kGuestLine);
    EXPECT_EQ(login.ComboName->count(), 0);
    EXPECT_TRUE(login.Timerload->isActive());
    EXPECT_EQ(login.Timerload->interval(), 200);
    // What was posted runs; the list waits for the timer, which fires 5 %
    // early at most: a slower machine cannot tell them apart.
    pump();
    if (sinceShown.elapsed() < 150) {
        EXPECT_EQ(login.ComboName->count(), 0);
    }
    openLogin();
    EXPECT_EQ(entries(login.ComboName), QStringList{"guest"});
    EXPECT_EQ(login.ComboName->currentText(), "guest");
    EXPECT_FALSE(login.TextPasswd->isEnabled());
    EXPECT_TRUE(login.CommandAddNew->isEnabled());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(LoginWindowTest, TitleBarOffersCloseButNoMaximizeOrMinimize) {
    login.Show();
    const Qt::WindowFlags flags = login.window()->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
}

TEST_F(LoginWindowTest, AnExistingRegisterIsNeverRecreated) {
    writeRegister("bob*,pw*,2,2,2,150,70,140,60\r\n");
    openLogin();
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")), kHeader + "bob*,pw*,2,2,2,150,70,140,60\r\n");
    EXPECT_EQ(entries(login.ComboName), QStringList{"bob"});
}

TEST_F(LoginWindowTest, GuestSignsInWithDefaultsAndAFreshReadingsFile) {
    writeBytes(dataFile("guest.txt"), "old guest readings\r\n");
    openLogin();
    login.TextPasswd->setText("anything");
    login.CommandLoginIn->click();
    const Module1::State& s = Module1::state();
    EXPECT_EQ(s.UserID, "guest");
    EXPECT_EQ(s.UserName, "guest");
    EXPECT_EQ(settings(), QList<qint16>({1, 1, 1, 120, 80, 120, 80}));
    EXPECT_EQ(bytesOf(dataFile("guest.txt")), kPlaceholderFile);
    EXPECT_FALSE(login.isLoaded());
    EXPECT_TRUE(frmIndex::instance().isLoaded());
    EXPECT_FALSE(frmReadOldData::instance().isLoaded());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(LoginWindowTest, ListsEveryRowAndChoosesTheLastOne) {
    writeRegister(kGuestLine + "bob*,pw*,1,1,1,120,80,120,80\r\nann*,a*,1,1,1,120,80,120,80\r\n");
    openLogin();
    EXPECT_EQ(entries(login.ComboName), (QStringList{"guest", "bob", "ann"}));
    EXPECT_EQ(login.ComboName->currentText(), "ann");
    EXPECT_TRUE(login.TextPasswd->isEnabled());
    login.TextPasswd->setText("typed");
    choose("guest");
    EXPECT_FALSE(login.TextPasswd->isEnabled());
    choose("bob");
    EXPECT_TRUE(login.TextPasswd->isEnabled());
    EXPECT_EQ(login.TextPasswd->text(), "");
}

TEST_F(LoginWindowTest, UserSignsInWithTheSettingsOfTheRegister) {
    writeRegister(kGuestLine + "bob*,pw*,3,2,2,150,70,140,60\r\n");
    const QByteArray bobsReadings = kReadingsHeader.toLatin1() +
                                    "\r\nT0001,00150,12,02,09,00,PC,08.3,2008,2008/12/02 - 09:00\r\n";
    writeBytes(dataFile("bob.txt"), bobsReadings);
    openLogin();
    signInAs("bob", "pw");
    const Module1::State& s = Module1::state();
    EXPECT_EQ(s.UserID, "bob");
    EXPECT_EQ(s.UserName, "bob");
    EXPECT_EQ(settings(), QList<qint16>({3, 2, 2, 150, 70, 140, 60}));
    EXPECT_EQ(bytesOf(dataFile("bob.txt")), bobsReadings);
    EXPECT_EQ(s.reg.UserCount, 2);
    EXPECT_FALSE(login.isLoaded());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(LoginWindowTest, MissingReadingsFileIsCreatedWithThePlaceholder) {
    writeRegister("ann*,a*,1,1,1,120,80,120,80\r\n");
    openLogin();
    signInAs("ann", "a");
    EXPECT_EQ(bytesOf(dataFile("ann.txt")), kPlaceholderFile);
    EXPECT_EQ(Module1::state().UserID, "ann");
}

TEST_F(LoginWindowTest, LoginReadsTheRegisterAgain) {
    writeRegister("bob*,pw*,1,1,1,120,80,120,80\r\n");
    openLogin();
    writeRegister("bob*,new*,4,1,1,130,75,120,80\r\n");
    signInAs("bob", "new");
    EXPECT_EQ(Module1::state().ComPort, 4);
    EXPECT_EQ(Module1::state().LimitMax, 130);
}

TEST_F(LoginWindowTest, WrongPasswordIsToldAndChangesNothing) {
    writeRegister(kGuestLine + "bob*,pw*,3,2,2,150,70,140,60\r\n");
    openLogin();
    signInAs("bob", "PW");
    expectWrongPassword();
    EXPECT_EQ(login.TextPasswd->text(), "");
    EXPECT_FALSE(QFile::exists(dataFile("bob.txt")));
    expectNoSignIn();
    EXPECT_EQ(entries(login.ComboName), (QStringList{"guest", "bob"}));
}

TEST_F(LoginWindowTest, GuestIsAnOrdinaryUserOnlyInExactCase) {
    writeRegister(kGuestLine + "Guest*,g*,2,1,1,120,80,120,80\r\n");
    openLogin();
    EXPECT_TRUE(login.TextPasswd->isEnabled());
    signInAs("Guest", "");
    expectChooseMessage();
    expectNoSignIn();
    signInAs("Guest", "g");
    EXPECT_EQ(Module1::state().UserID, "Guest");
    EXPECT_EQ(Module1::state().ComPort, 2);
}

// Duplicate rows with one password sign in with the later row's settings;
// hand-edited settings that are no numbers fall back to the guest defaults.
TEST_F(LoginWindowTest, SignInTakesTheLaterDuplicateOrTheGuestDefaults) {
    const struct {
        QByteArray rows;
        QList<qint16> expected;
    } cases[] = {
        {"bob*,pw*,2,1,1,150,70,140,60\r\n" + kGuestLine + "bob*,pw*,5,2,2,180,90,170,65\r\n",
         {5, 2, 2, 180, 90, 170, 65}},
        {"bob*,pw*,x,,1.5,99999,70\r\n", {1, 1, 1, 120, 70, 120, 80}},
    };
    for (const auto& c : cases) {
        frmIndex::instance().Unload();
        Module1::resetState();
        writeRegister(c.rows);
        openLogin();
        signInAs("bob", "pw");
        EXPECT_EQ(Module1::state().UserID, "bob") << c.rows.constData();
        EXPECT_EQ(settings(), c.expected) << c.rows.constData();
    }
}

TEST_F(LoginWindowTest, DuplicateRowsWithTwoPasswordsNeverSignInNorCreateAFile) {
    writeRegister("bob*,one*,1,1,1,120,80,120,80\r\nbob*,two*,1,1,1,120,80,120,80\r\n");
    openLogin();
    EXPECT_EQ(entries(login.ComboName), (QStringList{"bob", "bob"}));
    for (const char* pw : {"one", "two"}) {
        signInAs("bob", pw);
        expectWrongPassword();
        expectNoSignIn();
        EXPECT_FALSE(QFile::exists(dataFile("bob.txt")));
    }
}

TEST_F(LoginWindowTest, LoginBeforeTheDelayedLoadAsksForAnId) {
    login.Show();
    login.CommandLoginIn_Click();
    expectChooseMessage();
    expectNoSignIn();
}

// A register that lists nobody and holds nothing to keep would leave no
// way to sign in: it gets the first start's lines.
TEST_F(LoginWindowTest, RegisterOfTheHeaderAloneIsAFirstStart) {
    writeRegister("");
    openLogin();
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")), kHeader + kGuestLine);
    EXPECT_EQ(entries(login.ComboName), QStringList{"guest"});
    login.CommandLoginIn->click();
    EXPECT_EQ(Module1::state().UserID, "guest");
    EXPECT_TRUE(messages().isEmpty());
}

// The reader takes the only line as the header: a user's line whose header
// was lost lists nobody, and is kept.
TEST_F(LoginWindowTest, RegisterThatListsNobodyButHoldsALineAsksForAnId) {
    writeBytes(dataFile("ZuRegister.txt"), "bob*,pw*,1,1,1,120,80,120,80\r\n");
    openLogin();
    EXPECT_EQ(login.ComboName->count(), 0);
    EXPECT_TRUE(login.TextPasswd->isEnabled());
    login.TextPasswd->setText("x");
    login.CommandLoginIn->click();
    expectChooseMessage();
    expectNoSignIn();
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")), "bob*,pw*,1,1,1,120,80,120,80\r\n");
}

TEST_F(LoginWindowTest, IdGoneFromTheRegisterAsksForAnId) {
    writeRegister(kGuestLine + "bob*,pw*,1,1,1,120,80,120,80\r\n");
    openLogin();
    writeRegister(kGuestLine);
    signInAs("bob", "pw");
    expectChooseMessage();
    expectNoSignIn();
    EXPECT_FALSE(QFile::exists(dataFile("bob.txt")));
}

TEST_F(LoginWindowTest, EmptyPasswordIsACriticalError) {
    writeRegister("bob*,pw*,1,1,1,120,80,120,80\r\n");
    openLogin();
    signInAs("bob", "");
    expectChooseMessage();
    expectNoSignIn();
}

TEST_F(LoginWindowTest, HandEditedIdThatCannotNameAFileIsRefused) {
    writeRegister(kGuestLine + "../evil*,pw*,1,1,1,120,80,120,80\r\n");
    openLogin();
    signInAs("../evil", "pw");
    const auto m = messages();
    ASSERT_EQ(m.size(), 1);
    EXPECT_EQ(m[0].text, QString::fromUtf8("You can't use this User ID！"));
    expectNoSignIn();
    EXPECT_FALSE(QFile::exists(dataFile("../evil.txt")));
}

TEST_F(LoginWindowTest, ReadingsFileThatCannotBeWrittenStopsTheSignIn) {
    writeRegister("ann*,a*,1,1,1,120,80,120,80\r\n");
    openLogin();
    platform::setSimulateWriteFailure(true);
    signInAs("ann", "a");
    const auto m = messages();
    ASSERT_EQ(m.size(), 1);
    EXPECT_TRUE(m[0].text.contains("ann.txt"));
    expectNoSignIn();
}

TEST_F(LoginWindowTest, CancelAndTitleBarCloseEndTheProgram) {
    openLogin();
    login.CommandCancel->click();
    EXPECT_EQ(endProgramCalls_, 1);
    login.window()->close();
    EXPECT_EQ(endProgramCalls_, 2);
    EXPECT_TRUE(login.isLoaded());
}

TEST_F(LoginWindowTest, AddNewUserSwapsToTheNewUserWindow) {
    openLogin();
    login.CommandAddNew->click();
    EXPECT_FALSE(login.isLoaded());
    EXPECT_TRUE(frmLoginAdd::instance().isLoaded());
}

TEST_F(LoginWindowTest, EachShowingStartsAfresh) {
    writeRegister(kGuestLine + "bob*,pw*,1,1,1,120,80,120,80\r\n");
    openLogin();
    login.CommandAddNew->setEnabled(false);
    login.Unload();
    login.Show();
    EXPECT_EQ(login.ComboName->count(), 0);
    EXPECT_TRUE(login.CommandAddNew->isEnabled());
    EXPECT_TRUE(login.TextPasswd->isEnabled());
    EXPECT_EQ(login.TextPasswd->text(), "");
}

// Enter in the ID list or the password box presses "Login" as a click does,
// once per key press; a key held down and repeating presses nothing more.
TEST_F(LoginWindowTest, EnterInTheIdListOrThePasswordBoxPressesLoginOnce) {
    writeRegister(kGuestLine + "bob*,pw*,3,2,2,150,70,140,60\r\n");
    const struct {
        const char* what;
        QString id, password;
        bool inList;
        Qt::Key key;
        bool repeat;
        int presses;
        QString userId;
        QStringList told;
    } cases[] = {
        {"Return in the list", "guest", "", true, Qt::Key_Return, false, 1, "guest", {}},
        {"keypad Enter in the password box", "bob", "pw", false, Qt::Key_Enter, false, 1, "bob", {}},
        {"a wrong password", "bob", "PW", false, Qt::Key_Return, false, 1, "", {kWrongBob}},
        {"a repeating key in the list", "bob", "pw", true, Qt::Key_Return, true, 0, "", {}},
    };
    for (const auto& c : cases) {
        login.Unload();
        frmIndex::instance().Unload();
        Module1::resetState();
        openLogin();
        choose(c.id);
        login.TextPasswd->setText(c.password);
        int presses = 0;
        QObject::connect(login.CommandLoginIn, &QPushButton::clicked, [&presses] { ++presses; });
        QWidget* field = c.inList ? static_cast<QWidget*>(login.ComboName) : login.TextPasswd;
        const Qt::KeyboardModifiers keypad = c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, c.key, keypad, QString(), c.repeat);
        QApplication::sendEvent(field, &press);
        QTest::keyRelease(field, c.key, keypad);
        EXPECT_EQ(presses, c.presses) << c.what;
        EXPECT_EQ(Module1::state().UserID, c.userId) << c.what;
        EXPECT_EQ(messageTexts(), c.told) << c.what;
        if (login.isLoaded()) {
            EXPECT_EQ(entries(login.ComboName), (QStringList{"guest", "bob"})) << c.what;
        }
    }
}
