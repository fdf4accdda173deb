#include "shell/frmMenu.h"

#include "platform/Twips.h"
#include "shell/ChildPages.h"
#include "shell/PageStyle.h"

using platform::placeTwips;

frmMenu& frmMenu::instance() {
    static frmMenu* form = new frmMenu;
    return *form;
}

QWidget* frmMenu::CreateControls() {
    QWidget* page = PageStyle::newPage(QStringLiteral("View Reports"), 9000, 4800);
    lblCompanyProduct = PageStyle::heading(QStringLiteral("View Reports"), page);
    placeTwips(lblCompanyProduct, 240, 240, 8520, 600);

    using platform::Picture;
    Picture1 = addChoice(page, 0, Picture::DataList, QStringLiteral("Data List"), Label1);
    Picture2 = addChoice(page, 1, Picture::StandardDay, QStringLiteral("Standard Day"), Label2);
    Picture3 = addChoice(page, 2, Picture::LineGraph, QStringLiteral("Line Graph"), Label3);
    Picture4 = addChoice(page, 3, Picture::Histogram, QStringLiteral("Histogram"), Label5);

    connect(Picture1, &PictureBox::Click, this, &frmMenu::Picture1_Click);
    connect(Picture2, &PictureBox::Click, this, &frmMenu::Picture2_Click);
    connect(Picture3, &PictureBox::Click, this, &frmMenu::Picture3_Click);
    connect(Picture4, &PictureBox::Click, this, &frmMenu::Picture4_Click);
    return page;
}

PictureBox* frmMenu::addChoice(QWidget* page, int column, platform::Picture picture,
                               const QString& caption, QLabel*& label) {
    const int left = 480 + column * 2100;
    auto* box = new PictureBox(platform::drawPicture(picture, {96, 96}), page);
    placeTwips(box, left, 1320, 1800, 1800);
    box->setCursor(Qt::PointingHandCursor);
    label = PageStyle::caption(caption, page);
    placeTwips(label, left, 3240, 1800, 360);
    return box;
}

void frmMenu::CloseChildForms() {
    ChildPages::CloseChildForms();
}

// The page closes itself first; CloseChildForms then passes over it.
void frmMenu::leaveForReport() {
    Unload();
    CloseChildForms();
}

void frmMenu::Picture1_Click() {
    leaveForReport();
    ChildPages::ShowByUnit(ChildPages::UnitReport::DataList);
}

void frmMenu::Picture2_Click() {
    leaveForReport();
    ChildPages::Show("frmR04");
}

void frmMenu::Picture3_Click() {
    leaveForReport();
    ChildPages::ShowByUnit(ChildPages::UnitReport::LineGraph);
}

void frmMenu::Picture4_Click() {
    leaveForReport();
    ChildPages::Show("frmR05");
}

void frmMenu::ShowPCLineGraph() {
    leaveForReport();
    ChildPages::ShowByUnit(ChildPages::UnitReport::PcLineGraph);
}
