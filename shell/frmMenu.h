#pragma once
// The report menu page: the four reports as pictures.
#include <QLabel>

#include "platform/Form.h"
#include "platform/Pictures.h"
#include "shell/PictureBox.h"

class frmMenu : public platform::Form {
    Q_OBJECT
public:
    static frmMenu& instance();
    bool isChildPage() const override { return true; }

    QLabel* lblCompanyProduct = nullptr;
    PictureBox* Picture1 = nullptr;  // data list
    PictureBox* Picture2 = nullptr;  // standard day
    PictureBox* Picture3 = nullptr;  // line graph
    PictureBox* Picture4 = nullptr;  // histogram
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;

    void CloseChildForms();
    void Picture1_Click();
    void Picture2_Click();
    void Picture3_Click();
    void Picture4_Click();
    // The post-meal line graph; no picture leads to it yet.
    void ShowPCLineGraph();

protected:
    QWidget* CreateControls() override;

private:
    // One picture with its caption below, in the given column.
    PictureBox* addChoice(QWidget* page, int column, platform::Picture picture,
                          const QString& caption, QLabel*& label);
    void leaveForReport();
};
