// What a screen reader calls each input box: the text of its label.
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>

#include "accounts/frmLogin.h"
#include "accounts/frmLoginAdd.h"
#include "accounts/frmSet.h"
#include "tests/support/GuiTest.h"

using AccessibleNamesTest = GuiTest;

TEST_F(AccessibleNamesTest, EveryBoxIsNamedByItsLabel) {
    frmLogin& in = frmLogin::instance();
    frmLoginAdd& add = frmLoginAdd::instance();
    frmSet& set = frmSet::instance();
    const QList<platform::Form*> forms{&in, &add, &set};
    for (platform::Form* f : forms)
        f->Load();
    const QList<QWidget*> boxes{in.ComboName,   in.TextPasswd, add.TextName,  add.TextPasswd, add.TextCheck,
                                set.TextMax,    set.TextMin,   set.TextMaxp,  set.TextMinp};
    const QStringList names{"User ID :",   "Password :",   "User ID :",      "Password :", "Checking Password :",
                            "Uper limit:", "Lower limit:", "PC Uper limit:", "PC Lower limit:"};
    for (int i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(boxes[i])->text(QAccessible::Name), names[i]);
    for (platform::Form* f : forms)
        f->Unload();
}
