#pragma once
// "User Login": lists the users of the register, checks the password and
// hands the signed-in user over to the readings loader and the welcome page.
#include <QString>

#include "platform/Form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
enum class SignInVerdict;

class frmLogin : public platform::Form {
    Q_OBJECT
public:
    static frmLogin& instance();

    QLabel* picIcon = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* ComboName = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* TextPasswd = nullptr;
    QPushButton* CommandLoginIn = nullptr;
    QPushButton* CommandAddNew = nullptr;
    QPushButton* CommandCancel = nullptr;
    QTimer* Timerload = nullptr;

    QString LoginName;
    QString LoginPasswd;

    void Timerload_Timer();
    void ComboName_Click();
    void CommandLoginIn_Click();
    void CommandAddNew_Click();
    void CommandCancel_Click();
    void LoadRegister();

protected:
    QWidget* CreateControls() override;
    void Form_Load() override;
    // Closing from the title bar ends the program as "Cancel" does, so the
    // hidden main window is never left running alone.
    void TitleBarClose() override;

private:
    void fillUserList();
    void chooseEntry(const QString& id);
    void refuseSignIn(SignInVerdict verdict);
    void signIn();
};
