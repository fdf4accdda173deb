// The browser window over the product pages shipped beside the program.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QToolBar>
#include <QWindow>
#include <memory>

#include "platform/Twips.h"
#include "platform/WebBrowser.h"
#include "shell/LastWindowWatch.h"
#include "shell/ProductWeb.h"
#include "shell/frmBrowser.h"
#include "shell/frmMain.h"
#include "tests/support/GuiTest.h"

namespace {

const QString kStartTitle = QStringLiteral("Ambrel Management Software");
const QString kSecondTitle = QStringLiteral("Glucose Monitoring System");

QList<QWidget*> browserWindows() {
    QList<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmBrowser") && w->isVisible())
            out << w;
    }
    return out;
}

QAction* button(QWidget* window, const QString& key) {
    for (QAction* a : window->findChild<QToolBar*>()->actions()) {
        if (a->data().toString() == key)
            return a;
    }
    return nullptr;
}

// Runs the event loop until the condition holds or 20 s have passed.
bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

// Whether the web engine's library is mapped into this process.
bool webEngineMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

bool captionSettles(QWidget* window, const QString& caption) {
    return waitFor([&] { return window->windowTitle() == caption; });
}

}  // namespace

class BrowserTest : public GuiTest {
protected:
    void TearDown() override {
        for (QWidget* w : browserWindows())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        GuiTest::TearDown();
    }
};

// First in this program, so no other test has opened a browser before it
// (ctest also runs each test in a process of its own).
TEST_F(BrowserTest, EngineIsLoadedOnlyWhenTheFirstBrowserWindowOpens) {
    frmMain main;
    main.Load();
    EXPECT_FALSE(webEngineMapped());
    main.mnuWeb_Click();
    ASSERT_EQ(browserWindows().size(), 1);
    EXPECT_TRUE(webEngineMapped());
    EXPECT_TRUE(captionSettles(browserWindows().first(), kStartTitle));
}

TEST_F(BrowserTest, OurWebOpensOneMoreWindowEachTime) {
    frmMain main;
    main.Load();
    main.mnuWeb_Click();
    main.mnuWeb_Click();
    const QList<QWidget*> windows = browserWindows();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_FALSE(main.window()->isVisible());  // the browser needs no page open
    for (QWidget* w : windows) {
        EXPECT_TRUE(captionSettles(w, kStartTitle));
        EXPECT_EQ(w->findChild<platform::WebBrowser*>()->LocationURL().toString(),
                  productWebAddress());
    }
}

TEST_F(BrowserTest, WindowsKeepTheirOwnCaptionAndHistory) {
    frmMain main;
    main.Load();
    main.mnuWeb_Click();
    main.mnuWeb_Click();
    const QList<QWidget*> windows = browserWindows();
    ASSERT_EQ(windows.size(), 2);
    for (QWidget* w : windows)
        ASSERT_TRUE(captionSettles(w, kStartTitle));

    QWidget* moved = windows[0];
    QWidget* stayed = windows[1];
    const QString second = productWebAddress().replace("index.html", "meter.html");
    moved->findChild<platform::WebBrowser*>()->Navigate(second);
    ASSERT_TRUE(captionSettles(moved, kSecondTitle));
    EXPECT_EQ(stayed->windowTitle(), kStartTitle);

    // "Back" on the first page of a window does nothing and says nothing.
    button(stayed, "Back")->trigger();
    EXPECT_TRUE(captionSettles(stayed, kStartTitle));
    button(moved, "Back")->trigger();
    EXPECT_TRUE(captionSettles(moved, kStartTitle));
    button(moved, "Forward")->trigger();
    EXPECT_TRUE(captionSettles(moved, kSecondTitle));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(BrowserTest, EmptyStartingAddressOpensNoPage) {
    QPointer<frmBrowser> browser = new frmBrowser;
    browser->Show();
    ASSERT_TRUE(browser->isLoaded());
    EXPECT_FALSE(browser->timTimer->isActive());
    EXPECT_TRUE(browser->brwWebBrowser->LocationURL().isEmpty());
    EXPECT_TRUE(browser->window()->windowTitle().isEmpty());
    EXPECT_TRUE(browser->cboAddress->isHidden());
    EXPECT_EQ(browser->cboAddress->count(), 0);
    browser->window()->close();
}

TEST_F(BrowserTest, ToolbarHasSixKeysInOrder) {
    auto* browser = new frmBrowser;
    browser->Show();
    QStringList keys;
    for (QAction* a : browser->tbToolBar->actions()) {
        keys << a->data().toString();
        EXPECT_FALSE(a->toolTip().isEmpty());
        EXPECT_FALSE(a->icon().isNull());
    }
    EXPECT_EQ(keys, QStringList({"Back", "Forward", "Stop", "Refresh", "Home", "Search"}));
    browser->window()->close();
}

TEST_F(BrowserTest, ClosingTheWindowEndsItsObject) {
    QPointer<frmBrowser> browser = new frmBrowser;
    browser->StartingAddress = productWebAddress();
    browser->Show();
    EXPECT_TRUE(browser->timTimer->isActive());
    EXPECT_EQ(browser->cboAddress->currentText(), productWebAddress());
    browser->window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(browser.isNull());
}

TEST_F(BrowserTest, StopEndsTheBusyIndicator) {
    auto* browser = new frmBrowser;
    browser->StartingAddress = productWebAddress();
    browser->Show();
    browser->tbToolBar_ButtonClick(button(browser->window(), "Stop"));
    EXPECT_FALSE(browser->timTimer->isActive());
    EXPECT_FALSE(browser->brwWebBrowser->Busy());
    EXPECT_NE(browser->window()->windowTitle(), "Please wait...");
    browser->window()->close();
}

TEST_F(BrowserTest, PageAreaFollowsTheWindowSizeAndNeverGoesNegative) {
    auto* browser = new frmBrowser;
    browser->Show();
    QWidget* w = browser->window();
    w->resize(800, 600);
    QCoreApplication::processEvents();
    using platform::pixelsToTwips;
    using platform::twipsToPixels;
    EXPECT_EQ(browser->brwWebBrowser->width(), twipsToPixels(pixelsToTwips(800) - 50));
    EXPECT_EQ(browser->brwWebBrowser->height(),
              twipsToPixels(pixelsToTwips(600) - pixelsToTwips(browser->picAddress->y()) - 100));
    w->resize(1, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(browser->brwWebBrowser->width(), 0);
    EXPECT_EQ(browser->brwWebBrowser->height(), 0);
    w->close();
}

// The web view hands pointer moves to objects of its own, and every one of
// them passes the program's watch for its last window: moving the pointer
// over a loaded page must neither upset the watch nor end the program, and
// closing the window afterwards still does.
TEST_F(BrowserTest, PointerOverALoadedPageKeepsTheProgramRunning) {
    int ends = 0;
    LastWindowWatch watch([&] { ++ends; });
    frmMain main;
    main.Load();
    main.mnuWeb_Click();
    ASSERT_EQ(browserWindows().size(), 1);
    QWidget* window = browserWindows().first();
    ASSERT_TRUE(captionSettles(window, kStartTitle));

    const QWidget* page = window->findChild<platform::WebBrowser*>();
    const QPoint topLeft = page->mapTo(window, QPoint(0, 0));
    for (int step = 1; step <= 8; ++step) {
        const QPoint across(page->width() * step / 9, page->height() * step / 9);
        QTest::mouseMove(window->windowHandle(), topLeft + across);
    }
    pump();
    EXPECT_EQ(ends, 0);

    window->close();
    EXPECT_TRUE(waitFor([&] { return ends == 1; }));
}
