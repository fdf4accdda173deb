#include "app/Main.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QUrl>
#include <memory>

#include "accounts/frmLogin.h"
#include "app/Module1.h"
#include "app/StartupTrace.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/Program.h"
#include "platform/WebBrowser.h"
#include "platform/core/DataFolder.h"
#include "platform/core/DataFolderUpkeep.h"
#include "platform/core/FolderLock.h"
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

// Takes the data folder for this program for the rest of the run; false when
// another running program has it. A folder that refuses the lock file is
// used all the same: its writes then report their own failures.
bool claimDataFolder(const QString& folder) {
    static std::unique_ptr<platform::FolderLock> held;
    if (held && held->folder() == folder)
        return true;
    auto lock = std::make_unique<platform::FolderLock>(folder);
    if (lock->outcome() == platform::FolderLock::Outcome::HeldElsewhere)
        return false;
    held = std::move(lock);
    return true;
}

}  // namespace

QString alreadyRunningMessage(const QString& folder) {
    return QStringLiteral("Ambrel Management Software is already running !! Only one copy of the "
                          "program can use the data folder [") +
           QDir::toNativeSeparators(folder) + QStringLiteral("] at a time.");
}

frmMain* MainForm() {
    return mainFormSlot();
}

void Main() {
    // Every window, message boxes included, carries the product picture.
    QApplication::setWindowIcon(platform::productIcon());
    const QString folder = platform::dataFolder();
    if (!claimDataFolder(folder)) {
        platform::MsgBox(alreadyRunningMessage(folder));
        platform::EndProgram();
        return;
    }
    endWithLastWindow();
    platform::WebBrowser::setHomePage(QUrl(productWebAddress()));
    frmSplash::instance().Show();
    frmSplash::instance().window()->repaint();
    traceStartup("splash shown");
    // Only now that no other program can be writing in the folder, and
    // before anything is written to it.
    platform::removeLeftoverTemporaries(folder);
    platform::restrictToOwner(folder);
    mainFormSlot() = new frmMain;
    mainFormSlot()->Load();
    Module1::WaitSeconds(1);
    frmSplash::instance().Unload();
    frmLogin::instance().Show();
    traceStartup("sign-in shown");
}
