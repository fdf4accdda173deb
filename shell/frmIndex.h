#pragma once
// The welcome page: greets the user after sign-in and leads to the download
// of meter readings and to the reports.
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "platform/Form.h"
#include "shell/PictureBox.h"

class frmIndex : public platform::Form {
    Q_OBJECT
public:
    static frmIndex& instance();
    bool isChildPage() const override { return true; }

    QLabel* lblProductName = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    PictureBox* Picture1 = nullptr;  // leads to the download
    PictureBox* Picture3 = nullptr;  // leads to the reports
    PictureBox* Picture2 = nullptr;  // decoration only
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QFrame* Frame1 = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Picture1_Click();
    void Picture3_Click();

protected:
    QWidget* CreateControls() override;

private:
    void createTexts(QWidget* page);
    void createChoices(QWidget* page);
};
