#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/Form.h"
#include "platform/MessageBox.h"
#include "tests/support/EventWait.h"
#include "tests/support/GuiTest.h"

namespace {
// Its button reports a failure in a box and, once the box is closed, goes
// on with its own controls, as a page's handler does.
class frmUnder : public platform::Form {
public:
    QPushButton* Command1 = nullptr;
    void Command1_Click() {
        platform::MsgBox(QStringLiteral("Link Error !"));
        Command1->setEnabled(false);
    }

protected:
    QWidget* CreateControls() override {
        auto* w = new QWidget;
        Command1 = new QPushButton(w);
        connect(Command1, &QPushButton::clicked, this, &frmUnder::Command1_Click);
        return w;
    }
};
}  // namespace

class MessageBoxTest : public GuiTest {};

TEST_F(MessageBoxTest, WindowUnloadedWhileItsMessageIsOpenLeavesTheBoxWorking) {
    platform::setRecordMessages(false);
    frmUnder form;
    form.Show();
    form.window()->activateWindow();
    QApplication::setActiveWindow(form.window());
    const QPointer<QWidget> controls = form.window();
    QString shownText;
    bool controlsKeptWhileBoxOpen = false;
    // While the box waits for OK, a timer unloads the window under it; the
    // user presses OK later, after the box's loop has run on.
    QElapsedTimer sinceUnload;
    QTimer::singleShot(50, [&] {
        form.Unload();
        sinceUnload.start();
    });
    const test_wait::MessageBoxWatch pressOk(
        [&](QMessageBox& box) {
            controlsKeptWhileBoxOpen = !controls.isNull();
            shownText = box.text();
            box.button(QMessageBox::Ok)->click();
        },
        [&] { return sinceUnload.isValid() && sinceUnload.elapsed() >= 250; });
    form.Command1->click();
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(shownText, QStringLiteral("Link Error !"));  // still there for the user
    EXPECT_EQ(test_wait::shownMessageBox(), nullptr);
    EXPECT_TRUE(controlsKeptWhileBoxOpen);
    EXPECT_TRUE(QTest::qWaitFor([&] { return controls.isNull(); }, 2000));
    platform::setRecordMessages(true);
}
