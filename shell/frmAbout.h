#pragma once
// The about box: the product's name and version.
#include <QLabel>
#include <QPushButton>

#include "platform/Form.h"

class frmAbout : public platform::Form {
    Q_OBJECT
public:
    static frmAbout& instance();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QPushButton* cmdOK = nullptr;

    // Shows the box modal over `owner`; returns when the box is closed.
    void ShowModal(QWidget* owner);
    void cmdOK_Click();

protected:
    QWidget* CreateControls() override;
};
