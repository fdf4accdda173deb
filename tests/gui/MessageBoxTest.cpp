#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/Form.h"
#include "platform/MessageBox.h"
#include "tests/support/EventWait.h"
#include "tests/support/GuiTest.h"

namespace {
class frmUnder : public platform::Form {
protected:
    QWidget* CreateControls() override { return new QWidget; }
};

QMessageBox* openMessageBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    return nullptr;
}
}  // namespace

class MessageBoxTest : public GuiTest {};

TEST_F(MessageBoxTest, WindowUnloadedWhileItsMessageIsOpenLeavesTheBoxWorking) {
    platform::setRecordMessages(false);
    frmUnder form;
    form.Show();
    form.window()->activateWindow();
    QApplication::setActiveWindow(form.window());
    QString shownText;
    // While the box waits for OK, a timer unloads the window under it; then
    // the user presses OK.
    QTimer::singleShot(50, [&] { form.Unload(); });
    const test_wait::MessageBoxWatch pressOk(
        [&](QMessageBox& box) { shownText = box.text(), box.button(QMessageBox::Ok)->click(); },
        [&] { return !form.isLoaded(); });
    platform::MsgBox(QStringLiteral("Link Error !"));
    pump(100);
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(shownText, QStringLiteral("Link Error !"));  // still there for the user
    EXPECT_EQ(openMessageBox(), nullptr);
    platform::setRecordMessages(true);
}
