// The welcome and report menu pages, the splash window, the about box, the
// status bar and the end of the program with its last window.
#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QPrintDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/Module1.h"
#include "meter/frmMeterRead.h"
#include "platform/Printing.h"
#include "platform/core/Clock.h"
#include "reports/frmR04.h"
#include "shell/LastWindowWatch.h"
#include "shell/StatusPanels.h"
#include "shell/frmAbout.h"
#include "shell/frmIndex.h"
#include "shell/frmMain.h"
#include "shell/frmMenu.h"
#include "shell/frmSplash.h"
#include "tests/support/EventWait.h"
#include "tests/support/GuiTest.h"

namespace {

void click(QWidget* w) {
    const QPointF pos = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

// Cancels the real printer dialog; false when none is up.
bool cancelPrinterDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QPrintDialog*>(w); dialog && dialog->isVisible())
            return dialog->reject(), true;
    return false;
}

bool pressAboutOk() {
    if (!frmAbout::instance().isLoaded())
        return false;
    frmAbout::instance().cmdOK_Click();
    return true;
}

bool aboutBoxShown() {
    return frmAbout::instance().isLoaded() && frmAbout::instance().window()->isVisible();
}

}  // namespace

class ShellPagesTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        main_ = std::make_unique<frmMain>();
        main_->Load();
        Module1::state().GluUnit = 1;
    }
    void TearDown() override {
        main_->CloseChildForms();
        frmAbout::instance().Unload();
        frmSplash::instance().Unload();
        main_.reset();
        GuiTest::TearDown();
    }
    std::unique_ptr<frmMain> main_;
};

TEST_F(ShellPagesTest, WelcomePageShowsItsTextsAndPictures) {
    frmIndex& page = frmIndex::instance();
    page.Show();
    EXPECT_EQ(page.lblProductName->text(), "Ambrel  Management Software");
    EXPECT_TRUE(page.Label3->text().startsWith("The software was developed exclusively"));
    for (QLabel* label : {page.lblProductName, page.Label1, page.Label2, page.Label3})
        EXPECT_EQ(label->font().family(), "Arial");
    for (QLabel* picture : {page.Picture1, page.Picture2, page.Picture3})
        EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_EQ(page.Command1->text(), "Meter Readings");
    EXPECT_EQ(page.Command2->text(), "Reports");
}

TEST_F(ShellPagesTest, WelcomeButtonsAndPicturesLeadOn) {
    const struct {
        const char* what;
        std::function<QWidget*()> control;
        platform::Form* next;
    } cases[] = {
        {"Command1", [] { return frmIndex::instance().Command1; }, &frmMeterRead::instance()},
        {"Picture1", [] { return frmIndex::instance().Picture1; }, &frmMeterRead::instance()},
        {"Command2", [] { return frmIndex::instance().Command2; }, &frmMenu::instance()},
        {"Picture3", [] { return frmIndex::instance().Picture3; }, &frmMenu::instance()},
    };
    for (const auto& c : cases) {
        main_->mnuIndex_Click();
        if (auto* button = qobject_cast<QPushButton*>(c.control()))
            button->click();
        else
            click(c.control());
        EXPECT_FALSE(frmIndex::instance().isLoaded()) << c.what;
        EXPECT_TRUE(c.next->isLoaded()) << c.what;
        EXPECT_EQ(main_->mdiArea->subWindowList().size(), 1) << c.what;
    }
}

TEST_F(ShellPagesTest, WelcomeDecorationPictureDoesNothing) {
    main_->mnuIndex_Click();
    QWidget* before = frmIndex::instance().window();
    click(frmIndex::instance().Picture2);
    EXPECT_EQ(frmIndex::instance().window(), before);
}

TEST_F(ShellPagesTest, ReportMenuLabelsDoNotReact) {
    frmMenu& menu = frmMenu::instance();
    menu.Show();
    EXPECT_EQ(menu.window()->windowTitle(), "View Reports");
    QWidget* before = menu.window();
    for (QLabel* label : {menu.Label1, menu.Label2, menu.Label3, menu.Label5})
        click(label);
    EXPECT_EQ(menu.window(), before);
    EXPECT_EQ(menu.Label5->text(), "Histogram");
}

TEST_F(ShellPagesTest, ReportMenuPicturesCloseThePage) {
    frmMenu& menu = frmMenu::instance();
    const QList<PictureBox* frmMenu::*> pictures = {&frmMenu::Picture1, &frmMenu::Picture2,
                                                    &frmMenu::Picture3, &frmMenu::Picture4};
    for (PictureBox* frmMenu::*picture : pictures) {
        menu.Show();
        ASSERT_FALSE((menu.*picture)->pixmap().isNull());
        click(menu.*picture);
        EXPECT_FALSE(menu.isLoaded());
    }
}

TEST_F(ShellPagesTest, ReportMenuWithUnknownUnitLeavesNoPage) {
    Module1::state().GluUnit = 0;
    frmMenu& menu = frmMenu::instance();
    for (auto handler : {&frmMenu::Picture1_Click, &frmMenu::Picture3_Click}) {
        menu.Show();
        (menu.*handler)();
        EXPECT_FALSE(menu.isLoaded());
        EXPECT_EQ(main_->activeChildPage(), nullptr);
    }
}

TEST_F(ShellPagesTest, SplashProgressStopsAtOneHundred) {
    frmSplash& splash = frmSplash::instance();
    splash.Show();
    EXPECT_EQ(splash.ProgressBar1->value(), 0);
    EXPECT_TRUE(splash.Timer1->isActive());
    EXPECT_EQ(splash.Timer1->interval(), 100);
    for (int tick = 1; tick <= 15; ++tick) {
        splash.Timer1_Timer();
        EXPECT_EQ(splash.ProgressBar1->value(), qMin(100, tick * 10));
    }
    splash.Unload();
    splash.Show();  // a new load starts from 0 again
    EXPECT_EQ(splash.ProgressBar1->value(), 0);
}

TEST_F(ShellPagesTest, AboutBoxIsModalAndOkReturnsToTheSamePage) {
    main_->mnuIndex_Click();
    QWidget* page = frmIndex::instance().window();
    bool wasModal = false;
    QString title;
    const test_wait::WhenReady pressOk(aboutBoxShown, [&] {
        frmAbout& about = frmAbout::instance();
        wasModal = about.window()->isModal();
        title = about.lblTitle->text();
        about.cmdOK_Click();
    }, "the about box");
    main_->mnuAbout_Click();  // returns once the box is closed
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(title, "Ambrel Management Software" + QString(25, ' ') + "Vision  1.2");
    EXPECT_FALSE(frmAbout::instance().isLoaded());
    EXPECT_EQ(frmIndex::instance().window(), page);
}

TEST_F(ShellPagesTest, AboutBoxClosedFromTitleBarAlsoReturns) {
    const test_wait::WhenReady close(aboutBoxShown, [] { frmAbout::instance().window()->close(); },
                                     "the about box");
    main_->mnuAbout_Click();
    EXPECT_FALSE(frmAbout::instance().isLoaded());
}

// The about box and the printer dialog wait inside the command that opened
// them. A page closed meanwhile (by a command a timer runs) keeps its widgets
// while the window is up, and loses them once it is closed.
TEST_F(ShellPagesTest, PageClosedWhileAModalWindowWaitsGoesOnlyAfterIt) {
    const struct {
        const char* how;
        void (frmMain::*open)();
        std::function<bool()> close;
    } modals[] = {
        {"about box", &frmMain::mnuAbout_Click, pressAboutOk},
        {"printer dialog", &frmMain::mnuPSetup_Click, cancelPrinterDialog},
    };
    platform::setPrintDialogHook({});  // the real dialog and its own loop
    platform::setPrinterOutputFile(dir_.filePath("page.pdf"));  // never a real printer
    for (const auto& modal : modals) {
        SCOPED_TRACE(modal.how);
        main_->mnuIndex_Click();
        const QPointer<QWidget> page = frmIndex::instance().window();
        bool keptWhileUp = false, closed = false;
        QElapsedTimer sincePageClosed;
        QTimer::singleShot(50, [&] {
            main_->mnuReport2_Click();
            sincePageClosed.start();
        });
        // Closed only later, so the window's own loop runs on after the page went.
        const test_wait::WhenReady closeLater(
            [&] { return sincePageClosed.isValid() && sincePageClosed.elapsed() >= 200; },
            [&] { keptWhileUp = !page.isNull(), closed = modal.close(); }, modal.how);
        (main_.get()->*modal.open)();
        EXPECT_TRUE(closed);
        EXPECT_TRUE(keptWhileUp);
        EXPECT_TRUE(frmR04::instance().isLoaded());
        EXPECT_TRUE(QTest::qWaitFor([&] { return page.isNull(); }, 2000));
    }
}

TEST_F(ShellPagesTest, StatusBarKeepsDateAndTimeUpToDate) {
    QDateTime now(QDate(2024, 3, 5), QTime(10, 20));
    platform::setClock([&] { return now; });
    StatusPanels bar;
    const QLocale locale = QLocale::system();
    EXPECT_EQ(bar.Panel1->text(), "Ambrel Management Software");
    EXPECT_EQ(bar.Panel1->toolTip(), "Ambrel Management Software");
    EXPECT_EQ(bar.Panel2->text(), locale.toString(now.date(), QLocale::ShortFormat));
    now = QDateTime(QDate(2024, 3, 6), QTime(0, 1));
    const QString date = locale.toString(now.date(), QLocale::ShortFormat);
    const QString time = locale.toString(now.time(), QLocale::ShortFormat);
    const auto shown = [&] { return bar.Panel2->text() == date && bar.Panel3->text() == time; };
    EXPECT_TRUE(test_wait::until(shown))
        << bar.Panel2->text().toStdString() << " " << bar.Panel3->text().toStdString();
}

TEST_F(ShellPagesTest, ProgramEndsWhenItsLastWindowHides) {
    int ends = 0;
    LastWindowWatch watch([&] { ++ends; });
    QWidget first, second;
    first.show();
    pump();
    // One window closes while the next opens in the same handler.
    first.hide();
    second.show();
    pump();
    EXPECT_EQ(ends, 0);
    second.hide();
    pump();
    EXPECT_EQ(ends, 1);
}
