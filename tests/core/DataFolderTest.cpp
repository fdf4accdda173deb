// The data folder: one program at a time, and what a start tidies in it.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/core/DataFolder.h"
#include "platform/core/DataFolderUpkeep.h"
#include "platform/core/FolderLock.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileBytes.h"

using namespace platform;
using Outcome = FolderLock::Outcome;

namespace {
QFile::Permissions modeOf(const QString& path) {
    return QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}
}  // namespace

TEST(FolderLockTest, OneHolderPerFolderUntilItLetsGo) {
    QTemporaryDir a, b;
    auto first = std::make_unique<FolderLock>(a.path());
    EXPECT_EQ(first->outcome(), Outcome::Held);
    EXPECT_EQ(FolderLock(a.path()).outcome(), Outcome::HeldElsewhere);
    EXPECT_EQ(FolderLock(b.path()).outcome(), Outcome::Held);
    EXPECT_EQ(FolderLock(a.path() + "/missing").outcome(), Outcome::Unavailable);
    EXPECT_EQ(modeOf(a.filePath(FolderLock::lockFileName())), kOwnerOnlyFile);
    first.reset();
    EXPECT_EQ(FolderLock(a.path()).outcome(), Outcome::Held);
}

TEST(DataFolderUpkeepTest, RemovesOnlyUnfinishedRewritesAndMakesTheRestPrivate) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    const QString folder = dataFolder();
    EXPECT_EQ(modeOf(folder), kOwnerOnlyFolder);  // created private
    ASSERT_TRUE(QFile::setPermissions(folder, kOwnerOnlyFolder | QFile::ReadOther | QFile::ExeOther));
    struct Case {
        const char* name;
        bool leftover;
    };
    const Case cases[] = {
        {"ZuRegister.txt.Ab3dE9", true}, {"anna.txt.bak.QQQQQQ", true},
        {"ZuRegister.txt", false},       {"anna.txt", false},
        {"anna.txt.bak", false},         {"anna.txt.Ab3dE", false},
        {"anna.txt.Ab3dE9x", false},     {"notes.Ab3dE9", false},
        {"ambrel.lock", false},
    };
    for (const Case& c : cases) {
        writeBytes(folder + "/" + c.name, "data\r\n");
        QFile::setPermissions(folder + "/" + c.name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    }
    writeBytes(home.filePath("device"), "");
    QFile::setPermissions(home.filePath("device"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    ASSERT_TRUE(QFile::link(home.filePath("device"), folder + "/COM1"));

    EXPECT_EQ(removeLeftoverTemporaries(folder), 2);
    restrictToOwner(folder);

    for (const Case& c : cases) {
        EXPECT_EQ(QFile::exists(folder + "/" + c.name), !c.leftover) << c.name;
        if (!c.leftover) {
            EXPECT_EQ(modeOf(folder + "/" + c.name), kOwnerOnlyFile) << c.name;
        }
    }
    EXPECT_EQ(modeOf(folder), kOwnerOnlyFolder);
    EXPECT_TRUE(QFileInfo(folder + "/COM1").isSymLink());
    EXPECT_TRUE(modeOf(home.filePath("device")) & QFile::ReadOther);  // the device is not ours
    qunsetenv("XDG_DATA_HOME");
}
