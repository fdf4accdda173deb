// What a start tidies in the data folder (once it holds the folder alone).
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/core/DataFolder.h"
#include "platform/core/DataFolderUpkeep.h"
#include "platform/core/TextFile.h"
#include "tests/support/FileBytes.h"

using namespace platform;

namespace {

QStringList rewriteTemporariesIn(const QString& folder) {
    QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    found.removeIf([](const QString& name) { return !isRewriteTemporaryName(name); });
    return found;
}

// Leaves behind what a program killed in the middle of a rewrite leaves: a
// child rewrites `file` over and over and is killed once its temporary
// shows. The name of that temporary; empty when none could be caught.
QString killRewriteMidway(const QString& file) {
    const QStringList lines(200000, QStringLiteral("T0001,00103,12,03,08,00,C,05.7,2008,2008/12/03 - 08:00"));
    const QString folder = QFileInfo(file).absolutePath();
    for (int attempt = 0; attempt < 20; ++attempt) {
        const pid_t child = ::fork();
        if (child < 0)
            return {};
        if (child == 0)
            for (;;)
                writeLinesAtomic(file, lines);
        QElapsedTimer waited;
        waited.start();
        bool shown = false;
        while (!shown && waited.elapsed() < 10000)
            shown = !rewriteTemporariesIn(folder).isEmpty();
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QStringList left = rewriteTemporariesIn(folder);
        if (!shown || !left.isEmpty())  // else the rewrite finished between the look and the kill
            return left.value(0);
    }
    return {};
}

}  // namespace

TEST(DataFolderTest, StartRemovesUnfinishedRewritesOnlyAndMakesTheRestPrivate) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    const QString folder = dataFolder();
    EXPECT_EQ(unixMode(folder), 0700);  // created private
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0701), 0);  // as an older program made it
    // A user's own copies, and names like the temporaries other programs make.
    const QStringList kept{"ZuRegister.txt", "anna.txt", "anna.txt.bak", "anna.txt.bak.2",
                           "alice.txt.backup", "ZuRegister.txt.backup", "diary.txt.Backup",
                           "alice.txt.old123", "alice.txt.2024v1", "alice.txt.bak.backup",
                           "ZuRegister.txt.Ab3dE9", "anna.txt.bak.QQQQQQ", "x.Ab3dE9"};
    for (const QString& name : kept + QStringList{"../device"})
        writeBytes(folder + "/" + name, "x\r\n");  // 0644 as an older program left them
    ASSERT_TRUE(QFile::link(home.filePath("device"), folder + "/COM1"));
    const QString leftover = killRewriteMidway(folder + "/anna.txt");
    ASSERT_FALSE(leftover.isEmpty());

    EXPECT_EQ(removeLeftoverTemporaries(folder), 1);
    restrictToOwner(folder);

    EXPECT_EQ(unixMode(folder), 0700);
    EXPECT_FALSE(QFile::exists(folder + "/" + leftover));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), kept.size() + 1);  // COM1 too
    for (const QString& name : kept)
        EXPECT_EQ(unixMode(folder + "/" + name), 0600) << name.toStdString();  // kept, private
    EXPECT_TRUE(unixMode(home.filePath("device")) & 0004);  // what COM1 links to is not ours
    qunsetenv("XDG_DATA_HOME");
}
