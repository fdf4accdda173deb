#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/Form.h"
#include "tests/support/GuiTest.h"

namespace {
// A window with one label and one timer, counting its loads.
class frmProbe : public platform::Form {
public:
    int loads = 0, unloads = 0;
    int remembered = 0;  // a member of the object: survives unloading
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    QWidget* CreateControls() override {
        auto* w = new QWidget;
        Label1 = new QLabel("design", w);
        Timer1 = new QTimer(w);
        return w;
    }
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
};
}  // namespace

class FormLifecycleTest : public GuiTest {};

TEST_F(FormLifecycleTest, EachLoadBuildsFreshControlsAndKeepsMembers) {
    frmProbe form;
    form.Show();
    ASSERT_TRUE(form.isLoaded());
    form.Label1->setText("changed");
    form.remembered = 7;
    form.Timer1->start(10);
    form.Unload();
    EXPECT_FALSE(form.isLoaded());
    form.Unload();  // unloading an unloaded window does nothing
    EXPECT_EQ(form.unloads, 1);
    form.Show();
    EXPECT_EQ(form.Label1->text(), "design");
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.remembered, 7);
    EXPECT_EQ(form.loads, 2);
    form.Show();  // showing a loaded window does not load it again
    EXPECT_EQ(form.loads, 2);
}

TEST_F(FormLifecycleTest, TitleBarCloseUnloadsByDefault) {
    frmProbe form;
    form.Show();
    form.window()->close();
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(form.unloads, 1);
}
