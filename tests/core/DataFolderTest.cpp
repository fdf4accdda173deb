// What a start tidies in the data folder (once it holds the folder alone).
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/core/DataFolder.h"
#include "platform/core/DataFolderUpkeep.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileBytes.h"

using namespace platform;

TEST(DataFolderTest, StartRemovesUnfinishedRewritesOnlyAndMakesTheRestPrivate) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    const QString folder = dataFolder();
    EXPECT_EQ(unixMode(folder), 0700);  // created private
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0701), 0);  // as an older program made it
    const QStringList leftovers{"ZuRegister.txt.Ab3dE9", "anna.txt.bak.QQQQQQ"};
    const QStringList kept{"ZuRegister.txt", "anna.txt.bak", "anna.txt.Ab3dE", "anna.txt.Ab3dE9x", "x.Ab3dE9"};
    for (const QString& name : leftovers + kept + QStringList{"../device"})
        writeBytes(folder + "/" + name, "x\r\n");  // 0644 as an older program left them
    ASSERT_TRUE(QFile::link(home.filePath("device"), folder + "/COM1"));

    EXPECT_EQ(removeLeftoverTemporaries(folder), 2);
    restrictToOwner(folder);

    EXPECT_EQ(unixMode(folder), 0700);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), kept.size() + 1);  // COM1 too
    for (const QString& name : kept)
        EXPECT_EQ(unixMode(folder + "/" + name), 0600) << name.toStdString();  // kept, private
    EXPECT_TRUE(unixMode(home.filePath("device")) & 0004);  // what COM1 links to is not ours
    qunsetenv("XDG_DATA_HOME");
}
