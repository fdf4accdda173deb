#pragma once
// One download from the meter as a state machine: the window's timers call
// the *_Timer handlers at their periods, "Start Reading" calls
// CommandMR_Click, and every reply is taken by the receive poll.
#include <QByteArray>
#include <QString>

#include "meter/DownloadHost.h"
#include "meter/PendingRequest.h"
#include "meter/Protocol.h"
#include "platform/core/SerialLink.h"

class DownloadSequence {
public:
    explicit DownloadSequence(DownloadHost& host, platform::SerialLink* link = nullptr);

    // The link is made afresh at every load of the window.
    void setLink(platform::SerialLink* link) { link_ = link; }

    // At load: the user's port number, open, DTR off; a failure is
    // reported to the host.
    bool OpenPort();
    // Every timer off and the port closed (the window is going away).
    void Stop();

    void CommandMR_Click();
    void TimerRt_Timer();
    void TimerOP_Timer();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void TimerSleep_Timer();
    bool GetData();
    bool Sleep();

    // 0 until the first download; 1 waking, testing and greeting; 2 after
    // the hello; 3 fetching records; 4 once the sleep command was sent.
    int DownloadState = 0;
    int WakeTicks = 0;
    int LinkTicks = 0;
    int HelloTicks = 0;
    qint16 GlucoseIndex = 0;  // record awaited next; 0 once all have come
    qint16 TimeIndex = 0;
    qint16 SleepTicks = 0;
    QByteArray RxBytes;  // what the last receive poll took

private:
    // The phases of state 1 in their order, then the count request; only
    // the timer of the phase under way sends.
    enum class Phase { Waking, LinkTest, Hello, Counting };

    bool send(const QByteArray& command);
    void setTimer(DownloadTimer timer, bool on) { host_.setTimerEnabled(timer, on); }
    void stopAllTimers();
    bool setUpPort();
    bool reopenPort();
    void resumeWakeUp();
    bool startPhase(Phase next);
    bool dropWaitingBytes();
    bool isStale(protocol::Reply reply) const;
    void showWakeUpProgress();
    protocol::PollContext pollContext();
    bool takeReply();
    void awaitReply();
    bool actOn(protocol::Reply reply);
    bool onUnasked();
    bool onHello();
    bool countRequestDue() const;
    bool askForCount();
    bool onCount();
    void onSleepAck();
    void onGlucoseRecord();
    void onTimeRecord();
    bool awaitingRecord(int index);
    bool readyForNextRequest();
    bool ask(const QByteArray& command);
    void requestGlucose();
    void requestTime();
    void saveRecords();
    void failDownload(const QString& message);

    DownloadHost& host_;
    platform::SerialLink* link_;
    PendingRequest pending_;
    Phase phase_ = Phase::Waking;
    int hellosSent_ = 0;
    bool saveFailed_ = false;
    int loadedPort_ = 0;
};
