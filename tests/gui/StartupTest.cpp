// Start-up: splash with its progress, the hidden main window, the one-second
// wait and the sign-in window.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "accounts/frmLogin.h"
#include "app/Main.h"
#include "platform/Pictures.h"
#include "platform/core/DataFolder.h"
#include "platform/core/FolderLock.h"
#include "tests/support/EventWait.h"
#include "tests/support/FileBytes.h"
#include "shell/frmIndex.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "tests/support/GuiTest.h"

namespace {

struct Sample {
    qint64 atMs = 0;
    bool splashShown = false;
    int progress = -1;
    bool percentShown = false;
    bool mainMade = false;
    bool mainLoadedHidden = false;
    bool signInShown = false;
};

Sample takeSample() {
    Sample s;
    frmSplash& splash = frmSplash::instance();
    s.splashShown = splash.isLoaded() && splash.window()->isVisible();
    if (splash.isLoaded()) {
        s.progress = splash.ProgressBar1->value();
        s.percentShown = splash.ProgressBar1->isTextVisible();
    }
    frmMain* main = MainForm();
    s.mainMade = main != nullptr;
    s.mainLoadedHidden = main && main->isLoaded() && !main->window()->isVisible();
    s.signInShown = frmLogin::instance().isLoaded();
    return s;
}

// The pixels of `shown`, a square of `side` pixels, that the product picture
// covers wholly, whatever lies behind it, and that differ from the picture's;
// all of them when it is no such square (no icon at all).
int pixelsUnlikeTheProduct(const QPixmap& shown, int side) {
    const QImage image = shown.toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage product = platform::drawPicture(platform::Picture::Product, {side, side})
                               .toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.size() != product.size())
        return side * side;
    int unlike = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (qAlpha(product.pixel(x, y)) == 255 && product.pixel(x, y) != image.pixel(x, y))
                ++unlike;
    return unlike;
}

}  // namespace

class StartupTest : public GuiTest {
protected:
    void TearDown() override {
        frmIndex::instance().Unload();
        frmLogin::instance().Unload();
        delete MainForm();
        GuiTest::TearDown();
    }
};

TEST_F(StartupTest, SplashFillsDuringTheWaitThenSignInAppears) {
    // What a program killed in the middle of a rewrite left behind.
    const QString leftover = dataFile(".ZuRegister.txt.ambrel-rewrite.Xy12Zq");
    writeBytes(leftover, "ID,Passwd\r\n");
    QList<Sample> samples;
    QElapsedTimer elapsed;
    QTimer sampler;
    sampler.setInterval(20);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        samples << takeSample();
        samples.last().atMs = elapsed.elapsed();
    });
    sampler.start();
    elapsed.start();

    Main();

    const qint64 took = elapsed.elapsed();
    sampler.stop();
    EXPECT_GE(took, 1000);
    ASSERT_GE(samples.size(), 10);
    // The wait ends with the first pass of the event loop that finds a whole
    // second gone: however slow the machine, it samples once at most past
    // the second after the first sample taken in the wait.
    const auto inTheWait =
        std::find_if(samples.cbegin(), samples.cend(), [](const Sample& s) { return s.mainMade; });
    ASSERT_NE(inTheWait, samples.cend());
    const auto pastTheSecond = [&](const Sample& s) { return s.atMs - inTheWait->atMs > 1000; };
    EXPECT_LE(std::count_if(inTheWait, samples.cend(), pastTheSecond), 1);
    EXPECT_EQ(samples.first().progress, 0);
    int previous = 0;
    bool mainMade = false;
    for (const Sample& s : samples) {
        EXPECT_TRUE(s.splashShown);
        // Showing the splash runs the event loop once, which may take a
        // sample before the main window is made; from then on it stays
        // loaded and hidden.
        mainMade = mainMade || s.mainMade;
        if (mainMade)
            EXPECT_TRUE(s.mainLoadedHidden);
        else
            EXPECT_EQ(s.progress, 0);
        EXPECT_FALSE(s.signInShown);
        EXPECT_FALSE(s.percentShown);
        EXPECT_EQ(s.progress % 10, 0);
        EXPECT_GE(s.progress, previous);
        EXPECT_LE(s.progress - previous, 10);
        EXPECT_LE(s.progress, 100);
        previous = s.progress;
    }
    EXPECT_GE(samples.last().progress, 50);

    const Sample after = takeSample();
    EXPECT_FALSE(frmSplash::instance().isLoaded());
    EXPECT_TRUE(after.signInShown);
    EXPECT_TRUE(frmLogin::instance().window()->isVisible());
    EXPECT_TRUE(after.mainLoadedHidden);
    EXPECT_FALSE(QFile::exists(leftover));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(StartupTest, SecondProgramOnTheFolderSaysSoAndEndsChangingNothing) {
    const QString folder = platform::dataFolder();
    const platform::FolderLock firstProgram(folder);
    // the first program's rewrite
    writeBytes(dataFile(".ZuRegister.txt.ambrel-rewrite.Xy12Zq"), "being written");
    const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);

    Main();

    const QList<platform::RecordedMessage> told = messages();
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0].text, "Ambrel Management Software is already running !! Only one copy of the "
                            "program can use the data folder [" + folder + "] at a time.");
    EXPECT_EQ(endProgramCalls_, 1);
    EXPECT_FALSE(frmSplash::instance().isLoaded() || frmLogin::instance().isLoaded());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);
}

// Every window carries the product picture, the one the about box shows, as
// its icon: the main window, the sign-in window and the page maximised in
// the main window, whose icon its menu bar shows.
TEST_F(StartupTest, WindowsCarryTheProductPictureAsTheirIcon) {
    Main();
    frmLogin& login = frmLogin::instance();
    ASSERT_TRUE(test_wait::until([&] { return !login.Timerload->isActive(); }));
    EXPECT_EQ(pixelsUnlikeTheProduct(MainForm()->window()->windowIcon().pixmap(32), 32), 0);
    EXPECT_EQ(pixelsUnlikeTheProduct(login.window()->windowIcon().pixmap(32), 32), 0);

    login.CommandLoginIn->click();
    ASSERT_TRUE(frmIndex::instance().isLoaded());
    auto* main = qobject_cast<QMainWindow*>(MainForm()->window());
    QWidget* pageIcon = main->menuBar()->cornerWidget(Qt::TopLeftCorner);
    ASSERT_NE(pageIcon, nullptr);
    EXPECT_EQ(pixelsUnlikeTheProduct(pageIcon->grab(), 16), 0);
}
