#pragma once
// One download from the meter as a state machine: the window's timers call
// the *_Timer handlers at their periods, "Start Reading" calls
// CommandMR_Click, and every reply is taken whole by the receive poll.
// The handlers of the link-up (wake-up, link test, hello) are in
// DownloadLinkUp.cpp.
#include <QByteArray>
#include <QString>

#include "meter/DownloadHost.h"
#include "meter/DownloadStep.h"
#include "meter/OwedReplies.h"
#include "meter/PendingRequest.h"
#include "meter/WholeReplies.h"
#include "meter/Protocol.h"
#include "platform/core/SerialLink.h"

class DownloadSequence {
public:
    // A link-up that has not reached the count request by then gives up,
    // whatever a noisy line or a half-working meter keeps sending.
    static constexpr int kLinkUpLimitMs = 28000;
    // A wake reply that leaves this many wake bytes unanswered most likely
    // comes from a meter still working through them.
    static constexpr int kQueuedWakeBytes = 3;

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

    DownloadStep step() const { return step_; }

    // Follows the step: 0 until the first download; 1 waking, testing and
    // greeting; 2 after the hello; 3 fetching records; 4 once the sleep
    // command was sent.
    int DownloadState = 0;
    int WakeTicks = 0;
    int LinkTicks = 0;
    int HelloTicks = 0;
    qint16 GlucoseIndex = 0;  // record awaited next; 0 once all have come
    qint16 TimeIndex = 0;
    qint16 SleepTicks = 0;
    QByteArray RxBytes;  // what the last receive poll took

private:
    static constexpr int kPollMs = timerPeriodMs(DownloadTimer::TimerRt);
    static QString linkError() { return QStringLiteral("Link Error !"); }

    enum class Verdict { Answer, Late, Stray, OutOfStep };

    void enter(DownloadStep step);
    bool send(const QByteArray& command);
    void setTimer(DownloadTimer timer, bool on) { host_.setTimerEnabled(timer, on); }
    void stopAllTimers();
    bool setUpPort();
    bool reopenPort();
    void resumeWakeUp();
    bool startPhase(DownloadStep next);
    bool dropWaitingBytes();
    std::vector<protocol::ReplyShape> awaitedShapes() const;
    void drainAfterTheEnd();
    int quietMs() const;
    bool lineSettling() const { return pending_.settling(); }
    void linkUpTick(int& ticks, int limit, const QByteArray& command, DownloadTimer timer);
    void sendLinkUpCommand(const QByteArray& command);
    void awaitQueuedReplies();
    void showWakeUpProgress();
    bool linkUpOverdue();
    void giveUpLinkUp();
    protocol::PollContext pollContext();
    bool takeReply();
    Verdict judge(protocol::Reply reply);
    bool isCalendarAnswer(protocol::Reply reply) const;
    void awaitReply();
    bool actOn(protocol::Reply reply);
    void noteAnswerTo(const QByteArray& command);
    bool onWake();
    bool onHello();
    bool onQuietLine();
    bool askForCount();
    bool onCount();
    bool askToSleep();
    void onSleepAck();
    void onGlucoseRecord();
    void onTimeRecord();
    bool awaitingRecord(int index);
    bool readyForNextRequest();
    bool ask(const QByteArray& command);
    void requestGlucose();
    void requestTime();
    void finishDownload();
    void failDownload(const QString& message);

    DownloadHost& host_;
    platform::SerialLink* link_;
    DownloadStep step_ = DownloadStep::Idle;
    PendingRequest pending_;
    OwedReplies owed_;
    WholeReplies replies_;
    int linkUpMs_ = 0;
    bool queuedMeter_ = false;  // late replies came: one link-up command at a time
    int loadedPort_ = 0;
};
