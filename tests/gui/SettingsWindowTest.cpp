#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "accounts/RegisterFile.h"
#include "accounts/SettingsRows.h"
#include "accounts/frmSet.h"
#include "app/Module1.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuiTest.h"

namespace {

const QByteArray kHeader = "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\n";
const QByteArray kGuestLine = "guest*,brisk*,1,1,1,120,80,120,80\r\n";
const QString kUpperMg =
    "Error: The normal Uper limit Setting of Glucose Value ranges between 30mg/dL and 600mg/dL !!";
const QString kLowerMg =
    "Error: The normal lower limit Setting of Glucose Value ranges between 30mg/dL and 600mg/dL !!";
const QString kOrder =
    "Error: The lower limit Setting of Glucose Value > The Uper limit Setting of Glucose Value!!";

QList<qint16> limits() {
    const Module1::State& s = Module1::state();
    return {s.LimitMax, s.LimitMin, s.LimitMaxp, s.LimitMinp};
}

}  // namespace

class SettingsWindowTest : public GuiTest {
protected:
    frmSet& set = frmSet::instance();

    void TearDown() override {
        platform::setSimulateWriteFailure(false);
        set.Unload();
        GuiTest::TearDown();
    }

    // The register as sign-in leaves it: read into the table, the user's
    // settings from the last row of the ID.
    void signedInAs(const QString& id, const QByteArray& rows) {
        writeBytes(dataFile("ZuRegister.txt"), kHeader + rows);
        Module1::State& s = Module1::state();
        ASSERT_TRUE(readRegister(s.reg));
        static_cast<Module1::UserSettings&>(s) = settingsFromRegister(s.reg, id);
    }

    void typeLimits(const QString& max, const QString& min) {
        set.TextMax->setText(max);
        set.TextMin->setText(min);
    }

    // Presses "SAVE" and returns its message, empty when there was none.
    QString save() {
        set.CmdSave->click();
        const auto m = messages();
        EXPECT_LE(m.size(), 1);
        if (m.isEmpty())
            return QString();
        EXPECT_EQ(m[0].title, "Ambrel Management Software");
        EXPECT_EQ(m[0].icon, platform::MsgIcon::None);
        return m[0].text;
    }

    // The four limit boxes: before and after meals, upper then lower.
    QStringList boxes() const {
        return {set.TextMax->text(), set.TextMin->text(), set.TextMaxp->text(), set.TextMinp->text()};
    }

    // Types each row into the four boxes and presses "SAVE": the message it
    // gives, the limits stored after it, OK on only after a clean save and
    // the boxes left as typed.
    struct Entry {
        QStringList typed;
        QString message;
        QList<qint16> limits;
    };
    void saveEach(const std::vector<Entry>& entries) {
        for (const Entry& e : entries) {
            const std::string row = e.typed.join('|').toStdString();
            set.TextMax->setText(e.typed[0]);
            set.TextMin->setText(e.typed[1]);
            set.TextMaxp->setText(e.typed[2]);
            set.TextMinp->setText(e.typed[3]);
            EXPECT_EQ(save(), e.message) << row;
            EXPECT_EQ(limits(), e.limits) << row;
            EXPECT_EQ(set.cmdOK->isEnabled(), e.message.isEmpty()) << row;
            EXPECT_EQ(boxes(), e.typed) << row;
        }
    }
};

TEST_F(SettingsWindowTest, MgdlUserSeesStoredSettingsWithOkOff) {
    signedInAs("bob", kGuestLine + "bob*,pw*,3,1,1,120,80,120,80\r\n");
    set.Show();
    EXPECT_EQ(set.window()->windowTitle(), "Setting parameters");
    EXPECT_TRUE(set.ComOption3->isChecked());
    EXPECT_FALSE(set.ComOption1->isChecked());
    EXPECT_TRUE(set.UnitOption1->isChecked());
    EXPECT_FALSE(set.UnitOption2->isChecked());
    EXPECT_TRUE(set.TimeOption1->isChecked());
    EXPECT_EQ(boxes(), QStringList({"120", "80", "120", "80"}));
    EXPECT_EQ(set.Label3->text(), "mg/dL");
    EXPECT_EQ(set.Label4->text(), "mg/dL");
    EXPECT_FALSE(set.cmdOK->isEnabled());
    EXPECT_EQ(Module1::state().ComPort, 3);
    const Qt::WindowFlags flags = set.window()->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
}

TEST_F(SettingsWindowTest, DateOrderAndPostMealLimitsStayHidden) {
    signedInAs("bob", "bob*,pw*,1,1,2,120,80,140,60\r\n");
    set.Show();
    EXPECT_TRUE(set.Label1->isVisible());
    EXPECT_TRUE(set.TextMax->isVisible());
    for (QWidget* hidden : {static_cast<QWidget*>(set.Frame3), static_cast<QWidget*>(set.TextMaxp),
                            static_cast<QWidget*>(set.TextMinp), static_cast<QWidget*>(set.Label7),
                            static_cast<QWidget*>(set.Label6), static_cast<QWidget*>(set.Label8),
                            static_cast<QWidget*>(set.Label9)})
        EXPECT_FALSE(hidden->isVisible());
    EXPECT_TRUE(set.TimeOption2->isChecked());
    EXPECT_EQ(boxes(), QStringList({"120", "80", "140", "60"}));
}

TEST_F(SettingsWindowTest, SaveThenOkWritesTheRegisterUnchanged) {
    const QByteArray file = kHeader + kGuestLine + "bob*,pw*,3,1,2,120,80,140,60\r\n";
    signedInAs("bob", kGuestLine + "bob*,pw*,3,1,2,120,80,140,60\r\n");
    set.Show();
    EXPECT_EQ(save(), "");
    EXPECT_TRUE(set.cmdOK->isEnabled());
    EXPECT_EQ(limits(), QList<qint16>({120, 80, 140, 60}));
    set.cmdOK->click();
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")), file);
    EXPECT_FALSE(set.isLoaded());
}

TEST_F(SettingsWindowTest, MmolUserSeesLimitsAsMmolAndSavesThemBackRounded) {
    signedInAs("bob", "bob*,pw*,1,2,1,120,80,100,80\r\n");
    set.Show();
    EXPECT_TRUE(set.UnitOption2->isChecked());
    EXPECT_EQ(boxes(), QStringList({"6.7", "4.4", "5.6", "4.4"}));
    EXPECT_EQ(set.Label3->text(), "mmol/L");
    EXPECT_EQ(set.Label4->text(), "mmol/L");
    EXPECT_EQ(save(), "");
    EXPECT_EQ(limits(), QList<qint16>({121, 79, 101, 79}));
}

TEST_F(SettingsWindowTest, UnitChoiceResetsAllFourBoxesAndSwitchesOkOff) {
    signedInAs("bob", "bob*,pw*,1,1,1,150,70,140,60\r\n");
    set.Show();
    EXPECT_EQ(save(), "");
    ASSERT_TRUE(set.cmdOK->isEnabled());
    set.UnitOption2->click();
    EXPECT_EQ(Module1::state().GluUnit, 2);
    EXPECT_EQ(boxes(), QStringList({"7", "3.8", "7", "3.8"}));
    EXPECT_EQ(set.Label3->text(), "mmol/L");
    EXPECT_EQ(set.Label8->text(), "mmol/L");
    EXPECT_FALSE(set.cmdOK->isEnabled());
    EXPECT_EQ(limits(), QList<qint16>({150, 70, 140, 60}));
    EXPECT_EQ(save(), "");
    EXPECT_EQ(limits(), QList<qint16>({126, 68, 126, 68}));

    set.UnitOption1->setChecked(true);
    EXPECT_EQ(Module1::state().GluUnit, 1);
    EXPECT_EQ(boxes(), QStringList({"126", "70", "126", "70"}));
    EXPECT_EQ(set.Label4->text(), "mg/dL");
    EXPECT_EQ(save(), "");
    EXPECT_EQ(limits(), QList<qint16>({126, 70, 126, 70}));
}

TEST_F(SettingsWindowTest, SwitchingTheUnitAndBackShowsThatUnitsDefaults) {
    signedInAs("bob", "bob*,pw*,1,1,1,150,70,140,60\r\n");
    set.Show();
    set.UnitOption2->setChecked(true);
    set.UnitOption1->setChecked(true);
    EXPECT_EQ(boxes(), QStringList({"126", "70", "126", "70"}));
}

TEST_F(SettingsWindowTest, PortChoiceTakesEffectAtOnce) {
    signedInAs("bob", "bob*,pw*,1,1,1,120,80,120,80\r\n");
    set.Show();
    set.ComOption5->click();
    EXPECT_EQ(Module1::state().ComPort, 5);
    EXPECT_FALSE(set.ComOption1->isChecked());
}

TEST_F(SettingsWindowTest, RangeBoundariesInMgdl) {
    signedInAs("bob", "bob*,pw*,1,1,1,120,80,120,80\r\n");
    set.Show();
    saveEach({{{"600", "30", "120", "80"}, "", {600, 30, 120, 80}},
              {{"600.5", "30", "120", "80"}, kUpperMg, {600, 30, 120, 80}},
              {{"600", "29.9", "120", "80"}, kLowerMg, {600, 30, 120, 80}}});
}

TEST_F(SettingsWindowTest, MmolRangeAndOrderChecks) {
    signedInAs("bob", "bob*,pw*,1,2,1,120,80,120,80\r\n");
    set.Show();
    const QString range = "Error: The normal %1 limit Setting of Glucose Value ranges between "
                          "1.7mmol/L and 33.3mmol/L !!";
    saveEach({{{"33.4", "1.7", "6.7", "4.4"}, range.arg("Uper"), {120, 80, 120, 80}},
              {{"33.3", "1.6", "6.7", "4.4"}, range.arg("lower"), {120, 80, 120, 80}},
              {{"5.5", "5.9", "6.7", "4.4"}, kOrder, {120, 80, 120, 80}},
              {{"5.5", "5.5", "6.7", "4.4"}, "", {99, 99, 121, 79}},
              {{"33.3", "1.7", "6.7", "4.4"}, "", {599, 31, 121, 79}}});
}

TEST_F(SettingsWindowTest, BoxesWithoutANumberFailTheirCheckAndStoreNothing) {
    signedInAs("bob", "bob*,pw*,1,1,1,120,80,120,80\r\n");
    set.Show();
    saveEach({{{"120", "80", "120", "80"}, "", {120, 80, 120, 80}},
              {{"", "80", "120", "80"}, kUpperMg, {120, 80, 120, 80}},
              {{" 130 ", "abc", "120", "80"}, kLowerMg, {120, 80, 120, 80}},
              {{"130", "70", "", "80"}, kUpperMg, {120, 80, 120, 80}},
              {{"130", "70", "120", "1,5"}, kLowerMg, {120, 80, 120, 80}},
              {{"130", "70", "85", "90"}, kOrder, {120, 80, 120, 80}}});
}

TEST_F(SettingsWindowTest, OkWritesTheSettingsIntoEveryRowOfTheUser) {
    const QByteArray handEdited = "odd,row,x,1\r\n";
    signedInAs("bob", "bob*,pw*,1,1,1,120,80,120,80\r\n" + kGuestLine + handEdited +
                          "bob*,pw*,2,1,2,130,70,140,60\r\n");
    set.Show();
    set.ComOption4->click();
    set.UnitOption2->click();
    typeLimits("6.7", "4.4");
    EXPECT_EQ(save(), "");
    set.cmdOK->click();
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")),
              kHeader + "bob*,pw*,4,2,2,121,79,126,68\r\n" + kGuestLine + handEdited +
                  "bob*,pw*,4,2,2,121,79,126,68\r\n");
    EXPECT_EQ(Module1::state().reg.RegPort[1], "4");
}

TEST_F(SettingsWindowTest, GuestSettingsAreKeptLikeAnyUsers) {
    signedInAs("guest", kGuestLine);
    set.Show();
    typeLimits("140", "75");
    EXPECT_EQ(save(), "");
    set.cmdOK->click();
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")), kHeader + "guest*,brisk*,1,1,1,140,75,120,80\r\n");
}

TEST_F(SettingsWindowTest, FailedRewriteKeepsTheFileAndTheWindowOpen) {
    signedInAs("bob", "bob*,pw*,1,1,1,120,80,120,80\r\n");
    set.Show();
    typeLimits("150", "70");
    EXPECT_EQ(save(), "");
    platform::setSimulateWriteFailure(true);
    set.cmdOK->click();
    const auto m = messages();
    ASSERT_EQ(m.size(), 1);
    EXPECT_TRUE(m[0].text.contains("ZuRegister.txt"));
    EXPECT_TRUE(set.isLoaded());
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")), kHeader + "bob*,pw*,1,1,1,120,80,120,80\r\n");
    EXPECT_EQ(Module1::state().reg.RegMax[1], "120");

    platform::setSimulateWriteFailure(false);
    set.cmdOK->click();
    EXPECT_FALSE(set.isLoaded());
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")), kHeader + "bob*,pw*,1,1,1,150,70,120,80\r\n");
}

TEST_F(SettingsWindowTest, ClosingFromTheTitleBarWritesNothing) {
    signedInAs("bob", "bob*,pw*,1,1,1,120,80,120,80\r\n");
    set.Show();
    set.ComOption2->click();
    typeLimits("150", "70");
    EXPECT_EQ(save(), "");
    set.window()->close();
    EXPECT_FALSE(set.isLoaded());
    EXPECT_EQ(endProgramCalls_, 0);
    EXPECT_EQ(bytesOf(dataFile("ZuRegister.txt")), kHeader + "bob*,pw*,1,1,1,120,80,120,80\r\n");
    EXPECT_EQ(Module1::state().ComPort, 2);
    EXPECT_EQ(Module1::state().LimitMax, 150);
}

TEST_F(SettingsWindowTest, UnknownUnitMarksNothingAndSaveDoesNothing) {
    signedInAs("bob", "bob*,pw*,7,3,1,150,70,140,60\r\n");
    set.Show();
    EXPECT_FALSE(set.UnitOption1->isChecked());
    EXPECT_FALSE(set.UnitOption2->isChecked());
    for (QRadioButton* port : {set.ComOption1, set.ComOption2, set.ComOption3, set.ComOption4,
                               set.ComOption5})
        EXPECT_FALSE(port->isChecked());
    EXPECT_EQ(boxes(), QStringList({"120", "80", "120", "80"}));
    EXPECT_TRUE(set.cmdOK->isEnabled());
    typeLimits("", "");
    EXPECT_EQ(save(), "");
    EXPECT_EQ(limits(), QList<qint16>({150, 70, 140, 60}));
}
