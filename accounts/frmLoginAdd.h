#pragma once
// "Add New User": takes an ID and a password typed twice, checks them and
// appends the new user to the register with the default settings.
#include "platform/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;
enum class NewUserVerdict;

class frmLoginAdd : public platform::Form {
    Q_OBJECT
public:
    static frmLoginAdd& instance();

    QLabel* LabelName = nullptr;
    QLineEdit* TextName = nullptr;
    QLabel* LabelPasswd = nullptr;
    QLineEdit* TextPasswd = nullptr;
    QLabel* LabelCheck = nullptr;
    QLineEdit* TextCheck = nullptr;
    QPushButton* CommandAddOk = nullptr;
    QPushButton* CommandCancel = nullptr;

    void CommandAddOk_Click();
    void CommandCancel_Click();

protected:
    QWidget* CreateControls() override;
    void Form_Load() override;
    // Closing from the title bar ends the program as the sign-in window's
    // "Cancel" does: no window would be left on screen otherwise.
    void TitleBarClose() override;

private:
    void refuse(NewUserVerdict verdict);
    void backToSignIn();
};
