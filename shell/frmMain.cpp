#include "shell/frmMain.h"

#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>

#include "accounts/frmSet.h"
#include "platform/DesignExtent.h"
#include "platform/Pictures.h"
#include "platform/Printing.h"
#include "platform/core/NestedWait.h"
#include "platform/Program.h"
#include "platform/Twips.h"
#include "shell/ChildPages.h"
#include "shell/ProductWeb.h"
#include "shell/frmAbout.h"
#include "shell/frmBrowser.h"
#include "shell/frmIndex.h"

namespace {

const char* const kSeparator = nullptr;

struct ToolButton {
    const char* key;  // also the tooltip; nullptr for a separator
    platform::Picture icon;
};

const ToolButton kToolButtons[] = {
    {"Index", platform::Picture::Home},
    {"Setup", platform::Picture::Settings},
    {kSeparator, platform::Picture::Home},
    {"Download Meter Readings", platform::Picture::Download},
    {"Meter Control", platform::Picture::MeterControl},
    {kSeparator, platform::Picture::Home},
    {"Data List", platform::Picture::DataList},
    {"Standard Day", platform::Picture::StandardDay},
    {"Line Graph", platform::Picture::LineGraph},
    {"Histogram", platform::Picture::Histogram},
    {kSeparator, platform::Picture::Home},
    {"Print Report", platform::Picture::Printer},
};

}  // namespace

frmMain::~frmMain() {
    if (platform::childPageHost() == this)
        platform::setChildPageHost(nullptr);
}

QWidget* frmMain::CreateControls() {
    auto* w = new QMainWindow;
    w->setWindowTitle(QStringLiteral("Ambrel Management Software v1.2"));
    w->resize(platform::twipsToPixels(14400), platform::twipsToPixels(10200));
    createMenus(w);
    createToolBar(w);
    sbStatusBar = new StatusPanels(w);
    w->setStatusBar(sbStatusBar);
    mdiArea = new QMdiArea(w);
    // A main window made smaller than the open page scrolls to the rest.
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    w->setCentralWidget(mdiArea);
    return w;
}

QAction* frmMain::addItem(QMenu* menu, const char* caption, Handler handler) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    connect(item, &QAction::triggered, this, handler);
    return item;
}

QAction* frmMain::addSwitchedOffItem(QMenu* menu, const char* caption) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setEnabled(false);
    return item;
}

void frmMain::createMenus(QMainWindow* w) {
    QMenuBar* bar = w->menuBar();
    mnuMain = bar->addMenu(QStringLiteral("Main(&M)"));
    mnuIndex = addItem(mnuMain, "Index(&I)", &frmMain::mnuIndex_Click);
    mnuSetup = addItem(mnuMain, "Setup(&S)...", &frmMain::mnuSetup_Click);
    mnuLogout = addSwitchedOffItem(mnuMain, "Logout(&O)...");
    mnuExit = addItem(mnuMain, "Exit(&E)", &frmMain::mnuExit_Click);

    mnuMeter = bar->addMenu(QStringLiteral("Meter(&M)"));
    mnuMeterRead = addItem(mnuMeter, "Download Meter Readings(&D)", &frmMain::mnuMeterRead_Click);
    mnuMeterControl = addSwitchedOffItem(mnuMeter, "Meter Control(&C)...");

    mnuReport = bar->addMenu(QStringLiteral("Report(&R)"));
    mnuReport1 = addItem(mnuReport, "Data List(&L)", &frmMain::mnuReport1_Click);
    mnuReport2 = addItem(mnuReport, "Standard Day(&D)", &frmMain::mnuReport2_Click);
    mnuReport5 = addItem(mnuReport, "Line Graph(&G)", &frmMain::mnuReport5_Click);
    // The post-meal line graph is built but not offered to users yet.
    mnuReport6 = addSwitchedOffItem(mnuReport, "PC Line Graph(&P)");
    connect(mnuReport6, &QAction::triggered, this, &frmMain::mnuReport6_Click);
    mnuReport3 = addSwitchedOffItem(mnuReport, "Line Graph(&G)");
    mnuReport4 = addItem(mnuReport, "Histogram(&H)", &frmMain::mnuReport4_Click);

    mnuPrint = bar->addMenu(QStringLiteral("Print(&P)"));
    mnuPSetup = addItem(mnuPrint, "Print Setting(&S)...", &frmMain::mnuPSetup_Click);
    mnuPrintR = addItem(mnuPrint, "Print Report(&R)", &frmMain::mnuPrintR_Click);

    mnuHelp = bar->addMenu(QStringLiteral("Help(&H)"));
    mnuWeb = addItem(mnuHelp, "Our Web(&W)", &frmMain::mnuWeb_Click);
    mnuAbout = addItem(mnuHelp, "About(&A)", &frmMain::mnuAbout_Click);
}

void frmMain::createToolBar(QMainWindow* w) {
    tbToolBar = w->addToolBar(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setIconSize(QSize(24, 24));
    for (const ToolButton& b : kToolButtons) {
        if (b.key == kSeparator) {
            tbToolBar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        QAction* button = tbToolBar->addAction(platform::pictureIcon(b.icon), QString());
        button->setData(key);
        button->setToolTip(key);
        tbToolBar->widgetForAction(button)->setAccessibleName(key);  // the button shows an icon only
        // The meter cannot be controlled from the program: shown, never usable.
        button->setEnabled(key != QLatin1String("Meter Control"));
    }
    connect(tbToolBar, &QToolBar::actionTriggered, this, &frmMain::tbToolBar_ButtonClick);
}

void frmMain::Form_Load() {
    platform::setChildPageHost(this);
}

void frmMain::Form_Unload() {
    if (platform::childPageHost() == this)
        platform::setChildPageHost(nullptr);
}

// The window system's close command closes the open page, then the window.
void frmMain::TitleBarClose() {
    CloseChildForms();
    Unload();
}

void frmMain::mnuAbout_Click() {
    frmAbout::instance().ShowModal(window());
}

void frmMain::mnuExit_Click() {
    platform::EndProgram();
}

void frmMain::CloseChildForms() {
    ChildPages::CloseChildForms();
}

void frmMain::mnuIndex_Click() {
    CloseChildForms();
    frmIndex::instance().Show();
}

void frmMain::mnuMeterRead_Click() {
    CloseChildForms();
    ChildPages::Show("frmMeterRead");
}

void frmMain::mnuReport1_Click() {
    CloseChildForms();
    ChildPages::ShowByUnit(ChildPages::UnitReport::DataList);
}

void frmMain::mnuReport2_Click() {
    CloseChildForms();
    ChildPages::Show("frmR04");
}

// Run by the toolbar's "Line Graph" button; the same as the menu's item.
void frmMain::mnuReport3_Click() {
    mnuReport5_Click();
}

void frmMain::mnuReport5_Click() {
    CloseChildForms();
    ChildPages::ShowByUnit(ChildPages::UnitReport::LineGraph);
}

void frmMain::mnuReport4_Click() {
    CloseChildForms();
    ChildPages::Show("frmR05");
}

void frmMain::mnuReport6_Click() {
    CloseChildForms();
    ChildPages::ShowByUnit(ChildPages::UnitReport::PcLineGraph);
}

// Answers the toolbar key "Line Graph(PC)", which no button bears yet.
void frmMain::ShowPCLineGraph() {
    mnuReport6_Click();
}

void frmMain::mnuSetup_Click() {
    CloseChildForms();
    frmIndex::instance().Show();
    const bool alreadyOpen = frmSet::instance().isLoaded();
    frmSet::instance().Show();
    if (!alreadyOpen)
        placeBesideMainWindow(frmSet::instance().window());
}

// Right of the main window where the screen has room, else against the
// screen's right edge, so the welcome page stays in view beside it.
void frmMain::placeBesideMainWindow(QWidget* w) const {
    if (!w || !isLoaded())
        return;
    const QRect main = window()->frameGeometry();
    const QScreen* screen = window()->screen();
    const QRect room = screen ? screen->availableGeometry() : main;
    const int width = w->frameGeometry().width();
    const int left = std::max(room.left(), std::min(main.right() + 1, room.right() + 1 - width));
    w->move(left, std::max(room.top(), main.top()));
}

void frmMain::mnuPrintR_Click() {
    printActivePage();
}

// A cancelled printer dialog cancels the printing too.
void frmMain::mnuPSetup_Click() {
    if (platform::ShowPrinterDialog(QStringLiteral("畫面設定")))
        printActivePage();
}

// With no page open there is nothing to print; a printer that cannot print
// ends the command silently.
void frmMain::printActivePage() {
    if (QWidget* page = activeChildPage())
        platform::PrintForm(page, platform::currentPrinter());
}

void frmMain::mnuWeb_Click() {
    auto* browser = new frmBrowser;
    browser->StartingAddress = productWebAddress();
    browser->Show();
}

void frmMain::tbToolBar_ButtonClick(QAction* Button) {
    static const struct {
        const char* key;
        Handler command;
    } kCommands[] = {
        {"Index", &frmMain::mnuIndex_Click},
        {"Setup", &frmMain::mnuSetup_Click},
        {"Download Meter Readings", &frmMain::mnuMeterRead_Click},
        {"Data List", &frmMain::mnuReport1_Click},
        {"Standard Day", &frmMain::mnuReport2_Click},
        {"Line Graph", &frmMain::mnuReport3_Click},
        {"Histogram", &frmMain::mnuReport4_Click},
        {"Line Graph(PC)", &frmMain::ShowPCLineGraph},
        {"Print Report", &frmMain::mnuPrintR_Click},
    };
    if (!Button)
        return;
    const QString key = Button->data().toString();
    for (const auto& c : kCommands) {
        if (key != QLatin1String(c.key))
            continue;
        try {
            (this->*c.command)();
        } catch (...) {
            // The toolbar goes on whatever the shown page's load ran into.
        }
        return;
    }
}

QWidget* frmMain::activeChildPage() const {
    if (!mdiArea)
        return nullptr;
    QMdiSubWindow* sub = mdiArea->currentSubWindow();
    if (!sub && !mdiArea->subWindowList().isEmpty())
        sub = mdiArea->subWindowList().last();
    return sub ? sub->widget() : nullptr;
}

void frmMain::showChildPage(QWidget* page) {
    Load();
    QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(page->parentWidget());
    if (!sub || sub->mdiArea() != mdiArea)
        sub = addPageWindow(page);
    sub->showMaximized();
    mdiArea->setActiveSubWindow(sub);
    window()->show();
    window()->raise();
}

// A page never gets less room than its design: restored, its window opens
// at that size; maximised in a smaller area, the area scrolls to the rest.
QMdiSubWindow* frmMain::addPageWindow(QWidget* page) {
    page->setMinimumSize(platform::designExtent(page));
    QMdiSubWindow* sub = mdiArea->addSubWindow(page);
    sub->resize(sub->minimumSizeHint());
    return sub;
}

void frmMain::removeChildPage(QWidget* page) {
    auto* sub = qobject_cast<QMdiSubWindow*>(page->parentWidget());
    if (!mdiArea || !sub || sub->mdiArea() != mdiArea)
        return;
    sub->hide();
    mdiArea->removeSubWindow(sub);
    platform::deleteWhenNoWaitRuns(sub);
}
