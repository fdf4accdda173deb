#pragma once
// The main window: menus, toolbar and status bar around the area where the
// eleven child pages open, one at a time and maximised.
#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>

#include "platform/Form.h"
#include "shell/StatusPanels.h"

class frmMain : public platform::Form, public platform::ChildPageHost {
    Q_OBJECT
public:
    frmMain() = default;
    ~frmMain() override;

    QMenu* mnuMain = nullptr;
    QAction* mnuIndex = nullptr;
    QAction* mnuSetup = nullptr;
    QAction* mnuLogout = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuMeter = nullptr;
    QAction* mnuMeterRead = nullptr;
    QAction* mnuMeterControl = nullptr;
    QMenu* mnuReport = nullptr;
    QAction* mnuReport1 = nullptr;
    QAction* mnuReport2 = nullptr;
    QAction* mnuReport5 = nullptr;
    QAction* mnuReport6 = nullptr;
    QAction* mnuReport3 = nullptr;
    QAction* mnuReport4 = nullptr;
    QMenu* mnuPrint = nullptr;
    QAction* mnuPSetup = nullptr;
    QAction* mnuPrintR = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuWeb = nullptr;
    QAction* mnuAbout = nullptr;
    QToolBar* tbToolBar = nullptr;
    StatusPanels* sbStatusBar = nullptr;
    QMdiArea* mdiArea = nullptr;

    void mnuAbout_Click();
    void mnuExit_Click();
    void CloseChildForms();
    void mnuIndex_Click();
    void mnuMeterRead_Click();
    void mnuReport1_Click();
    void mnuReport2_Click();
    void mnuReport3_Click();
    void mnuReport5_Click();
    void mnuReport4_Click();
    void mnuReport6_Click();
    void ShowPCLineGraph();
    void mnuSetup_Click();
    void mnuPrintR_Click();
    void mnuPSetup_Click();
    void mnuWeb_Click();
    void tbToolBar_ButtonClick(QAction* Button);

    // The page open inside the main window, or nullptr.
    QWidget* activeChildPage() const;

    void showChildPage(QWidget* page) override;
    void removeChildPage(QWidget* page) override;

protected:
    QWidget* CreateControls() override;
    void Form_Load() override;
    void Form_Unload() override;
    void TitleBarClose() override;

private:
    using Handler = void (frmMain::*)();
    QAction* addItem(QMenu* menu, const char* caption, Handler handler);
    QAction* addSwitchedOffItem(QMenu* menu, const char* caption);
    void createMenus(QMainWindow* w);
    void createToolBar(QMainWindow* w);
    void printActivePage();
    void placeBesideMainWindow(QWidget* w) const;
    QMdiSubWindow* addPageWindow(QWidget* page);
};
