// The main window: menus, toolbar, the one open page, printing and closing.
#include <QScreen>
#include <QCoreApplication>
#include <QFile>
#include <QMenuBar>
#include <QPointer>
#include <QPrintDialog>
#include <QScrollBar>
#include <QStyleOptionComplex>
#include <QTest>
#include <QPrinter>
#include <QRegularExpression>
#include <memory>

#include "accounts/frmSet.h"
#include "app/Module1.h"
#include "meter/frmMeterRead.h"
#include "platform/Printing.h"
#include "shell/ChildPages.h"
#include "shell/frmIndex.h"
#include "shell/frmMain.h"
#include "shell/frmMenu.h"
#include "tests/support/GuiTest.h"

namespace {

QStringList captionsOf(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        out << a->text();
    return out;
}

QAction* toolButton(frmMain& main, const QString& key) {
    for (QAction* a : main.tbToolBar->actions()) {
        if (!a->isSeparator() && a->data().toString() == key)
            return a;
    }
    return nullptr;
}

// Every control placed on the page, as one rectangle of `viewport`.
QRect controlsOn(QWidget* viewport, QWidget* page) {
    QRect extent;
    for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        extent |= control->geometry().translated(page->mapTo(viewport, QPoint(0, 0)));
    return extent;
}

// Clicks the middle of the three buttons at the right of the menu bar.
void clickRestoreInMenuBar(QMainWindow* window) {
    QWidget* buttons = window->menuBar()->cornerWidget(Qt::TopRightCorner);
    ASSERT_TRUE(buttons);
    QStyleOptionComplex option;
    option.initFrom(buttons);
    option.subControls =
        QStyle::SC_MdiMinButton | QStyle::SC_MdiNormalButton | QStyle::SC_MdiCloseButton;
    const QRect restore = buttons->style()->subControlRect(QStyle::CC_MdiControls, &option,
                                                           QStyle::SC_MdiNormalButton, buttons);
    QTest::mouseClick(buttons, Qt::LeftButton, Qt::NoModifier, restore.center());
}

const std::pair<const char*, void (frmMain::*)()> kLargePages[] = {
    {"line graph", &frmMain::mnuReport5_Click}, {"standard day", &frmMain::mnuReport2_Click},
    {"download", &frmMain::mnuMeterRead_Click}, {"data list", &frmMain::mnuReport1_Click}};

// What the printer dialog leaves in the printer when the user picks
// "Print to File (PDF)" with this file and confirms.
int choosePdfFile(QPrintDialog& dialog, const QString& path) {
    dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printer()->setOutputFileName(path);
    return QDialog::Accepted;
}

void expectPdfWithAPage(const QString& path) {
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << qPrintable(path);
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(QString::fromLatin1(bytes).contains(QRegularExpression("/Type\\s*/Page\\b")));
    EXPECT_GT(bytes.size(), 1000);
}

}  // namespace

class ShellMainWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        main_ = std::make_unique<frmMain>();
        main_->Load();
        Module1::state().GluUnit = 1;
    }
    void TearDown() override {
        ChildPages::setUnloadObserver({});
        platform::setPrintDialogHook({});
        main_->CloseChildForms();
        frmSet::instance().Unload();
        main_.reset();
        GuiTest::TearDown();
    }
    QString openPageCaption() const {
        QWidget* page = main_->activeChildPage();
        return page ? page->windowTitle() : QString();
    }
    // Prints into a fresh PDF file in the test folder; returns its path.
    QString printIntoFile() {
        const QString path = dir_.filePath(QStringLiteral("page.pdf"));
        platform::setPrinterOutputFile(path);
        return path;
    }
    QMainWindow* mainWindow() const { return static_cast<QMainWindow*>(main_->window()); }
    std::unique_ptr<frmMain> main_;
};

TEST_F(ShellMainWindowTest, MenusCarryTheirCaptionsInDesignOrder) {
    EXPECT_EQ(main_->window()->windowTitle(), "Ambrel Management Software v1.2");
    auto* bar = static_cast<QMainWindow*>(main_->window())->menuBar();
    EXPECT_EQ(captionsOf(bar->actions()),
              QStringList({"Main(&M)", "Meter(&M)", "Report(&R)", "Print(&P)", "Help(&H)"}));
    EXPECT_EQ(captionsOf(main_->mnuMain->actions()),
              QStringList({"Index(&I)", "Setup(&S)...", "Logout(&O)...", "Exit(&E)"}));
    EXPECT_EQ(captionsOf(main_->mnuMeter->actions()),
              QStringList({"Download Meter Readings(&D)", "Meter Control(&C)..."}));
    EXPECT_EQ(captionsOf(main_->mnuReport->actions()),
              QStringList({"Data List(&L)", "Standard Day(&D)", "Line Graph(&G)",
                           "PC Line Graph(&P)", "Line Graph(&G)", "Histogram(&H)"}));
    EXPECT_EQ(captionsOf(main_->mnuPrint->actions()),
              QStringList({"Print Setting(&S)...", "Print Report(&R)"}));
    EXPECT_EQ(captionsOf(main_->mnuHelp->actions()), QStringList({"Our Web(&W)", "About(&A)"}));
}

TEST_F(ShellMainWindowTest, SwitchedOffItemsCannotBeUsed) {
    const QList<QAction*> off = {main_->mnuLogout, main_->mnuMeterControl, main_->mnuReport6,
                                 main_->mnuReport3, toolButton(*main_, "Meter Control")};
    main_->mnuIndex_Click();
    QWidget* before = frmIndex::instance().window();
    for (QAction* item : off) {
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
        item->trigger();
    }
    EXPECT_EQ(frmIndex::instance().window(), before);
    for (QAction* item : {main_->mnuIndex, main_->mnuSetup, main_->mnuExit, main_->mnuReport5,
                          main_->mnuPSetup, main_->mnuWeb})
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
}

TEST_F(ShellMainWindowTest, ToolbarKeysInOrderWithTooltipsAndIconsOnly) {
    QStringList keys;
    QList<int> separators;
    const QList<QAction*> actions = main_->tbToolBar->actions();
    for (int i = 0; i < actions.size(); ++i) {
        QAction* a = actions[i];
        if (a->isSeparator()) {
            separators << i + 1;
            continue;
        }
        keys << a->data().toString();
        EXPECT_EQ(a->toolTip(), a->data().toString());
        EXPECT_EQ(main_->tbToolBar->widgetForAction(a)->accessibleName(), a->data().toString());
        EXPECT_TRUE(a->text().isEmpty());
        EXPECT_FALSE(a->icon().isNull());
    }
    EXPECT_EQ(keys, QStringList({"Index", "Setup", "Download Meter Readings", "Meter Control",
                                 "Data List", "Standard Day", "Line Graph", "Histogram",
                                 "Print Report"}));
    EXPECT_EQ(separators, QList<int>({3, 6, 11}));
}

TEST_F(ShellMainWindowTest, MainWindowStaysHiddenUntilAPageIsShown) {
    EXPECT_FALSE(main_->window()->isVisible());
    main_->mnuIndex_Click();
    EXPECT_TRUE(main_->window()->isVisible());
    EXPECT_EQ(openPageCaption(), "Welcome!");
}

TEST_F(ShellMainWindowTest, CloseChildFormsUnloadsOpenPagesInFixedOrder) {
    // Open three pages at once, bypassing the commands, to see the order.
    frmIndex::instance().Show();
    frmMenu::instance().Show();
    frmMeterRead::instance().Show();
    QStringList unloaded;
    ChildPages::setUnloadObserver([&](const QString& name) { unloaded << name; });
    main_->CloseChildForms();
    EXPECT_EQ(unloaded, QStringList({"frmMeterRead", "frmMenu", "frmIndex"}));
    EXPECT_FALSE(frmIndex::instance().isLoaded());
    EXPECT_FALSE(frmMenu::instance().isLoaded());
    EXPECT_FALSE(frmMeterRead::instance().isLoaded());
    EXPECT_EQ(main_->activeChildPage(), nullptr);

    unloaded.clear();
    main_->CloseChildForms();  // nothing open: nothing to unload
    EXPECT_TRUE(unloaded.isEmpty());
}

TEST_F(ShellMainWindowTest, ReportMenuPageClosesInTheSameOrder) {
    frmIndex::instance().Show();
    frmMeterRead::instance().Show();
    frmMenu::instance().Show();
    QStringList unloaded;
    ChildPages::setUnloadObserver([&](const QString& name) { unloaded << name; });
    frmMenu::instance().CloseChildForms();
    EXPECT_EQ(unloaded, QStringList({"frmMeterRead", "frmMenu", "frmIndex"}));
}

TEST_F(ShellMainWindowTest, ChoosingTheOpenPageAgainReloadsIt) {
    main_->mnuIndex_Click();
    QPointer<QWidget> first = frmIndex::instance().window();
    main_->mnuIndex_Click();
    ASSERT_TRUE(frmIndex::instance().isLoaded());
    EXPECT_NE(frmIndex::instance().window(), first.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(main_->mdiArea->subWindowList().size(), 1);
}

TEST_F(ShellMainWindowTest, EachCommandLeavesOnlyItsPageOpen) {
    main_->mnuMeterRead_Click();
    EXPECT_TRUE(frmMeterRead::instance().isLoaded());
    main_->mnuIndex_Click();
    EXPECT_FALSE(frmMeterRead::instance().isLoaded());
    EXPECT_TRUE(frmIndex::instance().isLoaded());
    EXPECT_EQ(main_->mdiArea->subWindowList().size(), 1);
}

TEST_F(ShellMainWindowTest, SetupKeepsWelcomePageAndShowsSettingsBeside) {
    main_->mnuMeterRead_Click();
    main_->mnuSetup_Click();
    EXPECT_FALSE(frmMeterRead::instance().isLoaded());
    EXPECT_EQ(openPageCaption(), "Welcome!");
    ASSERT_TRUE(frmSet::instance().isLoaded());
    EXPECT_TRUE(frmSet::instance().window()->isWindow());
    EXPECT_TRUE(frmSet::instance().window()->isVisible());
    // Beside the main window, not over its left part where the page is.
    const QRect screen = main_->window()->screen()->availableGeometry();
    const QRect settings = frmSet::instance().window()->frameGeometry();
    EXPECT_TRUE(settings.left() > main_->window()->frameGeometry().right() ||
                settings.right() == screen.right())
        << settings.left() << " " << settings.right();
}

TEST_F(ShellMainWindowTest, UnknownUnitLeavesNoPageOpen) {
    for (qint16 unit : {0, 3, -1}) {
        Module1::state().GluUnit = unit;
        main_->mnuIndex_Click();
        main_->mnuReport1_Click();
        EXPECT_EQ(main_->activeChildPage(), nullptr) << unit;
        main_->mnuIndex_Click();
        main_->mnuReport5_Click();
        EXPECT_EQ(main_->activeChildPage(), nullptr) << unit;
        EXPECT_FALSE(frmIndex::instance().isLoaded());
    }
}

TEST_F(ShellMainWindowTest, ToolbarButtonsRunTheirMenuCommands) {
    const struct {
        const char* key;
        void (frmMain::*menu)();
    } cases[] = {
        {"Index", &frmMain::mnuIndex_Click},
        {"Setup", &frmMain::mnuSetup_Click},
        {"Download Meter Readings", &frmMain::mnuMeterRead_Click},
        {"Data List", &frmMain::mnuReport1_Click},
        {"Standard Day", &frmMain::mnuReport2_Click},
        {"Line Graph", &frmMain::mnuReport5_Click},
        {"Histogram", &frmMain::mnuReport4_Click},
    };
    for (qint16 unit : {1, 2}) {
        Module1::state().GluUnit = unit;
        for (const auto& c : cases) {
            main_->mnuMeterRead_Click();
            (main_.get()->*c.menu)();
            const QString byMenu = openPageCaption();
            main_->mnuMeterRead_Click();
            main_->tbToolBar_ButtonClick(toolButton(*main_, c.key));
            EXPECT_EQ(openPageCaption(), byMenu) << c.key << " unit " << unit;
            if (QLatin1String(c.key) != QLatin1String("Download Meter Readings")) {
                EXPECT_FALSE(frmMeterRead::instance().isLoaded()) << c.key;
            }
        }
    }
}

TEST_F(ShellMainWindowTest, ToolbarKeysCompareExactlyAndUnknownKeysDoNothing) {
    main_->mnuIndex_Click();
    QWidget* before = frmIndex::instance().window();
    for (const char* key : {"index", "Index ", "Meter Control", "", "Back"}) {
        QAction button(QString::fromLatin1(key));
        button.setData(QString::fromLatin1(key));
        main_->tbToolBar_ButtonClick(&button);
        EXPECT_EQ(frmIndex::instance().window(), before) << key;
    }
    main_->tbToolBar_ButtonClick(nullptr);
    EXPECT_EQ(frmIndex::instance().window(), before);
}

TEST_F(ShellMainWindowTest, PrintReportWritesTheOpenPage) {
    const QString path = printIntoFile();
    main_->mnuIndex_Click();
    main_->mnuPrintR_Click();
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_GT(pdf.size(), 1000);
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(ShellMainWindowTest, PrintReportButtonPrintsLikeTheMenu) {
    const QString path = printIntoFile();
    main_->mnuIndex_Click();
    main_->tbToolBar_ButtonClick(toolButton(*main_, "Print Report"));
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(ShellMainWindowTest, PrintReportWithNoPageDoesNothing) {
    const QString path = printIntoFile();
    main_->mnuPrintR_Click();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ShellMainWindowTest, PrintSettingCancelledPrintsNothing) {
    const QString path = printIntoFile();
    QString dialogTitle;
    platform::setPrintDialogHook([&](QPrintDialog& dialog) {
        dialogTitle = dialog.windowTitle();
        return int(QDialog::Rejected);
    });
    main_->mnuIndex_Click();
    main_->mnuPSetup_Click();
    EXPECT_EQ(dialogTitle, QString::fromUtf8("畫面設定"));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(frmIndex::instance().isLoaded());
}

TEST_F(ShellMainWindowTest, PrintSettingConfirmedPrintsTheOpenPage) {
    const QString path = printIntoFile();
    platform::setPrintDialogHook([](QPrintDialog&) { return int(QDialog::Accepted); });
    main_->mnuIndex_Click();
    main_->mnuPSetup_Click();
    EXPECT_TRUE(QFile::exists(path));
}

// A print that could not be made ends silently and leaves the printer
// ready: "Print Setting(&S)..." into a PDF file then writes the page.
TEST_F(ShellMainWindowTest, PrintSettingIntoAFileWorksAfterAFailedPrint) {
    const struct {
        const char* how;
        QString destination;
    } unusable[] = {
        {"no printer and no file chosen", QString()},
        {"a file in a folder that does not exist", dir_.filePath("missing/page.pdf")},
    };
    main_->mnuIndex_Click();
    int round = 0;
    for (const auto& printer : unusable) {
        SCOPED_TRACE(printer.how);
        platform::setPrinterOutputFile(printer.destination);
        main_->mnuPrintR_Click();
        EXPECT_TRUE(messages().isEmpty());
        const QString path = dir_.filePath(QStringLiteral("after-failure-%1.pdf").arg(++round));
        platform::setPrintDialogHook([&](QPrintDialog& dialog) { return choosePdfFile(dialog, path); });
        main_->mnuPSetup_Click();
        expectPdfWithAPage(path);
    }
}

TEST_F(ShellMainWindowTest, ExitEndsTheProgramAtOnce) {
    main_->mnuIndex_Click();
    main_->mnuExit_Click();
    EXPECT_EQ(endProgramCalls_, 1);
}

TEST_F(ShellMainWindowTest, TitleBarCloseClosesThePageThenTheWindow) {
    main_->mnuIndex_Click();
    main_->window()->close();
    EXPECT_FALSE(frmIndex::instance().isLoaded());
    EXPECT_FALSE(main_->isLoaded());
    EXPECT_EQ(endProgramCalls_, 0);
}

TEST_F(ShellMainWindowTest, RestoredPageShowsAllItsControls) {
    QWidget* viewport = main_->mdiArea->viewport();
    for (const auto& [what, command] : kLargePages) {
        (main_.get()->*command)();
        clickRestoreInMenuBar(mainWindow());
        QWidget* page = main_->activeChildPage();
        ASSERT_FALSE(page->parentWidget()->isMaximized()) << what;
        const QRect shown(page->mapTo(viewport, QPoint(0, 0)), page->size());
        EXPECT_TRUE(shown.contains(controlsOn(viewport, page))) << what;
        EXPECT_TRUE(viewport->rect().contains(shown)) << what;
    }
}

TEST_F(ShellMainWindowTest, SmallMainWindowScrollsToTheRestOfThePage) {
    const QSize normal = mainWindow()->size();
    QScrollBar* across = main_->mdiArea->horizontalScrollBar();
    QScrollBar* down = main_->mdiArea->verticalScrollBar();
    QWidget* viewport = main_->mdiArea->viewport();
    auto expectAsAtNormalSize = [&](QWidget* page, const char* what) {
        EXPECT_FALSE(across->isVisible() || down->isVisible()) << what;
        EXPECT_EQ(page->parentWidget()->geometry(), viewport->rect()) << what;
    };
    for (const auto& [what, command] : kLargePages) {
        (main_.get()->*command)();
        pump();
        QWidget* page = main_->activeChildPage();
        expectAsAtNormalSize(page, what);

        mainWindow()->resize(500, 350);  // the status bar keeps it a little wider
        pump();
        ASSERT_FALSE(viewport->rect().contains(controlsOn(viewport, page))) << what;
        ASSERT_TRUE(across->isVisible() && down->isVisible()) << what;
        across->setValue(across->maximum());
        down->setValue(down->maximum());
        EXPECT_TRUE(viewport->rect().contains(controlsOn(viewport, page).bottomRight())) << what;

        mainWindow()->resize(normal);
        pump();
        expectAsAtNormalSize(page, what);
    }
}
