// The link-up of a download: the wake-up, the link test and the hello, each
// repeated by its timer until the meter answers, and the time limit that
// keeps a noisy line or a half-working meter from holding the window.
#include "meter/DownloadSequence.h"

namespace {
const QString kLinkTesting = QStringLiteral("Link Testing...");
const QString kWakeUpFailed = QStringLiteral("Meter Wake Up...Failed");
constexpr int kWakeTickLimit = 50;
constexpr int kLinkTickLimit = 10;
constexpr int kHelloTickLimit = 5;
}  // namespace

void DownloadSequence::TimerOP_Timer() {
    send(protocol::wakeByte());
    ++WakeTicks;
    showWakeUpProgress();
    if (WakeTicks == kWakeTickLimit) {
        host_.showStatus(kWakeUpFailed);
        setTimer(DownloadTimer::TimerOP, false);
    }
}

void DownloadSequence::showWakeUpProgress() {
    if (WakeTicks >= 10 && WakeTicks <= 40 && WakeTicks % 10 == 0)
        host_.showStatus(QStringLiteral("Meter Wake Up...Waiting(%1s)").arg(WakeTicks / 10));
    if (WakeTicks >= 9 && WakeTicks <= 49 && WakeTicks % 10 == 9)
        host_.showStatus(QString());
}

void DownloadSequence::resumeWakeUp() {
    host_.showStatus(kLinkTesting);
    enter(DownloadStep::Waking);
    setTimer(DownloadTimer::TimerOP, true);
}

// The link test and the hello hold their commands while a meter that works
// through a queue is still answering earlier ones; only replies it owes do
// that, and the whole link-up has a time limit.
void DownloadSequence::Timer1_Timer() {
    linkUpTick(LinkTicks, kLinkTickLimit, protocol::linkTestByte(), DownloadTimer::Timer1);
}

void DownloadSequence::Timer2_Timer() {
    linkUpTick(HelloTicks, kHelloTickLimit, protocol::helloCommand(), DownloadTimer::Timer2);
}

// One tick of the link test or the hello: its command, and past its limit
// of ticks the wake-up again.
void DownloadSequence::linkUpTick(int& ticks, int limit, const QByteArray& command,
                                  DownloadTimer timer) {
    if (lineSettling())
        return;
    ++ticks;
    sendLinkUpCommand(command);
    if (ticks > limit) {
        setTimer(timer, false);
        resumeWakeUp();
        ticks = 0;
    }
}

// A meter seen working through a queue takes a second and more per command:
// another try before the last one is answered would only lengthen its queue.
void DownloadSequence::sendLinkUpCommand(const QByteArray& command) {
    if (!queuedMeter_ || owed_.owedFor(command) == 0)
        send(command);
}

bool DownloadSequence::linkUpOverdue() {
    if (!isLinkUp(step_))
        return false;
    linkUpMs_ += kPollMs;
    return linkUpMs_ > kLinkUpLimitMs;
}

// The phase under way gives its failure: a meter that never woke, or one
// that woke but never passed the link test and the hello.
void DownloadSequence::giveUpLinkUp() {
    if (step_ != DownloadStep::Waking) {
        failDownload(linkError());
        return;
    }
    stopAllTimers();
    pending_.clear();
    enter(DownloadStep::GaveUp);
    host_.showStatus(kWakeUpFailed);
}

// Bytes waiting at a change of phase answer no command of the new one: the
// meter is working through a queue, so the line must settle first.
bool DownloadSequence::dropWaitingBytes() {
    const int waiting = link_->inBufferCount();
    if (waiting > 0 || replies_.kept() > 0)
        pending_.waitForQuiet();
    return waiting >= 0 && replies_.discard(*link_);
}

// False when the link failed. The timers of the other phases stop: their
// commands would bring nothing but replies to be dropped.
bool DownloadSequence::startPhase(DownloadStep next) {
    if (!dropWaitingBytes())
        return false;
    enter(next);
    for (const LinkUpPhase& phase : kLinkUpPhases)
        setTimer(phase.timer, phase.step == next);
    return true;
}

bool DownloadSequence::onWake() {
    noteAnswerTo(protocol::wakeByte());
    host_.showStatus(QStringLiteral("Meter Wake Up...Please Wait!"));
    if (!startPhase(DownloadStep::LinkTest))
        return false;
    if (owed_.owedFor(protocol::wakeByte()) >= kQueuedWakeBytes)
        pending_.waitForQuiet();
    return true;
}

// A repeated hello may still be answered after this reply, and its reply
// would read as a count of 170: the count request then waits for quiet.
bool DownloadSequence::onHello() {
    noteAnswerTo(protocol::helloCommand());
    host_.showStatus(QStringLiteral("On Line..."));
    if (!startPhase(DownloadStep::OnLine))
        return false;
    if (owed_.owedFor(protocol::helloCommand()) > 0)
        pending_.waitForQuiet();
    return pending_.settling() || askForCount();
}
