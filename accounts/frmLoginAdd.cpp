#include "accounts/frmLoginAdd.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "accounts/NewUser.h"
#include "accounts/RegisterFile.h"
#include "accounts/WriteFailure.h"
#include "accounts/frmLogin.h"
#include "platform/EnterKey.h"
#include "platform/MessageBox.h"
#include "platform/Program.h"
#include "platform/Twips.h"

using platform::placeTwips;
using platform::twipsToPixels;

frmLoginAdd& frmLoginAdd::instance() {
    static frmLoginAdd* form = new frmLoginAdd;
    return *form;
}

namespace {
QLineEdit* passwordBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    return box;
}
}  // namespace

QWidget* frmLoginAdd::CreateControls() {
    auto* w = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowCloseButtonHint);
    w->setWindowTitle(QStringLiteral("Add New User"));
    w->setFixedSize(twipsToPixels(5400), twipsToPixels(2880));

    LabelName = new QLabel(QStringLiteral("User ID :"), w);
    placeTwips(LabelName, 240, 330, 2100, 300);
    TextName = new QLineEdit(w);
    placeTwips(TextName, 2400, 270, 2760, 390);
    LabelPasswd = new QLabel(QStringLiteral("Password :"), w);
    placeTwips(LabelPasswd, 240, 870, 2100, 300);
    TextPasswd = passwordBox(w);
    placeTwips(TextPasswd, 2400, 810, 2760, 390);
    LabelCheck = new QLabel(QStringLiteral("Checking Password :"), w);
    placeTwips(LabelCheck, 240, 1410, 2100, 300);
    TextCheck = passwordBox(w);
    placeTwips(TextCheck, 2400, 1350, 2760, 390);
    // Screen readers name each box after its label.
    LabelName->setBuddy(TextName);
    LabelPasswd->setBuddy(TextPasswd);
    LabelCheck->setBuddy(TextCheck);

    CommandAddOk = new QPushButton(QStringLiteral("OK"), w);
    placeTwips(CommandAddOk, 960, 2040, 1500, 480);
    CommandCancel = new QPushButton(QStringLiteral("Cancel"), w);
    placeTwips(CommandCancel, 2940, 2040, 1500, 480);

    connect(CommandAddOk, &QPushButton::clicked, this, &frmLoginAdd::CommandAddOk_Click);
    platform::pressOnEnter(CommandAddOk, {TextName, TextPasswd, TextCheck});
    connect(CommandCancel, &QPushButton::clicked, this, &frmLoginAdd::CommandCancel_Click);
    return w;
}

void frmLoginAdd::Form_Load() {
    TextName->clear();
    TextPasswd->clear();
    TextCheck->clear();
}

void frmLoginAdd::TitleBarClose() {
    platform::EndProgram();
}

void frmLoginAdd::CommandAddOk_Click() {
    const QString id = TextName->text();
    const QString password = TextPasswd->text();
    RegisterTable registered;
    readRegister(registered);
    const NewUserVerdict verdict = checkNewUser(id, password, TextCheck->text(), registered);
    if (verdict != NewUserVerdict::Accepted) {
        refuse(verdict);
        return;
    }
    if (!appendNewUser(id, password)) {
        platform::MsgBox(writeFailureMessage(registerPath()));
        return;
    }
    platform::MsgBox(QStringLiteral("Add New User [") + id + QStringLiteral("] Successfully !!"));
    backToSignIn();
    frmLogin::instance().CommandAddNew->setEnabled(false);
}

void frmLoginAdd::refuse(NewUserVerdict verdict) {
    switch (verdict) {
    case NewUserVerdict::NoId:
        platform::MsgBox(QStringLiteral("Please key in the User ID！"));
        return;
    case NewUserVerdict::UnusableId:
        platform::MsgBox(QStringLiteral("You can't use this User ID！"));
        return;
    case NewUserVerdict::NoPassword:
        platform::MsgBox(QStringLiteral("Please key in the Password！"));
        return;
    case NewUserVerdict::UnusablePassword:
        platform::MsgBox(QStringLiteral("You can't use this Password！"));
        return;
    case NewUserVerdict::NoCheck:
        platform::MsgBox(QStringLiteral("Please key in the Checking Password !"));
        return;
    case NewUserVerdict::Mismatch:
        platform::MsgBox(QStringLiteral(
            "The password and checking password is not the same , Please try again !"));
        TextPasswd->clear();
        TextCheck->clear();
        return;
    case NewUserVerdict::Accepted:
        return;
    }
}

void frmLoginAdd::backToSignIn() {
    Unload();
    frmLogin::instance().Show();
}

void frmLoginAdd::CommandCancel_Click() {
    backToSignIn();
}
