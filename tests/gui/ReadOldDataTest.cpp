#include <QFile>
#include <QLabel>

#include "app/Module1.h"
#include "meter/ReadingsFile.h"
#include "meter/frmReadOldData.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuiTest.h"

namespace {
void writeReadings(const QString& path, const QStringList& lines) {
    writeCrLfLines(path, QStringList{kReadingsHeader} + lines);
}
const QString kNewest = QStringLiteral("T0001,00140,03,05,08,30,PC,07.8,2008,2008/03/05 - 08:30");
const QString kOldest = QStringLiteral("T0002,00095,03,04,07,09,C,05.3,2008,2008/03/04 - 07:09");
}  // namespace

class ReadOldDataTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        Module1::state().UserID = Module1::state().UserName = QStringLiteral("anna");
    }
};

TEST_F(ReadOldDataTest, FirstShowLoadsTheUsersFileIntoTheTable) {
    writeReadings(dataFile("anna.txt"), {kNewest, kOldest});
    frmReadOldData form;
    form.Show();
    ASSERT_TRUE(form.isLoaded());
    EXPECT_TRUE(form.window()->isVisible());
    EXPECT_EQ(form.Label1->text(), "Reading...");
    EXPECT_EQ(form.QuorDB.RecordSource, "anna#txt");
    const ReadingList& t = Module1::state().readings;
    ASSERT_EQ(t.ReadCount, 2);
    EXPECT_EQ(t.ReadGlucose[1], 95);
    EXPECT_EQ(t.ReadGlucose[2], 140);
    EXPECT_EQ(t.ReadEvent[2], QVariant(QStringLiteral("PC")));
    EXPECT_TRUE(messages().isEmpty());
    form.Unload();
}

TEST_F(ReadOldDataTest, LoadsOncePerObject) {
    writeReadings(dataFile("anna.txt"), {kNewest, kOldest});
    frmReadOldData form;
    form.Show();
    form.Unload();
    writeReadings(dataFile("anna.txt"), {kNewest});
    form.Show();
    EXPECT_EQ(Module1::state().readings.ReadCount, 2);
    EXPECT_EQ(form.Label1->text(), "Reading...");
    form.Unload();
}

// An older copy stays where it is: the message names the one still to come.
TEST_F(ReadOldDataTest, TellsTheUserOnceAboutLinesLeftOut) {
    writeReadings(dataFile("anna.txt.bak"), {kOldest});
    writeReadings(dataFile("anna.txt"), {kNewest, "T0002,,03,04,07,09,C,05.3,2008,x", "broken"});
    frmReadOldData form;
    form.Show();
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().text.contains("2 line(s)"));
    EXPECT_TRUE(shown.first().text.contains("kept as anna.txt.bak.2 before"));
    EXPECT_EQ(Module1::state().readings.ReadCount, 1);
    EXPECT_EQ(Module1::state().readingsBackupPath, dataFile("anna.txt.bak.2"));
    form.Unload();
}
