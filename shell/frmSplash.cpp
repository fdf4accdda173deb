#include "shell/frmSplash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>

#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/Twips.h"

using platform::placeTwips;

frmSplash& frmSplash::instance() {
    static frmSplash* form = new frmSplash;
    return *form;
}

QWidget* frmSplash::CreateControls() {
    auto* w = new QFrame(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    w->setFrameShape(QFrame::Box);
    w->resize(platform::twipsToPixels(6300), platform::twipsToPixels(3000));

    Picture1 = new QLabel(w);
    Picture1->setPixmap(platform::drawPicture(platform::Picture::Product, {96, 96}));
    placeTwips(Picture1, 300, 300, 1500, 1500);

    lblProductName = new QLabel(platform::kAppTitle, w);
    QFont font(QStringLiteral("Arial"), 16);
    font.setBold(true);
    lblProductName->setFont(font);
    lblProductName->setWordWrap(true);
    placeTwips(lblProductName, 2040, 450, 3960, 1200);

    ProgressBar1 = new QProgressBar(w);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    placeTwips(ProgressBar1, 300, 2160, 5700, 360);

    Timer1 = new QTimer(w);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    return w;
}

void frmSplash::Form_Load() {
    ProgressBar1->setValue(0);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window()->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window()->move(frame.topLeft());
    }
    Timer1->start();
}

void frmSplash::Timer1_Timer() {
    if (ProgressBar1->value() < 100)
        ProgressBar1->setValue(ProgressBar1->value() + 10);
}
