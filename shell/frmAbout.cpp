#include "shell/frmAbout.h"

#include <QDialog>

#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/Twips.h"
#include "platform/core/NestedWait.h"

using platform::placeTwips;

frmAbout& frmAbout::instance() {
    static frmAbout* form = new frmAbout;
    return *form;
}

QWidget* frmAbout::CreateControls() {
    auto* box = new QDialog;
    box->setWindowTitle(QStringLiteral("About..."));
    box->setFixedSize(platform::twipsToPixels(5700), platform::twipsToPixels(2700));

    picIcon = new QLabel(box);
    picIcon->setPixmap(platform::drawPicture(platform::Picture::Product, {64, 64}));
    placeTwips(picIcon, 240, 240, 960, 960);

    lblTitle = new QLabel(platform::kAppTitle + QString(25, QLatin1Char(' ')) +
                              QStringLiteral("Vision  1.2"),
                          box);
    lblTitle->setTextFormat(Qt::PlainText);
    lblTitle->setFont(QFont(QStringLiteral("Arial"), 12));
    lblTitle->setWordWrap(true);
    placeTwips(lblTitle, 1440, 240, 3960, 1200);

    cmdOK = new QPushButton(QStringLiteral("OK"), box);
    cmdOK->setDefault(true);
    placeTwips(cmdOK, 4080, 1920, 1320, 420);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    // Escape closes the box like the window system's close command.
    connect(box, &QDialog::rejected, this, &frmAbout::Unload);
    return box;
}

void frmAbout::ShowModal(QWidget* owner) {
    Load();
    auto* box = qobject_cast<QDialog*>(window());
    if (!box)
        return;
    box->setParent(owner, box->windowFlags());
    // Unloading hides the box, which ends its modal loop; that loop runs
    // inside the handler that opened the box.
    const platform::NestedWait wait;
    box->exec();
}

void frmAbout::cmdOK_Click() {
    Unload();
}
