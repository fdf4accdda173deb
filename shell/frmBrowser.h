#pragma once
// The browser window: a web page inside the program, with a toolbar and a
// busy indicator in its caption. Each opening is a new object, deleted
// when its window is closed.
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QToolBar>

#include "platform/Form.h"
#include "platform/WebBrowser.h"

class frmBrowser : public platform::Form {
    Q_OBJECT
public:
    QString StartingAddress;  // opened at load; empty opens no page

    QToolBar* tbToolBar = nullptr;
    platform::WebBrowser* brwWebBrowser = nullptr;
    QWidget* picAddress = nullptr;
    QLabel* lblAddress = nullptr;
    QComboBox* cboAddress = nullptr;
    QTimer* timTimer = nullptr;

    void Form_Load() override;
    void brwWebBrowser_DownloadComplete();
    void Form_Resize();
    void timTimer_Timer();
    void tbToolBar_ButtonClick(QAction* Button);

protected:
    QWidget* CreateControls() override;
    void TitleBarClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createToolBar(QWidget* w);
    void createAddressBar(QWidget* w);
    void showTitle();
};
