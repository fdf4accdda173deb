#include "meter/frmMeterRead.h"

#include <QFont>

#include "app/Module1.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "shell/ChildPages.h"
#include "shell/frmMenu.h"

using platform::placeTwips;

namespace {
frmMeterRead::LinkFactory& linkFactory() {
    static frmMeterRead::LinkFactory factory;
    return factory;
}

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QGroupBox* frame(const QString& title, QWidget* parent) {
    return new QGroupBox(title, parent);
}
}  // namespace

frmMeterRead& frmMeterRead::instance() {
    static frmMeterRead* form = new frmMeterRead;
    return *form;
}

void frmMeterRead::setLinkFactory(LinkFactory factory) {
    linkFactory() = std::move(factory);
}

QWidget* frmMeterRead::CreateControls() {
    auto* page = new QWidget;
    page->setWindowTitle(QStringLiteral("Download Meter Readings"));
    page->resize(platform::twipsToPixels(9000), platform::twipsToPixels(6700));
    Label3 = new QLabel(QStringLiteral("Download Meter Readings"), page);
    QFont headingFont = Label3->font();
    headingFont.setPointSize(18);
    headingFont.setBold(true);
    Label3->setFont(headingFont);
    Label3->setAlignment(Qt::AlignCenter);
    placeTwips(Label3, 240, 120, 8520, 600);
    createSteps(page);
    createProgress(page);
    createTimers(page);
    return page;
}

void frmMeterRead::createSteps(QWidget* page) {
    Frame2 = frame(QString(), page);
    placeTwips(Frame2, 240, 840, 8520, 840);
    Label1 = wrappedLabel(
        QStringLiteral("This operation will download the readings stored on your Blood Glucose "
                       "Monitoring System and enter them in the database."),
        Frame2);
    placeTwips(Label1, 180, 120, 8160, 600);

    Frame3 = frame(QStringLiteral("Step1"), page);
    placeTwips(Frame3, 240, 1800, 8520, 840);
    LabelMsg = wrappedLabel(
        QStringLiteral("Connect the meter to your computer by using the interface cable."), Frame3);
    placeTwips(LabelMsg, 180, 330, 8160, 360);

    createButtonStep(Frame4, CommandMR, Label2, page, 2760, QStringLiteral("Step2"),
                     QStringLiteral("Start Reading"),
                     QStringLiteral("Your meter will turn ON and display [PC] before downloading."));
    createButtonStep(Frame5, CmdReport, Label4, page, 3840, QStringLiteral("Step3"),
                     QStringLiteral("View Reports ..."),
                     QStringLiteral("View reports after downloading."));

    connect(CommandMR, &QPushButton::clicked, this, &frmMeterRead::CommandMR_Click);
    connect(CmdReport, &QPushButton::clicked, this, &frmMeterRead::CmdReport_Click);

    CmdReportPC = new QPushButton(QStringLiteral("Line Graph(PC)"), Frame5);
    placeTwips(CmdReportPC, 6480, 330, 1800, 450);
    CmdReportPC->hide();
    connect(CmdReportPC, &QPushButton::clicked, this, &frmMeterRead::CmdReportPC_Click);
}

// A step frame holding a button with its explanation beside it.
void frmMeterRead::createButtonStep(QGroupBox*& step, QPushButton*& button, QLabel*& label,
                                    QWidget* page, int top, const QString& title,
                                    const QString& caption, const QString& text) {
    step = frame(title, page);
    placeTwips(step, 240, top, 8520, 960);
    button = new QPushButton(caption, step);
    placeTwips(button, 180, 330, 1800, 450);
    label = wrappedLabel(text, step);
    placeTwips(label, 2160, 330, 6180, 450);
}

void frmMeterRead::createProgress(QWidget* page) {
    Frame1 = frame(QString(), page);
    placeTwips(Frame1, 240, 4920, 8520, 1200);
    ProgressBar1 = new QProgressBar(Frame1);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    placeTwips(ProgressBar1, 180, 180, 8160, 360);
    LabelRead = new QLabel(QStringLiteral("Reading Massage..."), Frame1);
    LabelRead->setTextFormat(Qt::PlainText);
    placeTwips(LabelRead, 180, 660, 8160, 360);
}

QTimer* frmMeterRead::newTimer(DownloadTimer which, QWidget* page, void (frmMeterRead::*handler)()) {
    auto* t = new QTimer(page);
    t->setInterval(timerPeriodMs(which));
    // A coarse timer may fire up to 5 % of its interval late, 50 ms on the
    // hello's second; link-up and every request keep their rhythm instead.
    t->setTimerType(Qt::PreciseTimer);
    connect(t, &QTimer::timeout, this, handler);
    return t;
}

void frmMeterRead::createTimers(QWidget* page) {
    TimerRt = newTimer(DownloadTimer::TimerRt, page, &frmMeterRead::TimerRt_Timer);
    TimerOP = newTimer(DownloadTimer::TimerOP, page, &frmMeterRead::TimerOP_Timer);
    Timer1 = newTimer(DownloadTimer::Timer1, page, &frmMeterRead::Timer1_Timer);
    Timer2 = newTimer(DownloadTimer::Timer2, page, &frmMeterRead::Timer2_Timer);
    Timer3 = newTimer(DownloadTimer::Timer3, page, &frmMeterRead::Timer3_Timer);
    Timer4 = newTimer(DownloadTimer::Timer4, page, &frmMeterRead::Timer4_Timer);
    TimerSleep = newTimer(DownloadTimer::TimerSleep, page, &frmMeterRead::TimerSleep_Timer);
}

void frmMeterRead::Form_Load() {
    const LinkFactory& factory = linkFactory();
    link_ = factory ? factory() : platform::createSerialLink();
    sequence_.setLink(link_.get());
    ProgressBar1->setValue(0);
    sequence_.OpenPort();
}

void frmMeterRead::Form_Unload() {
    sequence_.Stop();
}

void frmMeterRead::CommandMR_Click() {
    sequence_.CommandMR_Click();
}

void frmMeterRead::CmdReport_Click() {
    Unload();
    frmMenu::instance().Show();
}

void frmMeterRead::CmdReportPC_Click() {
    Unload();
    ChildPages::ShowByUnit(ChildPages::UnitReport::PcLineGraph);
}

QTimer* frmMeterRead::timer(DownloadTimer which) const {
    switch (which) {
    case DownloadTimer::TimerRt: return TimerRt;
    case DownloadTimer::TimerOP: return TimerOP;
    case DownloadTimer::Timer1: return Timer1;
    case DownloadTimer::Timer2: return Timer2;
    case DownloadTimer::Timer3: return Timer3;
    case DownloadTimer::Timer4: return Timer4;
    case DownloadTimer::TimerSleep: return TimerSleep;
    }
    return nullptr;
}

void frmMeterRead::setTimerEnabled(DownloadTimer which, bool on) {
    if (!isLoaded())
        return;
    QTimer* t = timer(which);
    if (!on)
        t->stop();
    else if (!t->isActive())
        t->start();
}

void frmMeterRead::showStatus(const QString& text) {
    if (isLoaded())
        LabelRead->setText(text);
}

void frmMeterRead::setProgressValue(int value) {
    if (isLoaded())
        ProgressBar1->setValue(value);
}

void frmMeterRead::setProgressMaximum(int maximum) {
    if (isLoaded())
        ProgressBar1->setMaximum(maximum);
}

void frmMeterRead::showMessage(const QString& text) {
    platform::MsgBox(text);
}

void frmMeterRead::portOpenFailed() {
    platform::MsgBox(QStringLiteral("RS232 Setting Error !"));
    if (isLoaded())
        CommandMR->setEnabled(false);
}

int frmMeterRead::comPort() const {
    return Module1::state().ComPort;
}

MeterBatch& frmMeterRead::batch() {
    return Module1::state().batch;
}

SaveOutcome frmMeterRead::saveDownload() {
    return SaveDownload(Module1::state());
}
