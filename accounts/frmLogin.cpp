#include "accounts/frmLogin.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "accounts/RegisterFile.h"
#include "accounts/SettingsRows.h"
#include "accounts/SignIn.h"
#include "accounts/WriteFailure.h"
#include "accounts/frmLoginAdd.h"
#include "app/Module1.h"
#include "meter/ReadingsFile.h"
#include "meter/frmReadOldData.h"
#include "platform/EnterKey.h"
#include "platform/MessageBox.h"
#include "platform/Program.h"
#include "platform/Twips.h"
#include "shell/frmIndex.h"

using platform::placeTwips;
using platform::twipsToPixels;

frmLogin& frmLogin::instance() {
    static frmLogin* form = new frmLogin;
    return *form;
}

QWidget* frmLogin::CreateControls() {
    auto* w = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowCloseButtonHint);
    w->setWindowTitle(QStringLiteral("User Login"));
    w->setFixedSize(twipsToPixels(5640), twipsToPixels(2760));

    picIcon = new QLabel(w);
    picIcon->setPixmap(w->style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
    placeTwips(picIcon, 240, 300, 600, 600);

    Label1 = new QLabel(QStringLiteral("User ID :"), w);
    placeTwips(Label1, 1080, 330, 1320, 300);
    ComboName = new QComboBox(w);  // a drop-down list: not editable
    placeTwips(ComboName, 2460, 270, 2880, 390);

    Label2 = new QLabel(QStringLiteral("Password :"), w);
    placeTwips(Label2, 1080, 930, 1320, 300);
    TextPasswd = new QLineEdit(w);
    TextPasswd->setEchoMode(QLineEdit::Password);
    TextPasswd->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    placeTwips(TextPasswd, 2460, 870, 2880, 390);
    // Screen readers name each box after its label.
    Label1->setBuddy(ComboName);
    Label2->setBuddy(TextPasswd);

    CommandLoginIn = new QPushButton(QStringLiteral("Login"), w);
    placeTwips(CommandLoginIn, 300, 1800, 1500, 480);
    CommandAddNew = new QPushButton(QStringLiteral("Add New User"), w);
    placeTwips(CommandAddNew, 2070, 1800, 1500, 480);
    CommandCancel = new QPushButton(QStringLiteral("Cancel"), w);
    placeTwips(CommandCancel, 3840, 1800, 1500, 480);

    Timerload = new QTimer(w);
    Timerload->setInterval(200);

    // A pick by the user or a selection made by code both run the handler.
    connect(ComboName, &QComboBox::activated, this, [this] { ComboName_Click(); });
    connect(ComboName, &QComboBox::currentIndexChanged, this, [this] { ComboName_Click(); });
    connect(CommandLoginIn, &QPushButton::clicked, this, &frmLogin::CommandLoginIn_Click);
    platform::pressOnEnter(CommandLoginIn, {ComboName, TextPasswd});
    connect(CommandAddNew, &QPushButton::clicked, this, &frmLogin::CommandAddNew_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &frmLogin::CommandCancel_Click);
    connect(Timerload, &QTimer::timeout, this, &frmLogin::Timerload_Timer);
    return w;
}

void frmLogin::Form_Load() {
    if (!createRegisterIfEmpty())
        platform::MsgBox(writeFailureMessage(registerPath()));
    Timerload->start();
}

void frmLogin::TitleBarClose() {
    platform::EndProgram();
}

void frmLogin::LoadRegister() {
    readRegister(Module1::state().reg);
}

void frmLogin::Timerload_Timer() {
    LoadRegister();
    fillUserList();
    const RegisterTable& reg = Module1::state().reg;
    if (reg.UserCount > 0)
        chooseEntry(reg.RegID[reg.UserCount]);
    Timerload->stop();
}

void frmLogin::fillUserList() {
    const RegisterTable& reg = Module1::state().reg;
    const QSignalBlocker quiet(ComboName);  // filling is not a pick
    ComboName->clear();
    for (int row = 1; row <= reg.UserCount; ++row)
        ComboName->addItem(reg.RegID[row]);
    ComboName->setCurrentIndex(-1);
}

void frmLogin::chooseEntry(const QString& id) {
    const int index = ComboName->findText(id, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index == ComboName->currentIndex())
        ComboName_Click();
    else
        ComboName->setCurrentIndex(index);
}

void frmLogin::ComboName_Click() {
    TextPasswd->clear();
    TextPasswd->setEnabled(ComboName->currentText() != kGuestId);
}

void frmLogin::CommandLoginIn_Click() {
    LoadRegister();
    LoginName = ComboName->currentIndex() >= 0 ? ComboName->currentText() : QString();
    LoginPasswd = TextPasswd->text();
    const SignInVerdict verdict = checkSignIn(Module1::state().reg, LoginName, LoginPasswd);
    if (verdict != SignInVerdict::Accepted) {
        refuseSignIn(verdict);
        return;
    }
    if (LoginName == kGuestId)
        TextPasswd->clear();
    if (!prepareReadingsFile(LoginName)) {
        platform::MsgBox(writeFailureMessage(readingsFilePath(LoginName)));
        return;
    }
    signIn();
}

void frmLogin::refuseSignIn(SignInVerdict verdict) {
    switch (verdict) {
    case SignInVerdict::WrongPassword:
        platform::MsgBox(QStringLiteral("User ID [") + LoginName +
                         QStringLiteral("] ! Your Password have some error ! Please try again !"));
        TextPasswd->clear();
        return;
    case SignInVerdict::UnusableId:
        platform::MsgBox(QStringLiteral("You can't use this User ID！"));
        return;
    default:
        platform::MsgBox(QStringLiteral("Please Chose your User ID And key in your password !!"),
                         platform::MsgIcon::Critical, QStringLiteral("Error"));
    }
}

void frmLogin::signIn() {
    Module1::State& state = Module1::state();
    static_cast<Module1::UserSettings&>(state) = settingsFromRegister(state.reg, LoginName);
    frmReadOldData::instance().Show();
    frmIndex::instance().Show();
    Unload();
    frmReadOldData::instance().Unload();
}

void frmLogin::CommandAddNew_Click() {
    Unload();
    frmLoginAdd::instance().Show();
}

void frmLogin::CommandCancel_Click() {
    platform::EndProgram();
}
