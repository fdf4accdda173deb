#include "shell/frmBrowser.h"

#include <QEvent>
#include <QStyle>

#include "platform/Pictures.h"
#include "platform/Twips.h"

using platform::pixelsToTwips;
using platform::placeTwips;
using platform::twipsToPixels;

namespace {

const QString kPleaseWait = QStringLiteral("Please wait...");

struct BrowserButton {
    const char* key;
    const char* toolTip;  // UTF-8
    QStyle::StandardPixmap icon;
};

const BrowserButton kButtons[] = {
    {"Back", "上一頁", QStyle::SP_ArrowBack},
    {"Forward", "下一頁", QStyle::SP_ArrowForward},
    {"Stop", "停止", QStyle::SP_BrowserStop},
    {"Refresh", "重新整理", QStyle::SP_BrowserReload},
    {"Home", "首頁", QStyle::SP_DirHomeIcon},
    {"Search", "搜尋", QStyle::SP_FileDialogContentsView},
};

// Some styles draw the home folder as a plain folder; the program's own house
// says "home page" whatever the style.
QIcon buttonIcon(QWidget* w, const BrowserButton& b) {
    if (b.icon == QStyle::SP_DirHomeIcon)
        return platform::pictureIcon(platform::Picture::Home);
    return w->style()->standardIcon(b.icon);
}

}  // namespace

QWidget* frmBrowser::CreateControls() {
    auto* w = new QWidget;
    w->setObjectName(QStringLiteral("frmBrowser"));
    w->resize(twipsToPixels(10800), twipsToPixels(8100));
    createToolBar(w);
    createAddressBar(w);
    brwWebBrowser = new platform::WebBrowser(w);
    placeTwips(brwWebBrowser, 0, pixelsToTwips(picAddress->y()), 10750, 7000);
    timTimer = new QTimer(w);
    timTimer->setInterval(5);
    connect(timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);
    connect(brwWebBrowser, &platform::WebBrowser::DownloadComplete, this,
            &frmBrowser::brwWebBrowser_DownloadComplete);
    return w;
}

void frmBrowser::createToolBar(QWidget* w) {
    tbToolBar = new QToolBar(w);
    for (const BrowserButton& b : kButtons) {
        QAction* button = tbToolBar->addAction(buttonIcon(w, b), QString());
        button->setData(QString::fromLatin1(b.key));
        button->setToolTip(QString::fromUtf8(b.toolTip));
    }
    tbToolBar->adjustSize();
    tbToolBar->setGeometry(0, 0, w->width(), tbToolBar->sizeHint().height());
    connect(tbToolBar, &QToolBar::actionTriggered, this, &frmBrowser::tbToolBar_ButtonClick);
}

// The address bar area is kept but hidden: the window always shows the page
// it was opened with and the pages reached from it.
void frmBrowser::createAddressBar(QWidget* w) {
    picAddress = new QWidget(w);
    placeTwips(picAddress, 0, pixelsToTwips(tbToolBar->height()), 10750, 660);
    lblAddress = new QLabel(QStringLiteral("WebSide(&A):"), picAddress);
    placeTwips(lblAddress, 50, 30, 1500, 240);
    cboAddress = new QComboBox(picAddress);
    cboAddress->setEditable(true);
    placeTwips(cboAddress, 50, 285, 10650, 315);
    lblAddress->hide();
    cboAddress->hide();
}

// Every step goes on when the one before it could not be done.
void frmBrowser::Form_Load() {
    window()->show();
    tbToolBar->repaint();
    Form_Resize();
    cboAddress->move(twipsToPixels(50),
                     lblAddress->y() + lblAddress->height() + twipsToPixels(15));
    if (StartingAddress.isEmpty())
        return;
    cboAddress->setEditText(StartingAddress);
    cboAddress->addItem(StartingAddress);
    timTimer->start();
    brwWebBrowser->Navigate(StartingAddress);
}

void frmBrowser::brwWebBrowser_DownloadComplete() {
    showTitle();
}

// Sizes follow the window's inner area; a window made smaller than the
// margins gets empty controls rather than negative sizes.
void frmBrowser::Form_Resize() {
    if (!isLoaded())
        return;
    const int innerWidth = pixelsToTwips(window()->width());
    const int innerHeight = pixelsToTwips(window()->height());
    tbToolBar->resize(window()->width(), tbToolBar->height());
    picAddress->resize(window()->width(), picAddress->height());
    cboAddress->resize(twipsToPixels(qMax(0, innerWidth - 100)), cboAddress->height());
    const int browserHeight = innerHeight - pixelsToTwips(picAddress->y()) - 100;
    brwWebBrowser->resize(twipsToPixels(qMax(0, innerWidth - 50)),
                          twipsToPixels(qMax(0, browserHeight)));
}

void frmBrowser::timTimer_Timer() {
    if (brwWebBrowser->Busy()) {
        window()->setWindowTitle(kPleaseWait);
        return;
    }
    timTimer->stop();
    showTitle();
}

void frmBrowser::tbToolBar_ButtonClick(QAction* Button) {
    if (!isLoaded() || !Button)
        return;
    timTimer->start();
    const QString key = Button->data().toString();
    if (key == QLatin1String("Back")) {
        brwWebBrowser->GoBack();
    } else if (key == QLatin1String("Forward")) {
        brwWebBrowser->GoForward();
    } else if (key == QLatin1String("Refresh")) {
        brwWebBrowser->Refresh();
    } else if (key == QLatin1String("Home")) {
        brwWebBrowser->GoHome();
    } else if (key == QLatin1String("Search")) {
        brwWebBrowser->GoSearch();
    } else if (key == QLatin1String("Stop")) {
        timTimer->stop();
        brwWebBrowser->Stop();
        showTitle();
    }
}

void frmBrowser::showTitle() {
    if (isLoaded())
        window()->setWindowTitle(brwWebBrowser->LocationName());
}

// Closing the window ends this opening: nothing of it is kept.
void frmBrowser::TitleBarClose() {
    Unload();
    deleteLater();
}

bool frmBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::Resize)
        Form_Resize();
    return Form::eventFilter(watched, event);
}
