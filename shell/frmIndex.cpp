#include "shell/frmIndex.h"

#include "meter/frmMeterRead.h"
#include "platform/Pictures.h"
#include "platform/Twips.h"
#include "shell/PageStyle.h"
#include "shell/frmMenu.h"

using platform::placeTwips;

frmIndex& frmIndex::instance() {
    static frmIndex* form = new frmIndex;
    return *form;
}

QWidget* frmIndex::CreateControls() {
    QWidget* page = PageStyle::newPage(QStringLiteral("Welcome!"), 9000, 6700);
    createTexts(page);
    createChoices(page);
    return page;
}

void frmIndex::createTexts(QWidget* page) {
    lblProductName = PageStyle::heading(QStringLiteral("Ambrel  Management Software"), page);
    placeTwips(lblProductName, 240, 150, 8520, 600);

    Picture2 = new PictureBox(platform::drawPicture(platform::Picture::Drop, {96, 96}), page);
    placeTwips(Picture2, 240, 960, 1560, 1560);

    Frame1 = new QFrame(page);
    Frame1->setFrameShape(QFrame::StyledPanel);
    placeTwips(Frame1, 1980, 900, 6780, 2820);
    Label1 = PageStyle::text(
        QStringLiteral("Welcome to the Ambrel Management Software,a software that offers a "
                       "database of information to help better manage an individual's "
                       "diabetes."),
        Frame1);
    placeTwips(Label1, 120, 90, 6540, 660);
    Label2 = PageStyle::text(
        QStringLiteral("The software is not intended to provide medical advice. Consult with "
                       "your health care professional before making any life changing "
                       "decisions (i.e. your diet, exercise program or medication.)."),
        Frame1);
    placeTwips(Label2, 120, 840, 6540, 1020);
    Label3 = PageStyle::text(
        QStringLiteral("The software was developed exclusively by Zu for use with Glucose "
                       "Monitoring System."),
        Frame1);
    placeTwips(Label3, 120, 1950, 6540, 660);
}

void frmIndex::createChoices(QWidget* page) {
    Picture1 = new PictureBox(platform::drawPicture(platform::Picture::Download, {96, 96}), page);
    placeTwips(Picture1, 2340, 4020, 1800, 1680);
    Picture1->setCursor(Qt::PointingHandCursor);
    Command1 = new QPushButton(QStringLiteral("Meter Readings"), page);
    placeTwips(Command1, 2340, 5820, 1800, 420);

    Picture3 = new PictureBox(platform::drawPicture(platform::Picture::Reports, {96, 96}), page);
    placeTwips(Picture3, 6000, 4020, 1800, 1680);
    Picture3->setCursor(Qt::PointingHandCursor);
    Command2 = new QPushButton(QStringLiteral("Reports"), page);
    placeTwips(Command2, 6000, 5820, 1800, 420);

    connect(Picture1, &PictureBox::Click, this, &frmIndex::Picture1_Click);
    connect(Picture3, &PictureBox::Click, this, &frmIndex::Picture3_Click);
    connect(Command1, &QPushButton::clicked, this, &frmIndex::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmIndex::Command2_Click);
}

void frmIndex::Command1_Click() {
    Picture1_Click();
}

void frmIndex::Command2_Click() {
    Picture3_Click();
}

// The welcome page is itself the open page: unloading it leaves none open,
// so there is no need to close the others first.
void frmIndex::Picture1_Click() {
    Unload();
    frmMeterRead::instance().Show();
}

void frmIndex::Picture3_Click() {
    Unload();
    frmMenu::instance().Show();
}
