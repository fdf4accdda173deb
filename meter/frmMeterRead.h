#pragma once
// The download window: the steps a user follows, the progress and status
// line, and the seven timers that drive the download sequence.
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "meter/DownloadHost.h"
#include "meter/DownloadSequence.h"
#include "platform/Form.h"
#include "platform/core/SerialLink.h"

class frmMeterRead : public platform::Form, public DownloadHost {
    Q_OBJECT
public:
    using LinkFactory = std::function<std::unique_ptr<platform::SerialLink>()>;

    static frmMeterRead& instance();
    bool isChildPage() const override { return true; }

    // The link each load opens; an empty factory restores the serial port.
    static void setLinkFactory(LinkFactory factory);

    const DownloadSequence& sequence() const { return sequence_; }

    QLabel* Label3 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* LabelMsg = nullptr;
    QGroupBox* Frame4 = nullptr;
    QPushButton* CommandMR = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QPushButton* CmdReport = nullptr;
    QPushButton* CmdReportPC = nullptr;  // hidden: the post-meal line graph is not offered yet
    QLabel* Label4 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* LabelRead = nullptr;

    QTimer* TimerRt = nullptr;
    QTimer* TimerOP = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
    QTimer* TimerSleep = nullptr;

public slots:
    void CommandMR_Click();
    void CmdReport_Click();
    void CmdReportPC_Click();
    void TimerRt_Timer() { sequence_.TimerRt_Timer(); }
    void TimerOP_Timer() { sequence_.TimerOP_Timer(); }
    void Timer1_Timer() { sequence_.Timer1_Timer(); }
    void Timer2_Timer() { sequence_.Timer2_Timer(); }
    void Timer3_Timer() { sequence_.Timer3_Timer(); }
    void Timer4_Timer() { sequence_.Timer4_Timer(); }
    void TimerSleep_Timer() { sequence_.TimerSleep_Timer(); }

protected:
    QWidget* CreateControls() override;
    void Form_Load() override;
    void Form_Unload() override;

    // DownloadHost
    void setTimerEnabled(DownloadTimer timer, bool on) override;
    void showStatus(const QString& text) override;
    void setProgressValue(int value) override;
    void setProgressMaximum(int maximum) override;
    void showMessage(const QString& text) override;
    void portOpenFailed() override;
    int comPort() const override;
    MeterBatch& batch() override;
    SaveOutcome saveDownload() override;

private:
    frmMeterRead() = default;
    void createSteps(QWidget* page);
    void createButtonStep(QGroupBox*& step, QPushButton*& button, QLabel*& label, QWidget* page,
                          int top, const QString& title, const QString& caption,
                          const QString& text);
    void createProgress(QWidget* page);
    void createTimers(QWidget* page);
    QTimer* newTimer(DownloadTimer which, QWidget* page, void (frmMeterRead::*handler)());
    QTimer* timer(DownloadTimer which) const;

    std::unique_ptr<platform::SerialLink> link_;
    DownloadSequence sequence_{*this};
};
