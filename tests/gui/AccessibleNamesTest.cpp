// What a screen reader calls the input boxes and the toolbar buttons.
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QToolBar>
#include <memory>

#include "accounts/frmLogin.h"
#include "accounts/frmLoginAdd.h"
#include "accounts/frmSet.h"
#include "shell/frmMain.h"
#include "tests/support/GuiTest.h"

namespace {

QString spokenName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QStringLiteral("<none>");
}

}  // namespace

class AccessibleNamesTest : public GuiTest {
protected:
    void TearDown() override {
        frmLogin::instance().Unload();
        frmLoginAdd::instance().Unload();
        frmSet::instance().Unload();
        GuiTest::TearDown();
    }
};

TEST_F(AccessibleNamesTest, EveryBoxIsNamedByItsLabel) {
    frmLogin& login = frmLogin::instance();
    frmLoginAdd& add = frmLoginAdd::instance();
    frmSet& set = frmSet::instance();
    login.Load();
    add.Load();
    set.Load();
    const struct {
        QWidget* box;
        const char* name;
    } boxes[] = {
        {login.ComboName, "User ID :"},      {login.TextPasswd, "Password :"},
        {add.TextName, "User ID :"},         {add.TextPasswd, "Password :"},
        {add.TextCheck, "Checking Password :"}, {set.TextMax, "Uper limit:"},
        {set.TextMin, "Lower limit:"},       {set.TextMaxp, "PC Uper limit:"},
        {set.TextMinp, "PC Lower limit:"},
    };
    for (const auto& b : boxes)
        EXPECT_EQ(spokenName(b.box), QString::fromUtf8(b.name)) << b.name;
}

TEST_F(AccessibleNamesTest, ToolbarButtonsAreNamedByTheirKeys) {
    frmMain main;
    main.Load();
    QStringList keys, names;
    for (QAction* a : main.tbToolBar->actions()) {
        if (a->isSeparator())
            continue;
        keys << a->data().toString();
        names << spokenName(main.tbToolBar->widgetForAction(a));
    }
    EXPECT_EQ(names, keys);
    EXPECT_EQ(names.size(), 9);
}
