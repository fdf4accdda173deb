#include "app/Main.h"

#include <QApplication>
#include <QPointer>
#include <QUrl>

#include "accounts/frmLogin.h"
#include "app/Module1.h"
#include "app/StartupTrace.h"
#include "platform/WebBrowser.h"
#include "shell/LastWindowWatch.h"
#include "shell/ProductWeb.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

namespace {

QPointer<frmMain>& mainFormSlot() {
    static QPointer<frmMain> form;
    return form;
}

// The program ends when no window is left on screen, also when the last
// one was only hidden (the main window stays loaded behind the sign-in).
void endWithLastWindow() {
    static LastWindowWatch* watch = new LastWindowWatch([] {
        if (QGuiApplication::quitOnLastWindowClosed())
            QCoreApplication::quit();
    });
    Q_UNUSED(watch);
}

}  // namespace

frmMain* MainForm() {
    return mainFormSlot();
}

void Main() {
    endWithLastWindow();
    platform::WebBrowser::setHomePage(QUrl(productWebAddress()));
    frmSplash::instance().Show();
    frmSplash::instance().window()->repaint();
    traceStartup("splash shown");
    mainFormSlot() = new frmMain;
    mainFormSlot()->Load();
    Module1::WaitSeconds(1);
    frmSplash::instance().Unload();
    frmLogin::instance().Show();
    traceStartup("sign-in shown");
}
